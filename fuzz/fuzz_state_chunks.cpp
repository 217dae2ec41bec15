// The host hands back whatever it stored: bank and program chunks of any length. Chunks made
// from what was restored read back the same.
#include "plugin/PluginChunks.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    Bank_Program bank ("Program Group");
    bank.initialise (true);
    const auto editBuffer = bank.single();

    // Restoring stores presets only; what else the chunk held is handed back, never applied.
    const auto recall = PluginChunks::restoreBank (data, size, bank);
    if (bank.single() != editBuffer || bank.numRecords() != 40)
        __builtin_trap();
    if (recall.currentPreset.has_value() && (*recall.currentPreset < -1 || *recall.currentPreset >= 40))
        __builtin_trap();

    // A bank chunk made from what was restored reads back the same.
    const auto current = recall.currentPreset.value_or (-1);
    if (recall.editBuffer.has_value())
        bank.setSingle (*recall.editBuffer);
    const auto chunk = PluginChunks::makeBank (bank, current);
    if (chunk.getSize() != (size_t) PluginChunks::bankChunkSize)
        __builtin_trap();
    Bank_Program again ("Program Group");
    again.initialise (false);
    const auto back = PluginChunks::restoreBank (chunk.getData(), chunk.getSize(), again);
    if (back.presetsRestored != 40 || back.editBuffer != bank.single() || back.currentPreset != current)
        __builtin_trap();
    for (int i = 0; i < 40; ++i)
        if (again.programRecord (i) != bank.programRecord (i))
            __builtin_trap();

    // So does a program chunk, which also keeps the edit buffer as the current preset.
    if (const auto program = PluginChunks::programOf (data, size))
        bank.setSingle (*program);
    const auto programChunk = PluginChunks::makeProgram (bank, current);
    if (programChunk.getSize() != (size_t) PluginChunks::programChunkSize
        || PluginChunks::programOf (programChunk.getData(), programChunk.getSize()) != bank.single())
        __builtin_trap();
    if (current >= 0 && bank.programRecord (current) != bank.single())
        __builtin_trap();
    return 0;
}
