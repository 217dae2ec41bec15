// The MIDI clock fed whatever a host's transport may say, block after block: tempos and
// positions that are no numbers, infinite, zero, negative or huge; loops; odd sample rates and
// block sizes. A host that plays on moves the position by the block it just played, as a real
// one does. Whatever comes, the clock sends only its own messages, within the block, in an order
// the instrument can follow, and never more ticks than the tempo asks for.
#include "FuzzInput.h"
#include "midi/MIDI_Clock.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace
{
[[noreturn]] void fail (const char* what, int block)
{
    std::fprintf (stderr, "MIDI clock: %s (block %d)\n", what, block);
    std::abort();
}

/** A number as a host might give it: kept, ordinary, any bit pattern, or one of the edges. */
double number (FuzzInput& in, double previous, double scale)
{
    static const double edges[] = { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(), 0.0, -0.0,
                                    std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                                    std::numeric_limits<double>::denorm_min(), 1.0e-300, -1.0, 1.0e300, 1.0e15, -1.0e6 };

    switch (in.byte() % 5)
    {
        case 0: return previous;
        case 1: return in.u16() * scale;
        case 2: return (int16_t) in.u16() * scale; // negative too: a pre-roll
        case 3: return in.f64();
        default: return edges[in.byte() % (sizeof (edges) / sizeof (edges[0]))];
    }
}

double sampleRateFrom (FuzzInput& in, double previous)
{
    static const double rates[] = { 44100.0, 48000.0, 88200.0, 96000.0, 192000.0, 22050.0, 8000.0, 11025.5,
                                    1.0, 0.0, -48000.0, 1.0e9 };
    switch (in.byte() % 4)
    {
        case 0: return previous;
        case 1: return rates[in.byte() % (sizeof (rates) / sizeof (rates[0]))];
        case 2: return in.u16() * 4.0;
        default: return in.f64();
    }
}

/** The ticks' spacing in samples for a tempo and rate, when it is a whole count the clock could
    be using; 0 otherwise. */
long long tickSpacing (double bpm, double sampleRate)
{
    const auto k = sampleRate * 60.0 / (bpm * 24.0);
    return std::isfinite (k) && k >= 0.5 && k < 1.0e15 ? std::llround (k) : 0;
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    FuzzInput in (data, size);
    MIDI_Clock clock;
    MIDI_Clock::Position position;
    double sampleRate = 48000.0;
    int numSamples = 512;
    juce::MidiBuffer buffer;

    // Across blocks: whether a continue came since the last stop, and, while the host plays on
    // at one tempo, where the last tick fell (in samples since the run of such blocks began).
    bool continuedSinceStop = false;
    bool contiguous = false;
    long long runStart = 0, lastTick = -1;

    // At a tick per sample the buffer's inserts are quadratic in a block's length: the messages
    // an input may make are bounded, so such a run stays a matter of milliseconds.
    int messages = 0;
    for (int block = 0; ! in.empty() && block < 64 && messages < 16384; ++block)
    {
        const auto flags = in.byte();
        const auto before = position;
        const auto rateBefore = sampleRate;
        const auto samplesBefore = numSamples;

        position.isPlaying = (flags & 1) != 0;
        position.isRecording = (flags & 2) != 0;
        position.isLooping = (flags & 4) != 0;
        clock.setEnabled ((flags & 8) == 0);

        // Bit 4: the host plays on from where the last block ended (wrapping at the loop end);
        // otherwise the position is whatever comes.
        const auto playsOn = (flags & 16) != 0 && (before.isPlaying || before.isRecording);
        auto wrapped = false;
        if (playsOn)
        {
            position.ppqPosition += samplesBefore * before.bpm / 60.0 / rateBefore;
            wrapped = position.isLooping && position.ppqPosition >= position.ppqLoopEnd && position.ppqLoopEnd > position.ppqLoopStart;
            if (wrapped)
                position.ppqPosition = position.ppqLoopStart + (position.ppqPosition - position.ppqLoopEnd);
        }
        else
        {
            position.ppqPosition = number (in, position.ppqPosition, 1.0 / 64.0);
        }

        if ((flags & 32) != 0)
            position.bpm = number (in, position.bpm, 1.0 / 16.0);
        if ((flags & 64) != 0)
        {
            position.ppqLoopStart = number (in, position.ppqLoopStart, 1.0 / 4.0);
            position.ppqLoopEnd = number (in, position.ppqLoopEnd, 1.0 / 4.0);
        }
        if ((flags & 128) != 0)
        {
            sampleRate = sampleRateFrom (in, sampleRate);
            // Up to the longest blocks hosts use, 0 and negative too.
            numSamples = (int) (in.u16() % 4112) - 16;
        }

        buffer.clear();
        clock.generate (position, buffer, numSamples, sampleRate);

        const auto playing = position.isPlaying || position.isRecording;
        const auto k = tickSpacing (position.bpm, sampleRate);
        // Far out in the song a sample count loses its last digit to rounding: no step is promised there.
        const auto exact = std::abs (position.ppqPosition * 60.0 / position.bpm * sampleRate) < 1.0e12;
        const auto sameRun = contiguous && playsOn && ! wrapped && exact && position.bpm == before.bpm && sampleRate == rateBefore;
        if (! sameRun)
        {
            runStart = 0;
            lastTick = -1;
        }

        int songPositions = 0, continues = 0, stops = 0, index = 0;
        int previousTick = -1;
        for (const auto m : buffer)
        {
            const auto* bytes = m.data;
            const auto at = m.samplePosition;
            if (numSamples <= 0 || at < 0 || at >= numSamples)
                fail ("a message outside the block", block);

            switch (bytes[0])
            {
                case 0xF8:
                {
                    if (m.numBytes != 1 || ! playing || (flags & 8) != 0)
                        fail ("a tick while stopped or switched off", block);
                    // One tick per sample at most, evenly spaced at the tempo's spacing, and
                    // across blocks of one run no tick left out.
                    if (k == 0)
                        fail ("ticks at a tempo that has none", block);
                    if (previousTick >= 0 && at - previousTick != k)
                        fail ("ticks not evenly spaced", block);
                    const auto tick = runStart + at;
                    if (previousTick < 0 && lastTick >= 0 && tick - lastTick != k)
                        fail ("a tick out of step with the block before", block);
                    previousTick = at;
                    lastTick = tick;
                    break;
                }

                case 0xFB:
                    if (m.numBytes != 1 || ! playing || ++continues > 1)
                        fail ("a continue while stopped, or twice in a block", block);
                    if (continuedSinceStop)
                        fail ("a second continue without a stop between", block);
                    continuedSinceStop = true;
                    break;

                case 0xFC:
                    if (m.numBytes != 1 || ++stops > 2)
                        fail ("more than two stops in a block", block);
                    if (! playing && (at != 0 || index != 0))
                        fail ("a stopped transport's stop not first", block);
                    continuedSinceStop = false;
                    break;

                case 0xF2:
                    if (m.numBytes != 3 || bytes[1] > 0x7F || bytes[2] > 0x7F || at != 0 || ++songPositions > 1)
                        fail ("a malformed song position", block);
                    if (! playing && index != 1)
                        fail ("a stopped transport's song position not after its stop", block);
                    break;

                default:
                    fail ("a message that is no clock message", block);
            }
            ++index;
        }

        messages += index;
        if (! playing && index != 0 && index != 2)
            fail ("a stopped transport sent more than a stop and a song position", block);

        contiguous = playing && numSamples > 0 && k > 0 && (flags & 8) == 0;
        if (contiguous)
            runStart += numSamples;
    }
    return 0;
}
