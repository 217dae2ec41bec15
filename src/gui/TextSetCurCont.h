#pragma once

#include "gui/LibBut.h"
#include "gui/MenuChoice.h"
#include "gui/OwnListeners.h"
#include "gui/textSetCurListener.h"

class MidiCntrState;

/** The preset bank's SET CURRENT dialog, laid over the whole panel: the name the sound being
    edited is stored under and the preset it replaces, chosen from a menu of the 40. */
class TextSetCurCont : public juce::Component,
                       public LibButListener
{
public:
    static constexpr int okId = 1201, cancelId = 1202;

    explicit TextSetCurCont (MidiCntrState& engine);
    ~TextSetCurCont() override;

    /** Shows the dialog with the name and the target preset (0..39). */
    void open (const juce::String& name, int target);

    int getTarget() const noexcept { return target; }
    void setTarget (int index);
    juce::String getText() const { return field.getText(); }
    juce::TextEditor& getField() noexcept { return field; }
    /** The target as the box shows it: its number, four spaces and its name. */
    juce::String getTargetText() const;
    juce::Rectangle<int> getBoxBounds() const noexcept { return box; }
    LibBut& getOkButton() noexcept     { return ok; }
    LibBut& getCancelButton() noexcept { return cancel; }

    void addListener (textSetCurListener* listener)    { listeners.add (listener); }
    void removeListener (textSetCurListener* listener) { listeners.remove (listener); }

    /** When set, picks the preset menu's item instead of the user (0: dismissed). */
    MenuChoice::Chooser chooseFromMenu;

    void resized() override;
    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

    void libButClicked (LibBut* button, int id) override;
    void libButEntered (LibBut*, int) override {}
    void libButLeft (LibBut*, int) override {}

private:
    MidiCntrState& engine;
    OwnListeners<textSetCurListener> listeners;
    juce::TextEditor field;
    juce::Rectangle<int> box;
    int target = 0;
    LibBut ok { "OK", okId, 12.0f }, cancel { "CANCEL", cancelId, 12.0f };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextSetCurCont)
};
