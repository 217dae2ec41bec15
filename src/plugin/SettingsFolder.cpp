#include "plugin/SettingsFolder.h"

namespace SettingsFolder
{
juce::File folder()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile (folderName);
}
}
