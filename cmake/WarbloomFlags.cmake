# The JUCE configuration shared by the plug-in and every other target that compiles JUCE modules.
set(WARBLOOM_JUCE_DEFINITIONS
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_USE_MP3AUDIOFORMAT=0
    JUCE_USE_LAME_AUDIO_FORMAT=0
    JUCE_USE_WINDOWS_MEDIA_FORMAT=0)

# gcc 12 takes JUCE 7's ListenerList, which links the address of a local iterator into the list for
# exactly as long as the iterator lives, for a dangling pointer; the warning is about JUCE's code
# in every target that compiles JUCE's modules, none of it ours.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
    add_compile_options(-Wno-dangling-pointer)
endif()

# The sound is defined by separate roundings of every product and sum; a build for a CPU with
# fused multiply-add must not merge them.
add_compile_options(-ffp-contract=off)

if(WARBLOOM_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WARBLOOM_TSAN)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "WARBLOOM_TSAN needs clang")
    endif()
    if(WARBLOOM_SANITIZE OR WARBLOOM_FUZZ)
        message(FATAL_ERROR "WARBLOOM_TSAN cannot be combined with AddressSanitizer")
    endif()
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# clang links ThreadSanitizer's runtime into executables only, so a plug-in module leaves the
# runtime's symbols to the host that loads it; this comes after JUCE's --no-undefined on the
# module's link line and overrides it.
function(warbloom_allow_sanitizer_runtime_from_host target)
    if(WARBLOOM_TSAN)
        target_link_options(${target} PRIVATE -Wl,-z,undefs)
    endif()
endfunction()

# The fuzz build instruments everything for libFuzzer's coverage and the sanitizers; only the
# fuzz targets themselves link libFuzzer's main.
if(WARBLOOM_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Links the system code libraries that Debian's JUCE leaves out of its module sources.
function(warbloom_link_system_libs target)
    target_link_libraries(${target} PRIVATE PkgConfig::WarbloomSystemImageLibs)
endfunction()

# A static library holding a private copy of the given JUCE modules, whose headers and
# configuration are re-exported so executables can use it without compiling JUCE again.
function(warbloom_add_juce_library target)
    cmake_parse_arguments(ARG "" "" "MODULES;DEFINITIONS" ${ARGN})
    add_library(${target} STATIC)
    target_link_libraries(${target}
        PRIVATE ${ARG_MODULES}
        PUBLIC juce::juce_recommended_config_flags juce::juce_recommended_warning_flags)
    target_compile_definitions(${target} PUBLIC ${WARBLOOM_JUCE_DEFINITIONS} ${ARG_DEFINITIONS})
    target_include_directories(${target} INTERFACE $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target} INTERFACE $<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>)
    warbloom_link_system_libs(${target})
endfunction()

# Lets a test or tool use the plug-in's own code (the shared-code library of the plug-in).
function(warbloom_link_plugin_code target)
    target_link_libraries(${target} PRIVATE Warbloom)
    target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:Warbloom,INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target} PRIVATE $<TARGET_PROPERTY:Warbloom,COMPILE_DEFINITIONS>)
endfunction()
