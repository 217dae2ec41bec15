#pragma once

#include "midi/MidiDeviceSeam.h"

#include <atomic>
#include <memory>

/** The opened input and output ports and every way of sending through the output.

    Only the open flags decide whether anything is sent: a port that failed to open, or is being
    closed, sends nothing. Senders on the audio thread never wait for a lock: they announce
    themselves in a counter, and closing waits for them to leave before the device goes. */
class MIDI_PORTS_Control
{
public:
    static constexpr int smallSysexPiece = 256;
    static constexpr int largeSysexPiece = 6000;

    explicit MIDI_PORTS_Control (MidiDeviceSeam& devices);
    ~MIDI_PORTS_Control();

    MidiDeviceSeam& getDevices() noexcept { return devices; }

    /** Closes the current input and opens list entry `entry` (0 = none, i = device i - 1). */
    void openInput (int entry, juce::MidiInputCallback* callback);
    void openOutput (int entry);
    void closeInput();
    void closeOutput();

    bool isInputOpen() const noexcept  { return inputOpen.load(); }
    bool isOutputOpen() const noexcept { return outputOpen.load(); }
    int getInputIndex() const noexcept  { return inputIndex; }
    int getOutputIndex() const noexcept { return outputIndex; }
    int getThirdIndex() const noexcept  { return -1; }

    /** 0: long SysEx goes out in 256-byte pieces; anything else: in 6000-byte pieces. */
    void setSysexSizeChoice (int choice) noexcept { sysexSizeChoice = choice; }
    int getSysexSizeChoice() const noexcept { return sysexSizeChoice.load(); }

    // --- sending; each does nothing while the output is not open
    void sendBlock (const juce::MidiBuffer&, double millisecondCounterToStartAt, double samplesPerSecond);
    void sendNow (const juce::MidiBuffer& bufferInMilliseconds);
    void sendDelayed (const juce::MidiBuffer& bufferInSamples, double delayMs, double sampleRate);
    void sendController (int channel, int controller, int value);
    void sendNoteOn (int channel, int note, int velocity);
    void sendNoteOff (int channel, int note);
    void sendPitchWheel (int channel, int value);
    void sendProgramChange (int channel, int program);
    void sendSysEx (const void* data, size_t size);

    /** Clamps a channel into 1..16, as the wire knows no other. */
    static int wireChannel (int channel) noexcept { return juce::jlimit (1, 16, channel); }

private:
    class OutputUse;
    void sendOne (const juce::MidiMessage&);

    MidiDeviceSeam& devices;
    int inputIndex = -1, outputIndex = -1;
    std::unique_ptr<MidiInputPort> input;
    std::unique_ptr<MidiOutputPort> output;
    std::atomic<bool> inputOpen { false }, outputOpen { false };
    std::atomic<int> outputUsers { 0 };
    std::atomic<int> sysexSizeChoice { 0 };
};
