#include "librarian/LibraryFile.h"

namespace LibraryFile
{
std::vector<ProgramSysex::Record> read (const void* data, size_t size)
{
    std::vector<ProgramSysex::Record> records;
    if (data == nullptr)
        return records;

    const auto* bytes = static_cast<const uint8_t*> (data) + markerSize;
    records.resize (recordsIn (size));
    for (auto& record : records)
    {
        std::copy_n (bytes, record.size(), record.begin());
        bytes += record.size();
    }
    return records;
}

juce::MemoryBlock write (const std::vector<ProgramSysex::Record>& records)
{
    juce::MemoryBlock file;
    if (records.empty())
        return file;

    file.append (openingMarker, (size_t) markerSize);
    for (const auto& record : records)
        file.append (record.data(), record.size());
    file.append (closingMarker, (size_t) markerSize);
    return file;
}
}
