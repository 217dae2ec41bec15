#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** Turns the host's transport into MIDI clock for the instrument, block by block: timing clock
    (24 per quarter note) while playing, stop and song position when the transport stops or jumps,
    continue at the next sixteenth note when it plays on, and a stop just before a loop wraps.

    Runs on the audio thread; allocates nothing once the buffer it fills has room. */
class MIDI_Clock
{
public:
    struct Position
    {
        double bpm = 120.0;
        double ppqPosition = 0.0;
        bool isPlaying = false, isRecording = false, isLooping = false;
        double ppqLoopStart = 0.0, ppqLoopEnd = 0.0;
    };

    MIDI_Clock();

    /** Adds this block's messages to `buffer`, at sample positions within the block. */
    void generate (const Position& position, juce::MidiBuffer& buffer, int numSamples, double sampleRate);

    void setEnabled (bool shouldSendTimingClock) noexcept { enabled = shouldSendTimingClock; }
    bool isEnabled() const noexcept { return enabled; }
    double getLastPosition() const noexcept { return lastPosition; }

private:
    void addSongPosition (juce::MidiBuffer& buffer, double quarterNotes) const;

    bool enabled = true;
    bool wasPlaying = false;
    double lastPosition = -999.0;
    double tolerance = 0.001;
    double nextStart = 0.0;
    long long nextSongSample = 0; // the song's sample count where the last block played ended
    bool stopAfterLoop = true;
    bool continuePending = true;
    bool stoppedAtLoopEnd = false;

    const juce::MidiMessage timingClock, continueMessage, stopMessage;
};
