#include "PluginHostFixture.h"

HostedPlugin scanAndOpen (juce::AudioPluginFormat& format, const juce::String& path,
                          double sampleRate, int blockSize)
{
    HostedPlugin hosted;

    if (! format.fileMightContainThisPluginType (path))
    {
        hosted.error = "the format does not recognise " + path;
        return hosted;
    }

    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, path);

    if (found.isEmpty())
    {
        hosted.error = "scanning found no plug-in in " + path;
        return hosted;
    }

    hosted.description = *found.getFirst();
    hosted.instance = format.createInstanceFromDescription (hosted.description, sampleRate, blockSize, hosted.error);
    return hosted;
}

void pumpMessages (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}
