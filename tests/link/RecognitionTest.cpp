// The COM port scan with every port in memory: the form's timer is ticked by
// hand, and the scripted instruments answer at once, within the tick.

#include "SetupFormFixture.h"

#include "ScriptedLines.h"

#include "link/RiconosciMCTC.h"

namespace {

QString noConnect(int from, int to) {
    QString lines;
    for (int port = from; port <= to; ++port)
        lines += QStringLiteral("Com%1 no connect\r\n").arg(port);
    return lines;
}

} // namespace

class RecognitionTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        g.lang.UiText[120] = "Scan finished";
        g.lang.UiText[121] = "Scanning...";
        g.lang.UiText[123] = "Press Start scan";
        g.lang.UiText[124] = "&Start scan";
        g.lang.UiText[125] = "COM port scan";
        auto scripted = std::make_unique<ScriptedLines>();
        lines = scripted.get();
        form = std::make_unique<RiconosciMCTC>(g, std::move(scripted));
        form->Form_Load();
    }

    void tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            ++lines->tick;
            form->Timer1.tick();
        }
    }

    Globals g;
    ScriptedLines* lines = nullptr;
    std::unique_ptr<RiconosciMCTC> form;
};

TEST_F(RecognitionTest, OpensIdleOnRed) {
    EXPECT_EQ(form->Me.caption(), "COM port scan");
    EXPECT_EQ(form->Label3.caption(), "Press Start scan");
    EXPECT_EQ(form->Label3.backColor(), ui::colour::Red);
    EXPECT_EQ(form->Command1.caption(), "&Start scan");
    EXPECT_FALSE(form->Timer1.enabled());
    EXPECT_EQ(form->Timer1.interval(), 500);
    EXPECT_EQ(form->ScanPort(), 0);
    EXPECT_EQ(g.link.RecognitionPort, &form->MSComm3);
}

TEST_F(RecognitionTest, SixteenSilentPortsTakeFortyEightTicksAndEndAtTheNext) {
    form->Command1_Click();
    EXPECT_TRUE(form->Timer1.enabled());
    EXPECT_FALSE(form->Command1.enabled());
    EXPECT_EQ(form->Label3.backColor(), ui::colour::Green);
    tick(48);
    ASSERT_EQ(lines->sent.size(), 48);
    for (int i = 0; i < 48; ++i) {
        const ScriptedLines::Sent& s = lines->sent[i];
        EXPECT_EQ(s.tick, i + 1);
        EXPECT_EQ(s.port, i / 3 + 1);
        EXPECT_EQ(s.device, (QByteArrayList{"GAS", "OPA", "RPM"}[i % 3]));
    }
    EXPECT_EQ(lines->written().last(), BuildMctcFrame("RPM", "ID", "1", {}));
    EXPECT_EQ(form->Text2.text(), "Com16 RPM");
    EXPECT_TRUE(form->Timer1.enabled());

    tick();
    EXPECT_EQ(form->ScanPort(), 0);
    EXPECT_FALSE(form->Timer1.enabled());
    EXPECT_TRUE(form->Command1.enabled());
    EXPECT_EQ(form->Label3.caption(), "Scan finished");
    EXPECT_EQ(form->Label3.backColor(), ui::colour::Yellow);
    EXPECT_EQ(form->Text2.text(), "Com0");
    EXPECT_EQ(form->Text3.text(), noConnect(1, 16));
    EXPECT_FALSE(form->MSComm3.PortOpen());
    EXPECT_EQ(lines->sent.size(), 48);
}

TEST_F(RecognitionTest, AnsweringAndMissingPortsTakeFewerTicks) {
    lines->missing = {1, 2};
    lines->answers[3] = {"GAS", IdentityReply("GAS", {"KAPRO", "KAPROGAS-VEGA ", "OM", "G-1", "01012030", "1.50"})};
    lines->answers[4] = {"OPA", IdentityReply("OPA", "OPX-300")};
    form->Command1_Click();
    tick();
    EXPECT_EQ(form->Text2.text(), "Com1 KO");
    tick();
    EXPECT_EQ(form->Text2.text(), "Com2 KO");
    tick(); // COM3 answers as a gas analyser
    EXPECT_EQ(form->ScanStep(), 3);
    tick(); // COM4, gas: silence
    EXPECT_EQ(form->ScanPort(), 4);
    tick(); // COM4, opacimeter: answers
    tick(); // COM5 already
    EXPECT_EQ(form->ScanPort(), 5);
    EXPECT_EQ(form->Text2.text(), "Com5 GAS");
    QList<QByteArray> asked;
    for (const ScriptedLines::Sent& s : lines->sent)
        asked << QByteArray::number(s.port) + s.device;
    EXPECT_EQ(asked, (QList<QByteArray>{"3GAS", "4GAS", "4OPA", "5GAS"}));
    EXPECT_EQ(form->ScanResult(1), "0");
    EXPECT_EQ(form->ScanResult(3), "KAPRO   KAPROGAS-VEGA    G-1   1.50");
    EXPECT_EQ(form->ScanResult(4), "KAPRO   OPX-300   SN-1   2.10");
}

TEST_F(RecognitionTest, StoppingReportsThePortsNotReachedAsNotConnected) {
    lines->missing = {4};
    lines->answers[2] = {"RPM", IdentityReply("RPM", "RPM-500")};
    form->Command1_Click();
    tick(3 + 3 + 3 + 1 + 3);
    EXPECT_EQ(form->ScanPort(), 5);
    form->Command2_Click();
    EXPECT_EQ(form->ScanPort(), 0);
    EXPECT_FALSE(form->Timer1.enabled());
    EXPECT_TRUE(form->Command1.enabled());
    EXPECT_EQ(form->Label3.backColor(), ui::colour::Yellow);
    EXPECT_EQ(form->Text2.text(), "Com0");
    EXPECT_FALSE(form->MSComm3.PortOpen());
    EXPECT_FALSE(form->Me.closeRequested());
    EXPECT_EQ(form->Text3.text(),
              "Com1 no connect\r\nCom2   KAPRO   RPM-500   SN-1   2.10\r\nCom3 no connect\r\n" + noConnect(5, 16));

    // Idle now: the same button closes the window.
    form->Command2_Click();
    EXPECT_TRUE(form->Me.closeRequested());
}

TEST_F(RecognitionTest, ANewScanClearsThePreviousResultsAndStartsOverAtComOne) {
    lines->answers[1] = {"GAS", IdentityReply("GAS", "KAPROGAS-610")};
    form->Command1_Click();
    tick(4);
    form->Command2_Click();
    lines->answers.clear();
    form->Command1_Click();
    EXPECT_EQ(form->Text3.text(), "");
    tick();
    // Stopped in the middle of a port, the port was closed, so COM1 opens again.
    EXPECT_EQ(form->Text2.text(), "Com1 GAS");
    tick(48);
    EXPECT_EQ(form->Text3.text(), noConnect(1, 16));
}

TEST_F(RecognitionTest, OnlyAnAnswerOfTheDeviceAskedInThisTickCounts) {
    form->Command1_Click();
    tick(); // COM1, gas analyser asked
    lines->receive(IdentityReply("OPA", "OPX-300"));
    EXPECT_EQ(form->ScanStep(), 1);
    tick(); // the opacimeter is asked now; a gas answer from before is too late
    lines->receive(IdentityReply("GAS", "KAPROGAS-610"));
    EXPECT_EQ(form->ScanResult(1), "1");
    // Bytes left from an earlier tick are thrown away at the next one.
    lines->receive(IdentityReply("OPA", "OPX-300").left(10));
    tick();
    lines->receive(IdentityReply("RPM", "RPM-500").mid(10));
    EXPECT_EQ(form->ScanResult(1), "1");
    lines->receive(IdentityReply("RPM", "RPM-500"));
    EXPECT_EQ(form->ScanResult(1), "KAPRO   RPM-500   SN-1   2.10");
}

TEST_F(RecognitionTest, APortThatBrokeUnderTheScanIsOpenedAgainAtItsNextQuestion) {
    lines->answers[1] = {"OPA", IdentityReply("OPA", "OPX-300")};
    form->Command1_Click();
    tick(); // Com1 opened and asked for a gas analyser
    // The adapter is pulled out: the port closes under the scan, and stays
    // missing for the opacimeter's question.
    lines->setPortOpen(false);
    lines->missing = {1};
    tick();
    EXPECT_EQ(form->Text2.text(), "Com1 ERRORE COM");
    EXPECT_FALSE(lines->PortOpen());
    // Back for the rev counter's question: reopened, asked, and the scan goes on.
    lines->missing.clear();
    lines->answers[1] = {"RPM", IdentityReply("RPM", "RPM-500")};
    tick();
    EXPECT_TRUE(lines->PortOpen());
    EXPECT_EQ(form->Text2.text(), "Com1 RPM");
    EXPECT_TRUE(form->ScanResult(1).contains("RPM-500")) << form->ScanResult(1).toStdString();
    tick();
    EXPECT_EQ(form->ScanPort(), 2);
}
