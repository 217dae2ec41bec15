#pragma once

#include <juce_core/juce_core.h>

/** Where the machine-wide files live: the user's application-data folder, sub-folder
    "PluginSettings". Every instance on the machine shares them. */
namespace SettingsFolder
{
constexpr const char* folderName = "PluginSettings";
constexpr const char* settingsFileName = "p5plugst.dat";
constexpr const char* groupsFileName = "Ph5_data.dat";
constexpr const char* portsFileName = "prophet5plports.dat";
constexpr const char* libraryFileName = "default_Lib..p5_l"; // two dots, as it has always been named

juce::File folder();
}
