#pragma once

#include <cstddef>
#include <cstdint>

/** Takes the fuzzer's bytes apart: small numbers and runs of bytes, never past the end. */
class FuzzInput
{
public:
    FuzzInput (const uint8_t* d, size_t s) : data (d), size (s) {}

    bool empty() const noexcept { return position >= size; }

    uint8_t byte() noexcept { return position < size ? data[position++] : 0; }

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
