#pragma once

namespace morvex
{
/** The index of a sample rate in the per-rate delay table: 44100 → 0, 48000 → 1, 88200 → 2,
    96000 → 3, 176400 → 4, 192000 → 5. Any other rate shares the 44100 entry. */
int sampleRateIndex (int sampleRateHz) noexcept;
}
