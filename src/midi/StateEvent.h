#pragma once

#include <cstdint>

/** The codes the engine queues for the editor. Channel codes carry the MIDI channel (1..16) in
    their top bits the way the instrument's status bytes would, plus note or controller and value. */
namespace StateEvent
{
constexpr int32_t editBufferChanged = 0x40000000;
constexpr int32_t instrumentOnline = 0x41000000;
constexpr int32_t instrumentOffline = 0x42000000;
constexpr int32_t transferFinished = 0x43000000;
constexpr int32_t transferProgress = 0x44000000;   // | group << 8 | program
constexpr int32_t mirrorChanged = 0x46000000;
constexpr int32_t hostThruDropped = 0x47000000;    // host MIDI too long to pass on
constexpr int32_t channelChanged = 0x48000000;
constexpr int32_t writeChecked = 0x49000000;       // a written program was asked back and compared
constexpr int32_t editBufferReceived = 0x4A000000; // the instrument sent its current program
constexpr int32_t editNotSent = 0x4B000000;        // an edit or a note found no output open
constexpr int32_t hostProgramChanged = 0x50000000;
constexpr int32_t keyVelocityChanged = 0x52100000;
constexpr int32_t keyOctaveChanged = 0x52200000;
constexpr int32_t openProgramFinder = 0x52300000;
constexpr int32_t parameterChangedBase = 0x10000000; // + parameter × 1024 + value

constexpr int32_t noteOff (int channel, int note)                { return ((channel + 128) << 20) | note; }
constexpr int32_t noteOn (int channel, int note, int velocity)   { return ((channel + 144) << 20) | (note << 7) | velocity; }
constexpr int32_t controller (int channel, int number, int value) { return ((channel + 176) << 20) | (number << 7) | value; }
constexpr int32_t pitchWheel (int channel, int msb, int lsb)     { return ((channel + 224) << 20) | (msb << 7) | lsb; }
constexpr int32_t transfer (int group, int program)              { return transferProgress | (group << 8) | program; }
constexpr int32_t parameterChanged (int parameter, int value)    { return parameterChangedBase + parameter * 1024 + value; }
}
