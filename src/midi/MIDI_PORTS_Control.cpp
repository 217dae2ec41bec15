#include "midi/MIDI_PORTS_Control.h"

#include <chrono>
#include <thread>

/** A sender's claim on the output: while it is held, the device is not taken away. */
class MIDI_PORTS_Control::OutputUse
{
public:
    explicit OutputUse (MIDI_PORTS_Control& p) : ports (p)
    {
        ++ports.outputUsers;
        usable = ports.outputOpen.load();
    }

    ~OutputUse() { --ports.outputUsers; }

    explicit operator bool() const noexcept { return usable; }
    MidiOutputPort* operator->() const noexcept { return ports.output.get(); }

private:
    MIDI_PORTS_Control& ports;
    bool usable = false;
};

MIDI_PORTS_Control::MIDI_PORTS_Control (MidiDeviceSeam& d)
    : juce::Thread ("MIDI output sender"), devices (d)
{
    longMessages.reserve (256);
    pending.reserve (8192);
    startThread (juce::Thread::Priority::high);
}

MIDI_PORTS_Control::~MIDI_PORTS_Control()
{
    signalThreadShouldExit();
    wake.signal();
    // The framework's stopThread looks again only every 2 ms, and a host scanning its plug-ins
    // makes and closes an instance many times over: watch for the sender's end more closely.
    const auto end = juce::Time::getMillisecondCounterHiRes() + 2000.0;
    while (isThreadRunning() && juce::Time::getMillisecondCounterHiRes() < end)
        std::this_thread::sleep_for (std::chrono::microseconds (50));
    stopThread (2000);

    closeOutput();
    closeInput();
}

void MIDI_PORTS_Control::closeInput()
{
    inputOpen = false;
    if (input != nullptr)
    {
        input->stop();
        input.reset();
    }
}

void MIDI_PORTS_Control::closeOutput()
{
    // Senders that saw the port open finish first; new ones see it closed. What was still waiting
    // for its time was meant for this device and goes with it.
    outputOpen = false;
    dropPending();
    while (outputUsers.load() > 0)
        juce::Thread::yield();

    if (output != nullptr)
    {
        output->stopBackgroundThread();
        output.reset();
    }
}

void MIDI_PORTS_Control::openInput (int entry, juce::MidiInputCallback* callback)
{
    closeInput();
    inputIndex = -1;

    if (entry < 1)
        return;

    inputIndex = entry - 1;
    input = devices.openInput (inputIndex, callback);
    if (input != nullptr)
    {
        input->start();
        inputOpen = true;
    }
}

void MIDI_PORTS_Control::openOutput (int entry)
{
    closeOutput();
    outputIndex = -1;

    if (entry < 1)
        return;

    outputIndex = entry - 1;
    output = devices.openOutput (outputIndex);
    if (output != nullptr)
    {
        output->startBackgroundThread();
        outputOpen = true;
    }
}

//==============================================================================
void MIDI_PORTS_Control::enqueue (const uint8_t* data, int size, double due)
{
    if (size <= 0)
        return;

    const auto order = nextOrder++;

    if (size <= (int) sizeof (ShortMessage::bytes))
    {
        ShortMessage m;
        m.due = due;
        m.order = order;
        m.size = (uint8_t) size;
        std::copy_n (data, size, m.bytes);

        // A full queue means thousands of messages the device has not yet taken: this one is
        // dropped rather than make the sender (often the audio thread) wait or allocate.
        if (! shortMessages.push (m))
        {
            droppedMessages.fetch_add (1, std::memory_order_relaxed);
            settle (1);
        }
        return;
    }

    const juce::ScopedLock sl (longMessagesLock);
    longMessages.push_back ({ due, order, juce::MidiMessage (data, size) });
}

double MIDI_PORTS_Control::sendBlock (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond, double notBeforeMs)
{
    Block block (*this, startMs, samplesPerSecond, notBeforeMs);
    for (const auto metadata : buffer)
        block.add (metadata.data, metadata.numBytes, metadata.samplePosition);
    return block.finish();
}

MIDI_PORTS_Control::Block::Block (MIDI_PORTS_Control& p, double start, double samplesPerSecond, double notBeforeMs) noexcept
    : ports (p),
      open (p.isOutputOpen() && samplesPerSecond > 0.0),
      startMs (start),
      msPerSample (samplesPerSecond > 0.0 ? 1000.0 / samplesPerSecond : 0.0),
      last (notBeforeMs)
{
    batch.startMs = startMs;
    batch.msPerSample = msPerSample;
    batch.notBeforeMs = notBeforeMs;
}

bool MIDI_PORTS_Control::Block::add (const uint8_t* data, int size, int samplePosition) noexcept
{
    if (! open || size <= 0)
        return true;

    Batch::Entry entry { samplePosition, (uint8_t) size, {} };

    if (size <= (int) sizeof (Batch::Entry::bytes))
    {
        std::copy_n (data, size, entry.bytes);
    }
    else
    {
        // A longer message waits in its own lane, and the batch holds its place: the sender takes
        // it from there when it reaches the place, so the block keeps its order.
        LongMessage m;
        const auto ticket = ports.nextLongTicket++;
        m.ticket = ticket;
        m.size = (uint16_t) size;
        if (size <= realtimeSysexReserve)
            std::copy_n (data, size, m.bytes);
        if (size > realtimeSysexReserve || ! ports.realtimeLongMessages.push (m))
        {
            ports.droppedMessages.fetch_add (1, std::memory_order_relaxed);
            return false;
        }
        entry.size = 0;
        entry.bytes[0] = (uint8_t) (ticket & 0xFF);
        entry.bytes[1] = (uint8_t) ((ticket >> 8) & 0xFF);
        entry.bytes[2] = (uint8_t) ((ticket >> 16) & 0xFF);
    }

    last = std::max (last, startMs + samplePosition * msPerSample);
    any = true;
    if (batch.count == batchSize)
        flush();
    batch.entries[batch.count++] = entry;
    return true;
}

void MIDI_PORTS_Control::Block::flush() noexcept
{
    if (batch.count == 0)
        return;

    batch.firstOrder = ports.nextOrder.fetch_add ((uint64_t) batch.count);
    if (! ports.batches.push (batch))
    {
        ports.droppedMessages.fetch_add ((size_t) batch.count, std::memory_order_relaxed);
        ports.settle ((uint64_t) batch.count);
    }

    batch.count = 0;
    batch.notBeforeMs = last;
}

double MIDI_PORTS_Control::Block::finish() noexcept
{
    flush();
    if (any)
        ports.wakeSender();
    any = false;
    return last;
}

void MIDI_PORTS_Control::wakeSender()
{
    // Only a sender asleep with nothing to do needs waking; a busy one looks again within a
    // millisecond. Most sends thereby cost no system call.
    if (senderIdle.exchange (false))
        wake.signal();
}

void MIDI_PORTS_Control::sendNow (const juce::MidiBuffer& buffer)
{
    sendBlock (buffer, juce::Time::getMillisecondCounterHiRes(), 1000.0);
}

size_t MIDI_PORTS_Control::takeQueued()
{
    const auto earlier = [] (const Timed& a, const Timed& b) { return a.due < b.due || (a.due == b.due && a.order < b.order); };
    const auto place = [&] (Timed&& t) { pending.insert (std::upper_bound (pending.begin(), pending.end(), t, earlier), std::move (t)); };
    size_t taken = 0;

    ShortMessage m;
    while (! threadShouldExit() && shortMessages.pop (m))
    {
        place ({ m.due, m.order, juce::MidiMessage (m.bytes, m.size) });
        ++taken;
    }

    Batch b;
    LongMessage l;
    while (! threadShouldExit() && batches.pop (b))
    {
        auto due = b.notBeforeMs;
        for (int i = 0; i < b.count; ++i)
        {
            const auto& entry = b.entries[i];
            due = std::max (due, b.startMs + entry.position * b.msPerSample);
            const auto order = b.firstOrder + (uint64_t) i;

            if (entry.size > 0)
            {
                place ({ due, order, juce::MidiMessage (entry.bytes, entry.size) });
                continue;
            }

            // The lane holds the long messages in the order they were added; one that comes
            // before this place's belonged to a batch that never reached the queue.
            const auto ticket = (uint32_t) entry.bytes[0] | ((uint32_t) entry.bytes[1] << 8) | ((uint32_t) entry.bytes[2] << 16);
            auto found = false;
            while (! found && realtimeLongMessages.pop (l))
                if ((l.ticket & 0xFFFFFF) == ticket)
                {
                    place ({ due, order, juce::MidiMessage (l.bytes, l.size) });
                    found = true;
                }
            if (! found)
                settle (1);
        }
        taken += (size_t) b.count;
    }

    const juce::ScopedLock sl (longMessagesLock);
    for (auto& t : longMessages)
        place (std::move (t));
    taken += longMessages.size();
    longMessages.clear();
    return taken;
}

void MIDI_PORTS_Control::run()
{
    while (! threadShouldExit())
    {
        takeQueued();

        const auto dropped = dropBefore.load();
        const auto kept = std::remove_if (pending.begin(), pending.end(), [dropped] (const Timed& t) { return t.order < dropped; });
        settle ((uint64_t) std::distance (kept, pending.end()));
        pending.erase (kept, pending.end());

        const auto now = juce::Time::getMillisecondCounterHiRes();
        size_t due = 0;
        while (due < pending.size() && pending[due].due <= now)
            ++due;

        if (due > 0)
        {
            const juce::ScopedLock sl (deliveryLock);
            if (OutputUse out { *this })
                for (size_t i = 0; i < due; ++i)
                    if (pending[i].order >= dropBefore.load())
                        out->sendMessageNow (pending[i].message);

            pending.erase (pending.begin(), pending.begin() + (std::ptrdiff_t) due);
            settle (due);
        }

        if (pending.empty())
        {
            // Going to sleep: say so first, then look once more, so a message sent in between
            // is not left waiting for the next tick.
            senderIdle = true;
            if (takeQueued() > 0)
            {
                senderIdle = false;
                continue;
            }

            wake.wait (20);
            senderIdle = false;
            continue;
        }

        const auto wait = pending.front().due - juce::Time::getMillisecondCounterHiRes();
        if (wait >= 1.0)
            wake.wait (1);
        else if (wait > 0.0)
            juce::Thread::yield();
    }
}

bool MIDI_PORTS_Control::waitUntilDrained (int timeoutMs) const
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) juce::jmax (0, timeoutMs);
    while (settled.load (std::memory_order_acquire) < nextOrder.load())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return false;
        juce::Thread::sleep (1);
    }
    return true;
}

void MIDI_PORTS_Control::sendDelayed (const juce::MidiBuffer& buffer, double delayMs, double sampleRate)
{
    sendBlock (buffer, delayMs + juce::Time::getMillisecondCounterHiRes(), sampleRate);
}

void MIDI_PORTS_Control::sendOne (const juce::MidiMessage& message)
{
    if (! isOutputOpen())
        return;

    enqueue (message.getRawData(), message.getRawDataSize(), juce::Time::getMillisecondCounterHiRes());
    wakeSender();
}

void MIDI_PORTS_Control::sendController (int channel, int controller, int value)
{
    if (channel <= 16)
        sendOne (juce::MidiMessage::controllerEvent (wireChannel (channel), controller & 0x7F, value & 0x7F));
}

void MIDI_PORTS_Control::sendNoteOn (int channel, int note, int velocity)
{
    if (note < 128 && note >= 0 && channel <= 16)
        sendOne (juce::MidiMessage::noteOn (wireChannel (channel), note, (juce::uint8) juce::jlimit (0, 127, velocity)));
}

void MIDI_PORTS_Control::sendNoteOff (int channel, int note)
{
    sendOne (juce::MidiMessage::noteOff (wireChannel (channel), note & 0x7F, (juce::uint8) 0));
}

void MIDI_PORTS_Control::sendPitchWheel (int channel, int value)
{
    sendOne (juce::MidiMessage::pitchWheel (wireChannel (channel), value & 0x3FFF));
}

void MIDI_PORTS_Control::sendProgramChange (int channel, int program)
{
    if (program < 128 && program >= 0)
        sendOne (juce::MidiMessage::programChange (wireChannel (channel), program));
}

void MIDI_PORTS_Control::sendSysEx (const void* data, size_t size)
{
    if (data == nullptr || size == 0)
        return;

    OutputUse out { *this };
    if (! out)
        return;

    const auto piece = (size_t) (sysexSizeChoice.load() == 0 ? smallSysexPiece : largeSysexPiece);
    const auto* bytes = static_cast<const uint8_t*> (data);

    if (size <= piece)
    {
        enqueue (bytes, (int) size, juce::Time::getMillisecondCounterHiRes());
        wakeSender();
        return;
    }

    // The pieces go straight to the device, one after the other, with nothing timed between
    // them: what was waiting is dropped, as the device's own queue would be.
    dropPending();
    const juce::ScopedLock sl (deliveryLock);
    out->clearAllPendingMessages();
    out->stopBackgroundThread();
    for (size_t start = 0; start < size; start += piece)
        out->sendMessageNow (juce::MidiMessage (bytes + start, (int) std::min (piece, size - start)));
    out->startBackgroundThread();
}
