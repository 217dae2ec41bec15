#include "plugin/PluginChunks.h"

namespace PluginChunks
{
namespace
{
const char bankKey[] = "Ph_5MorvexBankVersion100";
const char programKey[] = "Ph_5MorvexSettingsVersion100";
constexpr auto recordSize = Bank_Program::recordSize;
}

juce::MemoryBlock makeBank (Bank_Program& bank, int& currentProgram)
{
    if (currentProgram < 0)
    {
        currentProgram = 0;
        bank.storeProgram (0, bank.single());
    }

    juce::MemoryBlock chunk;
    juce::MemoryOutputStream out (chunk, false);
    out.write (bankKey, bankKeySize);
    for (int i = 0; i < numPrograms; ++i)
        out.write (bank.programRecord (i).data(), recordSize);
    out.write (bank.programRecord (currentProgram).data(), recordSize);
    out.writeByte ((char) (currentProgram & 0xFF));
    out.flush();
    return chunk;
}

void restoreBank (const void* data, size_t size, Bank_Program& bank)
{
    if (data == nullptr)
        return;

    const auto* bytes = static_cast<const uint8_t*> (data);
    for (int i = 0; i < numPrograms; ++i)
    {
        const auto offset = (size_t) (bankKeySize + recordSize * i);
        if (offset + (size_t) recordSize > size)
            break;
        bank.storeProgram (i, bytes + offset, (size_t) recordSize);
    }
}

juce::MemoryBlock makeProgram (Bank_Program& bank, int& currentProgram)
{
    currentProgram = juce::jmax (0, currentProgram);
    const auto editBuffer = bank.single();
    bank.storeProgram (currentProgram, editBuffer);

    juce::MemoryBlock chunk;
    juce::MemoryOutputStream out (chunk, false);
    out.write (programKey, programKeySize);
    out.write (editBuffer.data(), recordSize);
    out.flush();
    return chunk;
}

bool restoreProgram (const void* data, size_t size, Bank_Program& bank, int& currentProgram)
{
    if (data == nullptr || size < (size_t) programChunkSize)
        return false;

    currentProgram = juce::jmax (0, currentProgram);
    const auto* record = static_cast<const uint8_t*> (data) + programKeySize;
    bank.storeProgram (currentProgram, record, (size_t) recordSize);
    bank.setSingle (record, (size_t) recordSize);
    return true;
}
}
