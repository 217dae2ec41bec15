#pragma once

#include "groups/Bank_Program.h"

#include <optional>

/** The plug-in's state in the host's project, byte for byte.

    Bank chunk (5,273 bytes): "Ph_5MorvexBank" "Version100", the 40 programs of the preset bank,
    the edit buffer as it is (with its unsaved edits), the current preset's number, or 255 when
    no preset is current. Chunks of earlier versions held the current preset's stored record in
    place of the edit buffer; read by the same rule, they recall that preset as it was stored.
    The preset-bank file (.fxb) has the same layout, but loading one replaces the presets only.
    Program chunk (156 bytes): "Ph_5MorvexSettings" "Version100", then the edit buffer.

    Nothing here reads past what it is given: a short chunk restores the whole records it holds. */
namespace PluginChunks
{
constexpr int numPrograms = 40;
constexpr int bankKeySize = 24;
constexpr int programKeySize = 28;
constexpr int editBufferOffset = bankKeySize + numPrograms * Bank_Program::recordSize;
constexpr int currentPresetOffset = editBufferOffset + Bank_Program::recordSize;
constexpr int bankChunkSize = currentPresetOffset + 1;
constexpr int programChunkSize = programKeySize + Bank_Program::recordSize;
constexpr uint8_t noPreset = 255;

/** The bank chunk of the presets, the edit buffer and the current preset (-1: none). Changes nothing. */
juce::MemoryBlock makeBank (const Bank_Program& bank, int currentPreset);

/** What a bank chunk held beyond the presets, each only when the chunk had all its bytes. */
struct Recall
{
    int presetsRestored = 0;
    std::optional<ProgramSysex::Record> editBuffer;
    std::optional<int> currentPreset; // -1: none
};

/** The host's recall: the presets the chunk holds are stored into the bank; its edit buffer and
    current preset are returned for the caller to take. */
Recall restoreBank (const void* data, size_t size, Bank_Program& bank);

/** A chunk's presets are stored into the bank, nothing else. Returns how many it held whole. */
int restorePresets (const void* data, size_t size, Bank_Program& bank);

/** A preset-bank file: all 40 presets into the bank, or, from a file too short to hold them, none
    (half a bank would leave the presets a mix of two). Returns whether it was taken. */
bool restorePresetBankFile (const void* data, size_t size, Bank_Program& bank);

/** The program chunk: the edit buffer. With a preset current, the edit buffer is also stored as
    that preset; with none, no preset is touched. */
juce::MemoryBlock makeProgram (Bank_Program& bank, int currentPreset);

/** The program chunk of a record, which the host's program setter takes like any other. */
juce::MemoryBlock programChunk (const ProgramSysex::Record& record);

/** The chunk's record, or nothing for a chunk too short to hold it. */
std::optional<ProgramSysex::Record> programOf (const void* data, size_t size);
}
