#include "support/EngineTestSupport.h"
#include "model/DSI_Program.h"
#include "midi/VirtualMidiOutputPort.h"

namespace
{
/** The simulated instrument with a port pair of its own, without an engine. */
struct Wired
{
    Wired()
    {
        instrument->connectInput (&answers);
        output.startBackgroundThread();
    }

    ~Wired() { instrument->disconnectInput (&answers); }

    void send (const Bytes& bytes) { output.sendMessageNow (juce::MidiMessage (bytes.data(), (int) bytes.size())); }

    std::shared_ptr<SimulatedProphet> instrument = std::make_shared<SimulatedProphet>();
    RecordingCallback answers;
    VirtualMidiOutputPort output { instrument };
};

Bytes join (const std::vector<Bytes>& pieces)
{
    Bytes all;
    for (const auto& p : pieces)
        all.insert (all.end(), p.begin(), p.end());
    return all;
}
}

TEST (SimulatedProphet, AnswersRequestsWithTheInstrumentsDumps)
{
    Wired w;
    auto record = ParTable::initialRecord();
    record[17] = 64;
    w.instrument->setProgram (3, 17, record);
    w.instrument->setGlobal (2, 5);

    w.send (ProgramSysex::programDumpRequest (3, 17));
    w.send (ProgramSysex::editBufferDumpRequest());
    w.send (ProgramSysex::globalParameterRequest());
    ASSERT_TRUE (w.answers.waitFor (3));

    const auto answers = w.answers.messages();
    EXPECT_EQ (answers[0], ProgramSysex::programDump (3, 17, record));
    EXPECT_EQ (answers[1], ProgramSysex::editBufferDump (ParTable::initialRecord()));
    ASSERT_EQ (answers[2].size(), 105u);
    EXPECT_EQ (Bytes (answers[2].begin(), answers[2].begin() + 4), (Bytes { 0xF0, 0x01, 0x32, 0x0F }));
    EXPECT_EQ (answers[2][4 + 2], 5);
    EXPECT_EQ (answers[2].back(), 0xF7);

    // Out-of-range requests are not answered.
    w.send ({ 0xF0, 0x01, 0x32, 0x05, 10, 0, 0xF7 });
    EXPECT_TRUE (w.instrument->waitUntilAnswered (2000));
    EXPECT_EQ (w.answers.messages().size(), 3u);
}

TEST (SimulatedProphet, AnswersLateInPiecesOrNotAtAll)
{
    Wired w;
    w.instrument->setAnswerDelay (150);
    w.instrument->setSysexPieceSize (64);

    const auto asked = juce::Time::getMillisecondCounterHiRes();
    w.send (ProgramSysex::editBufferDumpRequest());
    ASSERT_TRUE (w.answers.waitFor (3));

    const auto pieces = w.answers.messages();
    ASSERT_EQ (pieces.size(), 3u);
    EXPECT_EQ (pieces[0].size(), 64u);
    EXPECT_EQ (pieces[0][0], 0xF0);
    EXPECT_EQ (pieces[2].size(), 157u - 128u);
    EXPECT_EQ (join (pieces), ProgramSysex::editBufferDump (ParTable::initialRecord()));
    EXPECT_GE (w.answers.arrivalTimes().front() - asked, 145.0);

    w.instrument->setSilent (true);
    w.send (ProgramSysex::globalParameterRequest());
    EXPECT_TRUE (w.instrument->waitUntilAnswered (2000));
    EXPECT_EQ (w.answers.messages().size(), 3u);
}

TEST (SimulatedProphet, PutsASysExSentInPiecesTogetherAsTheInstrumentWould)
{
    Wired w;
    auto record = ParTable::initialRecord();
    record[8] = 11;
    const auto dump = ProgramSysex::programDump (4, 39, record);

    // Pieces cut anywhere, with a clock byte in the middle as a real cable may carry.
    w.send (Bytes (dump.begin(), dump.begin() + 100));
    w.send ({ 0xF8 });
    w.send (Bytes (dump.begin() + 100, dump.begin() + 101));
    w.send (Bytes (dump.begin() + 101, dump.end()));

    EXPECT_EQ (w.instrument->getProgram (4, 39)[8], 11);
    const auto messages = w.instrument->messages();
    ASSERT_EQ (messages.size(), 2u);
    EXPECT_EQ (messages[0].bytes, Bytes { 0xF8 });
    EXPECT_EQ (messages[1].bytes, dump);
    EXPECT_EQ (w.instrument->deliveries().size(), 4u);
}

TEST (SimulatedProphet, AppliesParameterAndProgramMessages)
{
    Wired w;
    auto stored = ParTable::initialRecord();
    stored[13] = 55;
    w.instrument->setProgram (7, 12, stored);

    w.send ({ 0xB0, 99, 0 });
    w.send ({ 0xB0, 98, 17 });
    w.send ({ 0xB0, 6, 0 });
    w.send ({ 0xB0, 38, 90 });
    EXPECT_EQ (w.instrument->getEditBuffer()[17], 90);

    w.send ({ 0xB0, 38, 91 }); // the number is remembered
    EXPECT_EQ (w.instrument->getEditBuffer()[17], 91);

    w.send ({ 0xB1, 38, 5 }); // another channel: not for this instrument
    EXPECT_EQ (w.instrument->getEditBuffer()[17], 91);

    for (const Bytes& m : { Bytes { 0xB0, 99, 8 }, Bytes { 0xB0, 98, 3 }, Bytes { 0xB0, 6, 0 }, Bytes { 0xB0, 38, 2 } })
        w.send (m);
    EXPECT_EQ (w.instrument->getGlobals()[3], 2);

    w.send ({ 0xB0, 32, 7 });
    w.send ({ 0xC0, 12 });
    EXPECT_EQ (w.instrument->getCurrentGroup(), 7);
    EXPECT_EQ (w.instrument->getCurrentProgram(), 12);
    EXPECT_EQ (w.instrument->getEditBuffer()[13], 55);

    w.send (ProgramSysex::editBufferDump (ParTable::initialRecord()));
    EXPECT_EQ (w.instrument->getEditBuffer(), ParTable::initialRecord());
}

TEST (SimulatedProphet, TurnsItsOwnKnobs)
{
    Wired w;
    w.instrument->setGlobal (2, 4);
    w.instrument->turnKnob (17, 200);
    ASSERT_TRUE (w.answers.waitFor (4));

    EXPECT_EQ (w.answers.messages(), (std::vector<Bytes> { { 0xB3, 99, 0 }, { 0xB3, 98, 17 }, { 0xB3, 6, 1 }, { 0xB3, 38, 72 } }));
    EXPECT_EQ (w.instrument->getEditBuffer()[17], 200);
}
