#include "plugin/PluginChunks.h"

#include <cstring>

namespace PluginChunks
{
namespace
{
const char bankKey[] = "Ph_5MorvexBankVersion100";
const char programKey[] = "Ph_5MorvexSettingsVersion100";
constexpr auto recordSize = Bank_Program::recordSize;

ProgramSysex::Record recordAt (const uint8_t* bytes)
{
    ProgramSysex::Record record {};
    std::memcpy (record.data(), bytes, record.size());
    return record;
}
}

juce::MemoryBlock makeBank (const Bank_Program& bank, int currentPreset)
{
    juce::MemoryBlock chunk;
    juce::MemoryOutputStream out (chunk, false);
    out.write (bankKey, bankKeySize);
    for (int i = 0; i < numPrograms; ++i)
        out.write (bank.programRecord (i).data(), recordSize);
    out.write (bank.single().data(), recordSize);
    out.writeByte ((char) (juce::isPositiveAndBelow (currentPreset, numPrograms) ? currentPreset : noPreset));
    out.flush();
    return chunk;
}

int restorePresets (const void* data, size_t size, Bank_Program& bank)
{
    if (data == nullptr)
        return 0;

    const auto* bytes = static_cast<const uint8_t*> (data);
    int restored = 0;
    for (; restored < numPrograms; ++restored)
    {
        const auto offset = (size_t) (bankKeySize + recordSize * restored);
        if (offset + (size_t) recordSize > size)
            break;
        bank.storeProgram (restored, bytes + offset, (size_t) recordSize);
    }
    return restored;
}

bool restorePresetBankFile (const void* data, size_t size, Bank_Program& bank)
{
    if (data == nullptr || size < (size_t) editBufferOffset)
        return false;
    return restorePresets (data, size, bank) == numPrograms;
}

Recall restoreBank (const void* data, size_t size, Bank_Program& bank)
{
    Recall recall;
    recall.presetsRestored = restorePresets (data, size, bank);
    if (data == nullptr)
        return recall;

    const auto* bytes = static_cast<const uint8_t*> (data);
    if (size >= (size_t) (editBufferOffset + recordSize))
        recall.editBuffer = recordAt (bytes + editBufferOffset);

    // Any byte but a preset's number (255, or a value no version wrote) means none is current.
    if (size >= (size_t) bankChunkSize)
        recall.currentPreset = bytes[currentPresetOffset] < numPrograms ? (int) bytes[currentPresetOffset] : -1;

    return recall;
}

juce::MemoryBlock makeProgram (Bank_Program& bank, int currentPreset)
{
    const auto editBuffer = bank.single();
    if (juce::isPositiveAndBelow (currentPreset, numPrograms))
        bank.storeProgram (currentPreset, editBuffer);

    return programChunk (editBuffer);
}

juce::MemoryBlock programChunk (const ProgramSysex::Record& record)
{
    juce::MemoryBlock chunk (programKey, (size_t) programKeySize);
    chunk.append (record.data(), record.size());
    return chunk;
}

std::optional<ProgramSysex::Record> programOf (const void* data, size_t size)
{
    if (data == nullptr || size < (size_t) programChunkSize)
        return std::nullopt;

    return recordAt (static_cast<const uint8_t*> (data) + programKeySize);
}
}
