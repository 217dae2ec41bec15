#include "midi/MIDI_PORTS_Control.h"

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

MIDI_PORTS_Control::MIDI_PORTS_Control (MidiDeviceSeam& d) : devices (d) {}

MIDI_PORTS_Control::~MIDI_PORTS_Control()
{
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
    // Senders that saw the port open finish first; new ones see it closed.
    outputOpen = false;
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
void MIDI_PORTS_Control::sendBlock (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond)
{
    if (OutputUse out { *this })
        out->sendBlockOfMessages (buffer, startMs, samplesPerSecond);
}

void MIDI_PORTS_Control::sendNow (const juce::MidiBuffer& buffer)
{
    sendBlock (buffer, juce::Time::getMillisecondCounter(), 1000.0);
}

void MIDI_PORTS_Control::sendDelayed (const juce::MidiBuffer& buffer, double delayMs, double sampleRate)
{
    sendBlock (buffer, delayMs + juce::Time::getMillisecondCounterHiRes(), sampleRate);
}

void MIDI_PORTS_Control::sendOne (const juce::MidiMessage& message)
{
    if (! isOutputOpen())
        return;

    juce::MidiBuffer buffer;
    buffer.addEvent (message, 0);
    sendNow (buffer);
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
        juce::MidiBuffer buffer;
        buffer.addEvent (juce::MidiMessage (bytes, (int) size), 0);
        out->sendBlockOfMessages (buffer, juce::Time::getMillisecondCounter(), 1000.0);
        return;
    }

    // The pieces go straight to the device, one after the other, with nothing timed between them.
    out->clearAllPendingMessages();
    out->stopBackgroundThread();
    for (size_t start = 0; start < size; start += piece)
        out->sendMessageNow (juce::MidiMessage (bytes + start, (int) std::min (piece, size - start)));
    out->startBackgroundThread();
}
