#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

/** Takes the fuzzer's bytes apart: small numbers and runs of bytes, never past the end. */
class FuzzInput
{
public:
    FuzzInput (const uint8_t* d, size_t s) : data (d), size (s) {}

    bool empty() const noexcept { return position >= size; }

    uint8_t byte() noexcept { return position < size ? data[position++] : 0; }

    uint16_t u16() noexcept { return (uint16_t) (byte() << 8 | byte()); }

    /** A length of one byte (0..127), or of two when the first has its top bit set (0..32767):
        short messages cost one byte, and a whole dump or a long SysEx is still in reach. */
    size_t length() noexcept
    {
        const auto first = byte();
        return first < 0x80 ? first : (size_t) ((first & 0x7F) << 8 | byte());
    }

    /** A double made of the next eight bytes as they are: NaN, infinities and denormals included. */
    double f64() noexcept
    {
        uint8_t bytes[8] {};
        for (auto& b : bytes)
            b = byte();
        double value;
        std::memcpy (&value, bytes, sizeof (value));
        return value;
    }

    /** Up to `count` bytes from here; `taken` says how many there were. */
    const uint8_t* run (size_t count, size_t& taken) noexcept
    {
        taken = count < size - position ? count : size - position;
        const auto* start = data + position;
        position += taken;
        return start;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};
