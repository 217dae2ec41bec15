#pragma once

// The least a MIDI thru plug-in must do on the audio thread, as a yardstick for ours: every
// host message, stamped with when it is due, goes to a lock-free queue that a sender thread
// drains; whatever an input thread queued for the host goes into the block's MIDI. Optionally it
// also works out the MIDI clock ticks that fall into the block from the host's position and
// queues them the same way. Nothing else: no filtering, no editor, no state.
#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <thread>

class BareThruProcessor final : public juce::AudioProcessor
{
public:
    BareThruProcessor();
    ~BareThruProcessor() override;

    /** Clock ticks from the host's position, as a clock-sending plug-in must. */
    void setSendClock (bool on) noexcept { sendClock = on; }

    /** What an input thread does with a message for the host. */
    void receive (const juce::MidiMessage& message);

    /** Messages the sender thread has taken so far. */
    uint64_t sentCount() const noexcept { return sent.load(); }

    const juce::String getName() const override { return "Bare Thru"; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return true; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}

private:
    struct Item
    {
        double due = 0.0;
        int size = 0;
        int position = 0;
        juce::uint8 bytes[4] {};
    };

    static constexpr int capacity = 4096;

    static bool push (juce::AbstractFifo&, std::array<Item, capacity>&, const Item&) noexcept;
    void queueClock (double now, int numSamples, double rate);

    juce::AbstractFifo outbound { capacity }, inbound { capacity };
    std::array<Item, capacity> outboundItems, inboundItems;
    std::atomic<bool> sendClock { false }, running { true }, idle { false };
    std::atomic<uint64_t> sent { 0 };
    juce::WaitableEvent wake;
    std::thread sender;
};
