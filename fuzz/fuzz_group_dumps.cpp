// Program-group files and concatenated dumps into a group, full or empty.
#include "groups/Bank_Program.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    Bank_Program group ("User Bank 0"), library ("Library");
    group.initialise (false);
    group.loadDumps (data, size);
    library.loadDumps (data, size);

    for (auto* bank : { &group, &library })
        for (int i = -1; i <= bank->numRecords(); ++i)
        {
            bank->programName (i);
            bank->programDump (i);
        }
    return 0;
}
