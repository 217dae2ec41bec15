#include "midi/SimulatedProphet.h"
#include "model/DSI_Program.h"
#include "model/ParTable.h"

namespace
{
int dataBytesFor (uint8_t status)
{
    switch (status & 0xF0)
    {
        case 0xC0:
        case 0xD0: return 1;
        case 0xF0:
            switch (status)
            {
                case 0xF1: case 0xF3: return 1;
                case 0xF2: return 2;
                default: return 0;
            }
        default: return 2;
    }
}
}

SimulatedProphet::SimulatedProphet (const juce::String& deviceName)
    : juce::Thread ("Simulated instrument"), name (deviceName)
{
    for (auto& slot : slots)
        slot = ParTable::initialRecord();
    editBuffer = ParTable::initialRecord();

    // The instrument's own start-up: no transposition, fine tune centred, channel 1, NRPN both ways.
    globals[0] = 12;
    globals[1] = 50;
    globals[2] = 1;
    globals[5] = 2;
    globals[6] = 2;

    outgoing.reserve (256);
    startThread();
}

SimulatedProphet::~SimulatedProphet()
{
    signalThreadShouldExit();
    wake.signal();
    stopThread (2000);
}

std::shared_ptr<SimulatedProphet> SimulatedProphet::shared()
{
    static const auto instrument = []
    {
        auto made = std::make_shared<SimulatedProphet>();
        const auto wire = juce::SystemStats::getEnvironmentVariable ("MORVEX_SIMULATOR_WIRE", {});
        if (juce::File::isAbsolutePath (wire))
            made->setWireFile (wire);
        return made;
    }();
    return instrument;
}

//==============================================================================
void SimulatedProphet::receive (const juce::MidiMessage& delivery)
{
    const auto time = juce::Time::getMillisecondCounterHiRes();
    const auto* data = delivery.getRawData();
    const auto size = delivery.getRawDataSize();

    const juce::ScopedLock sl (stateLock);
    if (logging)
        deliveryLog.push_back ({ time, std::vector<uint8_t> (data, data + size) });

    for (int i = 0; i < size; ++i)
        handleByte (data[i], time);
}

void SimulatedProphet::handleByte (uint8_t byte, double time)
{
    if (byte >= 0xF8) // real-time messages may appear anywhere, even inside a SysEx
    {
        handleMessage ({ byte }, time);
        return;
    }

    if (inSysex)
    {
        if (byte == 0xF7)
        {
            partial.push_back (byte);
            inSysex = false;
            auto message = std::move (partial);
            partial.clear();
            handleMessage (message, time);
            return;
        }

        if (byte < 0x80)
        {
            partial.push_back (byte);
            return;
        }

        inSysex = false; // a status byte ends an unterminated SysEx, which is dropped
        partial.clear();
    }

    if (byte == 0xF0)
    {
        inSysex = true;
        runningStatus = 0;
        partial.assign (1, byte);
        return;
    }

    if (byte >= 0x80)
    {
        runningStatus = byte < 0xF0 ? byte : 0;
        partial.assign (1, byte);
        if (dataBytesFor (byte) == 0)
        {
            handleMessage (partial, time);
            partial.clear();
        }
        return;
    }

    if (partial.empty())
    {
        if (runningStatus == 0)
            return; // a stray data byte
        partial.assign (1, runningStatus);
    }

    partial.push_back (byte);
    if ((int) partial.size() == 1 + dataBytesFor (partial[0]))
    {
        handleMessage (partial, time);
        partial.clear();
    }
}

void SimulatedProphet::setWireFile (const juce::File& file)
{
    const juce::ScopedLock sl (stateLock);
    wireFile = file;
}

void SimulatedProphet::handleMessage (const std::vector<uint8_t>& message, double time)
{
    if (logging)
        messageLog.push_back ({ time, message });

    if (wireFile != juce::File())
        wireFile.appendText (juce::String::toHexString (message.data(), (int) message.size()) + "\n");

    messageTime = time;
    if (message[0] == 0xF0)
        handleSysex (message);
    else if (message[0] < 0xF0)
        handleChannelMessage (message);
}

void SimulatedProphet::handleChannelMessage (const std::vector<uint8_t>& message)
{
    const int channel = (message[0] & 0x0F) + 1;
    const int listening = globals[2];
    if (listening != 0 && listening != channel)
        return;

    switch (message[0] & 0xF0)
    {
        case 0xB0:
        {
            const int value = message[2];
            switch (message[1])
            {
                case 99: nrpnMsb = value; break;
                case 98: nrpnLsb = value; break;
                case 6:  dataMsb = value; break;
                case 32: pendingBank = value; break;
                case 38:
                {
                    const int number = nrpnMsb * 128 + nrpnLsb;
                    const int v = dataMsb * 128 + value;

                    if (number < 100)
                        editBuffer[(size_t) number] = (uint8_t) juce::jmin (v, 255);

                    for (int k = 0; k < GlobalSettings::numGlobals; ++k)
                        if (GlobalSettings::global (k).nrpn == number)
                            globals[(size_t) k] = (uint8_t) juce::jmin (v, 255);
                    break;
                }
                default: break;
            }
            break;
        }

        case 0xC0:
            if (pendingBank < 10 && message[1] < 40)
            {
                currentGroup = pendingBank;
                currentProgram = message[1];
                editBuffer = slots[(size_t) (currentGroup * 40 + currentProgram)];
            }
            break;

        default:
            break;
    }
}

void SimulatedProphet::handleSysex (const std::vector<uint8_t>& m)
{
    if (m.size() >= 2 && m[1] == playKeysId)
    {
        // Someone at its keys: each (note, velocity) pair goes out as the instrument plays it.
        const auto status = (uint8_t) (0x90 | (sendingChannel() - 1));
        for (size_t i = 2; i + 2 < m.size(); i += 2)
            answer ({ m[i + 1] > 0 ? status : (uint8_t) (status - 0x10), m[i], m[i + 1] });
        return;
    }

    if (m.size() < 5 || m[1] != ProgramSysex::manufacturerId || m[2] != ProgramSysex::deviceId)
        return;

    switch (m[3])
    {
        case ProgramSysex::programDumpCommand:
            if (dumpsToIgnore > 0)
            {
                --dumpsToIgnore;
                break;
            }
            if (m.size() >= (size_t) ProgramSysex::programDumpSize && m[4] < 10 && m[5] < 40)
            {
                DSI_Program program;
                program.unpack (m.data() + ProgramSysex::programDumpPayload, (size_t) ProgramSysex::packedSize);
                slots[(size_t) (m[4] * 40 + m[5])] = program.getData();
            }
            break;

        case ProgramSysex::editBufferDumpCommand:
            if (m.size() >= (size_t) ProgramSysex::editBufferDumpSize)
            {
                DSI_Program program;
                program.unpack (m.data() + ProgramSysex::editBufferDumpPayload, (size_t) ProgramSysex::packedSize);
                editBuffer = program.getData();
            }
            break;

        case ProgramSysex::programDumpRequestCommand:
            if (m.size() >= 7 && m[4] < 10 && m[5] < 40)
                answerProgramRequest (m[4], m[5]);
            break;

        case ProgramSysex::editBufferDumpRequestCommand:
            answer (ProgramSysex::editBufferDump (editBuffer));
            break;

        case ProgramSysex::globalParameterRequestCommand:
        {
            std::vector<uint8_t> dump ((size_t) globalDumpLength + 5);
            dump[0] = 0xF0;
            dump[1] = ProgramSysex::manufacturerId;
            dump[2] = ProgramSysex::deviceId;
            dump[3] = ProgramSysex::globalParameterDumpCommand;
            std::copy_n (globals.begin(), globalDumpLength, dump.begin() + 4);
            dump.back() = 0xF7;
            answer (dump);
            break;
        }

        default:
            break;
    }
}

//==============================================================================
void SimulatedProphet::answerProgramRequest (int group, int index)
{
    const auto n = ++programAnswers;
    if (unansweredSlots.count (group * 40 + index) != 0 || (silentAfter >= 0 && n > silentAfter))
        return;

    const auto found = faults.find (n);
    const auto fault = found != faults.end() ? found->second : Fault::none;
    if (fault == Fault::drop || (dropEvery > 0 && n % dropEvery == 0))
        return;

    // the neighbouring slot, as an instrument that lost count would answer
    const auto slot = fault == Fault::wrongSlot ? (group * 40 + index + 1) % 400 : group * 40 + index;
    auto dump = ProgramSysex::programDump (slot / 40, slot % 40, slots[(size_t) slot]);
    if (fault == Fault::truncate)
    {
        dump.resize (dump.size() / 2);
        dump.push_back (0xF7);
    }
    answer (dump, messageTime);
}

void SimulatedProphet::answer (const std::vector<uint8_t>& message, double requestTime)
{
    if (silent)
        return;

    const auto piece = message.front() == 0xF0 && sysexPieceSize > 0 ? (size_t) sysexPieceSize : message.size();

    {
        const juce::ScopedLock sl (outLock);
        // on a cable, an answer starts when the one before it has left
        auto time = juce::Time::getMillisecondCounterHiRes() + answerDelayMs;
        if (wirePace > 0.0)
        {
            time = std::max (time, wireBusyUntil) + wirePace * (double) message.size() * 10.0 * 1000.0 / 31250.0;
            wireBusyUntil = time;
        }
        for (size_t start = 0; start < message.size(); start += piece)
        {
            const auto length = std::min (piece, message.size() - start);
            // the answer counts as handed over with its last piece
            const auto last = start + length >= message.size();
            outgoing.push_back ({ time, juce::MidiMessage (message.data() + start, (int) length), last ? requestTime : 0.0 });
            ++answersQueued;
        }
    }
    wake.signal();
}

void SimulatedProphet::sendToSystem (const std::vector<uint8_t>& bytes)
{
    const juce::ScopedLock sl (stateLock);
    answer (bytes);
}

int SimulatedProphet::sendingChannel() const
{
    return juce::jlimit (1, 16, (int) globals[2]);
}

void SimulatedProphet::turnKnob (int parameter, int value)
{
    const juce::ScopedLock sl (stateLock);
    if (juce::isPositiveAndBelow (parameter, 100))
        editBuffer[(size_t) parameter] = (uint8_t) value;

    const auto status = (uint8_t) (0xB0 | (sendingChannel() - 1));
    const std::pair<int, int> controllers[] = { { 99, parameter >> 7 }, { 98, parameter & 0x7F },
                                                { 6, (value >> 7) & 0x7F }, { 38, value & 0x7F } };
    for (const auto& [controller, data] : controllers)
        answer ({ status, (uint8_t) controller, (uint8_t) data });
}

void SimulatedProphet::connectInput (juce::MidiInputCallback* callback)
{
    const juce::ScopedLock sl (deliverLock);
    connected = callback;
}

void SimulatedProphet::disconnectInput (juce::MidiInputCallback* callback)
{
    // Waits for a delivery in progress: after this the callback is never called again.
    const juce::ScopedLock sl (deliverLock);
    if (connected == callback)
        connected = nullptr;
}

void SimulatedProphet::run()
{
    std::vector<juce::MidiMessage> due;

    while (! threadShouldExit())
    {
        auto waitMs = 50.0;
        {
            const juce::ScopedLock sl (outLock);
            const auto now = juce::Time::getMillisecondCounterHiRes();

            // Answers leave in the order they were given, each when its time has come.
            size_t n = 0;
            while (n < outgoing.size() && outgoing[n].time <= now)
            {
                if (outgoing[n].requestTime > 0.0)
                {
                    programAnswerMs += now - outgoing[n].requestTime;
                    ++programAnswersTimed;
                }
                due.push_back (outgoing[n++].message);
            }
            outgoing.erase (outgoing.begin(), outgoing.begin() + (std::ptrdiff_t) n);

            if (! outgoing.empty())
                waitMs = juce::jlimit (0.0, 50.0, outgoing.front().time - now);
        }

        {
            const juce::ScopedLock sl (deliverLock);
            for (const auto& message : due)
                if (connected != nullptr)
                    connected->handleIncomingMidiMessage (nullptr, message);
        }
        answersHandedOver += due.size();
        due.clear();

        if (waitMs > 0.0)
            wake.wait (juce::jmax (1, (int) waitMs));
    }
}

//==============================================================================
std::vector<SimulatedProphet::Received> SimulatedProphet::deliveries() const
{
    const juce::ScopedLock sl (stateLock);
    return deliveryLog;
}

std::vector<SimulatedProphet::Received> SimulatedProphet::messages() const
{
    const juce::ScopedLock sl (stateLock);
    return messageLog;
}

void SimulatedProphet::clearLog()
{
    const juce::ScopedLock sl (stateLock);
    deliveryLog.clear();
    messageLog.clear();
}

bool SimulatedProphet::waitForMessages (size_t count, int timeoutMs) const
{
    return waitUntil (messageLog, count, timeoutMs);
}

bool SimulatedProphet::waitForDeliveries (size_t count, int timeoutMs) const
{
    return waitUntil (deliveryLog, count, timeoutMs);
}

bool SimulatedProphet::waitUntilAnswered (int timeoutMs) const
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (answersHandedOver.load() < answersQueued.load())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return false;
        juce::Thread::sleep (1);
    }
    return true;
}

bool SimulatedProphet::waitUntil (const std::vector<Received>& log, size_t count, int timeoutMs) const
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    for (;;)
    {
        {
            const juce::ScopedLock sl (stateLock);
            if (log.size() >= count)
                return true;
        }
        if (juce::Time::getMillisecondCounter() >= end)
            return false;
        juce::Thread::sleep (2);
    }
}

void SimulatedProphet::setAnswerDelay (int milliseconds) { const juce::ScopedLock sl (stateLock); answerDelayMs = juce::jmax (0, milliseconds); }
void SimulatedProphet::setSysexPieceSize (int bytes)     { const juce::ScopedLock sl (stateLock); sysexPieceSize = juce::jmax (0, bytes); }
void SimulatedProphet::setSilent (bool shouldStaySilent) { const juce::ScopedLock sl (stateLock); silent = shouldStaySilent; }
void SimulatedProphet::setLogging (bool shouldLog)       { const juce::ScopedLock sl (stateLock); logging = shouldLog; }
void SimulatedProphet::setWirePace (double scale)        { const juce::ScopedLock sl (stateLock); wirePace = juce::jmax (0.0, scale); }
void SimulatedProphet::setDropEvery (int n)              { const juce::ScopedLock sl (stateLock); dropEvery = juce::jmax (0, n); }
void SimulatedProphet::ignoreProgramDumps (int n)       { const juce::ScopedLock sl (stateLock); dumpsToIgnore = juce::jmax (0, n); }
void SimulatedProphet::setSilentAfter (int n)            { const juce::ScopedLock sl (stateLock); silentAfter = n; }
void SimulatedProphet::setProgramAnswerFault (int n, Fault fault) { const juce::ScopedLock sl (stateLock); faults[n] = fault; }

void SimulatedProphet::setUnanswered (int group, int index, bool unanswered)
{
    const juce::ScopedLock sl (stateLock);
    if (unanswered)
        unansweredSlots.insert (group * 40 + index);
    else
        unansweredSlots.erase (group * 40 + index);
}

void SimulatedProphet::resetProgramAnswers()
{
    const juce::ScopedLock sl (stateLock);
    programAnswers = 0;
    dropEvery = 0;
    silentAfter = -1;
    faults.clear();
    unansweredSlots.clear();
    dumpsToIgnore = 0;

    // answers already on their way no longer count, and are not given
    const juce::ScopedLock ol (outLock);
    answersHandedOver += outgoing.size();
    outgoing.clear();
    wireBusyUntil = 0.0;
    programAnswersTimed = 0;
    programAnswerMs = 0.0;
}

int SimulatedProphet::getProgramAnswerCount() const { const juce::ScopedLock sl (stateLock); return programAnswers; }
int SimulatedProphet::getProgramAnswersHandedOver() const { const juce::ScopedLock ol (outLock); return programAnswersTimed; }
double SimulatedProphet::getProgramAnswerMs() const { const juce::ScopedLock ol (outLock); return programAnswerMs; }

void SimulatedProphet::setGlobalDumpLength (int payloadBytes)
{
    const juce::ScopedLock sl (stateLock);
    globalDumpLength = juce::jlimit (0, GlobalSettings::bufferSize, payloadBytes);
}

ProgramSysex::Record SimulatedProphet::getProgram (int group, int index) const
{
    const juce::ScopedLock sl (stateLock);
    return juce::isPositiveAndBelow (group * 40 + index, 400) ? slots[(size_t) (group * 40 + index)] : ProgramSysex::Record {};
}

void SimulatedProphet::setProgram (int group, int index, const ProgramSysex::Record& record)
{
    const juce::ScopedLock sl (stateLock);
    if (juce::isPositiveAndBelow (group, 10) && juce::isPositiveAndBelow (index, 40))
        slots[(size_t) (group * 40 + index)] = record;
}

ProgramSysex::Record SimulatedProphet::getEditBuffer() const { const juce::ScopedLock sl (stateLock); return editBuffer; }
void SimulatedProphet::setEditBuffer (const ProgramSysex::Record& record) { const juce::ScopedLock sl (stateLock); editBuffer = record; }
GlobalSettings::Buffer SimulatedProphet::getGlobals() const { const juce::ScopedLock sl (stateLock); return globals; }
int SimulatedProphet::getCurrentGroup() const   { const juce::ScopedLock sl (stateLock); return currentGroup; }
int SimulatedProphet::getCurrentProgram() const { const juce::ScopedLock sl (stateLock); return currentProgram; }

void SimulatedProphet::setGlobal (int index, uint8_t value)
{
    const juce::ScopedLock sl (stateLock);
    if (juce::isPositiveAndBelow (index, GlobalSettings::bufferSize))
        globals[(size_t) index] = value;
}
