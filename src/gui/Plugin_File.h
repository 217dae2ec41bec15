#pragma once

#include "gui/LibListView.h"
#include "gui/OwnListeners.h"
#include "gui/PlugFileListener.h"

class MidiCntrState;

/** The preset bank's list: the 40 presets in bank order, read from the engine's preset bank at
    every paint, so a changed preset shows without telling the list. A click is told as (65, 0);
    a right-click then asks for the category menu (88) on the category column or the preset's
    menu (90) elsewhere. */
class Plugin_File : public LibListView
{
public:
    static constexpr int numPresets = 40;
    static constexpr int selectEvent = 65, categoryMenuEvent = 88, contextMenuEvent = 90;

    explicit Plugin_File (MidiCntrState& engine);

    /** Selects preset r and tells the listeners, without scrolling; r outside the bank does
        nothing. */
    void selectByKey (int r);
    /** Selects preset r and tells nobody: for following the current preset. */
    void selectQuietly (int r) { selectRow (r); }

    void addListener (PlugFileListener* listener)    { listeners.add (listener); }
    void removeListener (PlugFileListener* listener) { listeners.remove (listener); }

protected:
    RowText rowText (int record) const override;
    void rowPressed (bool rightButton, int column) override;
    void doubleClicked() override;

private:
    void tell (int event);

    MidiCntrState& engine;
    OwnListeners<PlugFileListener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Plugin_File)
};
