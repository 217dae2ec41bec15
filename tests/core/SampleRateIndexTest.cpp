#include "midi/SampleRateIndex.h"

#include <gtest/gtest.h>

TEST (SampleRateIndex, KnownRatesAndEverythingElse)
{
    const struct { int rate, index; } cases[] = {
        { 44100, 0 }, { 48000, 1 }, { 88200, 2 }, { 96000, 3 }, { 176400, 4 }, { 192000, 5 },
        // rates without a delay of their own share the 44100 entry
        { 22050, 0 }, { 32000, 0 }, { 0, 0 }, { -48000, 0 }, { 384000, 0 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (morvex::sampleRateIndex (c.rate), c.index) << "rate " << c.rate;
}
