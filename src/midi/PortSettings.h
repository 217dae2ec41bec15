#pragma once

#include <juce_core/juce_core.h>

/** The chosen ports as kept in "prophet5plports.dat": input name, 0x0F, output name, 0x10, a third
    port name kept unchanged, 0x11, the SysEx size choice in decimal, 0x12. */
struct PortSettings
{
    static constexpr const char* none = "NONE";

    juce::String input { none }, output { none }, third { none }, sysexSize { "0" };

    /** Reads the file's bytes: the last occurrence of each marker counts, and what a missing marker
        would delimit keeps its default. sysexChoice receives the size choice when the file names a
        non-zero one. Returns false for a file of 2 bytes or fewer, which should be rewritten. */
    static bool parse (const void* data, size_t size, PortSettings& settings, int& sysexChoice);

    /** The file's bytes. Names are written as UTF-8, so any device name is found again. */
    juce::MemoryBlock serialise() const;
};
