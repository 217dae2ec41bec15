#pragma once

#include "ProcessorRig.h"
#include "gui/MainComp.h"
#include "plugin/MorvexAudioProcessorEditor.h"

/** An editor open on a processor that talks to the simulated instrument. */
struct EditorRig : ProcessorRig
{
    EditorRig()
    {
        const auto replaced = engine().getInstrumentSync().replacementCount();
        editor.reset (dynamic_cast<MorvexAudioProcessorEditor*> (processor->createEditor()));
        main = editor->getMainComp();
        main->chooseFromMenu = [this] (const juce::PopupMenu& menu) { return pickFrom (menu); };

        // The editor asks for the globals; the instrument's first answer has its program asked
        // for, and that comes back. All of it is over before a test starts.
        pumpUntil ([&] { return engine().getInstrumentSync().replacementCount() > replaced; });
        settle();
        pumpPending();
        events();
        instrument->clearLog();
    }

    ~EditorRig() { editor.reset(); }

    /** Records the menu's items (and which are ticked) and picks the one `pick` names (0:
        dismissed). */
    int pickFrom (const juce::PopupMenu& menu)
    {
        shownItems.clear();
        tickedItems.clear();
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            const auto& item = it.getItem();
            if (item.isSeparator)
                continue;
            shownItems.add (item.text);
            if (item.isTicked)
                tickedItems.add (item.text);
        }
        return pick;
    }

    std::unique_ptr<MorvexAudioProcessorEditor> editor;
    MainComp* main = nullptr;
    juce::StringArray shownItems, tickedItems;
    int pick = 0;
};
