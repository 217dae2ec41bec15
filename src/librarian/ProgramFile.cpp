#include "librarian/ProgramFile.h"

#include "groups/ProgramLocation.h"
#include "model/DSI_Program.h"

#include <algorithm>

namespace ProgramFile
{
namespace
{
using namespace ProgramSysex;

std::optional<Record> recordOf (const uint8_t* message, size_t size)
{
    DSI_Program program;
    if (! program.load (message, size))
        return std::nullopt;
    return program.getData();
}

/** Calls `found` with each complete SysEx message, F0 to F7, in file order. A message cut short
    by another F0 is dropped, and so is one the file ends inside. Returns early when `found` says
    to stop. */
template <typename Found>
void forEachSysex (const uint8_t* bytes, size_t size, Found&& found)
{
    size_t start = size;
    for (size_t i = 0; i < size; ++i)
    {
        if (bytes[i] == sysexStart)
            start = i;
        else if (bytes[i] == sysexEnd && start < size)
        {
            if (! found (bytes + start, i + 1 - start))
                return;
            start = size;
        }
    }
}
}

bool isProgramMessage (const uint8_t* message, size_t size) noexcept
{
    if (message == nullptr || size < 4 || message[0] != sysexStart || message[size - 1] != sysexEnd
        || message[1] != manufacturerId || message[2] != deviceId)
        return false;
    return (size == (size_t) programDumpSize && message[3] == programDumpCommand)
        || (size == (size_t) editBufferDumpSize && message[3] == editBufferDumpCommand);
}

std::optional<Single> readSingle (const void* data, size_t size, Form form)
{
    const auto* bytes = static_cast<const uint8_t*> (data);
    if (bytes == nullptr || size < minimumSize)
        return std::nullopt;

    std::optional<Single> result;
    const auto take = [&result] (const uint8_t* message, size_t length)
    {
        if (auto record = recordOf (message, length))
            result = Single { Message (message, message + length), *record };
    };

    if (form == Form::syx)
    {
        forEachSysex (bytes, size, [&] (const uint8_t* message, size_t length)
        {
            if (! isProgramMessage (message, length))
                return true;
            take (message, length);
            return false;
        });
        return result;
    }

    // The first F0, then the first F7 at or after it; an F0 between them is part of the message.
    const auto* end = bytes + size;
    const auto* start = std::find (bytes, end, sysexStart);
    const auto* stop = std::find (start, end, sysexEnd);
    if (start == end || stop == end)
        return std::nullopt;
    take (start, (size_t) (stop - start) + 1);
    return result;
}

std::vector<Record> readGroup (const void* data, size_t size, Form form)
{
    std::vector<Record> records;
    const auto* bytes = static_cast<const uint8_t*> (data);
    if (bytes == nullptr || size < minimumSize)
        return records;

    if (form == Form::syx)
    {
        forEachSysex (bytes, size, [&] (const uint8_t* message, size_t length)
        {
            if (isProgramMessage (message, length))
                if (auto record = recordOf (message, length))
                    records.push_back (*record);
            return true;
        });
        return records;
    }

    constexpr auto last = (size_t) programDumpSize - 1;
    for (size_t i = 0; i + last < size;)
    {
        if (bytes[i] == sysexStart && bytes[i + last] == sysexEnd)
        {
            if (auto record = recordOf (bytes + i, (size_t) programDumpSize))
                records.push_back (*record);
            i += (size_t) programDumpSize;
        }
        else
        {
            ++i;
        }
    }
    return records;
}

Message writeSingle (const Record& record, int group, int index)
{
    if (ProgramLocation::isValid (group, index))
        return programDump (group, index, record);
    return editBufferDump (record);
}

std::vector<uint8_t> writeGroup (int group, const std::vector<Record>& records)
{
    std::vector<uint8_t> bytes;
    bytes.reserve (records.size() * (size_t) programDumpSize);
    for (size_t i = 0; i < records.size(); ++i)
    {
        const auto dump = programDump (group, (int) i, records[i]);
        bytes.insert (bytes.end(), dump.begin(), dump.end());
    }
    return bytes;
}
}
