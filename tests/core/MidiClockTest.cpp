#include "midi/MIDI_Clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{
using Events = std::vector<std::pair<int, std::vector<uint8_t>>>;

Events eventsOf (const juce::MidiBuffer& buffer)
{
    Events out;
    for (const auto m : buffer)
        out.emplace_back (m.samplePosition, std::vector<uint8_t> (m.data, m.data + m.numBytes));
    return out;
}

/** The clock exactly as described, one sample at a time: what the real one must match. */
struct ReferenceClock
{
    bool enabled = true, wasPlaying = false, continuePending = true, stoppedAtLoopEnd = false;
    double lastPosition = -999.0, nextStart = 0.0;

    static long long roundHalfUp (double x) { return (long long) std::floor (x + 0.5); }

    void spp (Events& out, double q)
    {
        const int v = (int) std::ceil (4.0 * q);
        out.push_back ({ 0, { 0xF2, (uint8_t) (v & 0x7F), (uint8_t) ((v >> 7) & 0x7F) } });
    }

    Events generate (const MIDI_Clock::Position& pos, int n, double sr)
    {
        Events out;
        const double bps = pos.bpm / 60.0 / sr, p = pos.ppqPosition, w = sr * 0.001 * bps;
        const bool moved = p < lastPosition - w || p > lastPosition + w;

        if (! pos.isPlaying && ! pos.isRecording)
        {
            if (wasPlaying || moved) { out.push_back ({ 0, { 0xFC } }); spp (out, p); }
            lastPosition = p; continuePending = true; stoppedAtLoopEnd = false; wasPlaying = false;
            return out;
        }

        if (! wasPlaying)
        {
            nextStart = std::ceil (4.0 * p) / 4.0;
            if (moved) spp (out, nextStart);
        }
        else if (moved)
        {
            nextStart = std::ceil (4.0 * p) / 4.0;
            if (! continuePending && ! stoppedAtLoopEnd) out.push_back ({ 0, { 0xFC } });
            spp (out, p);
            continuePending = true; stoppedAtLoopEnd = false;
        }

        const long long k = std::llround (sr * 60.0 / (pos.bpm * 24.0));
        const long long s = roundHalfUp (60.0 / pos.bpm * p * sr);
        for (int i = 0; i < n; ++i)
        {
            lastPosition = p + i * bps;
            if (lastPosition >= nextStart)
            {
                if (continuePending) { out.push_back ({ i, { 0xFB } }); continuePending = false; }
                if (pos.isLooping && pos.ppqLoopEnd != pos.ppqLoopStart)
                {
                    const auto t = roundHalfUp (std::abs (pos.ppqLoopEnd - lastPosition) * 60.0 / pos.bpm * sr);
                    if (! stoppedAtLoopEnd && t <= k) { out.push_back ({ i, { 0xFC } }); stoppedAtLoopEnd = true; }
                }
            }
            if (enabled && (s + i) % k == 0)
                out.push_back ({ i, { 0xF8 } });
        }
        wasPlaying = true;
        return out;
    }
};

MIDI_Clock::Position playingAt (double ppq, double bpm = 120.0)
{
    MIDI_Clock::Position p;
    p.bpm = bpm;
    p.ppqPosition = ppq;
    p.isPlaying = true;
    return p;
}
}

TEST (MidiClock, WorkedCases)
{
    {
        // 120 bpm at 48 kHz: a tick every 1000 samples, the first of the song at sample 0.
        MIDI_Clock clock;
        juce::MidiBuffer buffer;
        clock.generate (playingAt (0.0), buffer, 2048, 48000.0);
        EXPECT_EQ (eventsOf (buffer), (Events { { 0, { 0xF2, 0, 0 } }, { 0, { 0xFB } }, { 0, { 0xF8 } }, { 1000, { 0xF8 } }, { 2000, { 0xF8 } } }));

        buffer.clear();
        clock.generate (playingAt (2048.0 / 24000.0), buffer, 2048, 48000.0);
        EXPECT_EQ (eventsOf (buffer), (Events { { 952, { 0xF8 } }, { 1952, { 0xF8 } } }));
    }
    {
        // A block starting at quarter note 1.0 (sample 24000).
        MIDI_Clock clock;
        juce::MidiBuffer buffer;
        clock.generate (playingAt (1.0), buffer, 2048, 48000.0);
        const auto events = eventsOf (buffer);
        std::vector<int> ticks;
        for (const auto& e : events)
            if (e.second == std::vector<uint8_t> { 0xF8 })
                ticks.push_back (e.first);
        EXPECT_EQ (ticks, (std::vector<int> { 0, 1000, 2000 }));
    }
    {
        // Stopped at 0, play pressed at 1.1: song position 5 sixteenths, continue at 1.25.
        MIDI_Clock clock;
        juce::MidiBuffer buffer;
        MIDI_Clock::Position stopped;
        clock.generate (stopped, buffer, 512, 48000.0);
        EXPECT_EQ (eventsOf (buffer), (Events { { 0, { 0xFC } }, { 0, { 0xF2, 0, 0 } } }));

        buffer.clear();
        clock.setEnabled (false);
        clock.generate (playingAt (1.1), buffer, 8192, 48000.0);
        EXPECT_EQ (eventsOf (buffer), (Events { { 0, { 0xF2, 5, 0 } }, { 3600, { 0xFB } } }));

        // Stopping: stop, then the position rounded up to sixteenths.
        buffer.clear();
        MIDI_Clock::Position stop;
        stop.ppqPosition = 1.1 + 8192.0 / 24000.0;
        clock.generate (stop, buffer, 512, 48000.0);
        EXPECT_EQ (eventsOf (buffer), (Events { { 0, { 0xFC } }, { 0, { 0xF2, 6, 0 } } }));
    }
    {
        // A loop from 0 to 1 quarter note: a stop one tick before the end, then after the wrap a
        // song position and continue.
        MIDI_Clock clock;
        juce::MidiBuffer buffer;
        auto position = playingAt (0.0);
        position.isLooping = true;
        position.ppqLoopStart = 0.0;
        position.ppqLoopEnd = 1.0;
        clock.setEnabled (false);
        clock.generate (position, buffer, 24000, 48000.0);
        EXPECT_EQ (eventsOf (buffer), (Events { { 0, { 0xF2, 0, 0 } }, { 0, { 0xFB } }, { 23000, { 0xFC } } }));

        buffer.clear();
        clock.generate (position, buffer, 512, 48000.0);
        EXPECT_EQ (eventsOf (buffer), (Events { { 0, { 0xF2, 0, 0 } }, { 0, { 0xFB } } }));
    }
}

TEST (MidiClock, MatchesTheSampleBySampleReadingEverywhere)
{
    std::mt19937 random (3);
    std::uniform_real_distribution<double> unit (0.0, 1.0);
    const double rates[] = { 22050, 44100, 48000, 96000, 192000 };
    const int sizes[] = { 1, 64, 256, 512, 1024, 4096 };

    for (int scenario = 0; scenario < 200; ++scenario)
    {
        MIDI_Clock clock;
        ReferenceClock reference;
        const auto rate = rates[random() % 5];
        const auto n = sizes[random() % 6];
        const auto bpm = 40.0 + unit (random) * 200.0;
        const auto enabled = random() % 4 != 0;
        clock.setEnabled (enabled);
        reference.enabled = enabled;

        MIDI_Clock::Position position;
        position.bpm = bpm;
        position.ppqPosition = unit (random) * 8.0;
        position.isLooping = random() % 2 == 0;
        position.ppqLoopStart = std::floor (unit (random) * 4.0);
        position.ppqLoopEnd = position.ppqLoopStart + 1.0 + std::floor (unit (random) * 3.0);

        for (int block = 0; block < 60; ++block)
        {
            const auto event = random() % 40;
            if (event == 0)
                position.isPlaying = ! position.isPlaying;
            else if (event == 1)
                position.ppqPosition = unit (random) * 8.0; // a jump

            juce::MidiBuffer buffer;
            clock.generate (position, buffer, n, rate);
            const auto expected = reference.generate (position, n, rate);
            ASSERT_EQ (eventsOf (buffer), expected) << "scenario " << scenario << " block " << block;

            if (position.isPlaying)
            {
                position.ppqPosition += n * bpm / 60.0 / rate;
                if (position.isLooping && position.ppqPosition >= position.ppqLoopEnd)
                    position.ppqPosition = position.ppqLoopStart + (position.ppqPosition - position.ppqLoopEnd);
            }
        }
    }
}
