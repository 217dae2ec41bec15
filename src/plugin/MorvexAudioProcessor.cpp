#include "plugin/MorvexAudioProcessor.h"
#include "groups/ProgramLocation.h"
#include "model/DSI_Program.h"
#include "model/ValueFormat.h"
#include "plugin/PluginChunks.h"
#include "plugin/MorvexAudioProcessorEditor.h"

#include <cmath>

// A synth: no audio input, one stereo output that stays silent.
MorvexAudioProcessor::MorvexAudioProcessor()
    : MorvexAudioProcessor (MidiDevices::standard(), SettingsFolder::folder())
{
}

MorvexAudioProcessor::MorvexAudioProcessor (std::shared_ptr<MidiDeviceSeam> devices, const juce::File& settingsFolder)
    : juce::AudioProcessor (BusesProperties().withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      engine (std::move (devices), settingsFolder)
{
    auto& table = engine.getParTable();
    for (int h = 0; h < numHostParameters; ++h)
    {
        auto parameter = std::make_unique<HostParameter> (*this, h, table.getHostId (h), table.getHostName (h));
        hostParameters.push_back (parameter.get());
        // An LV2 host starts from the defaults its bundle declares; the others read our values.
        hostKnows[(size_t) h] = wrapperType == wrapperType_LV2 ? parameter->getDefaultValue() : hostValue (h);
        addParameter (parameter.release());
    }

    engine.addCableListener (this);
    engine.addChangeListener (this);
    engine.setSoundHistory (&history);
    history.onSoundRestored = [this] { tellHostValuesChanged(); };
    engine.getInstrumentSync().onEditBufferReplaced = [this]
    {
        history.soundReplaced();
        tellHostValuesChanged();
    };

    // The standalone app's "Reset to default state" makes a new processor in the same process: the
    // initial program it starts with is the user's new choice, for the instrument too.
    static std::atomic<int> standaloneInstances { 0 };
    if (wrapperType == wrapperType_Standalone && standaloneInstances.fetch_add (1) > 0)
        engine.getInstrumentSync().editBufferReplaced (InstrumentSync::Origin::user);

    gestureOpen.assign (1200, 0);
    pendingGestureEnds.ensureStorageAllocated (256);
    clockBuffer.ensureSize (3080);
    drained.reserve (MidiCntrState::eventQueueSize);

    positionInfo = {};
    setLatencySamples (0);
}

MorvexAudioProcessor::~MorvexAudioProcessor()
{
    // Open gestures close before anything else goes, so the host is never left mid-gesture.
    for (int h = 0; h < numHostParameters; ++h)
        if (gestureOpen[(size_t) h] != 0)
        {
            gestureOpen[(size_t) h] = 0;
            hostParameters[(size_t) h]->endChangeGesture();
        }

    stopTimer();
    engine.getInstrumentSync().onEditBufferReplaced = nullptr;
    history.onSoundRestored = nullptr;
    engine.setSoundHistory (nullptr);
    engine.removeChangeListener (this);
    engine.removeCableListener (this);
}

const juce::String MorvexAudioProcessor::getName() const
{
    return "Prophet 5 Morvex";
}

//==============================================================================
void MorvexAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    engine.getInstrumentSync().inUse();
    engine.setSampleRate ((int) sampleRate);
    engine.setBlockSize (samplesPerBlock);
    setLatencySamples (0);
    clock.setEnabled (engine.isSendClockOn());

    // The LV2 wrapper is listening by now (it is not while the processor is built), and its host
    // hears them with the first block.
    if (wrapperType == wrapperType_LV2)
        tellHostValuesChanged();

    const juce::ScopedLock sl (engine.getEngineLock());
    engine.getToHostBuffer().clear();
}

void MorvexAudioProcessor::releaseResources()
{
    clock.setEnabled (engine.isSendClockOn());

    const juce::ScopedLock sl (engine.getEngineLock());
    engine.getToHostBuffer().clear();
}

bool MorvexAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // Exactly what the plug-in has; a plug-in that accepted any layout would be offered 64
    // outputs by some VST 2 hosts.
    return layouts.inputBuses.isEmpty()
        && layouts.outputBuses.size() == 1
        && layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
}

void MorvexAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages)
{
    const auto numSamples = buffer.getNumSamples();
    const auto rate = (int) getSampleRate();
    if (rate != engine.getSampleRate())
        engine.setSampleRate (rate);

    engine.setBlockSize (numSamples);

    {
        const AudioSpinLock::ScopedLockType sl (clockLock);
        if (engine.getPorts().isOutputOpen())
        {
            // "Clock ON/OFF" takes effect at once, not only when the host next prepares.
            clock.setEnabled (engine.isSendClockOn());
            clock.generate (positionInfo, clockBuffer, numSamples, rate);
            if (! clockBuffer.isEmpty())
            {
                if (engine.isSendClockOn())
                    engine.getPorts().sendBlock (clockBuffer,
                                                 juce::Time::getMillisecondCounterHiRes() + engine.currentLatencyDelay(),
                                                 (double) rate);
                clockBuffer.clear();
            }
        }
    }

    engine.handleHostMidi (midiMessages, numSamples, rate);

    // The plug-in makes no sound of its own: clear what is output only, leave inputs untouched.
    if (! buffer.hasBeenCleared())
        for (auto channel = getTotalNumInputChannels(); channel < getTotalNumOutputChannels(); ++channel)
            buffer.clear (channel, 0, numSamples);

    readPlayHead();
}

void MorvexAudioProcessor::readPlayHead()
{
    // The position read here drives the clock of the next block.
    if (auto* head = getPlayHead())
    {
        if (const auto position = head->getPosition())
        {
            MIDI_Clock::Position p;
            p.bpm = position->getBpm().orFallback (120.0);
            p.ppqPosition = position->getPpqPosition().orFallback (0.0);
            p.isPlaying = position->getIsPlaying();
            p.isRecording = position->getIsRecording();
            p.isLooping = position->getIsLooping();
            if (const auto loop = position->getLoopPoints())
            {
                p.ppqLoopStart = loop->ppqStart;
                p.ppqLoopEnd = loop->ppqEnd;
            }
            positionInfo = p;
            return;
        }
    }

    positionInfo = {};
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

const juce::String MorvexAudioProcessor::getInputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

const juce::String MorvexAudioProcessor::getOutputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

bool MorvexAudioProcessor::isInputChannelStereoPair (int) const  { return true; }
bool MorvexAudioProcessor::isOutputChannelStereoPair (int) const { return true; }
bool MorvexAudioProcessor::silenceInProducesSilenceOut() const   { return true; }

//==============================================================================
// Host parameters

int MorvexAudioProcessor::getNumParameters()
{
    return numHostParameters;
}

const juce::String MorvexAudioProcessor::getParameterName (int index)
{
    return engine.getParTable().getHostName (index);
}

int MorvexAudioProcessor::currentProgramNumber() const noexcept
{
    return ProgramLocation::programNumber (engine.getCurrentBank(), engine.getCurrentProgram());
}

float MorvexAudioProcessor::getParameter (int index)
{
    return hostValue (index);
}

const juce::String MorvexAudioProcessor::getParameterText (int index)
{
    return hostValueText (index, hostValue (index));
}

void MorvexAudioProcessor::setParameter (int index, float newValue)
{
    setHostValue (index, newValue);
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

juce::String MorvexAudioProcessor::programText (int index)
{
    const auto i = juce::jlimit (0, ProgramLocation::numPrograms - 1, index);
    return ProgramLocation::gridLocationText (i / ProgramLocation::programsPerGroup, i % ProgramLocation::programsPerGroup);
}

float MorvexAudioProcessor::hostValue (int h)
{
    if (! juce::isPositiveAndBelow (h, numHostParameters))
        return 0.0f;

    auto& table = engine.getParTable();
    const auto p = table.getParamOfHost (h);

    // A selection made before any program was chosen (-1) reads as the first program.
    const auto value = p == ParTable::programSelector ? juce::jmax (0, currentProgramNumber())
                                                      : (int) engine.getPluginBank().singleByte (p);
    // setHostParameter recognises this exact value as "unchanged": keep the two computations alike.
    return juce::jlimit (0.0f, 1.0f, (float) value / table.getMaximum (p));
}

juce::String MorvexAudioProcessor::hostValueText (int h, float value)
{
    if (! juce::isPositiveAndBelow (h, numHostParameters))
        return {};

    auto& table = engine.getParTable();
    const auto p = table.getParamOfHost (h);
    const auto maximum = table.getMaximum (p);
    const auto current = value == hostValue (h);

    if (p == ParTable::programSelector)
    {
        if (! engine.isProgramChangeAutomationOn())
            return "Disabled";
        return programText (current ? currentProgramNumber() : (int) std::nearbyint (maximum * juce::jlimit (0.0f, 1.0f, value)));
    }

    // The stored byte may lie above the panel's maximum, where 1.0 cannot tell it: it shows as it is.
    const auto shown = current ? (int) engine.getPluginBank().singleByte (p)
                               : (int) std::nearbyint (maximum * juce::jlimit (0.0f, 1.0f, value));
    return ValueFormat::formatValue (table.getDisplayFormat (p), shown);
}

float MorvexAudioProcessor::hostValueForText (int h, const juce::String& text)
{
    if (! juce::isPositiveAndBelow (h, numHostParameters))
        return 0.0f;

    const auto maximum = engine.getParTable().getMaximum (engine.getParTable().getParamOfHost (h));
    const auto trimmed = text.trim();
    if (! trimmed.containsOnly ("-0123456789.") || trimmed.isEmpty())
        return hostValue (h);
    return juce::jlimit (0.0f, 1.0f, trimmed.getFloatValue() / maximum);
}

void MorvexAudioProcessor::setHostValue (int h, float newValue)
{
    // A host's value outside 0..1 is taken as its nearest end. The host knows what it set: no
    // second read of the edit buffer on the audio thread.
    const auto value = juce::jlimit (0.0f, 1.0f, newValue);
    setHostParameter (h, value);
    if (juce::isPositiveAndBelow (h, numHostParameters))
        hostKnows[(size_t) h] = value;
}

void MorvexAudioProcessor::tellHostValuesChanged()
{
    // The framework's VST 2 wrapper turns a display update into the host reading every value
    // again; its VST3 and LV2 wrappers learn values only from per-parameter reports.
    const auto displayUpdateOnly = wrapperType == wrapperType_VST;
    bool changed = false;

    for (int h = 0; h < numHostParameters; ++h)
    {
        const auto value = hostValue (h);
        if (hostKnows[(size_t) h].exchange (value) == value)
            continue;

        changed = true;
        if (! displayUpdateOnly)
            hostParameters[(size_t) h]->sendValueChangedMessageToListeners (value);
    }

    if (displayUpdateOnly && changed)
        updateHostDisplay (ChangeDetails().withProgramChanged (true));
}

void MorvexAudioProcessor::setHostParameter (int index, float newValue)
{
    if (! juce::isPositiveAndBelow (index, numHostParameters))
        return;

    auto& table = engine.getParTable();
    const auto p = table.getParamOfHost (index);
    const auto maximum = table.getMaximum (p);

    // Halves go to the even neighbour. The instrument may report a value above the table's
    // maximum (its own programs hold 127 where the panel reaches 120): it is kept as it is.
    const auto v = juce::jlimit (0, 255, (int) std::nearbyint (maximum * newValue));

    if (p < ParTable::numNrpns)
    {
        // A byte above the maximum reads as 1.0, which would write back as the maximum: the
        // host's own value handed back (automation recorded from it, a host re-applying what it
        // read) is no edit.
        const auto stored = (int) engine.getPluginBank().singleByte (p);
        if (v != stored && newValue != juce::jlimit (0.0f, 1.0f, (float) stored / maximum))
            apply (p, v);
    }
    else if (p == ParTable::programSelector)
    {
        if (v != currentProgramNumber() && engine.isProgramChangeAutomationOn())
            apply (p, v);
    }
}

void MorvexAudioProcessor::apply (int parameter, int value)
{
    if (parameter < ParTable::numNrpns)
    {
        engine.getPluginBank().setSingleByte (parameter, (uint8_t) value);
        engine.sendParameter (parameter, value, engine.currentLatencyDelay(), engine.getSampleRate());
        engine.postEvent (StateEvent::parameterChanged (parameter, value));
        return;
    }

    // The program selector.
    engine.selectProgram (value, engine.isProgramChangeAutomationOn(), false);
}

//==============================================================================
// Gestures

void MorvexAudioProcessor::paramEdited (int instrumentParameter, int value)
{
    const auto p = instrumentParameter;
    if (p > 99 && p != ParTable::programSelector)
        return;

    auto& table = engine.getParTable();
    const auto h = table.getHostOfParam (p);
    if (h == 0 && p != ParTable::programSelector)
        return; // no host parameter stands for it

    const auto x = (float) value / table.getMaximum (p);

    auto& parameter = *hostParameters[(size_t) h];
    if (gestureOpen[(size_t) h] == 0)
    {
        gestureOpen[(size_t) h] = 1;
        parameter.beginChangeGesture();
    }

    setHostParameter (h, x);
    const auto reported = juce::jlimit (0.0f, 1.0f, x);
    hostKnows[(size_t) h] = reported;
    parameter.sendValueChangedMessageToListeners (reported);

    if (p == ParTable::programSelector)
    {
        gestureOpen[(size_t) h] = 0;
        parameter.endChangeGesture();
        return;
    }

    if (gestureOpen[(size_t) h] != 0)
    {
        pendingGestureEnds.add ((uint16_t) h);
        startTimer (gestureEndDelayMs);
    }
}

void MorvexAudioProcessor::timerCallback()
{
    for (const auto h : pendingGestureEnds)
        if (gestureOpen[h] != 0)
        {
            gestureOpen[h] = 0;
            hostParameters[h]->endChangeGesture();
        }

    pendingGestureEnds.clearQuick();
}

bool MorvexAudioProcessor::isGestureOpen (int h) const noexcept
{
    return juce::isPositiveAndBelow (h, numHostParameters) && gestureOpen[(size_t) h] != 0;
}

void MorvexAudioProcessor::flushEdits()
{
    drained.clear();
    engine.drainHostParams (drained);

    const auto now = juce::Time::getMillisecondCounterHiRes();
    for (const auto& edit : drained)
        if (edit.parameter < 1000)
        {
            // the instrument's own knobs: undoable, unlike the host's automation
            history.instrumentEdited (edit.parameter, edit.value, now);
            paramEdited (edit.parameter, edit.value);
        }
}

void MorvexAudioProcessor::changeListenerCallback (juce::ChangeBroadcaster*)
{
    flushEdits();
}

//==============================================================================
double MorvexAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool MorvexAudioProcessor::acceptsMidi() const            { return true; }
bool MorvexAudioProcessor::producesMidi() const           { return true; }

juce::AudioProcessorEditor* MorvexAudioProcessor::createEditor()
{
    engine.getInstrumentSync().inUse();
    return new MorvexAudioProcessorEditor (*this);
}

bool MorvexAudioProcessor::hasEditor() const { return true; }

//==============================================================================
// Host programs and chunks

int MorvexAudioProcessor::getNumPrograms()
{
    return numPrograms;
}

int MorvexAudioProcessor::getCurrentProgram()
{
    // Hosts ask at any time, saving among them: asking must not make a preset current.
    return juce::jmax (0, engine.getCurrentPluginProgram());
}

void MorvexAudioProcessor::setCurrentProgram (int index)
{
    // A host asking for a program that does not exist must not wipe the program being edited.
    if (! juce::isPositiveAndBelow (index, numPrograms))
        return;

    // Hosts select the project's preset again right before or after restoring it; the restored
    // edit buffer, with its unsaved edits, is what the project holds.
    auto& sync = engine.getInstrumentSync();
    if (sync.isRecallSettling() && index == getCurrentProgram())
        return;

    engine.setCurrentPluginProgram (index);
    engine.replaceEditBuffer (engine.getPluginBank().programRecord (index), InstrumentSync::Origin::user,
                              MidiCntrState::StoredSource::ofPreset (index));
    engine.postEvent (StateEvent::hostProgramChanged);
    tellHostSoon();
}

void MorvexAudioProcessor::tellHostSoon()
{
    // Hosts read the values back right after they change the program: tell them before returning.
    if (juce::MessageManager::existsAndIsCurrentThread())
        tellHostValuesChanged();
}

const juce::String MorvexAudioProcessor::getProgramName (int index)
{
    return engine.getPluginBank().programName (index);
}

void MorvexAudioProcessor::changeProgramName (int index, const juce::String& newName)
{
    auto& bank = engine.getPluginBank();
    bank.setProgramName (index, newName);

    // The program being edited takes the new name and keeps its edits.
    if (index == engine.getCurrentPluginProgram())
    {
        DSI_Program program;
        const auto record = bank.single();
        program.setRaw (record.data());
        program.setName (newName);
        // the same sound, named anew: a step to undo, and nothing for the instrument to hear
        engine.replaceEditBuffer (program.getData(), InstrumentSync::Origin::sentByCaller, MidiCntrState::StoredSource::unchanged());
        return;
    }

    engine.postEvent (StateEvent::editBufferChanged);
}

void MorvexAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    destData = PluginChunks::makeBank (engine.getPluginBank(), engine.getCurrentPluginProgram());

    // While comparing, the panel shows the stored program; the project keeps the edits.
    if (const auto edits = history.comparedEdits(); edits.has_value() && destData.getSize() >= (size_t) PluginChunks::currentPresetOffset)
        destData.copyFrom (edits->data(), PluginChunks::editBufferOffset, edits->size());
}

void MorvexAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    engine.getInstrumentSync().inUse();
    const auto recall = PluginChunks::restoreBank (data, (size_t) juce::jmax (0, sizeInBytes), engine.getPluginBank());
    if (recall.presetsRestored == 0)
        return;

    if (recall.currentPreset.has_value())
        engine.setCurrentPluginProgram (*recall.currentPreset);

    if (recall.editBuffer.has_value())
        engine.replaceEditBuffer (*recall.editBuffer, InstrumentSync::Origin::recall,
                                  recall.currentPreset.has_value() && *recall.currentPreset >= 0
                                      ? MidiCntrState::StoredSource::ofPreset (*recall.currentPreset)
                                      : MidiCntrState::StoredSource {});

    engine.postEvent (StateEvent::hostProgramChanged);
    tellHostSoon();
}

juce::Result MorvexAudioProcessor::loadPresetBank (const void* data, size_t sizeInBytes)
{
    if (! PluginChunks::restorePresetBankFile (data, sizeInBytes, engine.getPluginBank()))
        return juce::Result::fail ("Not a preset bank: the file holds " + juce::String ((int) sizeInBytes) + " bytes, a bank at least "
                                   + juce::String (PluginChunks::editBufferOffset) + ".");

    // The presets' names changed: the editor's list and the host's program menu read them again.
    engine.postEvent (StateEvent::hostProgramChanged);
    updateHostDisplay (ChangeDetails().withProgramChanged (true));
    return juce::Result::ok();
}

juce::Result MorvexAudioProcessor::loadPresetFile (const void* data, size_t sizeInBytes)
{
    if (! PluginChunks::programOf (data, sizeInBytes).has_value())
        return juce::Result::fail ("Not a preset: the file holds " + juce::String ((int) sizeInBytes) + " bytes, a preset "
                                   + juce::String (PluginChunks::programChunkSize) + ".");

    setCurrentProgramStateInformation (data, PluginChunks::programChunkSize);
    return juce::Result::ok();
}

juce::MemoryBlock MorvexAudioProcessor::presetBankFile()
{
    juce::MemoryBlock file;
    getStateInformation (file);
    return file;
}

juce::MemoryBlock MorvexAudioProcessor::presetFile()
{
    juce::MemoryBlock file;
    getCurrentProgramStateInformation (file);
    return file;
}

void MorvexAudioProcessor::getCurrentProgramStateInformation (juce::MemoryBlock& destData)
{
    if (const auto edits = history.comparedEdits())
    {
        // as for any program state: the current preset takes the sound being edited
        if (juce::isPositiveAndBelow (engine.getCurrentPluginProgram(), numPrograms))
            engine.getPluginBank().storeProgram (engine.getCurrentPluginProgram(), *edits);
        destData = PluginChunks::programChunk (*edits);
        return;
    }
    destData = PluginChunks::makeProgram (engine.getPluginBank(), engine.getCurrentPluginProgram());
}

void MorvexAudioProcessor::setCurrentProgramStateInformation (const void* data, int sizeInBytes)
{
    engine.getInstrumentSync().inUse();
    const auto record = PluginChunks::programOf (data, (size_t) juce::jmax (0, sizeInBytes));
    if (! record.has_value())
        return;

    // With no preset current, the program is the edit buffer alone: no preset is overwritten.
    const auto current = engine.getCurrentPluginProgram();
    const auto isPreset = juce::isPositiveAndBelow (current, numPrograms);
    if (isPreset)
        engine.getPluginBank().storeProgram (current, *record);

    engine.replaceEditBuffer (*record, InstrumentSync::Origin::user,
                              isPreset ? MidiCntrState::StoredSource::ofPreset (current) : MidiCntrState::StoredSource {});
    tellHostSoon();
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new MorvexAudioProcessor();
}
