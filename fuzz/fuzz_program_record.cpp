// A program record from anywhere: a dump of any length, packed bytes, a name.
#include "model/DSI_Program.h"
#include "model/TextBytes.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    DSI_Program program;
    const auto before = program.getData();
    if (! program.load (data, size) && program.getData() != before)
        __builtin_trap(); // a refused message must leave the record alone

    program.getName();
    program.unpack (data, size);
    program.getName();
    program.setName (TextBytes::decode (data, std::min<size_t> (size, 64)));
    program.pack();
    return 0;
}
