// Program-group files and concatenated dumps into a group, full or empty: 99 dumps replace the
// group, any other count overwrites its first records, and each record is the one its dump holds.
#include "groups/Bank_Program.h"
#include "model/DSI_Program.h"
#include "model/ParTable.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    Bank_Program group ("User Bank 0"), library ("Library");
    group.initialise (false);
    group.loadDumps (data, size);
    library.loadDumps (data, size);

    const auto count = (int) (size / (size_t) ProgramSysex::programDumpSize);
    const auto replaced = count == Bank_Program::maximumRecords;
    if (group.numRecords() != (replaced ? count : std::max (count, Bank_Program::recordsPerGroup)) || library.numRecords() != count)
        __builtin_trap();

    for (int k = 0; k < count; ++k)
    {
        DSI_Program program;
        program.load (data + (size_t) k * ProgramSysex::programDumpSize, (size_t) ProgramSysex::programDumpSize);
        if (group.programRecord (k) != program.getData() || library.programRecord (k) != program.getData())
            __builtin_trap();
    }
    for (int k = count; k < group.numRecords(); ++k)
        if (group.programRecord (k) != ParTable::initialRecord())
            __builtin_trap();

    for (auto* bank : { &group, &library })
        for (int i = -1; i <= bank->numRecords(); ++i)
        {
            bank->programName (i);
            bank->programDump (i);
        }
    return 0;
}
