#pragma once

#include "groups/Bank_Program.h"

/** The plug-in's state in the host's project, byte for byte.

    Bank chunk (5,273 bytes): "Ph_5MorvexBank" "Version100", the 40 programs of the preset bank,
    the current program's record, the current program's number (low byte).
    Program chunk (156 bytes): "Ph_5MorvexSettings" "Version100", then the edit buffer.

    Restoring never reads past what it is given: a short chunk restores the whole records it holds. */
namespace PluginChunks
{
constexpr int numPrograms = 40;
constexpr int bankKeySize = 24;
constexpr int programKeySize = 28;
constexpr int bankChunkSize = bankKeySize + (numPrograms + 1) * Bank_Program::recordSize + 1;
constexpr int programChunkSize = programKeySize + Bank_Program::recordSize;

/** The bank chunk. With no current program yet (-1), program 0 takes the edit buffer and becomes
    current. */
juce::MemoryBlock makeBank (Bank_Program& bank, int& currentProgram);

/** Stores the chunk's programs into the bank; the edit buffer and the current program stay. */
void restoreBank (const void* data, size_t size, Bank_Program& bank);

/** The program chunk; the edit buffer is also stored as the current program (at least 0). */
juce::MemoryBlock makeProgram (Bank_Program& bank, int& currentProgram);

/** The chunk's record becomes the current program (at least 0) and the edit buffer. Returns false
    (and changes nothing) for a chunk too short to hold it. */
bool restoreProgram (const void* data, size_t size, Bank_Program& bank, int& currentProgram);
}
