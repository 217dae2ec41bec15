#pragma once

#include "gui/StsResor.h"
#include "midi/MIDI_Clock.h"
#include "midi/MidiCntrState.h"
#include "midi/SoundHistory.h"
#include "plugin/AudioSpinLock.h"
#include "plugin/Cable_Listener.h"
#include "plugin/HostParameter.h"

#include <juce_audio_processors/juce_audio_processors.h>

class Envel;

/** The object the host creates. It makes no sound: its audio outputs are silent, and everything
    it does passes over MIDI, to the instrument's ports and through the host's MIDI stream. It
    carries the MIDI engine across the host boundary: the audio callback, 59 host parameters with
    their gestures, 40 host programs with the bank and program chunks, and the editor. */
class MorvexAudioProcessor : public juce::AudioProcessor,
                             public juce::ChangeListener,
                             public juce::ChangeBroadcaster,
                             private juce::Timer,
                             public Cable_Listener
{
public:
    static constexpr int numHostParameters = ParTable::numHostParameters;
    static constexpr int numPrograms = 40;
    static constexpr int gestureEndDelayMs = 200;

    MorvexAudioProcessor();
    /** For tests and tools: the engine's devices and settings folder chosen by the caller. */
    MorvexAudioProcessor (std::shared_ptr<MidiDeviceSeam> devices, const juce::File& settingsFolder);
    ~MorvexAudioProcessor() override;

    MidiCntrState& getEngine() noexcept { return engine; }
    /** The sound's undo history: it outlives every editor, and only a new instance starts one anew. */
    SoundHistory& getSoundHistory() noexcept { return history; }
    /** The images the front panel's controls share, loaded by each editor as it opens. */
    StsResor& getPanelImages() noexcept { return panelImages; }

    /** The edit bar's two envelope graphs (filter, amplifier) while an editor shows them; the
        front panel moves them as their parameters change. Null without an editor. */
    void setEnvelopeGraphs (Envel* filter, Envel* amplifier) noexcept { envelopeGraphs = { filter, amplifier }; }
    /** The graph driving panel section 12 (filter) or 3 (amplifier); null for any other. */
    Envel* getEnvelopeGraph (int section) const noexcept
    {
        return section == 12 ? envelopeGraphs[0] : section == 3 ? envelopeGraphs[1] : nullptr;
    }

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    // The channel calls and the index-based parameter calls are the framework's legacy interface,
    // which it marks deprecated. The wrappers reach the parameters through HostParameter objects
    // (stable IDs, VST 2 and VST3 numbers = the index); these calls are the operations behind them.
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    const juce::String getInputChannelName (int channelIndex) const override;
    const juce::String getOutputChannelName (int channelIndex) const override;
    bool isInputChannelStereoPair (int index) const override;
    bool isOutputChannelStereoPair (int index) const override;
    bool silenceInProducesSilenceOut() const override;

    int getNumParameters() override;
    using juce::AudioProcessor::getParameterName; // the truncating forms cut these texts
    using juce::AudioProcessor::getParameterText;
    const juce::String getParameterName (int index) override;
    float getParameter (int index) override;
    const juce::String getParameterText (int index) override;
    void setParameter (int index, float newValue) override;
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    void getCurrentProgramStateInformation (juce::MemoryBlock& destData) override;
    void setCurrentProgramStateInformation (const void* data, int sizeInBytes) override;

    /** A preset-bank file (.fxb, the bank chunk's layout): its presets replace the bank's, and
        nothing else changes, neither the sound being edited nor the current preset. A file too
        short to hold the 40 presets is refused whole, with the reason. Message thread. */
    juce::Result loadPresetBank (const void* data, size_t sizeInBytes);

    /** A preset file (.fxp, the program chunk's layout) as the current program, as the host's
        program state would be; a file too short to hold a program is refused, with the reason. */
    juce::Result loadPresetFile (const void* data, size_t sizeInBytes);

    /** The bytes of a preset-bank file (5,273) and of a preset file (156), as the host's state
        calls give them. */
    juce::MemoryBlock presetBankFile();
    juce::MemoryBlock presetFile();

    // --- Cable_Listener
    void paramEdited (int instrumentParameter, int value) override;
    void flushEdits() override;

    // --- juce::ChangeListener: the engine has edits for the host
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    /** The text shown for program selector value i: "U: 1  1  1" … "F:5  5  8". */
    static juce::String programText (int index);

    /** Whether a change gesture is open on host parameter h. */
    bool isGestureOpen (int h) const noexcept;

    // --- what the host parameter objects ask
    float hostValue (int h);
    void setHostValue (int h, float newValue);
    /** The text of host parameter h at a value; the stored value's own text at its current value. */
    juce::String hostValueText (int h, float value);
    float hostValueForText (int h, const juce::String& text);

    /** The edit buffer was replaced as a whole: the host is told every value it does not know yet
        (VST 2 hosts by a display update, which has them read every value again), without a
        gesture, so nothing is recorded as the user's. Message thread. */
    void tellHostValuesChanged();

private:
    void timerCallback() override;
    void setHostParameter (int index, float newValue);
    void apply (int parameter, int value);
    int currentProgramNumber() const noexcept;
    void readPlayHead();
    /** The host hears of a whole new edit buffer at once on the message thread; from any other
        thread, at the instrument sync's next poll. */
    void tellHostSoon();

    MIDI_Clock::Position positionInfo;
    MidiCntrState engine;
    SoundHistory history { engine };
    StsResor panelImages;
    std::array<Envel*, 2> envelopeGraphs {};
    std::vector<HostParameter*> hostParameters;             // owned by the framework's parameter tree
    std::array<std::atomic<float>, numHostParameters> hostKnows {}; // the value the host last heard or set
    std::vector<uint8_t> gestureOpen;
    juce::Array<uint16_t> pendingGestureEnds;
    MIDI_Clock clock;
    juce::MidiBuffer clockBuffer;
    AudioSpinLock clockLock;
    std::vector<MidiCntrState::HostParam> drained;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MorvexAudioProcessor)
};
