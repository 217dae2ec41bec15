# Writes the VST 2 interface headers that JUCE includes (pluginterfaces/vst2.x/aeffect.h and
# aeffectx.h) into the build tree, generated from Debian's fst-dev, and points JUCE at them.
#
# fst.h declares two structs differently from the original interface, and JUCE's hosting code
# relies on the original layout:
#  - the speaker arrangement ends in an open array, but JUCE's holder for it assumes the fixed
#    array of 8 speakers (with the open array, hosting overflows the heap in queryBusIO);
#  - the pin properties end at shortLabel, without the 48 reserved bytes that make the original
#    struct 128 bytes long, which a host writing the full struct would overrun.
#  - the pin property flags are "unknown" to FST and defined as 0, so a host built on the original
#    interface would see every pin inactive and mono; the copy gives them the original values
#    (active 1, stereo 2, use-speaker 4).
# FST marks the opcodes it has not identified as deprecated; JUCE uses several of them, so the
# shim turns that notice off rather than flood every build with warnings.
# The copy fixes all three, so the plug-in and the host tests see one and the same interface.

set(MORVEX_FST_HEADER "/usr/include/pluginterfaces/fst/fst.h" CACHE FILEPATH "fst.h from fst-dev")
if(NOT EXISTS "${MORVEX_FST_HEADER}")
    message(FATAL_ERROR "fst.h not found at ${MORVEX_FST_HEADER}: run scripts/install-deps (package fst-dev)")
endif()

set(MORVEX_VST2_SDK_DIR "${CMAKE_BINARY_DIR}/vst2sdk")
set(_shim_dir "${MORVEX_VST2_SDK_DIR}/pluginterfaces/vst2.x")

file(READ "${MORVEX_FST_HEADER}" _fst)

function(_morvex_fst_patch content_var from to)
    string(FIND "${${content_var}}" "${from}" _at)
    if(_at EQUAL -1)
        message(FATAL_ERROR "fst.h has changed: cannot find '${from}' to patch it")
    endif()
    string(REPLACE "${from}" "${to}" _patched "${${content_var}}")
    set(${content_var} "${_patched}" PARENT_SCOPE)
endfunction()

# Its notes to its own authors ("#warning document origin of ...") are no concern of ours.
string(REGEX REPLACE "\n# *warning [^\n]*" "" _fst "${_fst}")

_morvex_fst_patch(_fst
    "t_fstSpeakerProperties speakers[];"
    "t_fstSpeakerProperties speakers[8];")
_morvex_fst_patch(_fst
    "  char shortLabel[8];\n} FST_UNKNOWN(t_fstPinProperties);"
    "  char shortLabel[8];\n  char future[48];\n} FST_UNKNOWN(t_fstPinProperties);")
_morvex_fst_patch(_fst "FST_FLAG_UNKNOWN(PinIsActive)," "kVstPinIsActive = 1,")
_morvex_fst_patch(_fst "FST_FLAG_UNKNOWN(PinUseSpeaker)," "kVstPinUseSpeaker = 4,")
_morvex_fst_patch(_fst "FST_FLAG_UNKNOWN(PinIsStereo)," "kVstPinIsStereo = 2,")

# Written through a scratch file so an unchanged header keeps its time stamp and a re-configure
# does not rebuild everything that includes it.
function(_morvex_write_if_changed path content)
    file(WRITE "${path}.tmp" "${content}")
    configure_file("${path}.tmp" "${path}" COPYONLY)
    file(REMOVE "${path}.tmp")
endfunction()

_morvex_write_if_changed("${_shim_dir}/fst.h" "${_fst}")
foreach(_name aeffect aeffectx)
    _morvex_write_if_changed("${_shim_dir}/${_name}.h"
        "#pragma once\n#ifndef FST2VST\n #define FST2VST 1\n#endif\n#ifndef FST_DONT_DEPRECATE_UNKNOWN\n #define FST_DONT_DEPRECATE_UNKNOWN 1\n#endif\n#include \"fst.h\"\n")
endforeach()

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${MORVEX_FST_HEADER}")
