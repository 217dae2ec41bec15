#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

namespace
{
juce::JUCEApplicationBase* noApplication() { return nullptr; }
}

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);

    // The test process plays the part of a desktop application. Only then does the framework
    // install its X error handlers; without them the first window property that names an atom only
    // a window manager defines (the tests' display has no window manager) aborts the process.
    juce::JUCEApplicationBase::createInstance = &noApplication;

    // Creates the message manager; the calling thread becomes the message thread.
    juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
