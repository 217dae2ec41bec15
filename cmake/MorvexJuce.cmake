# How the framework is configured and compiled for this project.
#
# Every translation unit that includes JUCE headers must see the same configuration, or classes
# change layout between objects. morvex_juce_options carries that configuration; everything links it.
#
# The framework's module code is compiled once per final binary:
#  - in the plug-in's shared code (juce_add_plugin), which holds the GUI as well;
#  - in morvex_juce_headless for the headless core tests, which thereby prove that morvex_core
#    needs no GUI module (they would not link otherwise).
# morvex_core itself holds only the project's own code, compiled against the framework's headers.

add_library(morvex_juce_options INTERFACE)
target_compile_definitions(morvex_juce_options INTERFACE
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_USE_MP3AUDIOFORMAT=0
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_VST3_EMULATE_MIDI_CC_WITH_PARAMETERS=0
    JUCE_SILENCE_XCODE_15_LINKER_WARNING=1)
# GCC 12 reports the framework's ListenerList, which parks an iterator's address in the list while
# it calls out, as a dangling pointer wherever it is inlined; the list takes it out again before
# returning.
target_compile_options(morvex_juce_options INTERFACE
    $<$<CXX_COMPILER_ID:GNU>:-Wno-dangling-pointer>)

# The modules the core uses, without their sources: headers and the definitions that go with them.
set(MORVEX_CORE_MODULES juce_core juce_events juce_data_structures juce_audio_basics juce_audio_devices)

add_library(morvex_juce_core_headers INTERFACE)
target_include_directories(morvex_juce_core_headers INTERFACE "${JUCE_MODULES_DIR}")
target_compile_definitions(morvex_juce_core_headers INTERFACE
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    $<IF:$<CONFIG:DEBUG>,DEBUG=1 _DEBUG=1,NDEBUG=1 _NDEBUG=1>
    $<$<PLATFORM_ID:Linux>:LINUX=1>)
foreach(_module IN LISTS MORVEX_CORE_MODULES)
    target_compile_definitions(morvex_juce_core_headers INTERFACE JUCE_MODULE_AVAILABLE_${_module}=1)
endforeach()
target_link_libraries(morvex_juce_core_headers INTERFACE morvex_juce_options)

# Project warnings, for the project's own code only (the framework's modules get their defaults).
add_library(morvex_warnings INTERFACE)
target_link_libraries(morvex_warnings INTERFACE juce::juce_recommended_warning_flags)

# The framework's non-GUI modules compiled on their own, for executables that do not link the
# plug-in. Linked privately, the modules' sources compile here and do not travel to consumers.
add_library(morvex_juce_headless STATIC)
target_link_libraries(morvex_juce_headless
    PRIVATE ${MORVEX_CORE_MODULES}
    PUBLIC morvex_juce_options juce::juce_recommended_config_flags)
target_compile_definitions(morvex_juce_headless INTERFACE
    $<TARGET_PROPERTY:morvex_juce_headless,COMPILE_DEFINITIONS>)
target_include_directories(morvex_juce_headless INTERFACE
    $<TARGET_PROPERTY:morvex_juce_headless,INCLUDE_DIRECTORIES>)
