#include "midi/SampleRateIndex.h"

namespace morvex
{
int sampleRateIndex (int sampleRateHz) noexcept
{
    switch (sampleRateHz)
    {
        case 48000:  return 1;
        case 88200:  return 2;
        case 96000:  return 3;
        case 176400: return 4;
        case 192000: return 5;
        default:     return 0;
    }
}
}
