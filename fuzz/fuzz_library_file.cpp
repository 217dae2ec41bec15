// A library file (.p5_l) as a user picks it: any bytes, markers or not. Every whole record after
// the opening marker is read; written back, the library reads the same.
#include "librarian/LibraryFile.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto records = LibraryFile::read (data, size);
    if (records.size() != (size > 13 ? (size - 13) / 128 : 0))
        __builtin_trap();
    for (size_t i = 0; i < records.size(); ++i)
        if (std::memcmp (records[i].data(), data + 13 + 128 * i, 128) != 0)
            __builtin_trap();

    const auto file = LibraryFile::write (records);
    if (file.getSize() != (records.empty() ? 0 : 26 + 128 * records.size()))
        __builtin_trap();
    if (LibraryFile::read (file.getData(), file.getSize()) != records)
        __builtin_trap();
    return 0;
}
