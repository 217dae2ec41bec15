// The engine as the instrument, the host and the editor drive it, one fresh engine per input.
// Its output is the simulated instrument; its input is a driver this target plays itself: what
// the instrument answers waits there until the script delivers it, on this thread, so the
// engine's input is only ever called from here and a run repeats exactly. The script (see
// EngineScript.h) sends messages from the instrument's port (SysEx of any length, whole, in
// pieces or repeated), host blocks, group transfers and requests, edits, options, port changes
// and the instrument's own messages.
#include <algorithm>
#include "EngineScript.h"
#include "FuzzInput.h"
#include "groups/GroupsDataFile.h"
#include "midi/MidiCntrState.h"
#include "midi/SimulatedProphet.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <new>
#include <sanitizer/asan_interface.h>
#include <thread>
#include <unistd.h>

namespace
{
using namespace EngineScript;

/** The input port's driver. The instrument's thread only queues here. */
class Driver final : public VirtualMidiEndpoint,
                     public juce::MidiInputCallback
{
public:
    static constexpr const char* name = "Fuzz driver";

    juce::String getDeviceName() const override { return name; }
    void receive (const juce::MidiMessage&) override {} // as an output it is a cable to nowhere
    void connectInput (juce::MidiInputCallback* callback) override { engine = callback; }
    void disconnectInput (juce::MidiInputCallback* callback) override
    {
        if (engine == callback)
            engine = nullptr;
    }

    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        const juce::ScopedLock sl (lock);
        waiting.push_back (message);
    }

    bool takeWaiting (juce::MidiMessage& message)
    {
        const juce::ScopedLock sl (lock);
        if (waiting.empty())
            return false;
        message = waiting.front();
        waiting.pop_front();
        return true;
    }

    // A closed port hears nothing.
    void deliver (const juce::MidiMessage& message)
    {
        if (engine != nullptr)
            engine->handleIncomingMidiMessage (nullptr, message);
    }

    void deliverPartial (const uint8_t* bytes, int size)
    {
        if (engine != nullptr)
            engine->handlePartialSysexMessage (nullptr, bytes, size, 0.0);
    }

private:
    juce::MidiInputCallback* engine = nullptr; // this thread's
    juce::CriticalSection lock;
    std::deque<juce::MidiMessage> waiting;
};

/** The engine's output to the instrument, without the thread a device's port keeps for timed
    blocks: the engine times every message itself and hands each over at once, so that thread
    would only sleep, and stopping and starting it around every long SysEx (as the engine does)
    costs the framework milliseconds each time. */
class DirectOutput final : public MidiOutputPort
{
public:
    explicit DirectOutput (std::shared_ptr<VirtualMidiEndpoint> target) : device (std::move (target)) {}

    void sendMessageNow (const juce::MidiMessage& message) override
    {
        // Whatever the engine was given, a channel message it sends has all its bytes.
        const auto* bytes = message.getRawData();
        if (bytes[0] >= 0x80 && bytes[0] < 0xF0 && message.getRawDataSize() != juce::MidiMessage::getMessageLengthFromFirstByte (bytes[0]))
        {
            std::fprintf (stderr, "the engine sent a channel message of %d bytes\n", message.getRawDataSize());
            std::abort();
        }
        device->receive (message);
    }
    void sendBlockOfMessages (const juce::MidiBuffer&, double, double) override
    {
        std::fprintf (stderr, "the engine handed the device a block to time, which this output cannot\n");
        std::abort();
    }
    void clearAllPendingMessages() override {}
    void startBackgroundThread() override {}
    void stopBackgroundThread() override {}

private:
    std::shared_ptr<VirtualMidiEndpoint> device;
};

/** The simulated instrument and the driver as the engine's devices, listed and opened as
    MidiDevices does, but for the instrument's output. */
class Devices final : public MidiDeviceSeam
{
public:
    Devices (std::shared_ptr<SimulatedProphet> prophet, std::shared_ptr<VirtualMidiEndpoint> driver)
        : instrument (std::move (prophet))
    {
        listed.addVirtualDevice (instrument); // entry 1
        listed.addVirtualDevice (std::move (driver)); // entry 2
    }

    juce::StringArray getInputNames() override  { return listed.getInputNames(); }
    juce::StringArray getOutputNames() override { return listed.getOutputNames(); }
    std::unique_ptr<MidiInputPort> openInput (int index, juce::MidiInputCallback* callback) override
    {
        return listed.openInput (index, callback);
    }
    std::unique_ptr<MidiOutputPort> openOutput (int index) override
    {
        if (index == 0)
            return std::make_unique<DirectOutput> (instrument);
        return listed.openOutput (index);
    }

private:
    std::shared_ptr<SimulatedProphet> instrument;
    MidiDevices listed { false };
};

void writePlainly (const juce::File& file, const void* data, size_t size)
{
    if (auto* f = std::fopen (file.getFullPathName().toRawUTF8(), "wb"))
    {
        std::fwrite (data, 1, size, f);
        std::fclose (f);
    }
}

/** Where a rig lives: a settings folder, and the memory its engine is built in. The engine's
    queues make it half a megabyte, which the address sanitizer would map afresh for every input;
    kept here, it is mapped once. Between engines the memory is poisoned, so a use of an engine
    after its end is still caught. */
struct Place
{
    explicit Place (const juce::File& settingsFolder) : folder (settingsFolder)
    {
        ASAN_POISON_MEMORY_REGION (storage.get(), sizeof (MidiCntrState));
    }

    const juce::File folder;
    struct Free
    {
        void operator() (void* p) const
        {
            ASAN_UNPOISON_MEMORY_REGION (p, sizeof (MidiCntrState));
            ::operator delete (p, std::align_val_t (alignof (MidiCntrState)));
        }
    };
    const std::unique_ptr<void, Free> storage { ::operator new (sizeof (MidiCntrState), std::align_val_t (alignof (MidiCntrState))) };
};

struct Rig
{
    explicit Rig (Place& where) : place (where)
    {
        // Every input starts from the files a first run leaves behind: default settings and
        // ports, and no groups file (the factory set). Written plainly: they never change.
        static const auto settings = SettingsBlock::fromFileBytes (nullptr, 0).bytes();
        static const auto portsFile = PortSettings().serialise();
        const auto& folder = place.folder;
        folder.createDirectory();
        folder.getChildFile (SettingsFolder::groupsFileName).deleteFile();
        writePlainly (folder.getChildFile (SettingsFolder::settingsFileName), settings.data(), settings.size());
        writePlainly (folder.getChildFile (SettingsFolder::portsFileName), portsFile.getData(), portsFile.getSize());

        instrument = std::make_shared<SimulatedProphet>();
        instrument->setLogging (false);
        driver = std::make_shared<Driver>();
        instrument->connectInput (driver.get());

        devices = std::make_shared<Devices> (instrument, driver);

        ASAN_UNPOISON_MEMORY_REGION (place.storage.get(), sizeof (MidiCntrState));
        engine = new (place.storage.get()) MidiCntrState (devices, folder);
        engine->selectOutputPort (instrumentEntry);
        engine->selectInputPort (driverEntry);
    }

    ~Rig()
    {
        engine->~MidiCntrState();
        ASAN_POISON_MEMORY_REGION (place.storage.get(), sizeof (MidiCntrState));
        instrument->disconnectInput (driver.get());
    }

    /** Waits until everything the engine sent has reached the instrument (or was dropped) and
        everything the instrument answered has reached the driver. Only this thread calls the
        engine, so nothing starts again meanwhile: what the driver holds is then the same on
        every run. A wire that never goes quiet is a fault. */
    void settle()
    {
        const auto deadline = juce::Time::getMillisecondCounter() + 20000;
        for (int round = 0; ! (engine->getPorts().waitUntilDrained (0) && instrument->waitUntilAnswered (0)); ++round)
        {
            if (juce::Time::getMillisecondCounter() > deadline)
            {
                std::fprintf (stderr, "the engine's output or the instrument never went quiet\n");
                std::abort();
            }
            if (round < 1000)
                std::this_thread::yield();
            else
                juce::Thread::sleep (1);
        }
    }

    static constexpr int instrumentEntry = 1, driverEntry = 2;

    Place& place;
    std::shared_ptr<SimulatedProphet> instrument;
    std::shared_ptr<Driver> driver;
    std::shared_ptr<Devices> devices;
    MidiCntrState* engine = nullptr;
};

/** Rigs are taken apart on threads of their own. Stopping each of an engine's threads takes the
    framework a few milliseconds of sleep, and that, not the work, would set the pace; everything
    an input can influence has happened before a rig gets here (its wire settled, what its files
    will hold made), so a fault is still reported with the input that caused it. Each rig has a
    place of its own, so one being taken apart never writes into the next one's folder. */
class Teardown
{
public:
    static constexpr int numWorkers = 8, numPlaces = numWorkers + 2;

    Teardown() : root (scratchRoot())
    {
        for (int i = 0; i < numPlaces; ++i)
        {
            places.push_back (std::make_unique<Place> (root.getChildFile (juce::String (i))));
            freePlaces.push_back (places.back().get());
        }
        for (int i = 0; i < numWorkers; ++i)
            workers.emplace_back ([this] { work(); });
    }

    ~Teardown()
    {
        {
            const std::lock_guard<std::mutex> l (lock);
            stopping = true;
        }
        changed.notify_all();
        for (auto& w : workers)
            w.join();
        root.deleteRecursively();
    }

    std::unique_ptr<Rig> makeRig()
    {
        std::unique_lock<std::mutex> l (lock);
        changed.wait (l, [this] { return ! freePlaces.empty(); });
        auto* place = freePlaces.back();
        freePlaces.pop_back();
        l.unlock();
        return std::make_unique<Rig> (*place);
    }

    void bury (std::unique_ptr<Rig> rig)
    {
        {
            const std::lock_guard<std::mutex> l (lock);
            dying.push_back (std::move (rig));
        }
        changed.notify_all();
    }

private:
    // The settings files are written with a flush to the disk: in memory, that costs nothing. A
    // run that ends on a finding leaves its folder behind; the next run clears those whose
    // process is gone.
    static juce::File scratchRoot()
    {
        const juce::File memory ("/dev/shm");
        const auto base = memory.isDirectory() ? memory : juce::File::getSpecialLocation (juce::File::tempDirectory);
        for (const auto& old : base.findChildFiles (juce::File::findDirectories, false, "morvex-fuzz-*"))
            if (! juce::File ("/proc/" + old.getFileName().fromLastOccurrenceOf ("-", false, false)).isDirectory())
                old.deleteRecursively();
        return base.getChildFile ("morvex-fuzz-" + juce::String ((int) ::getpid()));
    }

    void work()
    {
        std::unique_lock<std::mutex> l (lock);
        for (;;)
        {
            changed.wait (l, [this] { return stopping || ! dying.empty(); });
            if (dying.empty())
                return;
            auto rig = std::move (dying.front());
            dying.pop_front();
            auto* place = &rig->place;
            l.unlock();
            rig.reset();
            l.lock();
            freePlaces.push_back (place);
            changed.notify_all();
        }
    }

    const juce::File root;
    std::vector<std::unique_ptr<Place>> places;
    std::mutex lock;
    std::condition_variable changed;
    std::vector<Place*> freePlaces;
    std::deque<std::unique_ptr<Rig>> dying;
    bool stopping = false;
    std::vector<std::thread> workers;
};

/** A host runs a block every few milliseconds and takes what the instrument's port passed
    through. Here the port can deliver thousands of messages between two host blocks, far more
    than a host ever lets wait, and inserting into a buffer that long costs time, not coverage. */
void hostTakesThru (MidiCntrState& e)
{
    {
        const juce::ScopedLock sl (e.getEngineLock());
        if (e.getToHostBuffer().getNumEvents() < 256)
            return;
    }
    juce::MidiBuffer taken;
    e.handleHostMidi (taken, 512, 48000);
}

bool isCutShort (const uint8_t* bytes, size_t size)
{
    return bytes[0] >= 0x80 && bytes[0] < 0xF0 && (int) size < juce::MidiMessage::getMessageLengthFromFirstByte (bytes[0]);
}

/** Channel messages cut short are no messages, from the port or the host alike: whatever brings
    only those must leave the program, the edit buffer and the queues as they were. */
template <typename Action>
void changesNothing (MidiCntrState& e, Action&& act)
{
    std::vector<int32_t> events;
    std::vector<MidiCntrState::HostParam> params;
    e.drainEvents (events);
    e.drainHostParams (params);
    const auto bank = e.getCurrentBank(), program = e.getCurrentProgram();
    const auto editBuffer = e.getEditBuffer();

    // A running transfer moves on from its own thread (a transmission hands over its dumps there):
    // what it posts meanwhile is its own doing, not the message's.
    const auto transferRunning = e.isBusy();

    act();

    events.clear();
    params.clear();
    e.drainEvents (events);
    e.drainHostParams (params);
    if (transferRunning || e.isBusy())
        events.erase (std::remove_if (events.begin(), events.end(), [] (int32_t code)
        {
            return (code & 0xFF000000) == StateEvent::transferProgress || code == StateEvent::mirrorChanged
                || code == StateEvent::transferFinished;
        }), events.end());
    if (e.getCurrentBank() != bank || e.getCurrentProgram() != program || e.getEditBuffer() != editBuffer
        || ! events.empty() || ! params.empty())
    {
        std::fprintf (stderr, "a message cut short was acted on\n");
        std::abort();
    }
}

ProgramSysex::Record recordFrom (FuzzInput& in)
{
    ProgramSysex::Record record {};
    size_t taken = 0;
    const auto* bytes = in.run (record.size(), taken);
    std::copy_n (bytes, taken, record.begin());
    return record;
}

constexpr int transferKinds[] = { MidiCntrState::receiveOneGroup, MidiCntrState::receiveUserGroups,
                                  MidiCntrState::receiveFactoryGroups, MidiCntrState::receiveAllGroups };
constexpr int requestKinds[] = { MidiCntrState::programRequest, MidiCntrState::editBufferRequest,
                                 MidiCntrState::globalsRequest, 0 };
// Any rate a host may run at, and none: the engine must take each. Host messages are due up to a
// block after they arrive, and settling waits for them: rates far below these, or blocks far
// longer than 256 samples, would make that seconds.
constexpr int hostRates[] = { 44100, 48000, 88200, 96000, 192000, 22050, 0, -1 };
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Teardown teardown;
    auto rigOwner = teardown.makeRig();
    auto& rig = *rigOwner;
    auto& e = *rig.engine;
    // Receives wait for answers the script delivers, never for the clock: no request is repeated
    // from the transfer's thread while an input runs.
    e.getGroupTransfer().setAnswerTimeout (1.0e9);
    auto& prophet = *rig.instrument;
    FuzzInput in (data, size);

    const auto options = in.byte();
    e.setInThru ((options & inThru) != 0);
    e.setProgramChangeAutomation ((options & programChangeAutomation) != 0);
    e.setHostThru ((options & hostThruOff) == 0);
    e.getPorts().setSysexSizeChoice ((options & largeSysexPieces) != 0 ? 1 : 0);
    prophet.setSysexPieceSize ((options & instrumentPieces) != 0 ? 7 : 0);

    juce::MidiMessage lastPortMessage;
    bool havePortMessage = false;
    size_t repeatsLeft = 8192, repeatBytesLeft = 1 << 18;
    juce::MidiBuffer host;
    std::vector<int32_t> events;
    std::vector<MidiCntrState::HostParam> params;
    double syncNow = 1.0e6; // the instrument sync's clock, driven by the script

    while (! in.empty())
    {
        const auto step = in.byte() % numSteps;

        switch (step)
        {
            case portMessage:
            case portPartial:
            {
                size_t taken = 0;
                const auto* bytes = in.run (in.length(), taken);
                if (taken == 0)
                    break;
                if (step == portPartial)
                {
                    rig.driver->deliverPartial (bytes, (int) taken);
                    break;
                }
                lastPortMessage = juce::MidiMessage (bytes, (int) taken);
                havePortMessage = true;
                if (isCutShort (bytes, taken))
                    changesNothing (e, [&] { rig.driver->deliver (lastPortMessage); });
                else
                    rig.driver->deliver (lastPortMessage);
                break;
            }

            case portRepeat:
            {
                // Enough to run a SysEx past the engine's limit, but not minutes of copying: an
                // input repeats 8,192 messages or 256 kB at most, whichever comes first.
                const auto size = (size_t) std::max (1, lastPortMessage.getRawDataSize());
                const auto count = std::min<size_t> ({ 1 + 8 * (size_t) in.byte(), repeatsLeft, repeatBytesLeft / size });
                repeatsLeft -= count;
                repeatBytesLeft -= count * size;
                for (size_t i = 0; havePortMessage && i < count; ++i)
                {
                    rig.driver->deliver (lastPortMessage);
                    if (i % 256 == 255)
                        hostTakesThru (e);
                }
                break;
            }

            case deliverAnswers:
            {
                const auto count = 1 + in.byte() % 32;
                juce::MidiMessage answer;
                for (int i = 0; i < count; ++i)
                {
                    rig.settle();
                    if (! rig.driver->takeWaiting (answer))
                        break;
                    rig.driver->deliver (answer);
                }
                break;
            }

            case receive:
            {
                const auto kind = transferKinds[in.byte() % 4];
                e.startTransfer (kind, in.byte() % 12);
                break;
            }

            case transfer:
            {
                const auto what = in.byte(), value = in.byte();
                switch (what % 5)
                {
                    case 0: e.cancelTransfer(); break;
                    case 1: e.retryFailedTransfer(); break;
                    case 2: (void) e.getTransferStatus(); break;
                    case 3: e.transferReportSeen(); break;
                    default: e.startTransfer (MidiCntrState::transmitOneGroup, value % 12); break;
                }
                break;
            }

            case request:
            {
                const auto kind = in.byte(), group = in.byte(), program = in.byte();
                if (kind % 5 == 4)
                    e.requestGlobals();
                else
                    e.sendRequest (requestKinds[kind % 4], group % 12, program % 48);
                break;
            }

            case selectProgram:
            {
                const auto what = in.byte();
                const auto index = (int) (int16_t) in.u16();
                const auto flags = in.byte();
                if (what % 2 == 0)
                    e.selectProgram (index % 450, (flags & 1) != 0, (flags & 2) != 0);
                else
                    e.programChangeIn ((index >> 8) % 12, (index & 0xFF) % 128);
                break;
            }

            case edit:
            {
                const auto what = in.byte();
                const auto number = in.u16(), value = in.u16();
                const auto delay = in.byte();
                switch (what % 5)
                {
                    case 0: e.sendParameter (number % 128, value % 1024, delay % 3, 48000.0); break;
                    case 1: e.sendNrpn (number, value); break;
                    case 2: e.setGlobal (number % 110, value % 256); break;
                    case 3: e.sendPitchWheelToAll (number % 18, value); break; // the wheels
                    default: e.sendController (number % 18, number >> 8, value); break;
                }
                break;
            }

            case store:
            {
                const auto what = in.byte(), group = in.byte(), program = in.byte(), origin = in.byte();
                const auto record = recordFrom (in);
                const auto from = (InstrumentSync::Origin) (1 + origin % 5);
                if (what % 3 == 2)
                    e.replaceEditBuffer (record, from);
                else
                    e.storeProgram (what % 3 == 1, group % 12, program % 48, record, from);
                break;
            }

            case syncPoll:
            {
                syncNow += 4.0 * in.byte();
                const auto contact = in.byte();
                if (contact % 4 == 0)
                    e.getInstrumentSync().contactLost();
                e.getInstrumentSync().poll (syncNow);
                break;
            }

            case option:
            {
                const auto what = in.byte(), value = in.byte();
                switch (what % 10)
                {
                    case 0: e.setInThru ((value & 1) != 0); break;
                    case 1: e.setHostThru ((value & 1) != 0); break;
                    case 2: e.setProgramChangeAutomation ((value & 1) != 0); break;
                    case 3: e.setMidiChannel (value % 18); break;
                    case 4: e.changeChannel (value % 18); break;
                    case 5: e.setSampleRate (hostRates[value % 8]); break;
                    case 6:
                        e.setSendProgramOnLoad ((value & 1) != 0);
                        e.setSendProgramChanges ((value & 2) != 0);
                        break;
                    case 7: e.setSendClock ((value & 1) != 0); break;
                    case 8: e.getSettings().setByte (SettingsBlock::keyPlayOffset, value & 1); break; // computer-key play
                    default:
                    {
                        // A few milliseconds at most: settling waits them out.
                        std::array<int, MidiCntrState::numDelays> delays {};
                        for (auto& d : delays)
                            d = in.byte() % 3;
                        e.setLatency ((value & 1) != 0 ? SettingsBlock::defaultLatencyMode : 0, delays);
                        break;
                    }
                }
                break;
            }

            case engineSysex:
            {
                // A long SysEx drops what waits to be sent; settled first, that is always the same.
                rig.settle();
                const auto what = in.byte();
                if (what % 3 == 0)
                {
                    // The engine sends SysEx of its own making: F0, 7-bit bytes, F7, of any length.
                    size_t taken = 0;
                    const auto* bytes = in.run (in.length(), taken);
                    ProgramSysex::Message message { ProgramSysex::sysexStart };
                    for (size_t i = 0; i < taken; ++i)
                        message.push_back ((uint8_t) (bytes[i] & 0x7F));
                    message.push_back (ProgramSysex::sysexEnd);
                    e.sendSysEx (message);
                }
                else if (what % 3 == 1)
                {
                    e.sendEditBufferDump (recordFrom (in));
                }
                else
                {
                    const auto group = in.byte(), program = in.byte();
                    e.sendProgramDump (group % 12, program % 48, recordFrom (in));
                }
                break;
            }

            case ports:
            {
                // Closing the output drops what waits; settled first, that is always the same.
                rig.settle();
                switch (in.byte() % 8)
                {
                    case 0: e.selectOutputPort (0); break;
                    case 1: e.selectOutputPort (Rig::instrumentEntry); break;
                    case 2: e.selectOutputPort (Rig::driverEntry); break;
                    case 3: e.selectOutputPort (7); break; // no such device
                    case 4: e.selectInputPort (0); break;
                    case 5: e.savePortSettings(); break;
                    case 6: e.loadPortSettings(); break;
                    // Never the instrument as input: its thread would then call the engine too.
                    default: e.selectInputPort (Rig::driverEntry); break;
                }
                break;
            }

            case hostBlock:
            {
                const auto numSamples = 1 + in.byte();
                const auto rate = hostRates[in.byte() % 8];
                const auto count = in.byte() % 8;
                host.clear();
                auto cutShort = 0;
                for (int i = 0; i < count; ++i)
                {
                    const auto position = in.byte() % numSamples;
                    size_t taken = 0;
                    const auto* bytes = in.run (in.length(), taken);
                    if (taken == 0)
                        continue;
                    host.addEvent (bytes, (int) taken, position);
                    cutShort += isCutShort (bytes, taken) ? 1 : 0;
                }

                if (cutShort > 0 && cutShort == host.getNumEvents())
                    changesNothing (e, [&] { e.handleHostMidi (host, numSamples, rate); });
                else
                    e.handleHostMidi (host, numSamples, rate);
                break;
            }

            case keys:
            {
                const auto what = in.byte(), code = in.byte();
                switch (what % 4)
                {
                    case 0: e.keyPlay (code); break;
                    case 1: e.keyRelease ([code] (int letter) { return ((code >> (letter % 8)) & 1) != 0; }); break;
                    case 2: e.noteOffFromKey (code - 64); break;
                    default: e.releaseKeyNotes(); break;
                }
                break;
            }

            case instrument:
            {
                // What the instrument does changes what it answers: settled first, it changes the
                // same answers on every run.
                rig.settle();
                const auto what = in.byte(), value = in.byte();
                switch (what % 7)
                {
                    case 0: prophet.turnKnob (value % 110, in.u16() % 1024); break;
                    case 1: prophet.setSysexPieceSize (value % 40); break;
                    case 2: prophet.setGlobalDumpLength (value); break;
                    case 3: prophet.setSilent ((value & 1) != 0); break;
                    case 4: prophet.setGlobal (value % 100, in.byte()); break; // its channel among them
                    case 5: prophet.setProgram (value % 10, in.byte() % 40, recordFrom (in)); break;
                    default:
                    {
                        size_t taken = 0;
                        const auto* bytes = in.run (in.length(), taken);
                        if (taken > 0)
                            prophet.sendToSystem (std::vector<uint8_t> (bytes, bytes + taken));
                        break;
                    }
                }
                break;
            }

            default:
                events.clear();
                params.clear();
                e.drainEvents (events);
                e.drainHostParams (params);
                break;
        }

        hostTakesThru (e);
    }

    e.drainEvents (events);
    e.drainHostParams (params);

    // The engine's end writes its settings and its mirror of the instrument. What it writes is
    // made here, where a fault is still this input's; the writing is the same for every input.
    rig.settle();
    (void) e.getSettings().bytes();
    GroupsDataFile::Groups groups {};
    for (int g = 0; g < GroupsDataFile::numGroups; ++g)
        groups[(size_t) g] = &e.getInstrumentBank (g);
    (void) GroupsDataFile::make (groups);
    teardown.bury (std::move (rigOwner));
    return 0;
}
