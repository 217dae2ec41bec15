#include "support/EngineTestSupport.h"
#include "plugin/SettingsFolder.h"

namespace
{
Bytes portsFile (std::initializer_list<std::string> parts)
{
    Bytes bytes;
    for (const auto& part : parts)
        bytes.insert (bytes.end(), part.begin(), part.end());
    return bytes;
}

const std::string in = "\x0f", out = "\x10", third = "\x11", end = "\x12";
}

TEST (PortSettings, FileBytesGiveSettings)
{
    const struct
    {
        const char* what;
        Bytes file;
        const char *input, *output, *thirdName, *sysex;
        int choice;
        bool usable;
    } cases[] = {
        { "complete", portsFile ({ "Synth In", in, "Synth Out", out, "NONE", third, "1", end }), "Synth In", "Synth Out", "NONE", "1", 1, true },
        { "input only", portsFile ({ "NONE", in }), "NONE", "NONE", "NONE", "0", 0, true },
        { "input name, nothing else", portsFile ({ "Keys", in }), "Keys", "NONE", "NONE", "0", 0, true },
        { "no third marker: output stays", portsFile ({ "A In", in, "B Out", out }), "A In", "NONE", "NONE", "0", 0, true },
        { "size text not a number", portsFile ({ "X12", in, "Y12", out, "Z", third, "abc", end }), "X12", "Y12", "Z", "0", 0, true },
        { "size 0", portsFile ({ "X12", in, "Y12", out, "Z", third, "0", end }), "X12", "Y12", "Z", "0", 0, true },
        { "last marker counts", portsFile ({ "a", in, "b", in, "Out", out, "T", third, "1", end }), "a\x0f" "b", "Out", "T", "1", 1, true },
        { "markers out of order read nothing past them", portsFile ({ "x", out, "In", in, "T", third }), "x\x10In", "", "In\x0fT", "0", 0, true },
        { "two bytes: rewrite", portsFile ({ "ab" }), "NONE", "NONE", "NONE", "0", 0, false },
        { "empty", Bytes {}, "NONE", "NONE", "NONE", "0", 0, false },
    };

    for (const auto& c : cases)
    {
        PortSettings settings;
        int choice = 0;
        EXPECT_EQ (PortSettings::parse (c.file.data(), c.file.size(), settings, choice), c.usable) << c.what;
        EXPECT_EQ (settings.input, juce::String (c.input)) << c.what;
        EXPECT_EQ (settings.output, juce::String (c.output)) << c.what;
        EXPECT_EQ (settings.third, juce::String (c.thirdName)) << c.what;
        EXPECT_EQ (settings.sysexSize, juce::String (c.sysex)) << c.what;
        EXPECT_EQ (choice, c.choice) << c.what;
    }
}

TEST (PortSettings, SaveAndLoadRoundTrip)
{
    PortSettings saved;
    saved.input = juce::String (juce::CharPointer_UTF8 ("Caf\xc3\xa9 MIDI In"));
    saved.output = "USB MIDI Out 2";
    saved.third = "Third";
    saved.sysexSize = "1";

    const auto bytes = saved.serialise();
    PortSettings loaded;
    int choice = 0;
    ASSERT_TRUE (PortSettings::parse (bytes.getData(), bytes.getSize(), loaded, choice));
    EXPECT_EQ (loaded.input, saved.input);
    EXPECT_EQ (loaded.output, saved.output);
    EXPECT_EQ (loaded.third, saved.third);
    EXPECT_EQ (choice, 1);

    EXPECT_EQ (PortSettings().serialise(), juce::MemoryBlock ("NONE\x0fNONE\x10NONE\x11" "0\x12", 17));
}

TEST (Ports, AFreshStartWritesTheDefaultsAndOpensNothing)
{
    EngineRig rig;
    auto& engine = rig.start();
    EXPECT_FALSE (engine.getPorts().isInputOpen());
    EXPECT_FALSE (engine.getPorts().isOutputOpen());
    EXPECT_EQ (rig.folder.read (SettingsFolder::portsFileName), portsFile ({ "NONE", in, "NONE", out, "NONE", third, "0", end }));
}

TEST (Ports, ASavedPortIsFoundByNameAfterTheListChangedOrder)
{
    EngineRig rig ({ "Other One", "Other Two" });
    {
        auto& engine = rig.startConnected();
        EXPECT_TRUE (engine.getPorts().isOutputOpen());
        EXPECT_EQ (engine.getPorts().getOutputIndex(), 2);
        engine.getPorts().setSysexSizeChoice (1);
        engine.savePortSettings();
        rig.stop();
    }

    rig.devices->setVirtualDevices ({ rig.instrument, std::make_shared<SimulatedProphet> ("Other One") });
    auto& engine = rig.start();
    EXPECT_TRUE (engine.getPorts().isInputOpen());
    EXPECT_TRUE (engine.getPorts().isOutputOpen());
    EXPECT_EQ (engine.getPorts().getOutputIndex(), 0);
    EXPECT_EQ (engine.getPorts().getSysexSizeChoice(), 1);

    // And it talks to the right device.
    engine.sendRequest (MidiCntrState::editBufferRequest, 0, 0);
    EXPECT_TRUE (rig.instrument->waitForMessages (1, 2000));
}

TEST (Ports, SavedNamesThatOpenNothing)
{
    const struct { const char* what; std::string name; std::vector<juce::String> devices; int expectedIndex; } cases[] = {
        { "two characters", "AB", { "AB" }, -1 },
        { "device gone", "Gone Synth", { "Another" }, -1 },
        { "case differs", "simulated prophet-5", {}, -1 },
        { "first of two alike", "Twin", { "Twin", "Twin" }, 0 },
    };

    for (const auto& c : cases)
    {
        EngineRig rig (c.devices);
        rig.folder.write (SettingsFolder::portsFileName, portsFile ({ c.name, in, c.name, out, "NONE", third, "0", end }));
        auto& engine = rig.start();

        EXPECT_EQ (engine.getPorts().isOutputOpen(), c.expectedIndex >= 0) << c.what;
        EXPECT_EQ (engine.getPorts().getOutputIndex(), c.expectedIndex) << c.what;
        EXPECT_EQ (engine.getPortSettings().output, juce::String (c.name)) << c.what << ": the name is kept";
    }
}

TEST (Ports, ADeviceThatFailsToOpenStaysClosedAndSendsNothing)
{
    EngineRig rig;
    rig.instrument->setAvailable (false);
    auto& engine = rig.startConnected();

    EXPECT_FALSE (engine.getPorts().isOutputOpen());
    EXPECT_EQ (engine.getPorts().getOutputIndex(), 0);
    EXPECT_EQ (engine.getPortSettings().output, SimulatedProphet::defaultName);
    engine.sendParameter (3, 1, 0, 48000);
    engine.requestGlobals();
    rig.settle();
    EXPECT_TRUE (rig.instrument->deliveries().empty());
}

TEST (Ports, ChoosingNoneClosesAndIsRemembered)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    engine.selectInputPort (0);
    engine.selectOutputPort (0);
    EXPECT_FALSE (engine.getPorts().isInputOpen());
    EXPECT_FALSE (engine.getPorts().isOutputOpen());
    EXPECT_EQ (engine.getPortSettings().input, "NONE");
    engine.savePortSettings();
    rig.stop();

    auto& again = rig.start();
    EXPECT_FALSE (again.getPorts().isInputOpen());
    EXPECT_FALSE (again.getPorts().isOutputOpen());
}

TEST (Ports, ClosingWhileAnotherThreadSendsIsSafe)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    std::atomic<bool> running { true };

    std::thread sender ([&]
    {
        int v = 0;
        while (running)
            engine.sendParameter (17, (v++) % 120, 0, 48000);
    });

    for (int i = 0; i < 50; ++i)
    {
        engine.openOutput (0);
        engine.openOutput (1);
    }

    running = false;
    sender.join();

    // The port still works, and nothing was mangled on its way: every delivery is one whole
    // controller message of an NRPN on the instrument's channel.
    EXPECT_TRUE (engine.getPorts().isOutputOpen());
    rig.settle();
    const auto before = rig.instrument->deliveries().size();
    engine.sendParameter (3, 121, 0, 48000); // another number: the full form
    const auto all = rig.wire (before + 4);
    for (const auto& m : all)
        ASSERT_TRUE (m.size() == 3 && m[0] == 0xB0) << "a delivery of " << m.size() << " bytes";
    std::vector<int> last;
    for (auto m = all.end() - 4; m != all.end(); ++m)
        last.push_back ((*m)[1]);
    EXPECT_EQ (last, (std::vector<int> { 99, 98, 6, 38 }));
    EXPECT_EQ (all.back()[2], 121);
}
