#include "groups/ProgramLocation.h"

namespace ProgramLocation
{
juce::String locationText (int group, int index)
{
    const auto groupText = group < numUserGroups ? "User: Gr " + juce::String (group + 1)
                                                 : "Factory: Gr " + juce::String (group - 4);
    return groupText + " Bn " + juce::String (bankOf (index)) + " Prg " + juce::String (programInBankOf (index));
}

juce::String gridLocationText (int group, int index)
{
    const auto groupText = group < numUserGroups ? "U: " + juce::String (group + 1)
                                                 : "F:" + juce::String (group - 4);
    return groupText + "  " + juce::String (bankOf (index)) + "  " + juce::String (programInBankOf (index));
}
}
