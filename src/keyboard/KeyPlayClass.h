#pragma once

#include "gui/OwnListeners.h"
#include "keyboard/KeyPlayListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

class MidiCntrState;

/** Where the computer's keys arrive while it has the keyboard focus. Editing keys (Escape,
    arrows, F1..F12 and the like) and keys with a modifier go to the listeners as shortcuts; with
    computer-key play on, Shift+letters play notes on the instrument. What a key did shows for
    750 ms. */
class KeyPlayClass : public juce::Component,
                     private juce::Timer
{
public:
    static constexpr int baseX = 400, baseY = 4, baseWidth = 200, baseHeight = 12;
    static constexpr int statusMs = 750;

    explicit KeyPlayClass (MidiCntrState& engine);
    /** Switches off the notes its keys left on. */
    ~KeyPlayClass() override;

    void addListener (KeyPlayListener* listener)    { listeners.add (listener); }
    void removeListener (KeyPlayListener* listener) { listeners.remove (listener); }

    /** Which panel has the keys (0 the front panel); handed to the listeners with every key. */
    void setPanelCode (int code) noexcept { panelCode = code; }
    int getPanelCode() const noexcept { return panelCode; }

    /** The code a special key stands for (Escape 27, arrows 28..31, F1..F12 200..211, …), or -1. */
    static int translateKey (const juce::KeyPress& key) noexcept;

    /** Whether a note letter (by its place in the engine's noteLetters) is held down; the
        keyboard's own state unless a test sets another. */
    std::function<bool (int letterIndex)> isLetterHeld;

    const juce::String& getShownText() const noexcept { return shown; }
    void setScale (float scale);

    bool keyPressed (const juce::KeyPress& key) override;
    bool keyStateChanged (bool isKeyDown) override;
    /** Keys that go up elsewhere are never heard: their notes go off now. */
    void focusLost (FocusChangeType) override;
    void paint (juce::Graphics&) override;

private:
    void timerCallback() override;
    bool deliver (int code, const juce::ModifierKeys& mods);

    MidiCntrState& engine;
    OwnListeners<KeyPlayListener> listeners;
    int panelCode = 0;
    juce::String shown;
    float scale = 1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyPlayClass)
};
