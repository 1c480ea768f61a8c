# Sourced by the set-up and test scripts: installs the Debian 12 packages the build and tests need.
warbloom_packages=(
    build-essential cmake ninja-build pkg-config ccache git
    juce-modules-source
    libfreetype-dev libfontconfig1-dev libx11-dev libxext-dev libxinerama-dev libxrandr-dev
    libxcursor-dev libxcomposite-dev libpng-dev libjpeg-dev zlib1g-dev libgl-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth
)

warbloom_install_dependencies()
{
    local missing=()
    local package
    for package in "${warbloom_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done

    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

warbloom_configure_and_build()
{
    local build_dir="$1"
    shift
    cmake -S "$warbloom_root" -B "$build_dir" -G Ninja "$@"
    cmake --build "$build_dir" -j "$(nproc)"
}

warbloom_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export CCACHE_BASEDIR="$(dirname "$warbloom_root")"
# The sanitizer builds carry debug info, for which ccache would otherwise key every object on the
# build folder's full path, so that a fresh clone compiled them all again.
export CCACHE_NOHASHDIR=1
