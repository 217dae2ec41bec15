// The host hands back whatever it stored: bank and program chunks of any length.
#include "plugin/PluginChunks.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    Bank_Program bank ("Program Group");
    bank.initialise (true);
    const auto editBuffer = bank.single();

    PluginChunks::restoreBank (data, size, bank);
    if (bank.single() != editBuffer || bank.numRecords() != 40)
        __builtin_trap(); // restoring the bank never touches the edit buffer or the bank's size

    int current = -1;
    PluginChunks::restoreProgram (data, size, bank, current);
    PluginChunks::makeBank (bank, current);
    PluginChunks::makeProgram (bank, current);
    return 0;
}
