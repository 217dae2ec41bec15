// A program-group file (.p5_b) as a user picks it: any bytes. Every program found is a 159-byte
// dump of the file; written back as a group, they read the same.
#include "librarian/ProgramFile.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto records = ProgramFile::readGroup (data, size, ProgramFile::Form::own);
    if (records.size() > size / (size_t) ProgramSysex::programDumpSize)
        __builtin_trap();
    if (records.empty())
        return 0;

    const auto group = (int) (size % 10);
    const auto file = ProgramFile::writeGroup (group, records);
    if (file.size() != records.size() * (size_t) ProgramSysex::programDumpSize)
        __builtin_trap();
    if (ProgramFile::readGroup (file.data(), file.size(), ProgramFile::Form::own) != records
        || ProgramFile::readGroup (file.data(), file.size(), ProgramFile::Form::syx) != records)
        __builtin_trap();
    return 0;
}
