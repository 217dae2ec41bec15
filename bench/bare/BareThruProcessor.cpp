#include "bare/BareThruProcessor.h"

#include <cmath>

BareThruProcessor::BareThruProcessor()
{
    sender = std::thread ([this]
    {
        while (running)
        {
            // Woken only from sleep, as a careful sender is: most blocks then cost no system call.
            idle = true;
            wake.wait (1);
            idle = false;
            // Taken off the queue, as a sender that hands them to the device would.
            const juce::AbstractFifo::ScopedRead read (outbound, outbound.getNumReady());
        }
    });
}

BareThruProcessor::~BareThruProcessor()
{
    running = false;
    wake.signal();
    sender.join();
}

bool BareThruProcessor::push (juce::AbstractFifo& fifo, std::array<Item, capacity>& items, const Item& item) noexcept
{
    const juce::AbstractFifo::ScopedWrite write (fifo, 1);
    if (write.blockSize1 > 0)
    {
        items[(size_t) write.startIndex1] = item;
        return true;
    }
    return false;
}

void BareThruProcessor::receive (const juce::MidiMessage& message)
{
    Item item;
    item.size = juce::jmin (4, message.getRawDataSize());
    std::copy_n (message.getRawData(), item.size, item.bytes);
    push (inbound, inboundItems, item);
}

void BareThruProcessor::queueClock (double now, int numSamples, double rate)
{
    const auto* head = getPlayHead();
    if (head == nullptr)
        return;

    const auto position = head->getPosition();
    if (! position || ! position->getIsPlaying())
        return;

    const auto bpm = position->getBpm().orFallback (120.0);
    const auto ppq = position->getPpqPosition().orFallback (0.0);
    const auto samplesPerTick = rate * 60.0 / bpm / 24.0;
    const auto firstTick = std::ceil (ppq * 24.0);

    for (auto offset = (firstTick - ppq * 24.0) * samplesPerTick; offset < numSamples; offset += samplesPerTick)
    {
        Item item;
        item.due = now + 1000.0 * offset / rate;
        item.size = 1;
        item.bytes[0] = 0xF8;
        push (outbound, outboundItems, item);
    }
}

void BareThruProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    buffer.clear();
    const auto rate = getSampleRate() > 0.0 ? getSampleRate() : 48000.0;
    const auto now = juce::Time::getMillisecondCounterHiRes();
    auto queued = false;

    if (sendClock)
    {
        queueClock (now, buffer.getNumSamples(), rate);
        queued = true;
    }

    // The block's messages claim their slots in one go.
    if (const auto n = midi.getNumEvents(); n > 0)
    {
        const juce::AbstractFifo::ScopedWrite write (outbound, n);
        auto next = midi.begin();
        const auto fill = [&] (int start, int size)
        {
            for (auto i = start; i < start + size; ++i, ++next)
            {
                const auto metadata = *next;
                auto& item = outboundItems[(size_t) i];
                item.due = now + 1000.0 * metadata.samplePosition / rate;
                item.size = juce::jmin (4, metadata.numBytes);
                std::copy_n (metadata.data, item.size, item.bytes);
            }
        };
        fill (write.startIndex1, write.blockSize1);
        fill (write.startIndex2, write.blockSize2);
        queued = queued || write.blockSize1 + write.blockSize2 > 0;
    }

    // What the input thread queued for the host, into this block.
    midi.clear();
    const auto ready = inbound.getNumReady();
    const juce::AbstractFifo::ScopedRead read (inbound, ready);
    for (auto i = read.startIndex1; i < read.startIndex1 + read.blockSize1; ++i)
        midi.addEvent (inboundItems[(size_t) i].bytes, inboundItems[(size_t) i].size, 0);
    for (auto i = read.startIndex2; i < read.startIndex2 + read.blockSize2; ++i)
        midi.addEvent (inboundItems[(size_t) i].bytes, inboundItems[(size_t) i].size, 0);

    if (queued && idle.exchange (false))
        wake.signal();
}
