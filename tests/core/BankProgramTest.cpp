#include "groups/Bank_Program.h"
#include "groups/FactoryData.h"
#include "model/DSI_Program.h"
#include "model/ParTable.h"

#include <gtest/gtest.h>

namespace
{
ProgramSysex::Record namedRecord (const juce::String& name, uint8_t marker)
{
    DSI_Program program;
    program.setName (name);
    auto record = program.getData();
    record[0] = marker;
    return record;
}

std::vector<uint8_t> dumps (int count, int firstMarker)
{
    std::vector<uint8_t> bytes;
    for (int k = 0; k < count; ++k)
    {
        const auto message = ProgramSysex::programDump (0, k % 40, namedRecord ("Dump " + juce::String (k), (uint8_t) (firstMarker + k)));
        bytes.insert (bytes.end(), message.begin(), message.end());
    }
    return bytes;
}
}

TEST (Bank_Program, StoringIntoAnEmptyGroupBuildsItUpInOrder)
{
    Bank_Program bank ("Program Group");
    EXPECT_EQ (bank.numRecords(), 0);
    EXPECT_EQ (bank.programRecord (0), ProgramSysex::Record {});

    for (int i = 0; i < 3; ++i)
        bank.storeProgram (i, namedRecord ("P" + juce::String (i), (uint8_t) i));

    EXPECT_EQ (bank.numRecords(), 3);
    EXPECT_EQ (bank.programName (2), "P2");
    EXPECT_EQ (bank.programRecord (3), ProgramSysex::Record {});

    // Overwriting in place keeps the size.
    bank.storeProgram (1, namedRecord ("Again", 9));
    EXPECT_EQ (bank.numRecords(), 3);
    EXPECT_EQ (bank.programName (1), "Again");
    EXPECT_EQ (bank.programRecord (1)[0], 9);

    // A record stored past the end lands at the end.
    bank.storeProgram (10, namedRecord ("Far", 4));
    EXPECT_EQ (bank.numRecords(), 4);
    EXPECT_EQ (bank.programName (3), "Far");
}

TEST (Bank_Program, LoadDumpsOverwritesOrReplacesByCount)
{
    Bank_Program group ("User Bank 0");
    group.initialise (false);
    const auto three = dumps (3, 100);
    group.loadDumps (three.data(), three.size());

    EXPECT_EQ (group.numRecords(), 40);
    EXPECT_EQ (group.programName (0), "Dump 0");
    EXPECT_EQ (group.programRecord (2)[0], 102);
    EXPECT_EQ (group.programName (3), "Basic Program");
    EXPECT_EQ (group.programRecord (39), ParTable::initialRecord());

    // A trailing partial dump is not a dump.
    auto withTail = dumps (2, 50);
    withTail.resize (withTail.size() + 100, 0x11);
    group.loadDumps (withTail.data(), withTail.size());
    EXPECT_EQ (group.programRecord (1)[0], 51);
    EXPECT_EQ (group.programRecord (2)[0], 102);

    Bank_Program library ("Library");
    const auto all = dumps (99, 0);
    library.loadDumps (all.data(), all.size());
    EXPECT_EQ (library.numRecords(), 99);
    EXPECT_EQ (library.programName (98), "Dump 98");

    group.loadDumps (all.data(), all.size());
    EXPECT_EQ (group.numRecords(), 99);
}

TEST (Bank_Program, NamesWithAndWithoutTrailingBlanks)
{
    Bank_Program bank ("Program Group");
    bank.initialise (false);
    EXPECT_EQ (bank.numRecords(), 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ (bank.programName (i), "Basic Program");

    const auto record = namedRecord ("Lead", 0);
    bank.storeProgramAndSingle (5, record);
    EXPECT_EQ (bank.programName (5), "Lead");
    EXPECT_EQ (bank.singleName(), "Lead            ");

    bank.setProgramName (6, "A much longer name than fits");
    EXPECT_EQ (bank.programName (6), "A much longer na");
    EXPECT_EQ (bank.programRecord (6)[81], ParTable::initialRecord()[81]);
}

TEST (Bank_Program, SingleProgramAndCopies)
{
    Bank_Program bank ("Program Group");
    bank.initialise (true);
    EXPECT_EQ (bank.single(), ParTable::initialRecord());
    EXPECT_EQ (bank.getGroupData(), std::vector<uint8_t> (FactoryData::group (0), FactoryData::group (0) + FactoryData::groupSize));

    const uint8_t shortRecord[] = { 1, 2, 3 };
    bank.setSingle (shortRecord, sizeof (shortRecord));
    auto expected = ProgramSysex::Record {};
    expected[0] = 1; expected[1] = 2; expected[2] = 3;
    EXPECT_EQ (bank.single(), expected);

    EXPECT_EQ (bank.copySingleTo (7), expected);
    EXPECT_EQ (bank.programRecord (7), expected);
    EXPECT_EQ (bank.numRecords(), 40);

    const auto dump = bank.programDump (7);
    DSI_Program program;
    ASSERT_TRUE (program.load (dump.data(), dump.size()));
    EXPECT_EQ (program.getData(), expected);

    bank.loadFactoryGroup (4);
    ASSERT_EQ (bank.numRecords(), 40);
    const auto data = bank.getGroupData();
    EXPECT_TRUE (std::equal (data.begin(), data.end(), FactoryData::group (4)));

    const auto before = bank.getGroupData();
    bank.loadFactoryGroup (5);
    bank.loadFactoryGroup (-1);
    EXPECT_EQ (bank.getGroupData(), before);
}
