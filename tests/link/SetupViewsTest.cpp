// The set-up and scan windows on screen: bound widgets, the focus colour of the
// port number, the ON/OFF boxes, and screenshots for a person to look at.

#include "ScriptedLines.h"
#include "SetupFormFixture.h"

#include "lang/LanguageTexts.h"
#include "link/ANSUView.h"
#include "link/OPASUView.h"
#include "link/RPMSUView.h"
#include "link/RiconosciMCTCView.h"
#include "sim/GasAnalyserSim.h"
#include "sim/OpacimeterSim.h"
#include "sim/RevCounterSim.h"
#include "support/ViewHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

template <typename Widget> Widget* child(QWidget* view, const char* name) {
    auto* widget = view->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Shows the window and makes it the active one, so focus moves as on a desktop.
void showActive(QWidget* view) {
    view->show();
    QApplication::setActiveWindow(view);
    view->activateWindow();
    QApplication::processEvents();
}

} // namespace

class SetupViewsTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
        LoadLanguageTexts(g, 2);
    }

    template <typename Form> std::unique_ptr<Form> makeForm(FakeSerialPort*& port) {
        auto fake = std::make_unique<FakeSerialPort>();
        port = fake.get();
        return std::make_unique<Form>(g, dialogs, std::move(fake));
    }

    Globals g;
    RecordingDialogs dialogs;
    sim::ScenarioClock clock;
};

TEST_F(SetupViewsTest, GasSetUpAfterIdentification) {
    writeBytes(workFile("Conf.ini"), "[COMKAPRO]\r\nTModCom=2\r\nTCOM=4\r\nTBRate=2\r\n[MODKAPRO]\r\nModello=3\r\n");
    sim::GasAnalyserSettings settings;
    settings.model = 1;
    sim::GasAnalyserSim analyser(clock, settings);
    FakeSerialPort* port = nullptr;
    auto form = makeForm<ANSU>(port);
    ANSUView view(*form);
    form->Form_Load();
    sim::FakePortConnection connection(analyser.engine(), *port);
    showActive(&view);

    auto* models = child<QComboBox>(&view, "Combo1");
    EXPECT_EQ(models->currentText(), "KAPRO VEGA");
    // The operator picks another model from the list.
    models->setCurrentIndex(0);
    emit models->activated(0);
    EXPECT_EQ(g.settings.GasModel, 0);
    EXPECT_EQ(g.settings.GasLinkMode, 1);

    // The port number hands the focus to the scroll bar and lights up meanwhile.
    auto* number = child<QLineEdit>(&view, "Text5");
    auto* scroll = child<QScrollBar>(&view, "VScroll1");
    number->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(scroll->hasFocus());
    EXPECT_EQ(form->Text5.backColor(), ui::colour::LightYellow);
    EXPECT_EQ(number->palette().color(QPalette::Base), QColor(255, 255, 128));
    scroll->setValue(5);
    EXPECT_EQ(number->text(), "5");
    EXPECT_EQ(g.settings.GasPort, 5);
    child<QComboBox>(&view, "Combo1")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(form->Text5.backColor(), ui::colour::SystemWindow);

    child<QPushButton>(&view, "Command2")->click();
    clock.advanceBy(500);
    EXPECT_EQ(child<QLineEdit>(&view, "Text3")->text(), "KAPROGAS-620");
    EXPECT_EQ(models->currentText(), "KAPRO620");
    EXPECT_FALSE(child<QLineEdit>(&view, "Text8")->text().isEmpty());
    EXPECT_TRUE(saveScreenshot(&view, "ansu-identified.png"));
}

TEST_F(SetupViewsTest, OpacimeterSetUpAfterIdentification) {
    sim::OpacimeterSim opacimeter(clock, 3);
    FakeSerialPort* port = nullptr;
    auto form = makeForm<OPASU>(port);
    OPASUView view(*form);
    form->Form_Load();
    sim::FakePortConnection connection(opacimeter.engine(), *port);
    showActive(&view);
    // No mode is shown until a model is chosen or identified here.
    EXPECT_FALSE(child<QRadioButton>(&view, "Option5")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(&view, "Option6")->isChecked());
    // A click on the chosen baud keeps it chosen; another one moves the choice.
    child<QRadioButton>(&view, "Option2")->click();
    child<QRadioButton>(&view, "Option2")->click();
    EXPECT_TRUE(child<QRadioButton>(&view, "Option2")->isChecked());
    child<QRadioButton>(&view, "Option4")->click();
    EXPECT_FALSE(child<QRadioButton>(&view, "Option2")->isChecked());
    EXPECT_EQ(g.settings.SmokeBaudIndex, 4);
    EXPECT_EQ(child<QComboBox>(&view, "Combo2")->placeholderText(), "select unit");
    auto* units = child<QComboBox>(&view, "Combo2");
    units->setCurrentIndex(1);
    emit units->activated(1);
    EXPECT_EQ(g.settings.SmokeUnit, 1);

    child<QPushButton>(&view, "ComFind")->click();
    clock.advanceBy(500);
    EXPECT_EQ(child<QComboBox>(&view, "Combo1")->currentText(), "OPX-520/HDF");
    EXPECT_TRUE(child<QRadioButton>(&view, "Option5")->isChecked());
    EXPECT_TRUE(saveScreenshot(&view, "opasu-identified.png"));
}

TEST_F(SetupViewsTest, RevCounterSetUpAfterIdentification) {
    writeBytes(workFile("Conf.ini"), "[RPM]\r\nTCOMrpm=2\r\nTBRaterpm=1\r\nNCilindriRPM=4\r\nNTempiRPM=4\r\n"
                                     "ExternRPM=1\r\nExternToil=0\r\nSelrpmT=0\r\n");
    sim::RevCounterSim counter(clock);
    FakeSerialPort* port = nullptr;
    auto form = makeForm<RPMSU>(port);
    RPMSUView view(*form);
    form->Form_Load();
    sim::FakePortConnection connection(counter.engine(), *port);
    showActive(&view);

    auto* oil = child<QCheckBox>(&view, "Check2");
    EXPECT_EQ(oil->text(), "OFF");
    oil->click();
    EXPECT_EQ(g.settings.ExternalOilTemp, 1);
    EXPECT_EQ(oil->text(), "ON");
    EXPECT_EQ(oil->palette().color(QPalette::Window), QColor(0, 255, 0));
    child<QPushButton>(&view, "Command2")->click();
    EXPECT_EQ(child<QLineEdit>(&view, "Text5")->text(), "5");

    child<QPushButton>(&view, "Command1")->click();
    clock.advanceBy(500);
    EXPECT_EQ(child<QLineEdit>(&view, "Text1")->text(), "KAPRO  RPM-500");
    EXPECT_TRUE(saveScreenshot(&view, "rpmsu-identified.png"));
}

TEST_F(SetupViewsTest, RecognitionWithAFinishedReport) {
    auto scripted = std::make_unique<ScriptedLines>();
    ScriptedLines* lines = scripted.get();
    lines->missing = {1, 2, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    lines->answers[3] = {
        "GAS", IdentityReply("GAS", {"KAPRO", "KAPROGAS-VEGA", "OM 12345 GAS", "GV000001", "31122030", "1.50", ""})};
    lines->answers[5] = {"OPA",
                         IdentityReply("OPA", {"KAPRO", "OPX-300", "OM 300", "R3000007", "31122030", "1.50", ""})};
    lines->answers[6] = {"RPM",
                         IdentityReply("RPM", {"KAPRO", "RPM-500", "OM 1234", "R500-0042", "31122030", "1.50", ""})};
    RiconosciMCTC form(g, std::move(scripted));
    RiconosciMCTCView view(form);
    form.Form_Load();
    showActive(&view);
    child<QPushButton>(&view, "Command1")->click();
    EXPECT_FALSE(child<QPushButton>(&view, "Command1")->isEnabled());
    for (int tick = 0; tick < 40 && form.ScanPort() != 0; ++tick)
        form.Timer1.tick();
    ASSERT_EQ(form.ScanPort(), 0);
    const QString report = child<QPlainTextEdit>(&view, "Text3")->toPlainText();
    EXPECT_EQ(report.count(u'\n'), 4);
    EXPECT_TRUE(report.startsWith("Com3   KAPRO   KAPROGAS-VEGA   GV000001   1.50\nCom4 no connect\n"))
        << report.toStdString();
    EXPECT_EQ(child<QLabel>(&view, "Label3")->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_TRUE(saveScreenshot(&view, "recognition-report.png"));
}
