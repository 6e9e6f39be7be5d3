#include "PseudoTerminal.h"

#include "link/CommEvents.h"
#include "link/FrameBytes.h"
#include "link/LineSettings.h"
#include "link/MakerFrame.h"
#include "link/MctcFrame.h"
#include "link/PortOpening.h"
#include "link/QtSerialPort.h"
#include "link/ReceiveBuffer.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <termios.h>

namespace {

enum class Framing { Mctc, Maker };

// The receive side of a measuring window over a real line: event triage, the
// receive buffer and frame completion, recording every frame it accepts.
struct ReceivingWindow {
    ReceivingWindow(Framing framing, ReceiveBuffer::FirstByte rule) : framing(framing), rule(rule) {
        port.OnComm = [this] { onComm(); };
    }

    void onComm() {
        if (!TriageCommEvent(port.CommEvent(), dialogs))
            return;
        ++receiveEvents;
        if (!buffer.takeInput(port, rule))
            return;
        if (framing == Framing::Mctc) {
            if (!buffer.endsWithEtx())
                return;
            if (MctcHeaderMatches(buffer.bytes(), "GAS"))
                frames.append(buffer.bytes());
            else
                ++dropped;
            buffer.clear();
            return;
        }
        switch (CheckMakerReply(buffer.bytes(), 0x31, 0x50)) {
        case MakerReply::Incomplete: return;
        case MakerReply::Invalid: ++dropped; break;
        case MakerReply::Complete: frames.append(buffer.bytes()); break;
        }
        buffer.clear();
    }

    Framing framing;
    ReceiveBuffer::FirstByte rule;
    QtSerialPort port;
    ReceiveBuffer buffer;
    RecordingDialogs dialogs;
    QByteArrayList frames;
    int dropped = 0;
    int receiveEvents = 0;
};

class PtyLinkTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        ASSERT_TRUE(pty.isValid());
        writeBytes(workFile("Conf.ini"), "[PORTE]\r\nCOM3=" + pty.slavePath().toLocal8Bit() +
                                             "\r\nCOM7=" + work.path().toLocal8Bit() + "/no/such/port\r\n");
        g.lang.UiText[126] = "non disponibile";
        g.lang.NamedTexts.insert("portamancante", "%1: il dispositivo non esiste.");
    }

    void open(ReceivingWindow& window, int baudIndex = 2) {
        ASSERT_TRUE(OpenInstrumentPort(window.port, 3, BaudSettings(baudIndex), g, window.dialogs))
            << window.dialogs.shown.front().text.toStdString();
    }

    // Sends the bytes in pieces, letting each one arrive before the next.
    void sendInPieces(ReceivingWindow& window, const QByteArray& bytes, int pieceSize) {
        for (qsizetype at = 0; at < bytes.size(); at += pieceSize) {
            const int eventsBefore = window.receiveEvents;
            ASSERT_TRUE(pty.send(bytes.mid(at, pieceSize)));
            ASSERT_TRUE(processEventsUntil([&] { return window.receiveEvents > eventsBefore; }));
        }
    }

    PseudoTerminal pty;
    Globals g;
};

const QByteArray IdReply = "\x02GAS\x17"
                           "1\x17ID\x17KAPRO\x17KAPROGAS-620\x17OM1\x17"
                           "123\x17"
                           "01022030\x17"
                           "1.50\x17\x17"
                           "00\x03";

TEST_F(PtyLinkTest, FrameArrivingInManyPiecesIsHandledOnceAtItsEtx) {
    ReceivingWindow window(Framing::Mctc, ReceiveBuffer::FirstByte::MustBeStx);
    open(window);
    sendInPieces(window, IdReply, 3);
    EXPECT_GT(window.receiveEvents, 10);
    EXPECT_EQ(window.frames, QByteArrayList{IdReply});
    EXPECT_TRUE(window.buffer.isEmpty());
}

TEST_F(PtyLinkTest, StrayFirstByteIsDroppedByTheMeasuringRuleOnly) {
    ReceivingWindow measuring(Framing::Mctc, ReceiveBuffer::FirstByte::MustBeStx);
    open(measuring);
    sendInPieces(measuring, "\n", 1);
    EXPECT_TRUE(measuring.buffer.isEmpty());
    sendInPieces(measuring, IdReply, 16);
    EXPECT_EQ(measuring.frames, QByteArrayList{IdReply});
    measuring.port.setPortOpen(false);

    ReceivingWindow setup(Framing::Mctc, ReceiveBuffer::FirstByte::Keep);
    open(setup);
    sendInPieces(setup, "\n", 1);
    sendInPieces(setup, IdReply, 16);
    EXPECT_TRUE(setup.frames.isEmpty()) << "the frame behind the stray byte is judged as a whole";
    EXPECT_EQ(setup.dropped, 1);
}

QByteArray makerReply() {
    // Address 0x31, ACK, echo of 0x50, four data bytes with an ETX among them.
    return QByteArray::fromHex("02310650000610200340"
                               "99"
                               "03");
}

TEST_F(PtyLinkTest, MakerReplyInPiecesIsAcceptedAtItsLength) {
    ReceivingWindow window(Framing::Maker, ReceiveBuffer::FirstByte::MustBeStx);
    open(window);
    sendInPieces(window, makerReply(), 2);
    EXPECT_EQ(window.frames, QByteArrayList{makerReply()});
    EXPECT_EQ(window.dropped, 0);
}

TEST_F(PtyLinkTest, MakerReplyWithOneByteMoreIsDropped) {
    ReceivingWindow window(Framing::Maker, ReceiveBuffer::FirstByte::MustBeStx);
    open(window);
    const QByteArray reply = makerReply();
    sendInPieces(window, reply.chopped(1), 5);
    sendInPieces(window, reply.right(1) + QByteArray(1, FrameByte::Etx), 2);
    EXPECT_TRUE(window.frames.isEmpty());
    EXPECT_EQ(window.dropped, 1);
    EXPECT_TRUE(window.buffer.isEmpty());
}

TEST_F(PtyLinkTest, OutputReachesTheLineEightBitCleanAtTheChosenSpeed) {
    ReceivingWindow window(Framing::Mctc, ReceiveBuffer::FirstByte::MustBeStx);
    open(window, 3);
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(static_cast<char>(b));
    everyByte.append("\r\n\n\r");
    window.port.Output(everyByte);
    QByteArray arrived;
    ASSERT_TRUE(processEventsUntil([&] {
        arrived += pty.readAvailable();
        return arrived.size() >= everyByte.size();
    }));
    EXPECT_EQ(arrived, everyByte);

    termios line{};
    ASSERT_EQ(::tcgetattr(pty.slaveFd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), B19200);
    EXPECT_EQ(line.c_lflag & (ECHO | ICANON), 0u);
    EXPECT_EQ(line.c_iflag & (ICRNL | IXON | IXOFF), 0u);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
}

TEST_F(PtyLinkTest, InputIsEightBitCleanToo) {
    ReceivingWindow window(Framing::Mctc, ReceiveBuffer::FirstByte::Keep);
    window.port.OnComm = nullptr;
    open(window);
    const QByteArray bytes = QByteArray::fromHex("02000d0a11131aff7f0a03");
    ASSERT_TRUE(pty.send(bytes));
    QByteArray arrived;
    ASSERT_TRUE(processEventsUntil([&] {
        arrived += window.port.Input();
        return arrived.size() >= bytes.size();
    }));
    EXPECT_EQ(arrived, bytes);
}

TEST_F(PtyLinkTest, MappedPortThatDoesNotExistGivesTheOpenFailureMessage) {
    ReceivingWindow window(Framing::Mctc, ReceiveBuffer::FirstByte::MustBeStx);
    EXPECT_FALSE(OpenInstrumentPort(window.port, 7, BaudSettings(2), g, window.dialogs));
    EXPECT_FALSE(window.port.PortOpen());
    ASSERT_EQ(window.dialogs.shown.size(), 1u);
    EXPECT_EQ(window.dialogs.shown[0].text,
              "COM7 non disponibile\r\n" + work.path() + "/no/such/port: il dispositivo non esiste.");
    EXPECT_EQ(window.dialogs.shown[0].icon, ui::Icon::Critical);
    // Still usable: writing to the closed port does nothing, opening a good one works.
    window.port.Output("x");
    open(window);
    EXPECT_TRUE(window.port.PortOpen());
}

TEST_F(PtyLinkTest, PortNumberOutsideTheMapFailsWithADescription) {
    QtSerialPort port;
    port.setCommPort(0);
    QString error;
    EXPECT_FALSE(port.setPortOpen(true, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(PtyLinkTest, OtherEndGoingAwayBeepsOnceAndClosesThePort) {
    ReceivingWindow window(Framing::Mctc, ReceiveBuffer::FirstByte::MustBeStx);
    open(window);
    pty.closeMaster();
    ASSERT_TRUE(processEventsUntil([&] { return !window.port.PortOpen(); }));
    EXPECT_EQ(window.dialogs.beeps, 1);
    EXPECT_EQ(window.port.CommEvent(), CommEventKind::Unknown);
}

} // namespace
