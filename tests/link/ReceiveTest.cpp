#include "link/CommEvents.h"
#include "link/FakeSerialPort.h"
#include "link/FrameBytes.h"
#include "link/ReceiveBuffer.h"
#include "link/ReplyCycle.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>

namespace {

using FirstByte = ReceiveBuffer::FirstByte;

TEST(ReceiveBuffer, EmptyInputChangesNothing) {
    FakeSerialPort port;
    ReceiveBuffer buffer;
    buffer.append("\x02GA", FirstByte::MustBeStx);
    EXPECT_FALSE(buffer.takeInput(port, FirstByte::MustBeStx));
    EXPECT_EQ(buffer.bytes(), "\x02GA");
}

TEST(ReceiveBuffer, TakesAndEmptiesThePortInput) {
    FakeSerialPort port;
    ASSERT_TRUE(port.setPortOpen(true));
    port.receive("\x02GAS");
    ReceiveBuffer buffer;
    EXPECT_TRUE(buffer.takeInput(port, FirstByte::MustBeStx));
    EXPECT_EQ(buffer.bytes(), "\x02GAS");
    EXPECT_TRUE(port.Input().isEmpty());
}

struct FirstByteCase {
    const char* name;
    QByteArrayList pieces;
    FirstByte rule;
    QByteArray left;
};

class FirstByteRuleTest : public ::testing::TestWithParam<FirstByteCase> {};

TEST_P(FirstByteRuleTest, LeavesTheBuffer) {
    ReceiveBuffer buffer;
    for (const QByteArray& piece : GetParam().pieces)
        buffer.append(piece, GetParam().rule);
    EXPECT_EQ(buffer.bytes(), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, FirstByteRuleTest,
    ::testing::Values(FirstByteCase{"LoneLineFeedDropped", {"\n", "\x02G"}, FirstByte::MustBeStx, "\x02G"},
                      FirstByteCase{"LoneStxKept", {"\x02", "G"}, FirstByte::MustBeStx, "\x02G"},
                      // The rule looks at the buffer after appending: two bytes at once stay.
                      FirstByteCase{"StrayWithMoreInOnePieceKept", {"\n\x02"}, FirstByte::MustBeStx, "\n\x02"},
                      FirstByteCase{"LaterNonStxKept", {"\x02", "\n"}, FirstByte::MustBeStx, "\x02\n"},
                      FirstByteCase{"KeepRuleKeepsStray", {"\n", "\x02G"}, FirstByte::Keep, "\n\x02G"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReceiveBuffer, CompleteMctcFrameEndsWithEtx) {
    ReceiveBuffer buffer;
    EXPECT_FALSE(buffer.endsWithEtx());
    buffer.append("\x02GAS\x03x", FirstByte::Keep);
    EXPECT_FALSE(buffer.endsWithEtx()) << "an ETX inside does not end it";
    buffer.append("\x03", FirstByte::Keep);
    EXPECT_TRUE(buffer.endsWithEtx());
}

TEST(ReceiveBuffer, BytesThatNeverMakeAFrameAreDroppedAtTheCapacity) {
    ReceiveBuffer buffer;
    const QByteArray junk(1000, 'x');
    for (int i = 0; i < 4; ++i)
        buffer.append(junk, FirstByte::Keep);
    buffer.append(QByteArray(ReceiveBuffer::Capacity - 4000, 'y'), FirstByte::Keep);
    EXPECT_EQ(buffer.bytes().size(), ReceiveBuffer::Capacity) << "up to the capacity everything stays";
    EXPECT_TRUE(buffer.append("\x03", FirstByte::Keep));
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_FALSE(buffer.endsWithEtx());
    // It goes on working afterwards.
    buffer.append("\x02OK\x03", FirstByte::MustBeStx);
    EXPECT_TRUE(buffer.endsWithEtx());
}

TEST(ReceiveBuffer, OneHugeInputIsDroppedWhole) {
    FakeSerialPort port;
    ASSERT_TRUE(port.setPortOpen(true));
    port.receive(QByteArray(100000, '\x03'));
    ReceiveBuffer buffer;
    EXPECT_TRUE(buffer.takeInput(port, FirstByte::Keep));
    EXPECT_TRUE(buffer.isEmpty());
}

struct EventCase {
    CommEventKind kind;
    const char* text;
    bool isError;
};

class CommEventTest : public ::testing::TestWithParam<EventCase> {};

TEST_P(CommEventTest, TextAndClass) {
    const CommEventText described = DescribeCommEvent(GetParam().kind);
    EXPECT_EQ(described.text, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(described.isError, GetParam().isError);
}

TEST_P(CommEventTest, ErrorsBeepOnceStatusChangesStaySilent) {
    RecordingDialogs dialogs;
    EXPECT_FALSE(TriageCommEvent(GetParam().kind, dialogs));
    EXPECT_EQ(dialogs.beeps, GetParam().isError ? 1 : 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, CommEventTest,
                         ::testing::Values(EventCase{CommEventKind::CtsChange, "Rilevata modifica in CTS", false},
                                           EventCase{CommEventKind::DsrChange, "Rilevata modifica in DSR", false},
                                           EventCase{CommEventKind::CdChange, "Rilevata modifica CD", false},
                                           EventCase{CommEventKind::Ring, "Il telefono sta suonando", false},
                                           EventCase{CommEventKind::EndOfFile, "Rilevata fine del file", false},
                                           EventCase{CommEventKind::Break, "Ricevuto segnale di interruzione", false},
                                           EventCase{CommEventKind::FramingError, "Errore di frame", false},
                                           EventCase{CommEventKind::ParityError, "Errore di parità", false},
                                           EventCase{CommEventKind::CtsTimeout, "Timeout CTS", true},
                                           EventCase{CommEventKind::DsrTimeout, "Timeout DSR", true},
                                           EventCase{CommEventKind::Overrun, "Errore di overrun", true},
                                           EventCase{CommEventKind::CdTimeout, "Timeout CD", true},
                                           EventCase{CommEventKind::ReceiveOverflow, "Overflow del buffer di ricezione",
                                                     true},
                                           EventCase{CommEventKind::TransmitFull, "Buffer di trasmissione pieno", true},
                                           EventCase{CommEventKind::Unknown, "Errore o evento sconosciuti", true},
                                           EventCase{CommEventKind::None, "Errore o evento sconosciuti", true}));

TEST(CommEventTriage, ReceiveIsHandedOnAndSendIgnored) {
    RecordingDialogs dialogs;
    EXPECT_TRUE(TriageCommEvent(CommEventKind::Receive, dialogs));
    EXPECT_FALSE(TriageCommEvent(CommEventKind::Send, dialogs));
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST(CommEventTriage, FakePortDeliversTheKindToOnComm) {
    FakeSerialPort port;
    RecordingDialogs dialogs;
    int received = 0;
    port.OnComm = [&] {
        if (TriageCommEvent(port.CommEvent(), dialogs))
            ++received;
    };
    port.raiseEvent(CommEventKind::ParityError);
    port.raiseEvent(CommEventKind::ReceiveOverflow);
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(received, 0);
    port.receive("lost");
    EXPECT_EQ(received, 0) << "nothing arrives at a closed port";
    ASSERT_TRUE(port.setPortOpen(true));
    port.receive("x");
    EXPECT_EQ(received, 1);
    port.setRThreshold(0);
    port.receive("y");
    EXPECT_EQ(received, 1) << "threshold 0 raises no receive events";
    port.setRThreshold(3);
    port.receive("z");
    EXPECT_EQ(received, 2);
    EXPECT_EQ(port.Input(), "xyz");
}

// A window's scheduler reduced to the cycle: it sends the request of its
// state whenever the cycle says so and shows "ERRORE COM" on a time-out.
struct PollingWindow {
    void tick() {
        switch (cycle.tick()) {
        case ReplyCycle::Step::Send: sent.append(state); break;
        case ReplyCycle::Step::TimedOut: status = "ERRORE COM"; break;
        case ReplyCycle::Step::Wait: break;
        }
    }
    ReplyCycle cycle;
    QByteArray state = "@VA";
    QByteArrayList sent;
    QByteArray status;
};

TEST(ReplyCycle, SilentInstrumentGivesErroreComAfter41TicksAndTheSameRequestAgain) {
    PollingWindow window;
    window.cycle.ReplyReady = 1;
    window.tick();
    ASSERT_EQ(window.sent, QByteArrayList{"@VA"});
    for (int silent = 1; silent <= 40; ++silent)
        window.tick();
    EXPECT_TRUE(window.status.isEmpty()) << "40 silent ticks are not yet a time-out";
    window.tick();
    EXPECT_EQ(window.status, "ERRORE COM");
    EXPECT_EQ(window.sent.size(), 1);
    window.tick();
    EXPECT_EQ(window.sent, (QByteArrayList{"@VA", "@VA"}));
    // No retry limit: it keeps going every 42 ticks.
    for (int i = 0; i < 42 * 10; ++i)
        window.tick();
    EXPECT_EQ(window.sent.size(), 12);
}

TEST(ReplyCycle, ReplySendsTheNextRequestAtTheNextTick) {
    PollingWindow window;
    window.cycle.ReplyReady = 1;
    window.tick();
    for (int i = 0; i < 30; ++i)
        window.tick();
    window.state = "@RS";
    window.cycle.replyHandled();
    window.tick();
    EXPECT_EQ(window.sent, (QByteArrayList{"@VA", "@RS"}));
    EXPECT_EQ(window.cycle.TicksSinceSend, 0);
    EXPECT_EQ(window.cycle.ReplyReady, 0);
    for (int i = 0; i < 41; ++i)
        window.tick();
    EXPECT_EQ(window.status, "ERRORE COM") << "the count starts again at each send";
}

TEST(ReplyCycle, QueuedOperatorActionWaitsForTheTimeOut) {
    ReplyCycle cycle;
    cycle.ReplyReady = 2;
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(cycle.tick(), ReplyCycle::Step::Wait);
    EXPECT_EQ(cycle.tick(), ReplyCycle::Step::TimedOut);
    EXPECT_EQ(cycle.tick(), ReplyCycle::Step::Send);
}

TEST(ReplyCycle, StartsClearedWithNothingToSend) {
    ReplyCycle cycle;
    EXPECT_EQ(cycle.ReplyReady, 0);
    EXPECT_EQ(cycle.tick(), ReplyCycle::Step::Wait);
}

} // namespace
