#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

/** The instrument's SysEx messages for programs and globals, byte for byte.

    Every message starts F0 01 32 (Sequential, Prophet-5/10) followed by a command. Program records
    travel packed: each group of 7 record bytes becomes a byte of their top bits followed by the 7
    bytes with the top bit cleared, so 128 bytes become 152. */
namespace ProgramSysex
{
constexpr uint8_t sysexStart = 0xF0, sysexEnd = 0xF7;
constexpr uint8_t manufacturerId = 0x01, deviceId = 0x32;

enum Command : uint8_t
{
    programDumpCommand = 0x02,
    editBufferDumpCommand = 0x03,
    programDumpRequestCommand = 0x05,
    editBufferDumpRequestCommand = 0x06,
    globalParameterRequestCommand = 0x0E,
    globalParameterDumpCommand = 0x0F
};

constexpr int recordSize = 128;
constexpr int packedSize = 152;
constexpr int programDumpSize = 159;     // F0 01 32 02 group program, packed, F7
constexpr int editBufferDumpSize = 157;  // F0 01 32 03, packed, F7
constexpr int programDumpPayload = 6;    // offset of the first packed byte
constexpr int editBufferDumpPayload = 4;

using Record = std::array<uint8_t, recordSize>;
using Message = std::vector<uint8_t>;

std::array<uint8_t, packedSize> pack (const Record& record) noexcept;

/** Unpacks whole 8-byte groups from the packed bytes; bytes missing at the end read as 0. Gives at
    most 128 bytes, fewer when the input is too short to hold them. */
std::vector<uint8_t> unpack (const uint8_t* packed, size_t numPacked);

Message programDump (int group, int program, const Record& record);
Message editBufferDump (const Record& record);
Message programDumpRequest (int group, int program);
Message editBufferDumpRequest();
Message globalParameterRequest();
}
