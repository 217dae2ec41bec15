// A preset-bank file (.fxb) as a user picks it: any bytes. A file too short for the 40 presets
// changes none; any other replaces exactly the 40, and touches nothing else.
#include "plugin/PluginChunks.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    Bank_Program bank ("Presets");
    bank.initialise (true);
    const auto before = bank.getGroupData();
    const auto single = bank.single();

    const auto loaded = PluginChunks::restorePresetBankFile (data, size, bank);
    if (loaded != (size >= (size_t) PluginChunks::editBufferOffset) || bank.single() != single || bank.numRecords() != 40)
        __builtin_trap();
    if (! loaded)
    {
        if (bank.getGroupData() != before)
            __builtin_trap();
        return 0;
    }
    for (int i = 0; i < 40; ++i)
        if (std::memcmp (bank.programRecord (i).data(), data + PluginChunks::bankKeySize + 128 * i, 128) != 0)
            __builtin_trap();
    return 0;
}
