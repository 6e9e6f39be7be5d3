#include "GasWindowFixture.h"

#include "link/MctcFrame.h"
#include "ui/Clock.h"

namespace {

QByteArray errorRegister(int code, int mask = 0) {
    return QByteArray(1, static_cast<char>(code)) + '\x17' + QByteArray(1, static_cast<char>(mask));
}

const QByteArray TypicalValues = Fields({"0.52", "0.61", "14.3", "123", "0.80", "1.012", "85.5", "780", "45"});

class MctcConversationTest : public GasWindowTest {
  protected:
    // The leak test as the analyser reports it: valid, done this morning.
    QByteArray validLeakTest() const { return Fields({"R", "05032024", "0800"}); }
};

TEST_F(MctcConversationTest, StartUpBelowVersion1500ReadsTheSettingsAndTheParameter) {
    openWindow();
    EXPECT_EQ(form->LinkMode(), ANGAS::MctcNet);
    EXPECT_EQ(g.settings.OpacimeterLinkMode, 2);
    mctcStartUp(1400);
    EXPECT_EQ(requests(), QStringList({"ID", "@SD 05032024|093000", "@LA", "@LI"}));
    EXPECT_EQ(g.link.VersionThousandths, 1400);
    EXPECT_EQ(g.gas.AnalyserSerial, "SN7788");
    EXPECT_EQ(g.gas.SettingsSerial, "SN7788");
    EXPECT_EQ(form->Label4.caption(), "31/12/2030");
    EXPECT_EQ(form->Label7.caption(), "2222");
    // The analyser was set to LPG with catalyst: the list follows.
    EXPECT_EQ(form->Combo1.listIndex(), 5);
    EXPECT_EQ(form->TCarb, 5);
    EXPECT_EQ(g.gas.FuelText(), "GPLCAT");
    EXPECT_EQ(form->NextState, "LI");
    mctcStatus(1);
    EXPECT_EQ(requests().last(), "ST");
}

TEST_F(MctcConversationTest, ParameterReplyAboutAnotherParameterChangesNothing) {
    openWindow();
    exchangeMctc("ID", "ID", Fields({"K", "M", "H", "S", "31122030", "1.50", ""}));
    exchangeMctc("@SD 05032024|093000", "@SD");
    form->Label7.setCaption("before");
    exchangeMctc("@LU 047", "@LU", Fields({"9999", "193"}));
    EXPECT_EQ(form->Label7.caption(), "before");
    EXPECT_EQ(form->NextState, "LAL");
    exchangeMctc("@LU 047", "@LU", Fields({"1234", "47"}));
    EXPECT_EQ(form->Label7.caption(), "1234");
}

TEST_F(MctcConversationTest, WarmUpThenMeasuringPollsStatusErrorsAndValues) {
    openWindow();
    mctcStartUp();
    mctcStatus(1);
    EXPECT_EQ(form->NextState, "RSTRIS");
    EXPECT_EQ(form->Label5.caption(), ui(40));
    EXPECT_EQ(form->Label27.caption(), ui(28));
    EXPECT_TRUE(form->Combo1.enabled());
    exchangeMctc("@RS", "@RS", errorRegister(0));
    exchangeMctc("@VA", "@VA", TypicalValues);
    EXPECT_EQ(form->NextState, "ACQ");
    mctcStatus(8);
    EXPECT_EQ(form->Label5.caption(), ui(45));
    EXPECT_FALSE(form->Combo1.enabled());
    const qsizetype before = requestCount();
    exchangeMctc("@RS", "@RS", errorRegister(0));
    exchangeMctc("@VA", "@VA", TypicalValues);
    mctcStatus(8);
    EXPECT_EQ(requestsSince(before), QStringList({"@RS", "@VA", "@ST"}));
    EXPECT_EQ(form->Label8.caption(), "0.52");
    EXPECT_EQ(form->Label9.caption(), "0.61");
    EXPECT_EQ(form->Label10.caption(), "14.3");
    EXPECT_EQ(form->Label11.caption(), "123");
    EXPECT_EQ(form->Label12.caption(), "0.8");
    EXPECT_EQ(form->Label26.caption(), "1.012");
    EXPECT_EQ(form->Label13.caption(), "85.5");
    EXPECT_EQ(form->Label15.caption(), "780");
    EXPECT_EQ(form->Label33.caption(), "45");
}

TEST_F(MctcConversationTest, StartRunsLeakCheckZeroingAndHcResidueTestThenMeasures) {
    openWindow();
    mctcStartUp();
    mctcStatus(8);
    exchangeMctc("@RS", "@RS", errorRegister(0));
    exchangeMctc("@VA", "@VA", TypicalValues);

    form->Command1_Click();
    const qsizetype start = requestCount();
    exchangeMctc("ET", "ET", validLeakTest());
    EXPECT_EQ(form->NextState, "ETER");
    EXPECT_EQ(g.gas.LeakTestStatus, "R");
    mctcStatus(8);
    EXPECT_EQ(form->NextState, "AUTOZERO");
    exchangeMctc("AZ", "AZ");
    EXPECT_EQ(form->NextState, "AZE");
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        mctcStatus(4);
        EXPECT_EQ(form->Label5.caption(), ui(62));
        EXPECT_EQ(form->Label27.caption(), ui(9));
        EXPECT_EQ(form->Label8.caption(), "- - -");
        EXPECT_TRUE(form->PBar1.visible());
        EXPECT_FALSE(form->Command6.enabled());
        EXPECT_EQ(form->NextState, i < 4 ? "RSTAZE" : "RSECXAZE");
    }
    exchangeMctc("@RS", "@RS", errorRegister(0));
    EXPECT_EQ(form->NextState, "ACQXAZE");
    mctcStatus(8);
    EXPECT_EQ(form->NextState, "TESTHC");
    exchangeMctc("HC", "HC");
    EXPECT_FALSE(form->PBar1.visible());
    exchangeMctc("EH", "EH", "E");
    EXPECT_EQ(form->Label5.caption(), "Test HC");
    EXPECT_EQ(form->Label27.caption(), ui(154));
    exchangeMctc("EH", "EH", "E");
    exchangeMctc("EH", "EH", "R");
    EXPECT_EQ(form->TestPhase, "MINIMO");
    EXPECT_EQ(form->NextState, "ESHC");
    mctcStatus(8);
    EXPECT_EQ(form->NextState, "RSTMIS");
    exchangeMctc("@RS", "@RS", errorRegister(0));
    exchangeMctc("@VA", "@VA", TypicalValues);
    mctcStatus(8);
    EXPECT_EQ(requestsSince(start), QStringList({"ET", "@ST", "AZ", "@ST", "@ST", "@ST", "@ST", "@RS", "@ST", "HC",
                                                 "EH", "EH", "EH", "@ST", "@RS", "@VA", "@ST"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MctcConversationTest, StandByStatusShowsTheAnalyserErrorInWords) {
    struct Case {
        int code;
        int mask;
        QString text;
        ui::Colour colour;
    };
    const Case cases[] = {
        {0, 0, ui(9), ui::colour::White},
        {9, 0, ui(65), ui::colour::Red},
        {33, 0, "ERRORE TIME-OUT W-U", ui::colour::Red},
        {35, 5, ui(162) + " CO HC", ui::colour::Red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        openWindow();
        mctcStartUp();
        mctcStatus(2);
        EXPECT_EQ(form->NextState, "RSTSB");
        exchangeMctc("@RS", "@RS", errorRegister(c.code | 0x80, c.mask));
        EXPECT_EQ(g.gas.AnalyserErrorCode, c.code);
        exchangeMctc("@VA", "@VA", TypicalValues);
        mctcStatus(2);
        EXPECT_EQ(form->Label5.caption(), "StandBy");
        EXPECT_EQ(form->Label27.caption(), c.text);
        EXPECT_EQ(form->Label27.backColor(), c.colour);
        EXPECT_TRUE(form->Command6.enabled());
    }
}

TEST_F(MctcConversationTest, MeasuringStatusActsOnTheErrorCode) {
    struct Case {
        int code;
        const char* nextState;
        const char* pending;
        QString label27;
        ui::Colour colour;
    };
    const Case cases[] = {
        {0, "RSTMIS", "", ui(9), ui::colour::White},
        // These leave the line as it was.
        {12, "RSTMIS", "STANDBY", "", ui::colour::Cyan},
        {13, "RSTMIS", "", "ERRORE OUT", ui::colour::Red},
        {20, "HCRES", "", "", ui::colour::Cyan},
        {26, "TTE", "", "", ui::colour::Cyan},
        {30, "RSTMIS", "", ui(156), ui::colour::Red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        openWindow();
        mctcStartUp();
        mctcStatus(1);
        exchangeMctc("@RS", "@RS", errorRegister(c.code));
        exchangeMctc("@VA", "@VA", TypicalValues);
        form->Label27.setCaption("");
        form->Label27.setBackColor(ui::colour::Cyan);
        mctcStatus(8);
        EXPECT_EQ(form->NextState, c.nextState);
        EXPECT_EQ(form->PendingRequest, c.pending);
        EXPECT_EQ(form->Label27.caption(), c.label27);
        EXPECT_EQ(form->Label27.backColor(), c.colour);
    }
}

TEST_F(MctcConversationTest, LeakTestAsksPressureWhileRunningAndWarnsWhenItEnds) {
    openWindow();
    mctcStartUp();
    mctcStatus(8);
    form->Command6_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ui(157));
    EXPECT_EQ(dialogs.shown[0].buttons, ui::Buttons::OkCancel);
    EXPECT_TRUE(form->Label38.visible());
    EXPECT_FALSE(form->Command1.enabled());
    exchangeMctc("TT", "TT");
    exchangeMctc("ET", "ET", Fields({"E", "05032024", "0930"}));
    EXPECT_EQ(form->Label5.caption(), ui(155));
    exchangeMctc("@LS", "@LS", "987");
    EXPECT_EQ(form->Label38.caption(), "987");
    EXPECT_EQ(g.gas.LeakPressure, 987);
    exchangeMctc("ET", "ET", Fields({"R", "05032024", "0931"}));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, ui(152));
    EXPECT_TRUE(form->Command1.enabled());
    mctcStatus(8);
    EXPECT_FALSE(form->Label38.visible());
    EXPECT_EQ(form->NextState, "AUTOZERO");
}

TEST_F(MctcConversationTest, CancelledLeakTestQueuesNothing) {
    openWindow();
    mctcStartUp();
    mctcStatus(8);
    dialogs.answers.push_back(ui::Answer::Cancel);
    form->Command6_Click();
    EXPECT_EQ(form->PendingRequest, "");
    EXPECT_FALSE(form->Label38.visible());
    exchangeMctc("@RS", "@RS", errorRegister(0));
}

TEST_F(MctcConversationTest, FuelAndEngineChoicesSendSixFieldsInWarmUpOnly) {
    openWindow();
    mctcStartUp();
    mctcStatus(8);
    // Measuring: the choice is kept but not sent.
    form->Combo1.setListIndex(2);
    form->Combo1_Click();
    EXPECT_EQ(form->PendingRequest, "");
    exchangeMctc("@RS", "@RS", errorRegister(0));
    exchangeMctc("@VA", "@VA", TypicalValues);
    mctcStatus(1);
    // An engine-type change alone still sends the whole record.
    form->Combo3.setListIndex(1);
    form->Combo3_Click();
    exchangeMctc("@SA METANO|NO CAT|04|2|4.000|0.000", "@SA");
    EXPECT_EQ(form->NextState, "SAL");
    mctcStatus(1);
    EXPECT_EQ(requests().last(), "@ST");
}

TEST_F(MctcConversationTest, SettingsReadFromTheAnalyserGoBackUnchangedWithAnEngineChange) {
    openWindow();
    mctcStartUp(1400);
    mctcStatus(1);
    form->Combo3.setListIndex(1);
    form->Combo3_Click();
    exchangeMctc("@SA GPL|CAT|04|2|2.570|0.000", "@SA");
}

TEST_F(MctcConversationTest, UnlistedReplyGoesToTheMeasuringState) {
    openWindow();
    mctcStartUp();
    mctcStatus(8);
    // The last command is one the window does not send itself.
    g.link.MctcCommand = "@RD";
    replyMctc("@RD", "1");
    EXPECT_EQ(form->NextState, "RSTMIS");
    EXPECT_EQ(form->Cycle.ReplyReady, 1);
}

TEST_F(MctcConversationTest, ForeignAndUnfinishedFramesAreNotTaken) {
    openWindow();
    tick();
    ASSERT_EQ(lastRequest(), "ID");
    const QByteArray reply = BuildMctcFrame("GAS", "ID", "1", Fields({"K", "M", "H", "S", "01022030", "1.50", "x"}));
    port->receive(BuildMctcFrame("OPA", "ID", "1", "x"));
    port->receive(BuildMctcFrame("GAS", "@ST", "1", "\x48"));
    port->receive("\n");
    EXPECT_EQ(form->NextState, "INIZIO");
    port->receive(reply.chopped(1));
    EXPECT_EQ(form->NextState, "INIZIO");
    port->receive("\x03");
    EXPECT_EQ(form->NextState, "IDE");
    EXPECT_EQ(form->Label4.caption(), "01/02/2030");
}

} // namespace
