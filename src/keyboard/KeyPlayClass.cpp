#include "keyboard/KeyPlayClass.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"

KeyPlayClass::KeyPlayClass (MidiCntrState& e) : engine (e)
{
    setWantsKeyboardFocus (true);
    setMouseClickGrabsKeyboardFocus (true);
    isLetterHeld = [] (int letterIndex)
    {
        return juce::KeyPress::isKeyCurrentlyDown (MidiCntrState::noteLetters[letterIndex])
            || juce::KeyPress::isKeyCurrentlyDown (juce::CharacterFunctions::toUpperCase ((juce::juce_wchar) MidiCntrState::noteLetters[letterIndex]));
    };
    setScale (1.0f);
}

KeyPlayClass::~KeyPlayClass()
{
    stopTimer();
    engine.releaseKeyNotes();
}

void KeyPlayClass::focusLost (FocusChangeType)
{
    engine.releaseKeyNotes();
}

void KeyPlayClass::setScale (float newScale)
{
    scale = newScale;
    setBounds ((juce::Rectangle<float> ((float) baseX, (float) baseY, (float) baseWidth, (float) baseHeight) * scale)
                   .getSmallestIntegerContainer());
}

int KeyPlayClass::translateKey (const juce::KeyPress& key) noexcept
{
    const auto code = key.getKeyCode();
    const std::pair<int, int> table[] = {
        { juce::KeyPress::spaceKey, 32 }, { juce::KeyPress::escapeKey, 27 }, { juce::KeyPress::returnKey, 13 },
        { juce::KeyPress::tabKey, 9 }, { juce::KeyPress::deleteKey, 127 }, { juce::KeyPress::backspaceKey, 8 },
        { juce::KeyPress::insertKey, 5 }, { juce::KeyPress::upKey, 30 }, { juce::KeyPress::downKey, 31 },
        { juce::KeyPress::leftKey, 28 }, { juce::KeyPress::rightKey, 29 }, { juce::KeyPress::pageUpKey, 11 },
        { juce::KeyPress::pageDownKey, 12 }, { juce::KeyPress::homeKey, 1 }, { juce::KeyPress::endKey, 4 },
        { juce::KeyPress::F1Key, 200 }, { juce::KeyPress::F2Key, 201 }, { juce::KeyPress::F3Key, 202 },
        { juce::KeyPress::F4Key, 203 }, { juce::KeyPress::F5Key, 204 }, { juce::KeyPress::F6Key, 205 },
        { juce::KeyPress::F7Key, 206 }, { juce::KeyPress::F8Key, 207 }, { juce::KeyPress::F9Key, 208 },
        { juce::KeyPress::F10Key, 209 }, { juce::KeyPress::F11Key, 210 }, { juce::KeyPress::F12Key, 211 } };

    for (const auto& [juceCode, ours] : table)
        if (code == juceCode)
            return ours;
    return -1;
}

bool KeyPlayClass::deliver (int code, const juce::ModifierKeys& mods)
{
    bool taken = false;
    listeners.callLastFirst ([&] (KeyPlayListener& l)
    {
        if (! taken)
            taken = l.keyPlayed (panelCode, code, mods.isShiftDown(), mods.isAltDown(), mods.isCtrlDown() || mods.isCommandDown());
    });
    return taken;
}

bool KeyPlayClass::keyPressed (const juce::KeyPress& key)
{
    engine.clearKeyStatus();
    const auto mods = key.getModifiers();
    auto taken = false;

    if (const auto special = translateKey (key); special >= 0)
        taken = deliver (special, mods);
    else if (mods.isShiftDown() || mods.isCtrlDown() || mods.isCommandDown() || mods.isAltDown())
        taken = deliver (key.getKeyCode() & 0xFF, mods);

    // Shift+letter plays; the letter's code comes upper case, the player reads lower case. An
    // editing key nobody took plays too: Shift+Space is every note off.
    auto code = key.getKeyCode();
    if (code == juce::KeyPress::spaceKey)
        code = ' ';
    if (! taken && code >= 0 && code <= 255 && mods.isShiftDown()
        && engine.getSettings().getByte (SettingsBlock::keyPlayOffset) == 1)
        taken = engine.keyPlay (juce::CharacterFunctions::toUpperCase ((juce::juce_wchar) code) + 32);

    if (taken)
    {
        shown = engine.getKeyStatus();
        repaint();
        startTimer (statusMs);
    }
    return taken;
}

bool KeyPlayClass::keyStateChanged (bool)
{
    engine.keyRelease (isLetterHeld);
    return false;
}

void KeyPlayClass::timerCallback()
{
    stopTimer();
    shown.clear();
    repaint();
}

void KeyPlayClass::paint (juce::Graphics& g)
{
    if (shown.isEmpty())
        return;

    g.setColour (juce::Colour (0xffbdbab0));
    g.fillRoundedRectangle (getLocalBounds().toFloat(), 2.0f);
    g.setColour (juce::Colour (0xff0a0a0a));
    g.setFont (Artwork::arial (10.0f * scale));
    g.drawText (shown, getLocalBounds().reduced (4, 0), juce::Justification::centredLeft, true);
}
