#pragma once

// The least a MIDI thru plug-in must do on the audio thread, as a yardstick for ours: every
// host message, stamped with when it is due, goes to a lock-free queue that a sender thread
// drains; whatever an input thread queued for the host goes into the block's MIDI. Optionally it
// also works out the MIDI clock ticks that fall into the block from the host's position and
// queues them the same way. Nothing else: no filtering, no editor, no state.
#include "bare/BareProcessor.h"

#include <array>
#include <atomic>
#include <thread>

class BareThruProcessor final : public BareProcessor
{
public:
    BareThruProcessor();
    ~BareThruProcessor() override;

    /** Clock ticks from the host's position, as a clock-sending plug-in must. */
    void setSendClock (bool on) noexcept { sendClock = on; }

    /** What an input thread does with a message for the host. */
    void receive (const juce::MidiMessage& message);

    const juce::String getName() const override { return "Bare Thru"; }
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;

private:
    struct Item
    {
        double due = 0.0;
        int size = 0;
        juce::uint8 bytes[4] {};
    };

    static constexpr int capacity = 4096;

    static bool push (juce::AbstractFifo&, std::array<Item, capacity>&, const Item&) noexcept;
    void queueClock (double now, int numSamples, double rate);

    juce::AbstractFifo outbound { capacity }, inbound { capacity };
    std::array<Item, capacity> outboundItems, inboundItems;
    std::atomic<bool> sendClock { false }, running { true }, idle { false };
    juce::WaitableEvent wake;
    std::thread sender;
};
