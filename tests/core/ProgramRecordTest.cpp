#include "model/DSI_Program.h"
#include "model/ParTable.h"
#include "model/ProgramSysex.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
using Bytes = std::vector<uint8_t>;

ProgramSysex::Record randomRecord (std::mt19937& random)
{
    ProgramSysex::Record record;
    for (auto& b : record)
        b = (uint8_t) random();
    return record;
}
}

TEST (ProgramSysex, PacksTopBitsIntoAHeaderByteOfEachGroup)
{
    ProgramSysex::Record record {};
    record[0] = 0x80;
    record[6] = 0x81;
    record[7] = 0xFF;
    record[126] = 5;
    record[127] = 9;

    const auto packed = ProgramSysex::pack (record);
    EXPECT_EQ (Bytes (packed.begin(), packed.begin() + 10), (Bytes { 0x41, 0, 0, 0, 0, 0, 0, 1, 0x01, 0x7F }));
    EXPECT_EQ (Bytes (packed.end() - 8, packed.end()), (Bytes { 0, 5, 9, 0, 0, 0, 0, 0 }));

    for (auto b : packed)
        EXPECT_LT (b, 0x80);
}

TEST (ProgramSysex, UnpackGivesBackEveryPackedRecord)
{
    std::mt19937 random (7);
    for (int round = 0; round < 200; ++round)
    {
        const auto record = randomRecord (random);
        const auto packed = ProgramSysex::pack (record);
        const auto unpacked = ProgramSysex::unpack (packed.data(), packed.size());
        ASSERT_EQ (unpacked, Bytes (record.begin(), record.end())) << "round " << round;
    }
}

TEST (ProgramSysex, UnpackOfShortInputStopsAtWholeGroups)
{
    const uint8_t packed[] = { 0x01, 10, 11, 12, 13, 14, 15, 16, 0x7F, 1, 2, 3 };

    const struct { size_t size; size_t expected; } cases[] = { { 0, 0 }, { 7, 0 }, { 8, 7 }, { 12, 7 } };
    for (const auto& c : cases)
        EXPECT_EQ (ProgramSysex::unpack (packed, c.size).size(), c.expected) << c.size << " bytes";

    EXPECT_EQ (ProgramSysex::unpack (packed, 8), (Bytes { 0x8A, 11, 12, 13, 14, 15, 16 }));
    EXPECT_TRUE (ProgramSysex::unpack (nullptr, 152).size() <= 128);
}

TEST (ProgramSysex, RequestsAndDumpsHaveTheInstrumentsBytes)
{
    EXPECT_EQ (ProgramSysex::programDumpRequest (3, 17), (Bytes { 0xF0, 0x01, 0x32, 0x05, 0x03, 0x11, 0xF7 }));
    EXPECT_EQ (ProgramSysex::editBufferDumpRequest(), (Bytes { 0xF0, 0x01, 0x32, 0x06, 0xF7 }));
    EXPECT_EQ (ProgramSysex::globalParameterRequest(), (Bytes { 0xF0, 0x01, 0x32, 0x0E, 0xF7 }));

    const auto& record = ParTable::initialRecord();
    const auto program = ProgramSysex::programDump (9, 39, record);
    ASSERT_EQ (program.size(), 159u);
    EXPECT_EQ (Bytes (program.begin(), program.begin() + 6), (Bytes { 0xF0, 0x01, 0x32, 0x02, 9, 39 }));
    EXPECT_EQ (program.back(), 0xF7);

    const auto edit = ProgramSysex::editBufferDump (record);
    ASSERT_EQ (edit.size(), 157u);
    EXPECT_EQ (Bytes (edit.begin(), edit.begin() + 4), (Bytes { 0xF0, 0x01, 0x32, 0x03 }));
    EXPECT_EQ (edit.back(), 0xF7);
    EXPECT_TRUE (std::equal (edit.begin() + 4, edit.end() - 1, program.begin() + 6));
}

TEST (DSI_Program, LoadTakesRecordsByLengthAlone)
{
    std::mt19937 random (11);
    const auto record = randomRecord (random);

    const auto edit = ProgramSysex::editBufferDump (record);
    const auto dump = ProgramSysex::programDump (3, 17, record);
    const Bytes raw (record.begin(), record.end());

    DSI_Program source;
    ASSERT_TRUE (source.load (raw.data(), raw.size()));
    const auto packed = source.pack();
    EXPECT_EQ (packed.size(), 157u);

    for (const auto* message : { &edit, &dump, &raw, &packed })
    {
        DSI_Program program;
        program.setName ("Something else");
        ASSERT_TRUE (program.load (message->data(), message->size())) << message->size() << " bytes";
        EXPECT_EQ (program.getData(), record) << message->size() << " bytes";
        EXPECT_EQ (program.lastName(), source.lastName()) << "the name comes with the record";
    }

    // Any other length is refused and leaves the record alone, whatever the bytes say.
    for (size_t length : { 0u, 5u, 127u, 129u, 156u, 158u, 160u, 300u })
    {
        Bytes message (edit.begin(), edit.end());
        message.resize (length, 0x55);

        DSI_Program program;
        EXPECT_FALSE (program.load (message.data(), message.size())) << length << " bytes";
        EXPECT_EQ (program.getData(), ParTable::initialRecord()) << length << " bytes";
    }
}

TEST (DSI_Program, NamesReadAndWriteSixteenCharacters)
{
    DSI_Program program;
    EXPECT_EQ (program.getName(), "Basic Program   ");

    auto record = program.getData();
    record[65] = 7;
    record[66] = 31;
    program.setRaw (record.data());
    EXPECT_EQ (program.getName(), "AAsic Program   ");

    record[81] = 'x';
    record[84] = 'y';
    program.setRaw (record.data());

    const struct { juce::String text; std::string stored; } cases[] = {
        { "Twenty characters!!!", "Twenty character" },
        { "Pad", "Pad             " },
        { "", "                " },
        // characters above code 159 have no place on the instrument's display
        { juce::String (juce::CharPointer_UTF8 ("Caf\xc3\xa9 \xe2\x82\xac")), "Caf" + std::string (13, ' ') },
        { juce::String (juce::CharPointer_UTF8 ("\xe6\xbc\xa2\xe5\xad\x97")) + "ok", "  ok" + std::string (12, ' ') },
    };

    for (const auto& c : cases)
    {
        program.setName (c.text);
        const auto data = program.getData();
        EXPECT_EQ (std::string (data.begin() + 65, data.begin() + 81), c.stored) << c.text;
        EXPECT_EQ (data[81], 'x');
        EXPECT_EQ (data[84], 'y');
        EXPECT_EQ (program.getName().length(), 16);
    }
}

TEST (DSI_Program, ShortRecordsReadZeroBeyondTheirEnd)
{
    DSI_Program program;
    const uint8_t bytes[] = { 1, 2, 3 };
    program.setData (bytes, sizeof (bytes));

    EXPECT_EQ (program.size(), 3);
    const auto data = program.getData();
    EXPECT_EQ (data[2], 3);
    EXPECT_EQ (data[3], 0);
    EXPECT_EQ (program.getName(), "AAAAAAAAAAAAAAAA");

    program.unpack (bytes, sizeof (bytes));
    EXPECT_EQ (program.size(), 0);
}
