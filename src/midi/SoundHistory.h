#pragma once

#include "midi/MidiCntrState.h"

#include <juce_data_structures/juce_data_structures.h>

#include <map>
#include <optional>

/** The sound's undo history, and COMPARE with the stored program.

    A step is one gesture: a knob turned or a switch pressed on the panel, an envelope graph
    dragged (all the parameters it moved), a run of moves of one knob on the instrument (a pause
    of `instrumentPauseMs` starts a new step), or the sound replaced as a whole (a program
    selected anywhere, a file, a paste, a recall, a rename). Undo and redo put the sound back on
    the panel, in the host's parameters and on the instrument: the parameters a step changed as
    NRPNs, a whole sound as an edit-buffer dump. They never touch the program groups or the
    instrument's memory. Host automation is the host's own and is never recorded.

    COMPARE swaps the edited sound for the stored one (see MidiCntrState::StoredSource) and back,
    exactly; nothing is recorded meanwhile, and any edit or replacement ends it first.

    Message thread only, but for `comparedEdits`, which a host's state call may ask from any. */
class SoundHistory : public juce::ChangeBroadcaster
{
public:
    static constexpr int maximumSteps = 500;
    static constexpr double instrumentPauseMs = 1000.0;

    explicit SoundHistory (MidiCntrState& engine);
    ~SoundHistory() override;

    // --- recording
    /** A panel gesture starts (a press on a control): what it edits until `endGesture` is one step. */
    void beginGesture (const juce::String& what);
    /** A parameter changed by the panel. Outside a gesture (a key, the wheel) it is a step of
        its own, joined with the next edit of the same parameter while they keep coming. */
    void panelEdited (int parameter, int before, int after, double nowMs);
    void endGesture();
    /** A parameter the instrument's own knob changed, told before the change is applied. */
    void instrumentEdited (int parameter, int after, double nowMs);
    /** The edit buffer was replaced as a whole, found after the fact: one step from the sound as
        it was to the sound as it is, unless the replacement was this history's own or changed
        nothing. */
    void soundReplaced();

    // --- undo and redo
    bool canUndo() const         { return steps.canUndo(); }
    bool canRedo() const         { return steps.canRedo(); }
    juce::String getUndoDescription() const { return steps.getUndoDescription(); }
    juce::String getRedoDescription() const { return steps.getRedoDescription(); }
    bool undo();
    bool redo();
    /** How many steps an undo can still take back. */
    int getNumSteps() const;

    // --- compare
    /** Whether the sound differs from the stored program (while comparing: whether the edits do). */
    bool hasEdits() const;
    bool isComparing() const noexcept { return comparing; }
    /** Switches to the stored program, or back to the edits; false when there is nothing to compare. */
    bool toggleCompare();
    /** Back to the edited sound, exactly as it was, if comparing. */
    void leaveCompare();
    /** While comparing, the edited sound (which a saved project must hold). Any thread. */
    std::optional<ProgramSysex::Record> comparedEdits() const;

    /** The sound was put back without a whole replacement the host would hear of: it should read
        the values again. */
    std::function<void()> onSoundRestored;

private:
    class ParameterStep;
    class SoundStep;
    friend class ParameterStep;
    friend class SoundStep;

    struct Change
    {
        int parameter, before, after;
    };

    enum class Source { none, panel, instrument };

    void record (juce::UndoableAction* step, const juce::String& what, bool join);
    /** One parameter's move, joined to the step before when it continues it. */
    void recordSingle (Source source, int parameter, int before, int after, double nowMs);
    void apply (const std::vector<Change>& changes, bool forward);
    void restore (const MidiCntrState::SoundState& state);
    /** The engine's own replacements so far are this history's doing. */
    void markOwnReplacement();
    juce::String describe (int parameter) const;
    juce::String describeReplacement (const MidiCntrState::SoundState& before, const MidiCntrState::SoundState& after) const;

    MidiCntrState& engine;
    juce::UndoManager steps { maximumSteps, 1 };
    MidiCntrState::SoundState settled; // the sound as the history last knew it
    uint32_t ownReplacements = 0;

    bool gestureOpen = false;
    juce::String gestureName;
    std::map<int, Change> gestureChanges;

    // The step the next edit of the same parameter, soon enough, joins instead of starting anew.
    Source joinSource = Source::none;
    int joinParameter = -1;
    double joinUntilMs = 0.0;

    bool comparing = false;
    ProgramSysex::Record edits {};
    mutable juce::SpinLock editsLock;
    std::optional<ProgramSysex::Record> editsForHost;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SoundHistory)
};
