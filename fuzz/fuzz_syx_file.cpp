// A .syx file from another tool: any bytes. Only this instrument's program and edit-buffer dumps
// are read, in file order; the first is the single program; written back, they read the same.
#include "librarian/ProgramFile.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto records = ProgramFile::readGroup (data, size, ProgramFile::Form::syx);
    const auto single = ProgramFile::readSingle (data, size, ProgramFile::Form::syx);
    if (records.size() > size / (size_t) ProgramSysex::editBufferDumpSize || single.has_value() != ! records.empty())
        __builtin_trap();
    if (! single)
        return 0;
    if (single->record != records.front() || ! ProgramFile::isProgramMessage (single->message.data(), single->message.size()))
        __builtin_trap();

    // Saved as a group (program dumps) or one by one as edit-buffer dumps, they read the same.
    auto file = ProgramFile::writeGroup ((int) (size % 10), records);
    if (ProgramFile::readGroup (file.data(), file.size(), ProgramFile::Form::syx) != records)
        __builtin_trap();
    file.clear();
    for (const auto& r : records)
    {
        const auto dump = ProgramFile::writeSingle (r);
        file.insert (file.end(), dump.begin(), dump.end());
    }
    if (ProgramFile::readGroup (file.data(), file.size(), ProgramFile::Form::syx) != records)
        __builtin_trap();
    return 0;
}
