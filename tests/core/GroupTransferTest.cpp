#include "support/EngineTestSupport.h"
#include "groups/FactoryData.h"
#include "midi/GroupTransfer.h"

#include <map>
#include <optional>

namespace
{
using Slot = GroupTransfer::Slot;
using E = std::vector<int32_t>;

ProgramSysex::Record markedRecord (int mark)
{
    auto record = ParTable::initialRecord();
    record[13] = (uint8_t) (mark % 128);
    record[14] = (uint8_t) (mark / 128);
    return record;
}

/** The world of a transfer, recorded; answers are given by the test, after each call returns. */
struct FakeTarget final : GroupTransfer::Target
{
    void requestProgram (int g, int i) override { requests.push_back ({ g, i }); }
    void sendProgram (int g, int i, const ProgramSysex::Record& r) override { sent.push_back ({ g, i }); sentRecords.push_back (r); }
    ProgramSysex::Record storedProgram (int g, int i) override { return markedRecord (g * 40 + i); }
    void storeProgram (int g, int i, const ProgramSysex::Record& r) override { stored[{ g, i }] = r; }
    void post (int32_t event) override { events.push_back (event); }

    std::vector<Slot> requests, sent;
    std::vector<ProgramSysex::Record> sentRecords;
    std::map<std::pair<int, int>, ProgramSysex::Record> stored;
    E events;
};

/** Answers every request at once, as an instrument with no cable would. */
void answerAll (GroupTransfer& transfer, FakeTarget& target, double now)
{
    while (transfer.isReceiving())
    {
        const auto s = target.requests.back();
        transfer.dumpArrived (s.group, s.program, markedRecord (s.group * 40 + s.program), now);
    }
}

E events (MidiCntrState& engine)
{
    E out;
    engine.drainEvents (out);
    return out;
}

/** Every event up to the transfer's end: the engine stops being busy a moment before it posts the
    last of them. */
E eventsToTheEnd (MidiCntrState& engine)
{
    E got;
    waitUntil ([&]
    {
        engine.drainEvents (got);
        return ! got.empty() && got.back() == StateEvent::transferFinished;
    });
    return got;
}

int requestsFor (const SimulatedProphet& instrument, int group, int program)
{
    const auto request = ProgramSysex::programDumpRequest (group, program);
    int n = 0;
    for (const auto& m : instrument.messages())
        n += m.bytes == request ? 1 : 0;
    return n;
}

/** An instrument whose every slot holds a program of its own. */
void fillInstrument (SimulatedProphet& instrument)
{
    for (int n = 0; n < 400; ++n)
        instrument.setProgram (n / 40, n % 40, markedRecord (1000 + n));
}

}

TEST (GroupTransferRules, EachKindCoversItsGroupsInOrder)
{
    const struct
    {
        const char* what;
        int kind, group;
        Slot first, last;
        size_t count;
    } cases[] = {
        { "Factory Group 5", GroupTransfer::receiveOneGroup, 9, { 9, 0 }, { 9, 39 }, 40 },
        { "user groups", GroupTransfer::receiveUserGroups, 0, { 0, 0 }, { 4, 39 }, 200 },
        { "factory groups", GroupTransfer::receiveFactoryGroups, 0, { 5, 0 }, { 9, 39 }, 200 },
        { "all groups", GroupTransfer::receiveAllGroups, 0, { 0, 0 }, { 9, 39 }, 400 },
        { "a group that is not there", GroupTransfer::receiveOneGroup, 10, {}, {}, 0 },
        { "a kind that is not there", 3, 0, {}, {}, 0 },
    };

    for (const auto& c : cases)
    {
        FakeTarget target;
        GroupTransfer transfer (target, false);
        const auto started = transfer.start (c.kind, c.group, 0, 0.0);
        ASSERT_EQ (started, c.count > 0) << c.what;
        if (! started)
        {
            EXPECT_TRUE (target.requests.empty()) << c.what;
            continue;
        }

        answerAll (transfer, target, 0.0);
        ASSERT_EQ (target.requests.size(), c.count) << c.what;
        EXPECT_EQ (target.requests.front(), c.first) << c.what;
        EXPECT_EQ (target.requests.back(), c.last) << c.what;
        EXPECT_EQ (target.requests, GroupTransfer::slotsFor (c.kind, c.group)) << c.what;
        for (size_t k = 1; k < c.count; ++k)
            ASSERT_EQ (target.requests[k].group * 40 + target.requests[k].program,
                       target.requests[k - 1].group * 40 + target.requests[k - 1].program + 1) << c.what << " in order";
        EXPECT_EQ (target.stored.size(), c.count) << c.what;

        // progress for every slot, then the groups changed and the end
        ASSERT_EQ (target.events.size(), c.count + 2) << c.what;
        EXPECT_EQ (target.events[c.count - 1], StateEvent::transfer (c.last.group, c.last.program)) << c.what;
        EXPECT_EQ (E (target.events.end() - 2, target.events.end()), (E { StateEvent::mirrorChanged, StateEvent::transferFinished })) << c.what;

        const auto status = transfer.status (0.0);
        EXPECT_FALSE (status.running);
        EXPECT_TRUE (status.unseen) << "nobody has been told yet";
        EXPECT_EQ (status.arrived, (int) c.count);
        EXPECT_TRUE (status.failed.empty());
    }
}

TEST (GroupTransferRules, AnUnansweredSlotIsAskedForAgainThenReportedAndRetried)
{
    FakeTarget target;
    GroupTransfer transfer (target, false);
    ASSERT_TRUE (transfer.start (GroupTransfer::receiveOneGroup, 2, 0, 0.0));
    EXPECT_FALSE (transfer.start (GroupTransfer::receiveAllGroups, 0, 0, 0.0)) << "one at a time";
    transfer.dumpArrived (2, 0, markedRecord (80), 10.0);
    ASSERT_EQ (target.requests.back(), (Slot { 2, 1 }));

    // (2, 1) is asked for at 10 ms and never answered: asked again each time the answer is late,
    // three times, then given up on, and the transfer moves on.
    const auto timeout = GroupTransfer::answerTimeoutMs;
    EXPECT_NEAR (transfer.service (11.0), timeout - 1.0, 1e-9) << "sleeps until the answer is late";
    for (int retry = 1; retry <= GroupTransfer::maxRetries; ++retry)
    {
        const auto late = 10.0 + retry * timeout;
        transfer.service (late - 1.0);
        EXPECT_EQ (target.requests.size(), (size_t) (1 + retry)) << "not before the answer is late";
        transfer.service (late);
        ASSERT_EQ (target.requests.size(), (size_t) (2 + retry));
        EXPECT_EQ (target.requests.back(), (Slot { 2, 1 }));
    }
    transfer.service (10.0 + (GroupTransfer::maxRetries + 1) * timeout);
    EXPECT_EQ (target.requests.back(), (Slot { 2, 2 }));
    EXPECT_EQ (target.events.back(), StateEvent::transfer (2, 1)) << "the bar moves past it";
    const auto mid = transfer.status (2100.0);
    EXPECT_EQ (mid.settled, 2);
    EXPECT_EQ (mid.arrived, 1);
    EXPECT_GT (mid.remainingMs, 0.0);

    answerAll (transfer, target, 2100.0);
    auto status = transfer.status (2100.0);
    EXPECT_EQ (status.arrived, 39);
    EXPECT_EQ (status.failed, (std::vector<Slot> { { 2, 1 } }));
    EXPECT_EQ (target.stored.count ({ 2, 1 }), 0u);

    // "Retry failed" asks for that slot alone.
    const auto before = target.requests.size();
    ASSERT_TRUE (transfer.retryFailed (3000.0));
    EXPECT_EQ (target.requests.size(), before + 1);
    EXPECT_EQ (target.requests.back(), (Slot { 2, 1 }));
    answerAll (transfer, target, 3000.0);
    status = transfer.status (3000.0);
    EXPECT_TRUE (status.retry);
    EXPECT_EQ (status.total, 1);
    EXPECT_EQ (status.arrived, 1);
    EXPECT_TRUE (status.failed.empty());
    EXPECT_FALSE (transfer.retryFailed (3000.0)) << "nothing left to retry";
}

TEST (GroupTransferRules, OnlyTheAwaitedAnswerMovesTheTransferOn)
{
    FakeTarget target;
    GroupTransfer transfer (target, false);
    transfer.start (GroupTransfer::receiveOneGroup, 0, 0, 0.0);
    for (int i = 0; i < 3; ++i)
        transfer.dumpArrived (0, i, markedRecord (i), 1.0);
    ASSERT_EQ (target.requests.size(), 4u);

    // another slot, and a repeat of an answered one (as after a retry crossing a late answer):
    // both kept, neither moves the sequence on
    EXPECT_TRUE (transfer.dumpArrived (0, 7, markedRecord (7), 2.0));
    EXPECT_TRUE (transfer.dumpArrived (0, 2, markedRecord (2), 2.0));
    EXPECT_EQ (target.requests.size(), 4u);
    EXPECT_EQ (target.stored.count ({ 0, 7 }), 1u);
    EXPECT_EQ (transfer.status (2.0).settled, 3);

    transfer.dumpArrived (0, 3, markedRecord (3), 3.0);
    EXPECT_EQ (target.requests.back(), (Slot { 0, 4 }));

    // answers still on their way when it ends only fill the mirror; later dumps are the
    // instrument's own again
    answerAll (transfer, target, 100.0);
    const auto quiet = GroupTransfer::answerTimeoutMs * (GroupTransfer::maxRetries + 1);
    EXPECT_TRUE (transfer.dumpArrived (0, 39, markedRecord (39), 100.0 + quiet - 1.0));
    EXPECT_FALSE (transfer.dumpArrived (0, 39, markedRecord (39), 100.0 + quiet));
    EXPECT_FALSE (transfer.dumpArrived (5, 0, markedRecord (200), 101.0)) << "a slot it never asked for is the instrument's own";
}

TEST (GroupTransferRules, AnInstrumentThatStopsAnsweringEndsTheTransferWithAReport)
{
    FakeTarget target;
    GroupTransfer transfer (target, false);
    transfer.start (GroupTransfer::receiveAllGroups, 0, 0, 0.0);
    transfer.dumpArrived (0, 0, markedRecord (0), 1.0);

    double now = 1.0;
    while (transfer.isRunning() && now < 60000.0)
        now += juce::jmax (1.0, transfer.service (now));

    const auto status = transfer.status (now);
    EXPECT_TRUE (status.stopped);
    EXPECT_EQ (status.arrived, 1);
    EXPECT_EQ (status.failed.size(), 399u) << "the rest is reported, not waited for";
    EXPECT_EQ (target.requests.size(), 1u + GroupTransfer::maxSilentSlots * (1 + GroupTransfer::maxRetries));
    EXPECT_NEAR (now, 1.0 + GroupTransfer::maxSilentSlots * (1 + GroupTransfer::maxRetries) * GroupTransfer::answerTimeoutMs, 1.0);
}

TEST (GroupTransferRules, TransmissionsGoOutAtTheCablesPaceAndStopOnCancel)
{
    FakeTarget target;
    GroupTransfer transfer (target, false);
    ASSERT_TRUE (transfer.start (GroupTransfer::transmitUserGroups, 0, 0, 0.0));
    EXPECT_FALSE (transfer.isReceiving());

    // Each turn sends one dump and says when the next is due: as the one before it is about to
    // leave the cable, so no more than one ever waits ahead of it.
    double now = 0.0, lastSendAt = 0.0;
    std::vector<double> sendTimes;
    while (transfer.isRunning())
    {
        const auto sentBefore = target.sent.size();
        const auto wait = transfer.service (now);
        if (target.sent.size() > sentBefore)
            sendTimes.push_back (now);
        ASSERT_LE (target.sent.size(), sentBefore + 1) << "one dump a turn";
        lastSendAt = now;
        now += juce::jmax (0.5, wait);
    }
    ASSERT_EQ (target.sent.size(), 200u);
    EXPECT_EQ (target.sent, GroupTransfer::slotsFor (GroupTransfer::transmitUserGroups, 0));
    EXPECT_EQ (target.sentRecords[57], markedRecord (57)) << "each group's own programs to the same slots";
    for (size_t k = 1; k < sendTimes.size(); ++k)
        ASSERT_GE (sendTimes[k] - sendTimes[k - 1], GroupTransfer::dumpWireMs - GroupTransfer::handOverLeadMs - 1e-6);
    EXPECT_NEAR (lastSendAt, 199 * GroupTransfer::dumpWireMs - GroupTransfer::handOverLeadMs, 1.0) << "and no slower";
    EXPECT_EQ (E (target.events.end() - 2, target.events.end()), (E { StateEvent::mirrorChanged, StateEvent::transferFinished }));

    // One group written elsewhere: the source group's programs, addressed to the target group.
    FakeTarget other;
    GroupTransfer one (other, false);
    ASSERT_TRUE (one.start (GroupTransfer::transmitOneGroup, 3, 7, 0.0));
    for (double t = 0.0; other.sent.size() < 5; t += GroupTransfer::dumpWireMs)
        one.service (t);
    EXPECT_EQ (other.sent[4], (Slot { 3, 4 }));
    EXPECT_EQ (other.sentRecords[4], markedRecord (7 * 40 + 4));

    // CANCEL: nothing more goes out.
    one.cancel (300.0);
    for (double t = 300.0; t < 1000.0; t += 10.0)
        one.service (t);
    EXPECT_EQ (other.sent.size(), 5u);
    const auto status = one.status (1000.0);
    EXPECT_TRUE (status.cancelled);
    EXPECT_FALSE (status.unseen) << "whoever cancelled has seen it";
    EXPECT_EQ (status.arrived, 5);
}

//==============================================================================
// With the engine and the simulated instrument

TEST (GroupTransfer, ReceivingTheUserGroupsFillsTheMirror)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    for (int g = 0; g < 10; ++g)
        for (int i = 0; i < 40; ++i)
            rig.instrument->setProgram (g, i, markedRecord (g * 10 + i % 10));

    engine.selectProgram (213, false, false);
    const auto editBefore = engine.getEditBuffer();
    rig.instrument->clearLog();
    events (engine);

    engine.startTransfer (MidiCntrState::receiveUserGroups, 0);
    ASSERT_TRUE (waitUntil ([&] { return ! engine.isBusy(); }, 10000));

    std::vector<Bytes> expectedRequests;
    for (int g = 0; g < 5; ++g)
        for (int i = 0; i < 40; ++i)
            expectedRequests.push_back (ProgramSysex::programDumpRequest (g, i));
    EXPECT_EQ (deliveredBytes (*rig.instrument), expectedRequests);

    E expectedEvents;
    for (int g = 0; g < 5; ++g)
        for (int i = 0; i < 40; ++i)
            expectedEvents.push_back (StateEvent::transfer (g, i));
    expectedEvents.push_back (StateEvent::mirrorChanged);
    expectedEvents.push_back (StateEvent::transferFinished);
    EXPECT_EQ (eventsToTheEnd (engine), expectedEvents);

    for (int g = 0; g < 5; ++g)
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ (engine.getInstrumentBank (g).programRecord (i)[13], g * 10 + i % 10) << g << "/" << i;
    EXPECT_EQ (engine.getInstrumentBank (5).programRecord (0)[13], FactoryData::group (0)[13]);

    EXPECT_EQ (engine.getCurrentBank(), 5);
    EXPECT_EQ (engine.getCurrentProgram(), 13);
    EXPECT_EQ (engine.getEditBuffer(), editBefore);
    EXPECT_FALSE (engine.isReceiving());
}

TEST (GroupTransfer, FactoryGroupFiveEndsAfterItsLastProgram)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    rig.instrument->setSysexPieceSize (50); // answers arrive in pieces
    rig.settle();
    events (engine);
    rig.instrument->clearLog();
    ASSERT_TRUE (engine.startTransfer (MidiCntrState::receiveOneGroup, 9));
    ASSERT_TRUE (waitUntil ([&] { return ! engine.isBusy(); }, 5000));

    EXPECT_EQ (deliveredBytes (*rig.instrument).front(), (Bytes { 0xF0, 0x01, 0x32, 0x05, 0x09, 0x00, 0xF7 }));
    const auto got = eventsToTheEnd (engine);
    ASSERT_EQ (got.size(), 42u);
    EXPECT_EQ (got.front(), StateEvent::transfer (9, 0));
    EXPECT_EQ (got[39], StateEvent::transfer (9, 39));
    EXPECT_EQ (got.back(), StateEvent::transferFinished);
}


TEST (GroupTransfer, AnswersLostCutShortOrMisaddressedAreAskedForAgain)
{
    using F = SimulatedProphet::Fault;
    const struct { const char* what; F fault; } cases[] = {
        { "lost", F::drop },
        { "cut short", F::truncate },
        { "for the next slot", F::wrongSlot },
    };

    for (const auto& c : cases)
    {
        EngineRig rig;
        auto& engine = rig.startConnected();
        fillInstrument (*rig.instrument);
        rig.settle();
        rig.instrument->clearLog();
        rig.instrument->setProgramAnswerFault (3, c.fault); // the answer for (1, 2)

        ASSERT_TRUE (engine.startTransfer (MidiCntrState::receiveOneGroup, 1));
        ASSERT_TRUE (waitUntil ([&] { return ! engine.isBusy(); }, 10000)) << c.what;

        const auto status = engine.getTransferStatus();
        EXPECT_EQ (status.arrived, 40) << c.what;
        EXPECT_TRUE (status.failed.empty()) << c.what;
        EXPECT_EQ (requestsFor (*rig.instrument, 1, 2), 2) << c.what << ": asked again once";
        EXPECT_EQ (requestsFor (*rig.instrument, 1, 3), 1) << c.what << ": and the sequence goes on once";
        for (int i = 0; i < 40; ++i)
            ASSERT_EQ (engine.getInstrumentBank (1).programRecord (i), rig.instrument->getProgram (1, i)) << c.what << ", slot " << i;
    }
}

TEST (GroupTransfer, ASlotThatNeverAnswersIsReportedAndRetryFetchesIt)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    fillInstrument (*rig.instrument);
    const auto before = engine.getInstrumentBank (6).programRecord (5);
    rig.instrument->setUnanswered (6, 5, true);

    ASSERT_TRUE (engine.startTransfer (MidiCntrState::receiveOneGroup, 6));
    ASSERT_TRUE (waitUntil ([&] { return ! engine.isBusy(); }, 15000));
    auto status = engine.getTransferStatus();
    EXPECT_EQ (status.arrived, 39);
    EXPECT_EQ (status.failed, (std::vector<Slot> { { 6, 5 } }));
    EXPECT_EQ (requestsFor (*rig.instrument, 6, 5), 1 + GroupTransfer::maxRetries);
    EXPECT_EQ (engine.getInstrumentBank (6).programRecord (5), before) << "kept as it was";
    EXPECT_EQ (engine.getInstrumentBank (6).programRecord (6), rig.instrument->getProgram (6, 6)) << "the rest arrived";

    rig.instrument->setUnanswered (6, 5, false);
    rig.instrument->clearLog();
    ASSERT_TRUE (engine.retryFailedTransfer());
    ASSERT_TRUE (waitUntil ([&] { return ! engine.isBusy(); }, 5000));
    status = engine.getTransferStatus();
    EXPECT_TRUE (status.failed.empty());
    EXPECT_EQ (status.arrived, 1);
    EXPECT_EQ (rig.instrument->messages().size(), 1u) << "only the missing slot is asked for";
    EXPECT_EQ (engine.getInstrumentBank (6).programRecord (5), rig.instrument->getProgram (6, 5));
}

TEST (GroupTransfer, AGroupWrittenToTheInstrumentArrivesWholeAndInOrder)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    engine.selectProgram (7 * 40 + 3, false, false); // the current group is the one sent
    for (int i = 0; i < 40; ++i)
        engine.getInstrumentBank (7).storeProgram (i, markedRecord (500 + i));
    rig.settle();
    rig.instrument->clearLog();

    ASSERT_TRUE (engine.startTransfer (MidiCntrState::transmitOneGroup, 2));
    ASSERT_TRUE (waitUntil ([&] { return ! engine.isBusy(); }, 10000));
    const auto wire = rig.wire (40);
    ASSERT_EQ (wire.size(), 40u);
    for (int i = 0; i < 40; ++i)
    {
        EXPECT_EQ (wire[(size_t) i], ProgramSysex::programDump (2, i, markedRecord (500 + i))) << i;
        EXPECT_EQ (rig.instrument->getProgram (2, i), markedRecord (500 + i));
    }
}

TEST (GroupTransfer, CancelStopsATransmissionAfterTheDumpInProgress)
{
    EngineRig rig;
    EXPECT_FALSE (rig.start().startTransfer (MidiCntrState::receiveOneGroup, 0)) << "nothing starts with nowhere to send";
    auto& engine = rig.startConnected();
    rig.settle();
    rig.instrument->clearLog();

    ASSERT_TRUE (engine.startTransfer (MidiCntrState::transmitUserGroups, 0));
    ASSERT_TRUE (rig.instrument->waitForMessages (3, 5000));
    engine.cancelTransfer();
    const auto sent = engine.getTransferStatus().arrived;
    rig.settle();

    // what was handed over before the cancel arrives whole and in order, and nothing after it
    const auto got = rig.instrument->messages();
    ASSERT_EQ ((int) got.size(), sent);
    EXPECT_LT (sent, 6) << "paced by the cable, not poured out";
    for (int k = 0; k < sent; ++k)
        EXPECT_EQ (got[(size_t) k].bytes, ProgramSysex::programDump (0, k, engine.getInstrumentBank (0).programRecord (k))) << k;
    EXPECT_FALSE (engine.isBusy());
}

TEST (GroupTransferRules, AWrittenSlotIsAskedBackAndCompared)
{
    const auto written = markedRecord (77);
    const struct
    {
        const char* what;
        std::optional<ProgramSysex::Record> answer;
        GroupTransfer::WriteCheck::State state;
    } cases[] = {
        { "the same program", written, GroupTransfer::WriteCheck::verified },
        { "the old program", markedRecord (1), GroupTransfer::WriteCheck::mismatch },
        { "no answer", std::nullopt, GroupTransfer::WriteCheck::noAnswer },
    };

    for (const auto& c : cases)
    {
        FakeTarget target;
        GroupTransfer transfer (target, false);
        ASSERT_TRUE (transfer.checkWrite ({ 7, 12 }, written, 0.0));
        EXPECT_EQ (target.requests, (std::vector<Slot> { { 7, 12 } }));
        EXPECT_EQ (transfer.writeCheck().state, GroupTransfer::WriteCheck::pending);
        EXPECT_FALSE (transfer.isRunning()) << "checking a write blocks nothing";

        double now = 0.0;
        if (c.answer)
            EXPECT_TRUE (transfer.dumpArrived (7, 12, *c.answer, 5.0)) << c.what;
        else
            while (transfer.writeCheck().state == GroupTransfer::WriteCheck::pending && now < 10000.0)
                now += juce::jmax (1.0, transfer.service (now));

        EXPECT_EQ (transfer.writeCheck().state, c.state) << c.what;
        EXPECT_EQ (transfer.writeCheck().record, written) << c.what << ": kept for writing again";
        EXPECT_TRUE (target.stored.empty()) << c.what << ": the answer never replaces what was written";
        EXPECT_EQ (target.events, (E { StateEvent::writeChecked })) << c.what;
        if (! c.answer)
        {
            EXPECT_EQ (target.requests.size(), 1u + GroupTransfer::maxRetries) << c.what;
        }
    }
}
