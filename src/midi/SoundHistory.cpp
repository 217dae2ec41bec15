#include "midi/SoundHistory.h"
#include "model/DSI_Program.h"

//==============================================================================
/** Some parameters from one value to another. Recorded after the edit was made, so its first
    perform has nothing to do. */
class SoundHistory::ParameterStep final : public juce::UndoableAction
{
public:
    ParameterStep (SoundHistory& h, std::vector<Change> c, int joinable)
        : history (h), changes (std::move (c)), joinParameter (joinable) {}

    bool perform() override
    {
        if (! fresh)
            history.apply (changes, true);
        fresh = false;
        return true;
    }

    bool undo() override
    {
        history.apply (changes, false);
        return true;
    }

    int getSizeInUnits() override { return 1; }

    juce::UndoableAction* createCoalescedAction (juce::UndoableAction* next) override
    {
        auto* later = dynamic_cast<ParameterStep*> (next);
        if (later == nullptr || joinParameter < 0 || later->joinParameter != joinParameter
            || changes.size() != 1 || later->changes.size() != 1)
            return nullptr;

        auto* joined = new ParameterStep (history, { { joinParameter, changes[0].before, later->changes[0].after } }, joinParameter);
        joined->fresh = false;
        return joined;
    }

private:
    SoundHistory& history;
    const std::vector<Change> changes;
    const int joinParameter; // -1: never joined with a later step
    bool fresh = true;
};

/** The whole sound, from one state to another. */
class SoundHistory::SoundStep final : public juce::UndoableAction
{
public:
    SoundStep (SoundHistory& h, const MidiCntrState::SoundState& b, const MidiCntrState::SoundState& a)
        : history (h), before (b), after (a) {}

    bool perform() override
    {
        if (! fresh)
            history.restore (after);
        fresh = false;
        return true;
    }

    bool undo() override
    {
        history.restore (before);
        return true;
    }

    int getSizeInUnits() override { return 1; }

private:
    SoundHistory& history;
    const MidiCntrState::SoundState before, after;
    bool fresh = true;
};

//==============================================================================
SoundHistory::SoundHistory (MidiCntrState& e)
    : engine (e), settled (e.getSoundState()),
      ownReplacements (e.getInstrumentSync().replacementCount())
{
}

SoundHistory::~SoundHistory()
{
    // The steps refer to this history: they go first.
    steps.clearUndoHistory();
}

//==============================================================================
// Recording

void SoundHistory::record (juce::UndoableAction* step, const juce::String& what, bool join)
{
    if (! join)
        steps.beginNewTransaction (what);
    steps.perform (step);
    sendChangeMessage();
}

void SoundHistory::beginGesture (const juce::String& what)
{
    leaveCompare();
    endGesture();
    gestureOpen = true;
    gestureName = what;
    gestureChanges.clear();
}

void SoundHistory::panelEdited (int parameter, int before, int after, double nowMs)
{
    if (gestureOpen)
    {
        // the first value the gesture found, and the last it left
        const auto [entry, added] = gestureChanges.try_emplace (parameter, Change { parameter, before, after });
        entry->second.after = after;
        return;
    }

    recordSingle (Source::panel, parameter, before, after, nowMs);
}

void SoundHistory::recordSingle (Source source, int parameter, int before, int after, double nowMs)
{
    if (before == after)
        return;

    // the same parameter from the same side, while the moves keep coming, is the same step
    const auto join = joinSource == source && joinParameter == parameter && nowMs < joinUntilMs;
    record (new ParameterStep (*this, { { parameter, before, after } }, parameter), describe (parameter), join);
    settled.record[(size_t) parameter] = (uint8_t) after;
    joinSource = source;
    joinParameter = parameter;
    joinUntilMs = nowMs + instrumentPauseMs;
}

void SoundHistory::endGesture()
{
    if (! gestureOpen)
        return;
    gestureOpen = false;

    std::vector<Change> changes;
    for (const auto& [parameter, change] : gestureChanges)
        if (change.before != change.after)
            changes.push_back (change);
    gestureChanges.clear();
    if (changes.empty())
        return;

    for (const auto& c : changes)
        settled.record[(size_t) c.parameter] = (uint8_t) c.after;
    joinSource = Source::none;
    record (new ParameterStep (*this, std::move (changes), -1), gestureName, false);
}

void SoundHistory::instrumentEdited (int parameter, int after, double nowMs)
{
    if (! juce::isPositiveAndBelow (parameter, ParTable::numNrpns))
        return;

    // a knob turned on the instrument while comparing edits the user's sound, not the stored one
    leaveCompare();
    recordSingle (Source::instrument, parameter, engine.getPluginBank().singleByte (parameter), after, nowMs);
}

void SoundHistory::soundReplaced()
{
    const auto count = engine.getInstrumentSync().replacementCount();
    if (count == ownReplacements)
        return;
    ownReplacements = count;

    if (comparing)
    {
        // another sound took the place of the compared one: the edits are what it replaced
        comparing = false;
        const juce::SpinLock::ScopedLockType sl (editsLock);
        editsForHost.reset();
    }

    const auto now = engine.getSoundState();
    const auto before = settled;
    settled = now;
    if (now.record == before.record && now.bank == before.bank && now.program == before.program)
    {
        sendChangeMessage();
        return;
    }

    joinSource = Source::none;
    record (new SoundStep (*this, before, now), describeReplacement (before, now), false);
}

//==============================================================================
// Undo and redo

bool SoundHistory::undo()
{
    leaveCompare();
    endGesture();
    joinSource = Source::none;
    const auto done = steps.undo();
    sendChangeMessage();
    return done;
}

bool SoundHistory::redo()
{
    leaveCompare();
    endGesture();
    joinSource = Source::none;
    const auto done = steps.redo();
    sendChangeMessage();
    return done;
}

int SoundHistory::getNumSteps() const
{
    return steps.getUndoDescriptions().size();
}

void SoundHistory::apply (const std::vector<Change>& changes, bool forward)
{
    for (const auto& c : changes)
    {
        const auto value = forward ? c.after : c.before;
        engine.restoreParameter (c.parameter, value);
        settled.record[(size_t) c.parameter] = (uint8_t) value;
    }
    if (onSoundRestored != nullptr)
        onSoundRestored();
}

void SoundHistory::restore (const MidiCntrState::SoundState& state)
{
    engine.restoreSoundState (state);
    markOwnReplacement();
    settled = state;
    if (onSoundRestored != nullptr)
        onSoundRestored();
}

void SoundHistory::markOwnReplacement()
{
    ownReplacements = engine.getInstrumentSync().replacementCount();
}

//==============================================================================
// Compare

bool SoundHistory::hasEdits() const
{
    return comparing || engine.getEditBuffer() != engine.getStoredProgram();
}

bool SoundHistory::toggleCompare()
{
    if (comparing)
    {
        leaveCompare();
        return true;
    }

    if (! hasEdits())
        return false;

    endGesture();
    edits = engine.getEditBuffer();
    {
        const juce::SpinLock::ScopedLockType sl (editsLock);
        editsForHost = edits;
    }
    comparing = true;
    // the edits are the sound the history knows, whatever the host automated meanwhile
    settled = engine.getSoundState();
    engine.showSound (engine.getStoredProgram());
    markOwnReplacement();
    if (onSoundRestored != nullptr)
        onSoundRestored();
    sendChangeMessage();
    return true;
}

void SoundHistory::leaveCompare()
{
    if (! comparing)
        return;

    comparing = false;
    engine.showSound (edits);
    markOwnReplacement();
    {
        const juce::SpinLock::ScopedLockType sl (editsLock);
        editsForHost.reset();
    }
    if (onSoundRestored != nullptr)
        onSoundRestored();
    sendChangeMessage();
}

std::optional<ProgramSysex::Record> SoundHistory::comparedEdits() const
{
    const juce::SpinLock::ScopedLockType sl (editsLock);
    return editsForHost;
}

//==============================================================================
juce::String SoundHistory::describe (int parameter) const
{
    return engine.getParTable().getName (parameter);
}

juce::String SoundHistory::describeReplacement (const MidiCntrState::SoundState& before, const MidiCntrState::SoundState& after) const
{
    const auto isLabel = [] (size_t i)
    {
        return (i >= (size_t) DSI_Program::nameOffset && i < (size_t) (DSI_Program::nameOffset + DSI_Program::nameLength))
            || i == (size_t) DSI_Program::categoryOffset;
    };

    bool labelOnly = before.bank == after.bank && before.program == after.program;
    for (size_t i = 0; i < after.record.size() && labelOnly; ++i)
        labelOnly = isLabel (i) || before.record[i] == after.record[i];
    if (labelOnly)
        return "Rename";

    if (engine.getInstrumentSync().latestOrigin() == InstrumentSync::Origin::recall)
        return "Project Recall";

    const auto selected = after.source.kind == MidiCntrState::StoredSource::slot || after.source.kind == MidiCntrState::StoredSource::preset;
    return selected ? "Program Select" : "Program Change";
}
