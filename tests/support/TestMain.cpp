#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>
#include <string>

namespace
{
juce::JUCEApplicationBase* noApplication() { return nullptr; }

/** Every test process gets a home of its own, so the plug-in's machine-wide files (settings,
    ports, the program mirror) are written there and never into the user's. */
std::string makeScratchHome()
{
    std::string templ = "/tmp/morvex-test-home-XXXXXX";
    if (mkdtemp (templ.data()) == nullptr)
        return {};

    setenv ("HOME", templ.c_str(), 1);
    setenv ("XDG_CONFIG_HOME", (templ + "/.config").c_str(), 1);
    return templ;
}
}

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    const auto home = makeScratchHome();

    // The test process plays the part of a desktop application. Only then does the framework
    // install its X error handlers; without them the first window property that names an atom only
    // a window manager defines (the tests' display has no window manager) aborts the process.
    juce::JUCEApplicationBase::createInstance = &noApplication;

    int result = 0;
    {
        // Creates the message manager; the calling thread becomes the message thread.
        juce::ScopedJuceInitialiser_GUI framework;
        result = RUN_ALL_TESTS();
    }

    if (! home.empty())
        juce::File (home).deleteRecursively();

    return result;
}
