#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** Reading and writing the system's files so that a crash, a full disk or a failed write never
    leaves a truncated file nor loses the previous one: the new content goes to a temporary file
    beside the target, which then replaces the target in one rename. */
namespace SafeFile
{
/** Writes through `write`, which returns false to abandon the file (the target stays as it was).
    Creates the folder when missing. Returns true when the target now holds the new content. */
bool replace (const juce::File& target, const std::function<bool (juce::OutputStream&)>& write);

bool replaceWith (const juce::File& target, const void* data, size_t size);

/** As `replaceWith`, but a target that already holds exactly these bytes is left untouched: the
    settings and groups written whenever a plug-in instance closes are mostly unchanged, and a
    host scanning plug-ins opens and closes instances by the dozen. */
bool replaceIfChanged (const juce::File& target, const void* data, size_t size);

/** The whole file; empty when it is missing or unreadable. */
juce::MemoryBlock read (const juce::File& file);
}
