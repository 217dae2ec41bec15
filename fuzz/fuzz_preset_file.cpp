// A preset file (.fxp) as a user picks it: any bytes. A file shorter than a preset gives nothing;
// any other gives bytes 28 to 155, whatever the first 28 say; made again, it reads the same.
#include "plugin/PluginChunks.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto program = PluginChunks::programOf (data, size);
    if (program.has_value() != (size >= (size_t) PluginChunks::programChunkSize))
        __builtin_trap();
    if (! program)
        return 0;
    if (std::memcmp (program->data(), data + PluginChunks::programKeySize, program->size()) != 0)
        __builtin_trap();

    Bank_Program bank ("Presets");
    bank.initialise (false);
    bank.setSingle (*program);
    const auto file = PluginChunks::makeProgram (bank, (int) (size % 41) - 1);
    if (file.getSize() != (size_t) PluginChunks::programChunkSize || PluginChunks::programOf (file.getData(), file.getSize()) != program)
        __builtin_trap();
    return 0;
}
