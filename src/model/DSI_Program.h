#pragma once

#include "model/ProgramSysex.h"

#include <juce_core/juce_core.h>

/** One program record of the instrument with its name, and its conversion to and from the
    instrument's dumps. Byte p of the record is parameter p of the parameter table; the name is in
    bytes 65..80 and the category in byte 93. */
class DSI_Program
{
public:
    static constexpr int nameOffset = 65;
    static constexpr int nameLength = 16;
    static constexpr int categoryOffset = 93;

    DSI_Program();

    /** Reads the name from the record (a byte below 32 reads "A"), keeps and returns it: always 16
        characters, trailing blanks included. */
    juce::String getName();

    /** Writes the first 16 characters of the text, blank-padded, into bytes 65..80. A character
        the instrument cannot show (outside codes 20..159) is written as a blank. */
    void setName (const juce::String& text);

    /** The record as 128 bytes; bytes beyond a short record read 0. */
    ProgramSysex::Record getData() const noexcept;

    /** The record := the first min(128, size) bytes given. */
    void setData (const void* bytes, size_t size);
    void setRaw (const uint8_t* record128);

    /** Takes a record by the message's length alone: 128 raw bytes, a 157-byte edit-buffer dump or
        a 159-byte program dump. Any other length is refused and the record stays as it was. */
    bool load (const void* message, size_t size);

    /** The record := the first 128 bytes unpacked from the packed bytes. */
    void unpack (const uint8_t* packed, size_t numPacked);

    /** The 157-byte edit-buffer dump of the record. */
    ProgramSysex::Message pack() const;

    const juce::String& lastName() const noexcept { return name; }
    int size() const noexcept { return (int) data.size(); }

private:
    juce::String name;
    std::vector<uint8_t> data;
};
