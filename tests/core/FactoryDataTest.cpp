#include "groups/Bank_Program.h"
#include "groups/FactoryData.h"
#include "model/ParTable.h"

#include <gtest/gtest.h>

#include <set>

TEST (FactoryData, BlockLayoutAndMarkers)
{
    const auto& block = FactoryData::block();
    ASSERT_EQ (block.size(), 25626u);
    EXPECT_EQ (std::string (block.begin(), block.begin() + 13), "Proph05 Data>");
    EXPECT_EQ (std::string (block.end() - 13, block.end()), "<Proph05 Data");

    EXPECT_EQ (FactoryData::group (0), block.data() + 13);
    EXPECT_EQ (FactoryData::group (4), block.data() + 13 + 4 * 5120);
    EXPECT_EQ (FactoryData::group (5), nullptr);
    EXPECT_EQ (FactoryData::group (-1), nullptr);
}

TEST (FactoryData, EveryProgramIsOneTheInstrumentAccepts)
{
    const ParTable table;
    const auto& initial = ParTable::initialRecord();
    std::set<juce::String> names;

    for (int f = 0; f < FactoryData::numGroups; ++f)
    {
        Bank_Program group ("Factory");
        group.loadFactoryGroup (f);
        ASSERT_EQ (group.numRecords(), 40);

        for (int i = 0; i < 40; ++i)
        {
            const auto record = group.programRecord (i);
            const auto where = "group " + std::to_string (f) + " program " + std::to_string (i);

            for (int p = 0; p < 128; ++p)
            {
                if (p == 63 || p == 64 || p == 88 || p >= 94)
                    EXPECT_EQ (record[(size_t) p], initial[(size_t) p]) << where << " byte " << p;
                else
                {
                    EXPECT_GE (record[(size_t) p], table.getMinimum (p)) << where << " byte " << p;
                    EXPECT_LE (record[(size_t) p], table.getMaximum (p)) << where << " byte " << p;
                }
            }

            const auto name = group.programName (i);
            EXPECT_TRUE (name.isNotEmpty()) << where;
            EXPECT_TRUE (names.insert (name).second) << where << ": \"" << name << "\" twice";
            EXPECT_GE (record[93], 1) << where << " has no category";
            EXPECT_LE (record[93], 15) << where;
            EXPECT_GT (record[89], 0) << where << " is silent";
        }
    }

    EXPECT_EQ (names.size(), 200u);
}
