#include "plugin/SafeFile.h"

#include <cstring>

namespace SafeFile
{
bool replace (const juce::File& target, const std::function<bool (juce::OutputStream&)>& write)
{
    if (! target.getParentDirectory().createDirectory())
        return false;

    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream stream (temporary.getFile());
        if (! stream.openedOk() || ! write (stream))
            return false;

        stream.flush();
        if (stream.getStatus().failed())
            return false;
    }

    return temporary.overwriteTargetFileWithTemporary();
}

bool replaceWith (const juce::File& target, const void* data, size_t size)
{
    return replace (target, [&] (juce::OutputStream& out) { return out.write (data, size); });
}

bool replaceIfChanged (const juce::File& target, const void* data, size_t size)
{
    if (target.getSize() == (juce::int64) size && size > 0)
    {
        const auto held = read (target);
        if (held.getSize() == size && std::memcmp (held.getData(), data, size) == 0)
            return true;
    }
    return replaceWith (target, data, size);
}

juce::MemoryBlock read (const juce::File& file)
{
    juce::MemoryBlock block;
    if (file.existsAsFile())
        file.loadFileAsData (block);
    return block;
}
}
