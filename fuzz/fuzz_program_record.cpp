// A program record from anywhere: a dump of any length, packed bytes, a name. Whatever record
// comes of it goes out as a dump and reads back the same.
#include "model/DSI_Program.h"
#include "model/TextBytes.h"

#include <algorithm>

namespace
{
/** A dump the instrument can read: F0, 7-bit bytes, F7, and the record back from it. */
void checkDump (const ProgramSysex::Message& dump, size_t expectedSize, const ProgramSysex::Record& record)
{
    if (dump.size() != expectedSize || dump.front() != ProgramSysex::sysexStart || dump.back() != ProgramSysex::sysexEnd)
        __builtin_trap();
    if (std::any_of (dump.begin() + 1, dump.end() - 1, [] (uint8_t b) { return b > 0x7F; }))
        __builtin_trap();

    DSI_Program back;
    if (! back.load (dump.data(), dump.size()) || back.getData() != record)
        __builtin_trap();
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    DSI_Program program;
    const auto before = program.getData();
    if (! program.load (data, size) && program.getData() != before)
        __builtin_trap(); // a refused message must leave the record alone

    program.getName();
    program.unpack (data, size);
    program.getName();

    // Packing loses nothing: the record unpacked from whatever came, and the input's own bytes
    // taken as a record, each go out and come back unchanged.
    ProgramSysex::Record raw {};
    std::copy_n (data, std::min (size, raw.size()), raw.begin());
    for (const auto& record : { program.getData(), raw })
    {
        const auto packed = ProgramSysex::pack (record);
        if (std::any_of (packed.begin(), packed.end(), [] (uint8_t b) { return b > 0x7F; }))
            __builtin_trap();
        if (ProgramSysex::unpack (packed.data(), packed.size()) != std::vector<uint8_t> (record.begin(), record.end()))
            __builtin_trap();

        checkDump (ProgramSysex::editBufferDump (record), (size_t) ProgramSysex::editBufferDumpSize, record);
        const auto group = size > 0 ? data[0] % 10 : 0, index = size > 1 ? data[1] % 40 : 0;
        checkDump (ProgramSysex::programDump (group, index, record), (size_t) ProgramSysex::programDumpSize, record);

        DSI_Program copy;
        copy.setRaw (record.data());
        if (copy.pack() != ProgramSysex::editBufferDump (record))
            __builtin_trap();
    }

    // A name the instrument can show reads back as written, blank-padded to 16.
    const auto name = TextBytes::decode (data, std::min<size_t> (size, 64));
    program.setName (name);
    const auto written = name.substring (0, DSI_Program::nameLength);
    auto showable = true;
    for (const auto c : written)
        showable = showable && c >= 32 && c <= 159;
    if (showable && program.getName() != written.paddedRight (' ', DSI_Program::nameLength))
        __builtin_trap();
    program.pack();
    return 0;
}
