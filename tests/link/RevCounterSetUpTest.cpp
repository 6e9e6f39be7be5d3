#include "SetupFormFixture.h"

#include "link/RPMSU.h"
#include "sim/RevCounterSim.h"

namespace {

QString revCounterConf(int cylinders, int strokes, int externalRpm = 0) {
    return QStringLiteral("[RPM]\r\nMarca=OLD\r\nNOmol=OM OLD\r\nNserie=N-OLD\r\nScadenza=01/01/2020\r\n"
                          "TCOMrpm=3\r\nTBRaterpm=2\r\nNCilindriRPM=%1\r\nNTempiRPM=%2\r\nExternRPM=%3\r\n"
                          "ExternToil=1\r\nSelrpmT=1\r\n")
        .arg(cylinders)
        .arg(strokes)
        .arg(externalRpm);
}

} // namespace

class RevCounterSetUpTest : public SetupFormTest<RPMSU> {
  protected:
    sim::RevCounterSim counter{clock};
};

TEST_F(RevCounterSetUpTest, OpensWithTheStoredSettingsAndEmptyIdentity) {
    writeConf(revCounterConf(6, 2, 1));
    open();
    EXPECT_EQ(form->Me.caption(), "RPM");
    EXPECT_EQ(form->Label4.caption(), "Check expiry RPM");
    EXPECT_EQ(form->Text5.text(), "6");
    EXPECT_TRUE(form->Option7.value());
    EXPECT_FALSE(form->Option6.value());
    EXPECT_TRUE(form->Option9.value());
    EXPECT_FALSE(form->Option8.value() || form->Option10.value());
    EXPECT_TRUE(form->Option2.value());
    EXPECT_EQ(form->Text6.text(), "3");
    for (const ui::CheckBox* box : {&form->Check1, &form->Check2}) {
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(box->caption(), "ON");
        EXPECT_EQ(box->backColor(), ui::colour::Green);
    }
    // The identity stored in Conf.ini is not shown, only an instrument's answer is.
    EXPECT_EQ(form->Text1.text(), "");
}

TEST_F(RevCounterSetUpTest, CheckBoxesSwitchTheSuppliedValuesAndTheirColours) {
    writeConf(revCounterConf(4, 4, 1));
    open();
    form->Check1.setValue(ui::CheckState::Unchecked);
    form->Check1_Click();
    EXPECT_EQ(g.settings.ExternalRpm, 0);
    EXPECT_EQ(form->Check1.caption(), "OFF");
    EXPECT_EQ(form->Check1.backColor(), ui::colour::Red);
    form->Check1.setValue(ui::CheckState::Checked);
    form->Check1_Click();
    EXPECT_EQ(g.settings.ExternalRpm, 1);
    EXPECT_EQ(form->Check1.backColor(), ui::colour::Green);
}

TEST_F(RevCounterSetUpTest, ChoicesChangeTheSettingsButNotConfIniUntilApplied) {
    writeConf(revCounterConf(6, 2));
    open();
    const std::pair<void (RPMSU::*)(), int> steps[] = {{&RPMSU::Command2_Click, 8},  {&RPMSU::Command3_Click, 6},
                                                       {&RPMSU::Command2_Click, 8},  {&RPMSU::Command2_Click, 10},
                                                       {&RPMSU::Command2_Click, 12}, {&RPMSU::Command2_Click, 12}};
    for (const auto& [press, count] : steps) {
        std::invoke(press, *form);
        EXPECT_EQ(g.settings.CylinderCount, count);
        EXPECT_EQ(form->Text5.text(), QString::number(count));
    }
    form->Option6_Click();
    form->Option10_Click();
    EXPECT_EQ(g.settings.StrokeCount, 4);
    EXPECT_FALSE(form->Option7.value());
    EXPECT_EQ(g.settings.RpmCommandChoice, 2);
    EXPECT_FALSE(form->Option8.value() || form->Option9.value());
    EXPECT_TRUE(form->Option10.value());
    EXPECT_EQ(confValue("RPM", "NCilindriRPM"), "6");
}

TEST_F(RevCounterSetUpTest, IdentifiesTheSimulatedRevCounter) {
    writeConf(revCounterConf(4, 4));
    open();
    connect(counter);
    form->Option3_Click();
    form->Command1_Click();
    EXPECT_EQ(form->Text4.text(), " ");
    settle();
    EXPECT_EQ(port->Settings(), "9600,n,8,1");
    EXPECT_EQ(requests(), QStringList{"RPM 1 ID"});
    EXPECT_EQ(form->Text1.text(), "KAPRO  RPM-500");
    EXPECT_EQ(form->Text2.text(), "OM 1234");
    EXPECT_EQ(form->Text3.text(), "R500-0042");
    EXPECT_EQ(form->Text4.text(), "31/12/2030");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RevCounterSetUpTest, ApplyWithEmptyBoxesStoresEmptyTextsThenProgramsCylindersThenStrokes) {
    writeConf(revCounterConf(6, 2));
    open();
    connect(counter);
    form->Command2_Click();
    form->CmdApl_Click();
    // Saved before anything goes out, with the boxes as they are.
    const QByteArray saved = readBytes(workFile("Conf.ini"));
    for (const char* key : {"Marca", "NOmol", "Nserie", "Scadenza"})
        EXPECT_TRUE(saved.contains("\r\n" + QByteArray(key) + "=\r\n")) << key;
    EXPECT_EQ(confValue("RPM", "NCilindriRPM"), "8");
    EXPECT_EQ(requests(), QStringList{"RPM 1 CI 8"});
    EXPECT_TRUE(dialogs.shown.empty());

    settle();
    EXPECT_EQ(requests(), (QStringList{"RPM 1 CI 8", "RPM 1 TE 2"}));
    EXPECT_EQ(counter.programmedCylinders(), 8);
    EXPECT_EQ(counter.programmedStrokes(), 2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Settings saved.");
    EXPECT_EQ(g.settings.RpmMake, "");
}

TEST_F(RevCounterSetUpTest, ApplyStoresWhatTheBoxesHold) {
    writeConf(revCounterConf(4, 4));
    open();
    form->Text1.setText("ACME  R-9");
    form->Text4.setText("31/12/2031");
    form->CmdApl_Click();
    EXPECT_EQ(confValue("RPM", "Marca"), "ACME  R-9");
    EXPECT_EQ(confValue("RPM", "Scadenza"), "31/12/2031");
}

TEST_F(RevCounterSetUpTest, PortThatFailsToOpenIsReportedAndTheSenderTriesOnceMore) {
    writeConf(revCounterConf(4, 4));
    open();
    port->failNextOpen("Device or resource busy");
    form->CmdApl_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "COM3 unavailable\r\nDevice or resource busy");
    EXPECT_TRUE(port->PortOpen());
    EXPECT_EQ(requests(), QStringList{"RPM 1 CI 4"});
}

TEST_F(RevCounterSetUpTest, UnknownRepliesAndOtherDevicesAreIgnored) {
    writeConf(revCounterConf(4, 4));
    open();
    form->Command1_Click();
    port->receive(BuildMctcFrame("RPM", "VA", "1", "850"));
    port->receive(IdentityReply("GAS", "KAPROGAS-610"));
    EXPECT_EQ(form->Text1.text(), " ");
    EXPECT_EQ(requests(), QStringList{"RPM 1 ID"});
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RevCounterSetUpTest, ALateRepeatOfTheCylinderReplyDoesNotProgramTheStrokesAgain) {
    writeConf(revCounterConf(4, 4));
    open();
    form->CmdApl_Click();
    const QByteArray cylindersDone = BuildMctcFrame("RPM", "CI", "1", {});
    port->receive(cylindersDone);
    ASSERT_EQ(requests(), (QStringList{"RPM 1 CI 4", "RPM 1 TE 4"}));
    // Only the strokes reply moves on now.
    port->receive(cylindersDone);
    EXPECT_EQ(requests(), (QStringList{"RPM 1 CI 4", "RPM 1 TE 4"}));
    port->receive(BuildMctcFrame("RPM", "TE", "1", {}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Settings saved.");
}
