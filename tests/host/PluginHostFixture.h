#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

/** A built plug-in, scanned and opened the way a host does it. */
struct HostedPlugin
{
    juce::PluginDescription description;
    std::unique_ptr<juce::AudioPluginInstance> instance;
    juce::String error;
};

HostedPlugin scanAndOpen (juce::AudioPluginFormat& format, const juce::String& path,
                          double sampleRate = 48000.0, int blockSize = 512);

/** Runs the message loop for a while, so windows and the plug-in's own timers get their turn. */
void pumpMessages (int milliseconds);
