#include "model/DSI_Program.h"
#include "model/ParTable.h"

DSI_Program::DSI_Program()
    : data (ParTable::initialRecord().begin(), ParTable::initialRecord().end())
{
}

juce::String DSI_Program::getName()
{
    const auto record = getData();
    juce::String text;

    for (int i = 0; i < nameLength; ++i)
    {
        const auto byte = record[(size_t) (nameOffset + i)];
        text << juce::String::charToString (byte < 32 ? (juce::juce_wchar) 'A' : (juce::juce_wchar) byte);
    }

    name = text;
    return name;
}

void DSI_Program::setName (const juce::String& text)
{
    name = text.substring (0, nameLength).paddedRight (' ', nameLength);

    if (data.size() < (size_t) ProgramSysex::recordSize)
        data.resize ((size_t) ProgramSysex::recordSize, 0);

    for (int i = 0; i < nameLength; ++i)
    {
        const auto c = name[i];
        data[(size_t) (nameOffset + i)] = (uint8_t) (c >= 20 && c <= 159 ? c : ' ');
    }
}

ProgramSysex::Record DSI_Program::getData() const noexcept
{
    ProgramSysex::Record record {};
    std::copy_n (data.begin(), std::min (data.size(), record.size()), record.begin());
    return record;
}

void DSI_Program::setData (const void* bytes, size_t size)
{
    const auto* begin = static_cast<const uint8_t*> (bytes);
    data.assign (begin, begin + (bytes == nullptr ? 0 : std::min (size, (size_t) ProgramSysex::recordSize)));
}

void DSI_Program::setRaw (const uint8_t* record128)
{
    setData (record128, (size_t) ProgramSysex::recordSize);
}

bool DSI_Program::load (const void* message, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*> (message);
    if (bytes == nullptr)
        return false;

    switch (size)
    {
        case (size_t) ProgramSysex::recordSize:
            setData (bytes, size);
            break;

        case (size_t) ProgramSysex::editBufferDumpSize:
            unpack (bytes + ProgramSysex::editBufferDumpPayload, (size_t) ProgramSysex::packedSize);
            break;

        case (size_t) ProgramSysex::programDumpSize:
            unpack (bytes + ProgramSysex::programDumpPayload, (size_t) ProgramSysex::packedSize);
            break;

        default:
            return false;
    }

    getName();
    return true;
}

void DSI_Program::unpack (const uint8_t* packed, size_t numPacked)
{
    data = ProgramSysex::unpack (packed, numPacked);
}

ProgramSysex::Message DSI_Program::pack() const
{
    return ProgramSysex::editBufferDump (getData());
}
