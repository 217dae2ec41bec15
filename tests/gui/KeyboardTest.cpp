#include "EditorRig.h"
#include "MouseEvents.h"
#include "keyboard/KeyBrd.h"

#include <gtest/gtest.h>

#include <set>

using MouseEvents::at;

namespace
{
/** The keyboard strip on its own, on an engine that plays the simulated instrument. */
struct StripRig : ProcessorRig
{
    StripRig()
    {
        player().addListener (&shortcuts);
        instrument->clearLog();
    }

    ~StripRig() { player().removeListener (&shortcuts); }

    KeyPlayClass& player() { return strip.getKeyPlayer(); }
    SettingsBlock& settings() { return engine().getSettings(); }

    /** The note ons and offs the instrument received: (note, velocity), velocity 0 for an off. */
    std::vector<std::pair<int, int>> notes()
    {
        settle();
        std::vector<std::pair<int, int>> out;
        for (const auto& m : instrument->messages())
        {
            const auto kind = m.bytes[0] & 0xF0;
            if (kind == 0x90)
                out.emplace_back (m.bytes[1], m.bytes[2]);
            else if (kind == 0x80)
                out.emplace_back (m.bytes[1], 0);
        }
        instrument->clearLog();
        return out;
    }

    bool shiftKey (char letter)
    {
        return player().keyPressed (juce::KeyPress (letter, juce::ModifierKeys::shiftModifier, 0));
    }

    struct Shortcuts : KeyPlayListener
    {
        bool keyPlayed (int, int key, bool, bool, bool) override
        {
            keys.push_back (key);
            return take;
        }
        std::vector<int> keys;
        bool take = false;
    };

    KeyBrd strip { engine() };
    Shortcuts shortcuts;
};

using Notes = std::vector<std::pair<int, int>>;
}

//==============================================================================
TEST (PianoKeys, AVelocityOf5OrLessFollowsThePointerDownTheKey)
{
    struct Case
    {
        int offset;
        float x, y;
        Notes expected;
    };
    // offset 0 is a white key (C2, note 24), offset 1 the black key beside it
    const Case cases[] = {
        { 0, 5.0f, 102.0f, { { 24, 63 }, { 24, 0 } } },   // (102 - 52) × 1.27
        { 1, 20.0f, 10.0f, { { 25, 12 }, { 25, 0 } } },   // 10 × 1.27
        { 0, 5.0f, 120.0f, { { 24, 86 }, { 24, 0 } } },
        { 0, 5.0f, 140.0f, { { 24, 111 }, { 24, 0 } } },
        { 0, 5.0f, 53.0f, { { 24, 5 }, { 24, 0 } } },     // at least 5
    };

    StripRig rig;
    rig.settings().setByte (SettingsBlock::keyVelocityOffset, 3);
    auto& overlay = rig.strip.getKeys().getOverlay();
    for (const auto& c : cases)
    {
        overlay.mouseDown (at (overlay, c.x, c.y));
        overlay.mouseUp (at (overlay, c.x, c.y));
        EXPECT_EQ (rig.notes(), c.expected) << c.x << "," << c.y;
    }

    // the key's own press below its end plays nothing; a velocity above 5 is played as it is
    rig.strip.getKeys().getKey (0).press (160.0f);
    EXPECT_TRUE (rig.notes().empty());
    rig.settings().setByte (SettingsBlock::keyVelocityOffset, 90);
    overlay.mouseDown (at (overlay, 5.0f, 140.0f));
    overlay.mouseUp (at (overlay, 5.0f, 140.0f));
    EXPECT_EQ (rig.notes(), (Notes { { 24, 90 }, { 24, 0 } }));
}

TEST (PianoKeys, FromBaseNote72TheKeysPastNote127AreNeitherDrawnNorPlayed)
{
    StripRig rig;
    rig.settings().setByte (SettingsBlock::keyBaseNoteOffset, 72);
    rig.strip.showBaseNote();
    auto& keys = rig.strip.getKeys();
    for (const auto offset : { 55, 56, 64 })
    {
        keys.getKey (offset).press (140.0f);
        keys.getKey (offset).release();
    }
    EXPECT_EQ (rig.notes(), (Notes { { 127, 100 }, { 127, 0 } }));

    // where the keys past G9 would be, the pad shows its bare bed, and the mouse plays nothing
    const auto picture = keys.createComponentSnapshot (keys.getLocalBounds());
    const auto brightness = [&] (int offset)
    {
        const auto centre = keys.getKey (offset).getBounds().getCentre();
        return picture.getPixelAt (centre.x, centre.y + 40).getBrightness();
    };
    EXPECT_GT (brightness (55), 0.8f) << "G9 is drawn";
    EXPECT_LT (brightness (60), 0.2f) << "C10 is not";
    EXPECT_LT (brightness (64), 0.2f);
    auto& overlay = keys.getOverlay();
    const auto beyond = keys.getKey (60).getUnitBounds().getCentre().toFloat();
    EXPECT_EQ (keys.keyAt (beyond), nullptr);
    overlay.mouseDown (at (overlay, beyond.x, beyond.y));
    overlay.mouseUp (at (overlay, beyond.x, beyond.y));
    EXPECT_TRUE (rig.notes().empty());
}

TEST (PianoKeys, ThePointerPlaysTheKeyItIsOnBlackOrWhite)
{
    // in units from the lowest key's left edge; black keys stand at 15, 44, 90, 116 and 142 of
    // each octave and are 16 wide and 100 deep
    const struct { float x, y; int offset; } cases[] = {
        { 20.0f, 50.0f, 1 },    // C#, over C
        { 28.0f, 50.0f, 1 },    // C#, over D
        { 33.0f, 50.0f, 2 },    // D, between its black neighbours
        { 20.0f, 120.0f, 0 },   // below the black keys: C
        { 28.0f, 120.0f, 2 },   //                       D
        { 58.0f, 50.0f, 3 },    // D#, over E
        { 61.0f, 50.0f, 4 },    // E
        { 105.0f, 50.0f, 6 },   // F#, over G
        { 131.0f, 99.0f, 8 },   // G#, over A, at its lower end
        { 131.0f, 100.0f, 9 },  // just below it: A
        { 157.0f, 10.0f, 10 },  // A#, over B
        { 160.0f, 10.0f, 11 },  // B
        { 203.0f, 50.0f, 13 },  // the next octave's C#, over D
        { 949.0f, 10.0f, 64 },  // the last key
        { 950.0f, 10.0f, -1 },  // past it
        { -1.0f, 10.0f, -1 },
        { 20.0f, 153.0f, -1 },  // below the keys
    };

    StripRig rig;
    auto& pad = rig.strip.getKeys();
    for (const auto& c : cases)
    {
        const auto* key = pad.keyAt ({ c.x, c.y });
        EXPECT_EQ (key != nullptr ? key->getOffset() : -1, c.offset) << c.x << "," << c.y;
    }
}

TEST (PianoKeys, GlidingReleasesEachNoteAsTheNextStartsAndLettingGoEndsTheLast)
{
    StripRig rig;
    auto& overlay = rig.strip.getKeys().getOverlay();
    const auto dragTo = [&] (float x, float y = 140.0f) { overlay.mouseDrag (MouseEvents::drag (overlay, 5.0f, 140.0f, x, y)); };

    overlay.mouseDown (at (overlay, 5.0f, 140.0f)); // C2
    EXPECT_EQ (rig.notes(), (Notes { { 24, 100 } }));
    dragTo (12.0f); // still on C
    EXPECT_TRUE (rig.notes().empty());
    dragTo (30.0f); // onto D: C goes up as D sounds
    EXPECT_EQ (rig.notes(), (Notes { { 24, 0 }, { 26, 100 } }));
    dragTo (55.0f);
    EXPECT_EQ (rig.notes(), (Notes { { 26, 0 }, { 28, 100 } }));
    dragTo (55.0f, 170.0f); // off the keys: silence until the pointer is back on one
    EXPECT_EQ (rig.notes(), (Notes { { 28, 0 } }));
    dragTo (80.0f);
    EXPECT_EQ (rig.notes(), (Notes { { 29, 100 } }));
    overlay.mouseUp (at (overlay, 80.0f, 140.0f));
    EXPECT_EQ (rig.notes(), (Notes { { 29, 0 } }));
}

//==============================================================================
TEST (ComputerKeys, ShiftLettersPlayOnceUntilTheirKeyGoesUp)
{
    StripRig rig;
    rig.settings().setByte (SettingsBlock::keyPlayOffset, 1);
    rig.settings().setByte (SettingsBlock::keyBaseNoteOffset, 60);
    std::set<int> held;
    rig.player().isLetterHeld = [&held] (int i) { return held.count (i) > 0; };

    EXPECT_TRUE (rig.shiftKey ('Z'));
    held.insert (0);
    EXPECT_FALSE (rig.shiftKey ('Z')); // already sounding
    EXPECT_EQ (rig.player().getShownText(), "Play Chn: 1 Key: C5 Vel: 100");
    EXPECT_TRUE (rig.shiftKey ('X'));
    held.insert (2);
    EXPECT_EQ (rig.notes(), (Notes { { 60, 100 }, { 62, 100 } }));

    // still held: nothing goes; both let go at once: one note off per key-state change
    rig.player().keyStateChanged (false);
    EXPECT_TRUE (rig.notes().empty());
    held.clear();
    rig.player().keyStateChanged (false);
    EXPECT_EQ (rig.notes(), (Notes { { 60, 0 } }));
    rig.player().keyStateChanged (false);
    EXPECT_EQ (rig.notes(), (Notes { { 62, 0 } }));
    rig.player().keyStateChanged (false);
    EXPECT_TRUE (rig.notes().empty());

    // the status line clears itself after 750 ms
    EXPECT_TRUE (pumpUntil ([&] { return rig.player().getShownText().isEmpty(); }, 1500));
}

TEST (ComputerKeys, VelocityAndOctaveKeysStopAtTheirLimits)
{
    struct Case
    {
        int offset, before;
        char key;
        int after;
        const char* status;
        int32_t event;
    };
    const Case cases[] = {
        { SettingsBlock::keyBaseNoteOffset, 120, 'P', 120, "Octave 8", StateEvent::keyOctaveChanged },
        { SettingsBlock::keyBaseNoteOffset, 0, 'O', 0, "Octave -2", StateEvent::keyOctaveChanged },
        { SettingsBlock::keyBaseNoteOffset, 60, 'P', 72, "Octave 4", StateEvent::keyOctaveChanged },
        { SettingsBlock::keyVelocityOffset, 4, 'U', 4, "Note Velocity: 4", StateEvent::keyVelocityChanged },
        { SettingsBlock::keyVelocityOffset, 125, 'I', 125, "Note Velocity: 125", StateEvent::keyVelocityChanged },
        { SettingsBlock::keyVelocityOffset, 100, 'U', 95, "Note Velocity: 95", StateEvent::keyVelocityChanged },
    };

    StripRig rig;
    rig.settings().setByte (SettingsBlock::keyPlayOffset, 1);
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.key << " from " << c.before);
        rig.settings().setByte (c.offset, (uint8_t) c.before);
        rig.events();
        EXPECT_TRUE (rig.shiftKey (c.key));
        EXPECT_EQ (rig.settings().getByte (c.offset), c.after);
        EXPECT_EQ (rig.player().getShownText(), c.status);
        EXPECT_EQ (rig.events(), (std::vector<int32_t> { c.event }));
    }

    // Shift+Space: every note off
    rig.shiftKey ('Z');
    rig.notes();
    EXPECT_TRUE (rig.player().keyPressed (juce::KeyPress (juce::KeyPress::spaceKey, juce::ModifierKeys::shiftModifier, 0)));
    EXPECT_EQ (rig.notes().size(), 128u);
    EXPECT_FALSE (rig.engine().isKeyNoteOn (72));
}

TEST (ComputerKeys, WithPlayOffLettersOnlyReachTheShortcutsAndSpecialKeysAreTranslated)
{
    StripRig rig;
    rig.settings().setByte (SettingsBlock::keyPlayOffset, 0);
    EXPECT_FALSE (rig.shiftKey ('Z'));
    EXPECT_TRUE (rig.notes().empty());
    EXPECT_EQ (rig.shortcuts.keys, (std::vector<int> { 'Z' }));

    // a shortcut taken by the editor is not played either
    rig.settings().setByte (SettingsBlock::keyPlayOffset, 1);
    rig.shortcuts.take = true;
    EXPECT_TRUE (rig.shiftKey ('Z'));
    EXPECT_TRUE (rig.notes().empty());

    // plain letters go nowhere; editing keys go to the shortcuts by their codes
    rig.shortcuts.keys.clear();
    rig.player().keyPressed (juce::KeyPress ('a'));
    using K = juce::KeyPress;
    for (const auto key : { K::escapeKey, K::F1Key, K::F12Key, K::upKey, K::rightKey, K::returnKey, K::homeKey, K::pageDownKey })
        rig.player().keyPressed (K (key));
    rig.player().keyPressed (K ('t', juce::ModifierKeys::ctrlModifier, 0));
    EXPECT_EQ (rig.shortcuts.keys, (std::vector<int> { 27, 200, 211, 30, 29, 13, 1, 12, 't' }));
}

//==============================================================================
TEST (KeyboardStrip, TheEditorPlacesItUnderTheEditBarAndFeedsItsIndicators)
{
    EditorRig rig;
    rig.main->toggleAbout (0);
    // wide enough for the whole strip at its own size
    rig.editor->setSize (1182, 644);
    auto& strip = rig.main->getKeyboard();
    EXPECT_EQ (strip.getBounds(), juce::Rectangle<int> (0, 24 + 344 + 100, 1182, 172));
    EXPECT_EQ (strip.getKeys().getBounds(), juce::Rectangle<int> (232, 20, 950, 152));
    EXPECT_EQ (strip.getKeyPlayer().getBounds(), juce::Rectangle<int> (400, 4, 200, 12));
    // asked again here: the rig has taken the events of the editor's own first request
    rig.engine().requestGlobals();
    EXPECT_TRUE (pumpUntil ([&] { return rig.engine().isOnline() && strip.getStatus() == "SEQUENTIAL:  PROPHET~5/10 ON-LINE"; }, 5000));

    // a narrower window scales the strip down until its keys fit
    rig.editor->setSize (788, 644);
    EXPECT_FLOAT_EQ (strip.getScale(), 788.0f / 1182.0f);
    EXPECT_EQ (strip.getHeight(), 114);
    EXPECT_EQ (strip.getKeys().getBounds(), juce::Rectangle<int> (155, 13, 633, 101));

    // the engine's events move the wheels and indicators
    rig.engine().getSettings().setByte (SettingsBlock::keyBaseNoteOffset, 84);
    rig.main->handleEvents ({ StateEvent::pitchWheel (1, 100, 5), StateEvent::controller (1, 1, 33), StateEvent::keyOctaveChanged });
    EXPECT_EQ (strip.getPitchWheel().getValue(), 100);
    EXPECT_EQ (strip.getModWheel().getValue(), 33);
    EXPECT_EQ (strip.getOctaveSelector().getShownBase(), 72);

    // the strip's pitch wheel goes to the instrument and to the host
    rig.instrument->clearLog();
    {
        const juce::ScopedLock sl (rig.engine().getEngineLock());
        rig.engine().getToHostBuffer().clear();
    }
    auto& pitch = strip.getPitchWheel();
    pitch.mouseDown (at (pitch, 10, 50));
    pitch.mouseDrag (MouseEvents::drag (pitch, 10, 50, 10, 40));
    EXPECT_EQ (rig.wire (1).front(), (Bytes { 0xE0, 0x00, 110 })); // from the 100 the instrument set: 110 × 128
    {
        const juce::ScopedLock sl (rig.engine().getEngineLock());
        EXPECT_EQ (rig.engine().getToHostBuffer().getNumEvents(), 1);
    }
    pitch.mouseUp (at (pitch, 10, 40));

    // the key player's keys are the editor's shortcuts
    strip.getKeyPlayer().keyPressed (juce::KeyPress (juce::KeyPress::F7Key));
    EXPECT_NE (rig.main->getMidiSetup(), nullptr);
    EXPECT_EQ (strip.getKeyPlayer().getPanelCode(), MainComp::frontPanel);
}

TEST (KeyboardStrip, AFreshMachineStartsAtC2AndTheCKeysCarryTheirOctaveNames)
{
    StripRig rig; // in a settings folder of its own: the engine started from the defaults
    auto& keys = rig.strip.getKeys();
    EXPECT_EQ (rig.strip.getOctaveSelector().getShownBase(), 24);
    keys.getKey (0).press (140.0f);
    keys.getKey (0).release();
    EXPECT_EQ (rig.notes(), (Notes { { 24, 100 }, { 24, 0 } }));

    // named as the computer keys' status line names the notes (note 60 is C5)
    const struct { int offset; const char* caption; } captions[] = {
        { 0, "C2" }, { 1, "" }, { 2, "" }, { 11, "" }, { 12, "C3" }, { 36, "C5" }, { 60, "C7" }, { 64, "" },
    };
    for (const auto& c : captions)
        EXPECT_EQ (keys.getKey (c.offset).getCaption(), c.caption) << c.offset;

    // another octave chosen on the selector: the names follow
    auto& octave = rig.strip.getOctaveSelector();
    const auto xOfNote = [&] (int note) { return ((float) note + 0.5f) * (float) octave.getWidth() / 128.0f; };
    octave.mouseDown (at (octave, xOfNote (50), 5.0f));
    EXPECT_EQ (rig.settings().getByte (SettingsBlock::keyBaseNoteOffset), 48);
    EXPECT_EQ (keys.getKey (0).getCaption(), "C4");
    EXPECT_EQ (keys.getKey (60).getCaption(), "C9");
}

TEST (KeyboardStrip, ItsTopLineMovesItAndALowDropPutsItBack)
{
    EditorRig rig;
    rig.main->toggleAbout (0);
    rig.editor->setSize (1182, 644);
    auto& strip = rig.main->getKeyboard();
    const auto home = strip.getY();

    // dragged 200 pixels up by its top line: it stays there, over the panel, and the place is kept
    strip.mouseDown (at (strip, 300, 8));
    strip.mouseDrag (MouseEvents::drag (strip, 300, 8, 300, 8 - 200));
    strip.mouseUp (at (strip, 300, 8 - 200));
    EXPECT_EQ (strip.getY(), home - 200);
    EXPECT_EQ (rig.engine().getSettings().getInt (SettingsBlock::keyboardXOffset + 4), home - 200);

    // dropped a little above home: back home
    strip.mouseDown (at (strip, 300, 8));
    strip.mouseDrag (MouseEvents::drag (strip, 300, 8, 300, 8 + 150));
    strip.mouseUp (at (strip, 300, 8 + 150));
    EXPECT_EQ (strip.getY(), home);

    // the velocity indicator sets byte 222 from its bar
    auto& velocity = strip.getVelocityIndicator();
    velocity.mouseDown (at (velocity, 10, 27));
    EXPECT_EQ (rig.engine().getSettings().getByte (SettingsBlock::keyVelocityOffset), 100);
    velocity.mouseDrag (MouseEvents::drag (velocity, 10, 27, 10, 200));
    EXPECT_EQ (rig.engine().getSettings().getByte (SettingsBlock::keyVelocityOffset), 0);
}

TEST (ComputerKeys, ANoteGoesOffWhereItWentOnWhateverChangedMeanwhile)
{
    StripRig rig;
    rig.settings().setByte (SettingsBlock::keyPlayOffset, 1);
    rig.settings().setByte (SettingsBlock::keyBaseNoteOffset, 60);
    std::set<int> held;
    rig.player().isLetterHeld = [&held] (int i) { return held.count (i) > 0; };

    rig.shiftKey ('Z');
    held.insert (0);
    rig.engine().setMidiChannel (5);
    rig.shiftKey ('P'); // an octave up while Z is held
    rig.notes();
    held.clear();
    rig.player().keyStateChanged (false);
    const auto offs = rig.wire (1);
    ASSERT_EQ (offs.size(), 1u);
    EXPECT_EQ (offs.front(), (Bytes { 0x80, 60, 0 })); // note 60 on channel 1, as it went on
    rig.instrument->clearLog();

    // the same for a key held with the mouse
    auto& key = rig.strip.getKeys().getKey (0);
    key.press (140.0f);
    rig.settings().setByte (SettingsBlock::keyBaseNoteOffset, 36);
    key.release();
    EXPECT_EQ (rig.notes(), (Notes { { 72, 100 }, { 72, 0 } }));
}

TEST (ComputerKeys, ClosingTheEditorOrLosingTheKeysLeavesNoNoteOn)
{
    EditorRig rig;
    rig.engine().getSettings().setByte (SettingsBlock::keyPlayOffset, 1);
    auto& strip = rig.main->getKeyboard();
    strip.getKeyPlayer().isLetterHeld = [] (int) { return true; };
    strip.getKeyPlayer().keyPressed (juce::KeyPress ('X', juce::ModifierKeys::shiftModifier, 0));
    strip.getKeys().getKey (7).press (140.0f);
    rig.instrument->waitForMessages (2, 1000);
    rig.instrument->clearLog();

    rig.editor.reset();
    std::set<Bytes> offs;
    for (const auto& m : rig.wire (2))
        offs.insert (m);
    EXPECT_EQ (offs, (std::set<Bytes> { { 0x80, 26, 0 }, { 0x80, 31, 0 } }));
    EXPECT_FALSE (rig.engine().isKeyNoteOn (26));
}

TEST (ComputerKeys, AKeyTheFocusedPlayerHandledIsNotHandledAgainByTheEditor)
{
    EditorRig rig;
    rig.main->toggleAbout (0);
    rig.editor->addToDesktop (0);
    rig.editor->setVisible (true);
    auto& player = rig.main->getKeyboard().getKeyPlayer();
    player.grabKeyboardFocus();
    ASSERT_TRUE (pumpUntil ([&] { return player.hasKeyboardFocus (false); }, 1000));

    rig.engine().getSettings().setByte (SettingsBlock::keyPlayOffset, 1);
    std::set<int> held { 0, 2 };
    player.isLetterHeld = [&held] (int i) { return held.count (i) > 0; };
    player.keyPressed (juce::KeyPress ('Z', juce::ModifierKeys::shiftModifier, 0));
    player.keyPressed (juce::KeyPress ('X', juce::ModifierKeys::shiftModifier, 0));
    rig.instrument->waitForMessages (2, 1000);
    rig.instrument->clearLog();

    // both let go: the framework hands the change to the player, then to its parents
    held.clear();
    EXPECT_FALSE (player.keyStateChanged (false));
    EXPECT_FALSE (rig.main->keyStateChanged (false));
    rig.settle();
    EXPECT_EQ (rig.instrument->messages().size(), 1u);
    rig.editor->removeFromDesktop();
}
