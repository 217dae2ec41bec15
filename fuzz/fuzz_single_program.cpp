// A single-program file (.p5_p) as a user picks it: any bytes. What is read is the first message
// of the file, taken by its length; written back, it reads the same.
#include "librarian/ProgramFile.h"
#include "model/DSI_Program.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto read = ProgramFile::readSingle (data, size, ProgramFile::Form::own);
    if (! read)
        return 0;

    // The message is the file's, from its first F0 to the first F7 after it, of a length a program has.
    const auto& m = read->message;
    const auto* first = std::find (data, data + size, ProgramSysex::sysexStart);
    if (size < ProgramFile::minimumSize || first == data + size || (size_t) (data + size - first) < m.size()
        || ! std::equal (m.begin(), m.end(), first) || std::find (m.begin(), m.end(), ProgramSysex::sysexEnd) != m.end() - 1)
        __builtin_trap();
    if (m.size() != 128 && m.size() != 157 && m.size() != 159)
        __builtin_trap();

    DSI_Program program;
    if (! program.load (m.data(), m.size()) || program.getData() != read->record)
        __builtin_trap();

    // Written to a slot or to none, it reads back the same record, as the own file and as .syx.
    const int group = size % 11 - 1, index = (int) (data[0] % 41);
    const auto file = ProgramFile::writeSingle (read->record, group, index);
    for (auto form : { ProgramFile::Form::own, ProgramFile::Form::syx })
    {
        const auto back = ProgramFile::readSingle (file.data(), file.size(), form);
        if (! back || back->record != read->record || back->message != file)
            __builtin_trap();
    }
    return 0;
}
