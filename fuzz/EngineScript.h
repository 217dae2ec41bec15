#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/** The script fuzz_midi_input reads, shared with the seed writer so the seeds stay in step.

    A script is an options byte, then steps: a step byte (taken modulo the number of steps)
    followed by its arguments. A length is FuzzInput::length(): one byte below 0x80, else two. */
namespace EngineScript
{
enum Step : uint8_t
{
    portMessage,      // length, bytes: a message from the instrument's port
    portPartial,      // length, bytes: a piece of a SysEx, as a driver reports one
    portRepeat,       // count: the last port message again, 1 + 8 × count times (within a budget)
    deliverAnswers,   // count: up to 1 + count % 32 of the instrument's answers, one at a time
    receive,          // kind, first group: a group transfer from the instrument begins
    transfer,         // what, value: the group manager ends, clears or marks a transfer
    request,          // kind, group, program: a request for a dump
    selectProgram,    // what, index (2 bytes), flags
    edit,             // what, number (2 bytes), value (2 bytes), delay
    store,            // what, group, program, origin, length, record bytes
    syncPoll,         // milliseconds / 4, contact: the instrument sync's timer
    option,           // what, value
    engineSysex,      // length, bytes: the engine sends a SysEx of its own
    ports,            // what: the setup window chooses ports
    hostBlock,        // samples - 1, rate, count, then per message: position, length, bytes
    keys,             // what, code
    instrument,       // what, value, then what that needs: a knob's value, a slot and record, a message
    drain,            // the editor and the host take what is waiting
    numSteps
};

/** Options byte bits. */
enum Options : uint8_t
{
    inThru = 1,
    programChangeAutomation = 2,
    hostThruOff = 4,
    largeSysexPieces = 8,
    instrumentPieces = 16 // the instrument sends its SysEx in 7-byte pieces
};

using Bytes = std::vector<uint8_t>;

inline void appendLength (Bytes& script, size_t length)
{
    if (length < 0x80)
    {
        script.push_back ((uint8_t) length);
        return;
    }
    script.push_back ((uint8_t) (0x80 | (length >> 8)));
    script.push_back ((uint8_t) (length & 0xFF));
}

inline void appendMessage (Bytes& script, Step step, const Bytes& message)
{
    script.push_back (step);
    appendLength (script, message.size());
    script.insert (script.end(), message.begin(), message.end());
}
}
