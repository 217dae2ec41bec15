#include "model/ProgramSysex.h"

namespace ProgramSysex
{
std::array<uint8_t, packedSize> pack (const Record& record) noexcept
{
    std::array<uint8_t, packedSize> packed {};

    for (int group = 0; group < packedSize / 8; ++group)
    {
        auto* out = packed.data() + group * 8;

        for (int k = 0; k < 7; ++k)
        {
            const auto index = group * 7 + k;
            const uint8_t byte = index < recordSize ? record[(size_t) index] : 0;
            out[0] = (uint8_t) (out[0] | ((byte >> 7) << k));
            out[1 + k] = (uint8_t) (byte & 0x7F);
        }
    }

    return packed;
}

std::vector<uint8_t> unpack (const uint8_t* packed, size_t numPacked)
{
    const auto byteAt = [&] (size_t i) -> uint8_t { return packed != nullptr && i < numPacked ? packed[i] : 0; };

    std::vector<uint8_t> out;
    out.reserve (133);

    // The instrument's own reading: whole groups while one starts 7 bytes before the end.
    for (size_t g = 0; g + 1 + 6 < numPacked; g += 8)
    {
        const auto header = byteAt (g);
        for (size_t k = 0; k < 7; ++k)
            out.push_back ((uint8_t) (byteAt (g + 1 + k) | (((header >> k) & 1) << 7)));
    }

    if (out.size() > (size_t) recordSize)
        out.resize ((size_t) recordSize);

    return out;
}

namespace
{
Message header (Command command)
{
    return { sysexStart, manufacturerId, deviceId, command };
}

Message withPackedRecord (Message message, const Record& record)
{
    const auto packed = pack (record);
    message.insert (message.end(), packed.begin(), packed.end());
    message.push_back (sysexEnd);
    return message;
}
}

Message programDump (int group, int program, const Record& record)
{
    auto message = header (programDumpCommand);
    message.push_back ((uint8_t) (group & 0x7F));
    message.push_back ((uint8_t) (program & 0x7F));
    return withPackedRecord (std::move (message), record);
}

Message editBufferDump (const Record& record)
{
    return withPackedRecord (header (editBufferDumpCommand), record);
}

Message programDumpRequest (int group, int program)
{
    auto message = header (programDumpRequestCommand);
    message.push_back ((uint8_t) (group & 0x7F));
    message.push_back ((uint8_t) (program & 0x7F));
    message.push_back (sysexEnd);
    return message;
}

Message editBufferDumpRequest()
{
    auto message = header (editBufferDumpRequestCommand);
    message.push_back (sysexEnd);
    return message;
}

Message globalParameterRequest()
{
    auto message = header (globalParameterRequestCommand);
    message.push_back (sysexEnd);
    return message;
}
}
