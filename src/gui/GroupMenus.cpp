#include "gui/GroupMenus.h"
#include "groups/ProgramLocation.h"
#include "midi/MidiCntrState.h"
#include "model/ValueFormat.h"

namespace
{
constexpr int numGroups = ProgramLocation::numGroups, numUser = ProgramLocation::numUserGroups;

// the file menu's own short captions, each led by a blank as the entries always read
juce::String fileCaption (int group)
{
    return (group < numUser ? " User " : " Factory ") + juce::String (group % numUser + 1);
}

constexpr int receiveAllId = 600, receiveUserId = 200, receiveFactoryId = 400;
constexpr int transmitUserId = 300, transmitFactoryId = 500;
constexpr int receiveOneBase = 1, transmitOneBase = 101;
constexpr int loadBase = 100, saveBase = 200;
}

juce::String GroupMenus::groupName (int group)
{
    return (group < numUser ? "User Group " : "Factory Group ") + juce::String (group % numUser + 1);
}

void GroupMenus::addLoadFromGroupItems (juce::PopupMenu& menu, int firstId)
{
    for (int g = 0; g < numGroups; ++g)
    {
        if (g % numUser == 0)
            menu.addSeparator();
        menu.addItem (firstId + g, "Load From " + groupName (g));
    }
}

juce::PopupMenu GroupMenus::makeFileMenu()
{
    juce::PopupMenu load, save;
    for (int g = 0; g < numGroups; ++g)
    {
        load.addItem (loadBase + g, fileCaption (g));
        save.addItem (saveBase + g, fileCaption (g));
    }

    juce::PopupMenu menu;
    menu.addSubMenu ("Load Program Group To ", load);
    menu.addSeparator();
    menu.addSubMenu ("Save Program Group ", save);
    return menu;
}

std::optional<GroupMenus::FileChoice> GroupMenus::fileFor (int id)
{
    if (id >= loadBase && id < loadBase + numGroups)
        return FileChoice { false, id - loadBase };
    if (id >= saveBase && id < saveBase + numGroups)
        return FileChoice { true, id - saveBase };
    return std::nullopt;
}

juce::PopupMenu GroupMenus::makeTransferMenu (int currentGroup)
{
    juce::PopupMenu receiveOne, transmitOne;
    for (int g = 0; g < numGroups; ++g)
    {
        receiveOne.addItem (receiveOneBase + g, groupName (g));
        transmitOne.addItem (transmitOneBase + g, groupName (g));
    }

    juce::PopupMenu menu;
    menu.addItem (receiveAllId, "Receive All Groups");
    menu.addSubMenu ("Receive Program Group ", receiveOne);
    menu.addItem (receiveUserId, "Receive User Groups");
    menu.addItem (receiveFactoryId, "Receive Factory Groups");
    menu.addSeparator();
    menu.addSubMenu ("Transmit " + groupName (currentGroup) + " to:", transmitOne);
    menu.addItem (transmitUserId, "Transmit User Groups");
    menu.addItem (transmitFactoryId, "Transmit Factory Groups");
    return menu;
}

std::optional<GroupMenus::TransferChoice> GroupMenus::transferFor (int id)
{
    switch (id)
    {
        case receiveAllId:      return TransferChoice { MidiCntrState::receiveAllGroups, 0 };
        case receiveUserId:     return TransferChoice { MidiCntrState::receiveUserGroups, 0 };
        case receiveFactoryId:  return TransferChoice { MidiCntrState::receiveFactoryGroups, numUser };
        case transmitUserId:    return TransferChoice { MidiCntrState::transmitUserGroups, 0 };
        case transmitFactoryId: return TransferChoice { MidiCntrState::transmitFactoryGroups, numUser };
        default: break;
    }
    if (id >= receiveOneBase && id < receiveOneBase + numGroups)
        return TransferChoice { MidiCntrState::receiveOneGroup, id - receiveOneBase };
    if (id >= transmitOneBase && id < transmitOneBase + numGroups)
        return TransferChoice { MidiCntrState::transmitOneGroup, id - transmitOneBase };
    return std::nullopt;
}

juce::PopupMenu GroupMenus::makePresetMenu (int currentGroup)
{
    juce::PopupMenu blocks;
    for (int n = 0; n < numUser; ++n)
        blocks.addItem (firstFactoryBlockId + n, "User Bank " + juce::String (n + 1));

    juce::PopupMenu menu;
    menu.addSubMenu ("Load Factory Presets from", blocks);
    // the factory groups keep what the factory put there
    if (currentGroup >= 0 && currentGroup < numUser)
    {
        menu.addSeparator();
        menu.addItem (initialiseGroupId, "Initialize User Program Group " + juce::String (currentGroup + 1));
    }
    return menu;
}

juce::PopupMenu GroupMenus::makeContextMenu (const juce::String& programName, const juce::String& clipboardName)
{
    juce::PopupMenu menu;
    menu.addItem (copyProgram, "Copy Program: " + programName);
    menu.addItem (pasteProgram, "Paste " + clipboardName);
    menu.addSeparator();
    menu.addItem (saveProgram, "Save " + programName);
    menu.addItem (loadProgram, "Load Program ");
    return menu;
}

juce::PopupMenu GroupMenus::makeCategoryMenu()
{
    juce::PopupMenu menu;
    for (int k = 1; k <= numCategoryItems; ++k)
        menu.addItem (k, ValueFormat::categoryName (k - 1));
    return menu;
}

std::optional<int> GroupMenus::categoryFor (int id)
{
    if (id >= 1 && id <= numCategoryItems)
        return id - 1;
    return std::nullopt;
}
