#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/** The group manager's pop-up menus and the program list's menus, as data: each builder returns
    the menu with its texts and ids, and the decoders say what a chosen id stands for, so the
    editor only routes and tests read the menus without showing them. */
class GroupMenus
{
public:
    /** "User Group 1" … "User Group 5", "Factory Group 1" … "Factory Group 5" for groups 0..9. */
    static juce::String groupName (int group);
    /** "Load From " + each group's name, ids firstId + group, the user and the factory groups each
        after a separator: the library and preset bank LOAD menus' groups. */
    static void addLoadFromGroupItems (juce::PopupMenu& menu, int firstId);

    /** Load (ids 100..109) and save (200..209) of a program-group file, one submenu each. */
    static juce::PopupMenu makeFileMenu();
    struct FileChoice
    {
        bool save = false;
        int group = 0;
    };
    static std::optional<FileChoice> fileFor (int id);

    /** Group receives and transmits; the single transmit sends the current group. */
    static juce::PopupMenu makeTransferMenu (int currentGroup);
    /** A transfer kind (MidiCntrState::TransferKind) and its group, which only the one-group
        kinds use. */
    struct TransferChoice
    {
        int kind = 0;
        int group = 0;
    };
    static std::optional<TransferChoice> transferFor (int id);

    /** A factory block into the current group (ids 100..104); a user group may also be
        initialised (99). */
    static juce::PopupMenu makePresetMenu (int currentGroup);
    static constexpr int initialiseGroupId = 99, firstFactoryBlockId = 100;

    enum ContextItem
    {
        copyProgram = 1, pasteProgram = 2, saveProgram = 3, loadProgram = 4
    };
    /** A program's right-click menu; `clipboardName` is empty while nothing was copied. */
    static juce::PopupMenu makeContextMenu (const juce::String& programName, const juce::String& clipboardName);

    /** Every category of the instrument and the unnamed ones after them: ids 1..26. */
    static juce::PopupMenu makeCategoryMenu();
    static constexpr int numCategoryItems = 26;
    /** The category an id of the category menu stands for. */
    static std::optional<int> categoryFor (int id);
};
