#include "AllocationCounter.h"
#include "PlayingHead.h"
#include "ProcessorRig.h"

#include <functional>
#include <thread>

namespace
{
struct AudioThreadRun
{
    explicit AudioThreadRun (ProcessorRig& r) : rig (r)
    {
        // What a host does before it plays.
        rig.processor->setRateAndBufferSizeDetails (48000.0, blockSize);
        rig.processor->prepareToPlay (48000.0, blockSize);
        buffer.setSize (2, blockSize);
        host.ensureSize (8192);
    }

    /** Runs blocks as a host would; returns the allocations made inside processBlock and
        setParameter over the measured blocks (after a warm-up). */
    long run (int blocks, const std::function<void (int)>& beforeBlock = {})
    {
        long allocations = 0;
        for (int b = 0; b < blocks + 20; ++b)
        {
            host.clear();
            head.ppq += blockSize / 24000.0;

            const auto measured = b >= 20;
            if (measured)
                AllocationCounter::start();

            if (beforeBlock)
                beforeBlock (b);
            rig.processor->processBlock (buffer, host);

            if (measured)
                allocations += AllocationCounter::stop();

            juce::Thread::sleep (b % 8 == 0 ? 1 : 0); // lets the other threads run now and then, as between a host's blocks
        }
        return allocations;
    }

    static constexpr int blockSize = 512;
    ProcessorRig& rig;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer host;
    PlayingHead head;
};
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

TEST (RealtimeSafety, TheCounterSeesEveryKindOfHeapCall)
{
    // A pointer nobody looks at may let the compiler leave a call out; this one is looked at.
    void* volatile kept = nullptr;
    const auto counted = [] (const std::function<void()>& call)
    {
        AllocationCounter::start();
        call();
        return AllocationCounter::stop();
    };

    EXPECT_EQ (counted ([&] { kept = new char[16]; }), 1) << "new";
    EXPECT_EQ (counted ([&] { delete[] static_cast<char*> (kept); }), 1) << "delete";
    if (! AllocationCounter::countsMalloc())
        return;

    EXPECT_EQ (counted ([&] { kept = std::malloc (16); }), 1) << "malloc";
    EXPECT_EQ (counted ([&] { kept = std::realloc (kept, 4096); }), 1) << "realloc";
    EXPECT_EQ (counted ([&] { std::free (kept); }), 1) << "free";
    EXPECT_EQ (counted ([&] { kept = std::calloc (4, 4); }), 1) << "calloc";
    std::free (kept);
    EXPECT_EQ (counted ([&] { juce::HeapBlock<char> block (100); kept = block.get(); }), 2) << "the framework's own, taken and given back";
}

TEST (RealtimeSafety, TheAudioThreadNeverAllocates)
{
    ProcessorRig rig;
    AudioThreadRun audio (rig);

    EXPECT_EQ (audio.run (300), 0) << "idle";

    rig.engine().setSendClock (true);
    rig.processor->prepareToPlay (48000.0, AudioThreadRun::blockSize);
    rig.processor->setPlayHead (&audio.head);
    rig.instrument->clearLog();
    EXPECT_EQ (audio.run (300), 0) << "clock while playing";
    EXPECT_TRUE (rig.instrument->waitForDeliveries (100, 2000)) << "the clock really ran";

    EXPECT_EQ (audio.run (300, [&] (int b)
    {
        for (int k = 0; k < 32; ++k)
            audio.host.addEvent (juce::MidiMessage::noteOn (1, (k + b) % 128, (juce::uint8) 100), k * 16);
    }), 0) << "host MIDI passed thru";

    rig.engine().setInThru (true);
    std::atomic<bool> flowing { true };
    std::thread instrument ([&]
    {
        for (int i = 0; flowing; ++i)
        {
            rig.instrument->sendToSystem ({ 0x90, (uint8_t) (i % 128), 100 });
            if (i % 32 == 0)
                juce::Thread::sleep (1); // a dense stream, but one a cable could carry
        }
    });
    EXPECT_EQ (audio.run (300), 0) << "instrument messages flowing to the host";
    flowing = false;
    instrument.join();

    EXPECT_EQ (audio.run (300, [&] (int b)
    {
        rig.processor->setParameter (19, (float) (b % 120) / 120.0f);
        rig.processor->setParameter (5, (float) (b % 2));
    }), 0) << "automation";

    EXPECT_EQ (audio.run (300, [&] (int b)
    {
        audio.host.addEvent (juce::MidiMessage::controllerEvent (1, 32, b % 10), 0);
        audio.host.addEvent (juce::MidiMessage::programChange (1, b % 40), 1);
    }), 0) << "host bank select and program change";

    const auto dump = ProgramSysex::programDump (3, 7, ParTable::initialRecord());
    EXPECT_EQ (audio.run (300, [&] (int b)
    {
        audio.host.addEvent (dump.data(), (int) dump.size(), 0);
        audio.host.addEvent (juce::MidiMessage::noteOn (1, b % 128, (juce::uint8) 100), 100);
    }), 0) << "host SysEx passed thru";

    // The message thread's stores grow, copy and replace the groups the audio thread reads from.
    rig.engine().setProgramChangeAutomation (true);
    std::atomic<bool> storing { true };
    std::thread messageThread ([&]
    {
        auto record = ParTable::initialRecord();
        for (int i = 0; storing; ++i)
        {
            auto& group = rig.engine().getInstrumentBank (i % 10);
            record[13] = (uint8_t) (i & 0x7F);
            group.storeProgram (i % 40, record);
            group.setGroupData (group.getGroupData().data(), (size_t) Bank_Program::groupSize);
            rig.engine().storeProgram (false, 0, 0, record);
        }
    });
    EXPECT_EQ (audio.run (300, [&] (int b)
    {
        rig.processor->setParameter (19, (float) (b % 120) / 120.0f);
        rig.processor->setParameter (0, (float) (b % 400) / 399.0f);
    }), 0) << "automation while programs are stored";
    storing = false;
    messageThread.join();

    rig.processor->setPlayHead (nullptr);
}

TEST (RealtimeSafety, AnAudioThreadAtBlockRateBesideAnOpenEditor)
{
    ProcessorRig rig;
    AudioThreadRun prepared (rig);
    rig.engine().setSendClock (true);
    rig.engine().setInThru (true);
    rig.engine().setProgramChangeAutomation (true);
    std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
    editor->setSize (1200, 700);

    constexpr int blocks = 240; // 2.5 seconds of 512-sample blocks at 48 kHz
    std::atomic<bool> playing { true };
    std::atomic<long> allocations { 0 };
    std::atomic<int> played { 0 };

    // The host's audio thread: notes, the PROGRAM and FILTER CUTOFF parameters automated, bank
    // selects and program changes from the host, the clock running, each block on time.
    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, AudioThreadRun::blockSize);
        juce::MidiBuffer host;
        host.ensureSize (8192);
        PlayingHead head;
        rig.processor->setPlayHead (&head);
        const auto period = AudioThreadRun::blockSize / 48.0;
        auto due = juce::Time::getMillisecondCounterHiRes();

        for (int b = 0; b < blocks; ++b)
        {
            host.clear();
            host.addEvent (juce::MidiMessage::noteOn (1, 40 + b % 40, (juce::uint8) 100), 0);
            host.addEvent (juce::MidiMessage::noteOff (1, 40 + b % 40), 400);
            if (b % 16 == 8)
            {
                host.addEvent (juce::MidiMessage::controllerEvent (1, 32, b % 10), 100);
                host.addEvent (juce::MidiMessage::programChange (1, b % 40), 101);
            }
            head.ppq += AudioThreadRun::blockSize / 24000.0;

            AllocationCounter::start();
            rig.processor->setParameter (19, (float) (b % 120) / 120.0f);
            if (b % 16 == 0)
                rig.processor->setParameter (0, (float) (b % 400) / 399.0f);
            rig.processor->processBlock (buffer, host);
            allocations += AllocationCounter::stop();
            ++played;

            due += period;
            const auto early = due - juce::Time::getMillisecondCounterHiRes();
            if (early >= 1.0)
                juce::Thread::sleep ((int) early); // the rest of the block period, as a host waits for its device
        }
        rig.processor->setPlayHead (nullptr);
        playing = false;
    });

    // Meanwhile, on the message thread, what happens while a musician works: programs are stored,
    // the instrument's knobs move the panel's, and the editor is drawn.
    auto record = ParTable::initialRecord();
    for (int i = 0; playing; ++i)
    {
        record[13] = (uint8_t) (i & 0x7F);
        auto& group = rig.engine().getInstrumentBank (i % 10);
        group.storeProgram (i % 40, record);
        rig.engine().storeProgram (false, 0, i % 40, record);
        rig.instrument->turnKnob (17, i % 120);
        rig.engine().dispatchPendingNotifications();
        pumpPending();
        editor->createComponentSnapshot (editor->getLocalBounds());
    }
    audio.join();

    EXPECT_EQ (played.load(), blocks);
    EXPECT_EQ (allocations.load(), 0);
    editor.reset();
}

TEST (RealtimeSafety, ClockGoesOutOnlyWhenSwitchedOn)
{
    ProcessorRig rig;
    AudioThreadRun audio (rig);
    rig.processor->setPlayHead (&audio.head);
    rig.instrument->clearLog();

    audio.run (20);
    rig.settle();
    EXPECT_TRUE (rig.instrument->deliveries().empty()) << "Clock ON/OFF is off";

    rig.engine().setSendClock (true);
    audio.run (20);
    // 40 blocks of 512 samples at 120 bpm and 48 kHz: a tick every 1000 samples.
    ASSERT_TRUE (rig.instrument->waitForDeliveries (20, 2000));
    rig.settle();
    int ticks = 0;
    for (const auto& d : rig.instrument->deliveries())
        ticks += d.bytes == Bytes { 0xF8 } ? 1 : 0;
    EXPECT_GE (ticks, 20);

    rig.processor->setPlayHead (nullptr);
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
