#pragma once

#include "model/ProgramSysex.h"

#include <juce_core/juce_core.h>

#include <vector>

/** The program library's file (".p5_l"): "PX______Libr>", the N program records in library order,
    "<PX______Libr"; 26 + 128 × N bytes. The markers are written but never checked: a reader skips
    the first 13 bytes and takes every whole record after them, so the closing marker, shorter than
    a record, is never read as one, and a file without it loads all the same. */
namespace LibraryFile
{
constexpr int markerSize = 13;
constexpr const char* openingMarker = "PX______Libr>";
constexpr const char* closingMarker = "<PX______Libr";

/** How many records a file of this size holds. */
constexpr size_t recordsIn (size_t size) noexcept
{
    return size > (size_t) markerSize ? (size - (size_t) markerSize) / (size_t) ProgramSysex::recordSize : 0;
}

std::vector<ProgramSysex::Record> read (const void* data, size_t size);

/** The file's bytes; empty for an empty library, which is never written. */
juce::MemoryBlock write (const std::vector<ProgramSysex::Record>& records);
}
