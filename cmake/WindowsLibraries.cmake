# What the framework needs on Windows beyond the mingw sysroot. Debian's JUCE is patched to use the
# system's zlib, libjpeg and libpng rather than its own copies; for Windows the last two are built
# by scripts/windows-deps into MORVEX_WINDOWS_DEPS, whose juce-include folder also holds the small
# jpeglib.h wrapper the framework's MinGW code needs.
#
# The binaries are linked fully static, so a host needs nothing beside them but Windows' own DLLs,
# and stripped in release builds: hosts need no symbols, and users download half the size.

set(MORVEX_WINDOWS_DEPS "" CACHE PATH "Where scripts/windows-deps installed libjpeg and libpng for mingw")
if(NOT EXISTS "${MORVEX_WINDOWS_DEPS}/lib/libpng16.a" OR NOT EXISTS "${MORVEX_WINDOWS_DEPS}/lib/libjpeg.a")
    message(FATAL_ERROR "libpng/libjpeg for mingw not found in '${MORVEX_WINDOWS_DEPS}': run scripts/windows-deps")
endif()

add_library(morvex_windows_libraries INTERFACE)
target_include_directories(morvex_windows_libraries SYSTEM INTERFACE
    "${MORVEX_WINDOWS_DEPS}/juce-include"
    "${MORVEX_WINDOWS_DEPS}/include")
target_link_libraries(morvex_windows_libraries INTERFACE
    "${MORVEX_WINDOWS_DEPS}/lib/libpng16.a"
    "${MORVEX_WINDOWS_DEPS}/lib/libjpeg.a"
    z)

add_library(morvex_windows_static INTERFACE)
target_link_options(morvex_windows_static INTERFACE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
