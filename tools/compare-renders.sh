#!/usr/bin/env bash
# Renders a fixed set of settings, block sizes and sample rates through two builds and compares the
# WAVs byte for byte; prints one line a render and exits non-zero on any difference.
#
#   tools/compare-renders.sh <baseline> <new>
#
# Each side is either a warbloom-render binary (which renders the bundle built beside it) or a
# Warbloom.vst3 bundle, which is rendered by this checkout's build/tools/warbloom-render (or
# $WARBLOOM_RENDER). Every render seeds std::rand with the same value right before its first
# block, so Freakout's random values repeat, and writes 32-bit float samples, so no difference
# hides below 24 bits; a render tool must know --seed and --float.
# $COMPARE_JOBS renders run at a time (default 4); $COMPARE_KEEP keeps the WAVs in that folder.
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 <baseline render tool or bundle> <new render tool or bundle>" >&2
    exit 2
fi

root="$(cd "$(dirname "$0")/.." && pwd)"
renderer="${WARBLOOM_RENDER:-$root/build/tools/warbloom-render}"
jobs="${COMPARE_JOBS:-4}"

# Prints the command prefix that renders with the given side.
command_for() {
    local side="$1"
    if [[ -d "$side" ]]; then
        [[ -x "$renderer" ]] || { echo "no render tool at $renderer for bundle $side" >&2; exit 2; }
        echo "$renderer --plugin $(cd "$side" && pwd)"
    elif [[ -x "$side" ]]; then
        echo "$(cd "$(dirname "$side")" && pwd)/$(basename "$side")"
    else
        echo "neither a render tool nor a bundle: $side" >&2
        exit 2
    fi
}

baseline="$(command_for "$1")"
new="$(command_for "$2")"

# name|settings: the defaults, each section alone, the heavy setting, Freakout on its own.
settings=(
    "defaults|"
    "tone|echoPower=off inputDrive=9 bandSplitter=700 bassFreq=85 bassLevel=60 filterCut=2500 filterRes=45 satCrunch=60 satMix=40 toneMix=85 driveMix=off"
    "tone-lfo|echoPower=off toneModLfoWave=3 toneModLfoRate=6 toneModLfoOffset=40 toneModWaveShift=0.6 toneFilterModDepth=70 toneAmpModDepth=50 filterCut=4000"
    "tone-gate|echoPower=off toneModLfoPower=off toneModGatePower=on toneModGateType=1 toneModGateLength=6 toneModStep2=off toneModStep5=off toneFilterModDepth=60 toneAmpModDepth=80"
    "echo|tonePower=off echoRate1=5 echoRate2=9 echoInput=3 echoSpread=60 echoFeedback=85 echoDamp=40 echoMix=50"
    "echo-gate|tonePower=off echoPingPongMode=on echoInputModLevel=80 echoFeedModLevel=60 echoModGateRate=6 echoModStep2=off echoModStep3=off echoModStep7=off echoMix=60"
    "master|tonePower=off echoPower=off outputGain=-7.5 dryWetMix=65"
    "heavy|toneModLfoWave=6 toneModLfoOffset=25 toneModGatePower=on toneModGateType=2 toneModStep2=off toneModStep6=off toneFilterModDepth=100 toneAmpModDepth=100 filterRes=50 freakout=100 freakoutRate=16 echoDamp=50 echoModStep4=off echoFeedModLevel=40 modTotal=80"
    "freakout|freakout=70 freakoutRate=12 echoDamp=30 filterCut=6000"
)
blocks=(64 512 333)
rates=(44100 48000 96000)

work="${COMPARE_KEEP:-}"
if [[ -z "$work" ]]; then
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/baseline" "$work/new"

cases=()
for entry in "${settings[@]}"; do
    for block in "${blocks[@]}"; do
        for rate in "${rates[@]}"; do
            cases+=("${entry%%|*}-b$block-r$rate|$block|$rate|${entry#*|}")
        done
    done
done

render_case() {
    local side="$1" command="$2" entry="$3"
    IFS='|' read -r name block rate values <<<"$entry"
    local arguments=(--seed 1 --float --block-size "$block" --sample-rate "$rate" --output "$work/$side/$name.wav")
    for value in $values; do
        arguments+=(--set "$value")
    done
    if ! $command "${arguments[@]}" >"$work/$side/$name.log" 2>&1; then
        echo "render failed ($side $name):" >&2
        cat "$work/$side/$name.log" >&2
        return 1
    fi
}
export -f render_case
export work

for side in baseline new; do
    command="$baseline"
    [[ "$side" == new ]] && command="$new"
    printf '%s\n' "${cases[@]}" | xargs -d '\n' -P "$jobs" -I{} bash -c 'render_case "$1" "$2" "$3"' _ "$side" "$command" {}
done

differences=0
for entry in "${cases[@]}"; do
    name="${entry%%|*}"
    if cmp -s "$work/baseline/$name.wav" "$work/new/$name.wav"; then
        echo "identical  $name"
    else
        echo "DIFFERENT  $name"
        differences=$((differences + 1))
    fi
done

echo "${#cases[@]} renders compared, $differences different"
[[ $differences -eq 0 ]]
