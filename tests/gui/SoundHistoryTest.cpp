#include "EditorRig.h"
#include "MouseEvents.h"
#include "gui/EditBar.h"
#include "gui/EditorPanel.h"
#include "gui/EditSurface.h"
#include "gui/EnvPanel.h"
#include "gui/Envel.h"
#include "plugin/PluginChunks.h"

#include <gtest/gtest.h>

using namespace MouseEvents;

namespace
{
constexpr int cutoff = 17;

struct HistoryRig : EditorRig
{
    // The instrument's edit buffer, which the rig asked for, is a step of its own, which the
    // history hears of at the sync's next poll: taken now, and the tests count from here. The
    // rig took the events the editor would have seen: it is shown the sound as it now is.
    HistoryRig()
    {
        history().soundReplaced();
        main->handleEvents ({ StateEvent::editBufferChanged });
        pumpPending();
        baseSteps = history().getNumSteps();
    }

    SoundHistory& history() { return processor->getSoundHistory(); }
    int steps() { return history().getNumSteps() - baseSteps; }
    EditSurface& surface() { return main->getEditorPanel().getSurface(); }
    StsCont& control (int p) { return *surface().getControl (p); }
    int value (int p) { return engine().getPluginBank().singleByte (p); }

    /** The first push switch of the panel. */
    StsCont& aSwitch()
    {
        for (auto* c : surface().getControls())
            if (c->getKind() == ParTable::pushSwitch)
                return *c;
        throw std::runtime_error ("no push switch on the panel");
    }

    void dragKnob (int p, int pixelsUp, juce::ModifierKeys mods = left)
    {
        auto& c = control (p);
        c.mouseDown (at (c, 30, 30, mods));
        c.mouseDrag (drag (c, 30, 30, 30, 30.0f - (float) pixelsUp, mods));
        c.mouseUp (at (c, 30, 30.0f - (float) pixelsUp, mods));
    }

    /** Waits until the instrument plays `record`'s bytes for these parameters. */
    bool instrumentHas (const ProgramSysex::Record& record, const std::vector<int>& parameters)
    {
        return pumpUntil ([&]
        {
            const auto playing = instrument->getEditBuffer();
            for (auto p : parameters)
                if (playing[(size_t) p] != record[(size_t) p])
                    return false;
            return true;
        });
    }

    /** The edit-buffer dumps the instrument heard since its log was cleared. */
    std::vector<Bytes> dumpsHeard()
    {
        std::vector<Bytes> dumps;
        for (const auto& m : heard (*this))
            if (m.size() == (size_t) ProgramSysex::editBufferDumpSize && m[3] == ProgramSysex::editBufferDumpCommand)
                dumps.push_back (m);
        return dumps;
    }

    /** Waits until the history has seen the edit buffer replaced (it learns of it at the next poll). */
    bool stepsReach (int count) { return pumpUntil ([&] { return steps() >= count; }); }

    int baseSteps = 0;
};

ProgramSysex::Record recordOfDump (const Bytes& dump)
{
    DSI_Program program;
    program.unpack (dump.data() + ProgramSysex::editBufferDumpPayload, (size_t) ProgramSysex::packedSize);
    return program.getData();
}
}

TEST (SoundHistory, EachPanelGestureIsOneStepWhoseUndoAndRedoTheInstrumentHearsAsNrpns)
{
    const struct
    {
        const char* what;
        std::function<void (HistoryRig&)> gesture;
        std::vector<int> parameters;
    } cases[] = {
        { "a knob drag", [] (HistoryRig& r) { r.dragKnob (cutoff, 30); }, { cutoff } },
        { "a fine knob drag with Shift", [] (HistoryRig& r) { r.dragKnob (cutoff, 60, left.withFlags (juce::ModifierKeys::shiftModifier)); }, { cutoff } },
        { "a switch press", [] (HistoryRig& r)
          {
              auto& s = r.aSwitch();
              s.mouseDown (at (s, 5, 5));
              s.mouseUp (at (s, 5, 5));
          }, {} },
        { "wheel notches in a row", [] (HistoryRig& r)
          {
              for (int i = 0; i < 3; ++i)
                  r.control (cutoff).mouseWheelMove (at (r.control (cutoff), 30, 30), wheel (1));
          }, { cutoff } },
        { "an envelope graph drag", [] (HistoryRig& r)
          {
              auto& graph = r.main->getEditBar().getEnvPanel().getFilterGraph();
              const auto onSustain = (graph.getCorners()[2] + graph.getCorners()[3]) * 0.5f;
              graph.mouseDown (at (graph, onSustain.x, onSustain.y));
              graph.mouseDrag (drag (graph, onSustain.x, onSustain.y, onSustain.x + 6.0f, onSustain.y - 6.0f));
              graph.mouseUp (at (graph, onSustain.x + 6.0f, onSustain.y - 6.0f));
              pumpUntil ([&] { return graph.getState() == Envel::released; }, 1000);
          }, { 45, 47 } },
    };

    for (const auto& c : cases)
    {
        HistoryRig rig;
        auto parameters = c.parameters;
        if (parameters.empty())
            parameters.push_back (rig.aSwitch().getParameter());

        const auto before = rig.engine().getEditBuffer();
        c.gesture (rig);
        const auto after = rig.engine().getEditBuffer();
        for (auto p : parameters)
            EXPECT_NE (after[(size_t) p], before[(size_t) p]) << c.what << ": parameter " << p << " did not move";
        ASSERT_EQ (rig.steps(), 1) << c.what;
        ASSERT_TRUE (rig.instrumentHas (after, parameters)) << c.what;

        rig.instrument->clearLog();
        ASSERT_TRUE (rig.history().undo()) << c.what;
        EXPECT_EQ (rig.engine().getEditBuffer(), before) << c.what;
        for (auto p : parameters)
            EXPECT_EQ (rig.control (p).getValue(), before[(size_t) p]) << c.what;
        EXPECT_TRUE (rig.instrumentHas (before, parameters)) << c.what;
        EXPECT_TRUE (rig.dumpsHeard().empty()) << c.what << ": a few parameters go as NRPNs, not as a dump";

        rig.instrument->clearLog();
        ASSERT_TRUE (rig.history().redo()) << c.what;
        EXPECT_EQ (rig.engine().getEditBuffer(), after) << c.what;
        EXPECT_TRUE (rig.instrumentHas (after, parameters)) << c.what;
        EXPECT_EQ (rig.steps(), 1) << c.what;
    }
}

TEST (SoundHistory, InstrumentKnobMovesAreOneStepUntilTheyPause)
{
    HistoryRig rig;
    const auto original = rig.value (cutoff);

    // a burst from the instrument's own knob
    for (const auto v : { 50, 60, 70 })
        rig.instrument->turnKnob (cutoff, v);
    ASSERT_TRUE (pumpUntil ([&] { return rig.value (cutoff) == 70; }));
    EXPECT_EQ (rig.steps(), 1);
    EXPECT_EQ (rig.history().getUndoDescription(), rig.engine().getParTable().getName (cutoff));

    rig.history().undo();
    EXPECT_EQ (rig.value (cutoff), original);
    EXPECT_TRUE (pumpUntil ([&] { return rig.instrument->getEditBuffer()[cutoff] == original; }));

    // moves a second apart are two steps; another knob in between starts a step of its own
    auto& history = rig.history();
    const auto move = [&] (int p, int v, double at)
    {
        history.instrumentEdited (p, v, at);
        rig.engine().getPluginBank().setSingleByte (p, (uint8_t) v);
    };
    const auto steps = rig.steps();
    move (cutoff, 80, 10000.0);
    move (cutoff, 85, 10000.0 + 0.5 * SoundHistory::instrumentPauseMs);
    EXPECT_EQ (rig.steps(), steps + 1);
    move (cutoff, 90, 10000.0 + 2.0 * SoundHistory::instrumentPauseMs);
    EXPECT_EQ (rig.steps(), steps + 2);
    move (cutoff + 1, 9, 10000.0 + 2.1 * SoundHistory::instrumentPauseMs);
    move (cutoff, 95, 10000.0 + 2.2 * SoundHistory::instrumentPauseMs);
    EXPECT_EQ (rig.steps(), steps + 4);

    // each undo takes back its own run
    history.undo();
    history.undo();
    EXPECT_EQ (rig.value (cutoff), 90);
    history.undo();
    EXPECT_EQ (rig.value (cutoff), 85);
}

TEST (SoundHistory, UndoingAProgramSelectBringsTheEditsBackAsADumpAndLeavesTheGroupsAlone)
{
    HistoryRig rig;
    rig.dragKnob (cutoff, 30);
    const auto edited = rig.engine().getEditBuffer();
    const auto bank = rig.engine().getCurrentBank(), program = rig.engine().getCurrentProgram();

    std::vector<std::vector<uint8_t>> groups;
    for (int g = 0; g < MidiCntrState::numInstrumentBanks; ++g)
        groups.push_back (rig.engine().getInstrumentBank (g).getGroupData());

    // another program chosen, as the group manager or the finder choose it
    rig.engine().selectProgram (47, true, true);
    ASSERT_TRUE (rig.stepsReach (2));
    EXPECT_NE (rig.engine().getEditBuffer(), edited);
    EXPECT_EQ (rig.history().getUndoDescription(), "Program Select");
    rig.settle();
    rig.instrument->clearLog();

    rig.main->undo();
    EXPECT_EQ (rig.engine().getEditBuffer(), edited);
    EXPECT_EQ (rig.control (cutoff).getValue(), edited[cutoff]);
    EXPECT_EQ (rig.engine().getCurrentBank(), bank);
    EXPECT_EQ (rig.engine().getCurrentProgram(), program);

    const auto dumps = rig.dumpsHeard();
    ASSERT_EQ (dumps.size(), 1u);
    EXPECT_EQ (recordOfDump (dumps[0]), edited);
    for (const auto& m : heard (rig))
        EXPECT_NE (m[0] & 0xF0, 0xC0) << "an undo selects no program on the instrument";

    for (int g = 0; g < MidiCntrState::numInstrumentBanks; ++g)
        EXPECT_EQ (rig.engine().getInstrumentBank (g).getGroupData(), groups[(size_t) g]) << "group " << g;

    // the undo of a whole sound is no step of its own
    rig.history().soundReplaced(); // what the sync's next poll does
    EXPECT_EQ (rig.steps(), 1);
    EXPECT_EQ (rig.history().getRedoDescription(), "Program Select");
}

TEST (SoundHistory, HostAutomationIsNotRecorded)
{
    HistoryRig rig;
    auto& parameter = *rig.processor->getParameters()[rig.engine().getParTable().getHostOfParam (cutoff)];
    parameter.setValueNotifyingHost (0.25f);
    parameter.setValueNotifyingHost (0.75f);
    pumpPending();
    EXPECT_EQ (rig.value (cutoff), 90);
    EXPECT_EQ (rig.steps(), 0);
    EXPECT_FALSE (rig.history().canUndo());
}

TEST (SoundHistory, TheHistoryOutlivesTheEditor)
{
    HistoryRig rig;
    const auto original = rig.value (cutoff);
    rig.dragKnob (cutoff, 30);
    const auto edited = rig.value (cutoff);

    rig.editor.reset();
    rig.editor.reset (dynamic_cast<MorvexAudioProcessorEditor*> (rig.processor->createEditor()));
    rig.main = rig.editor->getMainComp();
    rig.main->chooseFromMenu = [&rig] (const juce::PopupMenu& menu) { return rig.pickFrom (menu); };

    rig.main->showEditMenu();
    EXPECT_EQ (rig.shownItems[0], "Undo " + rig.engine().getParTable().getName (cutoff));
    // Ctrl+Z undoes; Ctrl+Shift+Z and Ctrl+Y redo
    rig.main->keyPlayed (MainComp::frontPanel, 'z', false, false, true);
    EXPECT_EQ (rig.control (cutoff).getValue(), original);
    rig.main->keyPlayed (MainComp::frontPanel, 'Z', true, false, true);
    EXPECT_EQ (rig.control (cutoff).getValue(), edited);
    rig.main->keyPlayed (MainComp::frontPanel, 'z', false, false, true);
    rig.main->keyPlayed (MainComp::frontPanel, 'y', false, false, true);
    EXPECT_EQ (rig.control (cutoff).getValue(), edited);
}

TEST (SoundHistory, CompareSwapsTheStoredAndTheEditedSoundExactly)
{
    HistoryRig rig;
    auto& compare = rig.main->getEditBar().getCompareButton();
    const auto stored = rig.engine().getEditBuffer();
    EXPECT_FALSE (compare.isEnabled()) << "nothing to compare before an edit";

    rig.dragKnob (cutoff, 30);
    rig.dragKnob (cutoff + 1, 12);
    const auto edited = rig.engine().getEditBuffer();
    ASSERT_NE (edited, stored);
    pumpPending();
    EXPECT_TRUE (compare.isEnabled());
    rig.settle();
    rig.instrument->clearLog();
    const auto steps = rig.steps();

    rig.main->toggleCompare();
    EXPECT_TRUE (rig.history().isComparing());
    EXPECT_TRUE (compare.isLatched());
    EXPECT_EQ (rig.engine().getEditBuffer(), stored);
    EXPECT_EQ (rig.control (cutoff).getValue(), stored[cutoff]);
    EXPECT_EQ (rig.hostText ("FILTER CUTOFF"), juce::String (stored[cutoff]));

    // a project saved meanwhile keeps the edits
    juce::MemoryBlock state;
    rig.processor->getStateInformation (state);
    EXPECT_EQ (0, std::memcmp (static_cast<const uint8_t*> (state.getData()) + PluginChunks::editBufferOffset, edited.data(), edited.size()));

    rig.main->toggleCompare();
    EXPECT_FALSE (rig.history().isComparing());
    EXPECT_FALSE (compare.isLatched());
    EXPECT_EQ (rig.engine().getEditBuffer(), edited);

    const auto dumps = rig.dumpsHeard();
    ASSERT_EQ (dumps.size(), 2u);
    EXPECT_EQ (recordOfDump (dumps[0]), stored);
    EXPECT_EQ (recordOfDump (dumps[1]), edited);

    pumpPending();
    EXPECT_EQ (rig.steps(), steps) << "comparing records nothing";
}

TEST (SoundHistory, TouchingAControlWhileComparingGoesBackToTheEdits)
{
    HistoryRig rig;
    rig.dragKnob (cutoff, 30);
    const auto edited = rig.engine().getEditBuffer();
    rig.main->toggleCompare();
    ASSERT_TRUE (rig.history().isComparing());

    auto& knob = rig.control (cutoff + 1);
    knob.mouseDown (at (knob, 30, 30));
    knob.mouseUp (at (knob, 30, 30));
    EXPECT_FALSE (rig.history().isComparing());
    EXPECT_EQ (rig.engine().getEditBuffer(), edited);
    EXPECT_EQ (rig.steps(), 1);

    // a knob turned on the instrument while comparing edits the user's sound too
    rig.main->toggleCompare();
    rig.instrument->turnKnob (cutoff + 1, 33);
    ASSERT_TRUE (pumpUntil ([&] { return rig.value (cutoff + 1) == 33; }));
    EXPECT_FALSE (rig.history().isComparing());
    EXPECT_EQ (rig.value (cutoff), edited[cutoff]);
}

TEST (SoundHistory, AFreshPlugInHasNothingToCompareAndNoMarks)
{
    // no instrument answers: the panel shows the program the plug-in starts with
    ProcessorRig rig (false);
    std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
    auto& main = *dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp();
    pumpPending();
    EXPECT_FALSE (main.getEditBar().getCompareButton().isEnabled());
    for (auto* control : main.getEditorPanel().getSurface().getControls())
        EXPECT_FALSE (control->isEdited()) << control->getParameter();
}

TEST (SoundHistory, TheMarksFollowAnEditItsUndoAndADoubleClick)
{
    HistoryRig rig;
    auto& knob = rig.control (cutoff);
    EXPECT_FALSE (knob.isEdited());

    rig.dragKnob (cutoff, 30);
    EXPECT_TRUE (knob.isEdited());
    EXPECT_FALSE (rig.control (cutoff + 1).isEdited());
    EXPECT_EQ (knob.getTooltip(), rig.engine().getParTable().getName (cutoff) + ": " + knob.getDisplayText());

    rig.main->undo();
    pumpPending();
    EXPECT_FALSE (knob.isEdited());

    rig.main->redo();
    pumpPending();
    EXPECT_TRUE (knob.isEdited());

    // sending the sound to the instrument leaves it an edit of the same program
    rig.main->sendCurrentProgram();
    rig.main->handleEvents (rig.events());
    EXPECT_TRUE (knob.isEdited());

    // a double click puts the stored value back, as a step of its own
    const auto stored = rig.engine().getStoredProgram()[cutoff];
    knob.mouseDoubleClick (at (knob, 30, 30));
    EXPECT_EQ (knob.getValue(), stored);
    EXPECT_FALSE (knob.isEdited());
    EXPECT_EQ (rig.steps(), 2);
}
