#include "RecordingWindowFactory.h"
#include "app/Menu.h"
#include "app/MenuView.h"
#include "lang/LanguageTexts.h"
#include "settings/RCLIni.h"
#include "settings/Win1252.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"
#include "ui/Binding.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>
#include <memory>

namespace {

// The captions that take a language text, in a fixed order.
std::vector<QString> languageCaptions(const Menu& m) {
    return {m.LabelTit.caption(), m.MISURAG.caption(),   m.MISURAO.caption(), m.MISURAR.caption(), m.DVEIC.caption(),
            m.DAMBIENT.caption(), m.RICONOSCI.caption(), m.UTILITY.caption(), m.LINGUA.caption()};
}

// What those captions must read once the texts of `code` are loaded.
std::vector<QString> expectedCaptions(int code) {
    Globals reference;
    LoadLanguageTexts(reference, code);
    const auto& t = reference.lang.UiText;
    return {t[0], t[45], t[45], t[45], t[127], t[74], t[125], t[158], t[4]};
}

// One start of the program: its own globals, windows and main window.
struct Station {
    Globals g;
    RecordingDialogs dialogs;
    RecordingWindowFactory windows{g};
    int endCalls = 0;
    Menu menu{g, dialogs, windows, [this] { ++endCalls; }};
};

class MainWindowTest : public StationDirsTest {
  protected:
    void writeConf(const QString& text) {
        QString crlf = text;
        crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        writeBytes(workFile("Conf.ini"), settings::toWin1252(crlf));
    }

    QString readConf(const QString& section, const QString& key) const {
        RCLIni ini;
        ini.File = workFile("Conf.ini");
        ini.Section = section;
        ini.key = key;
        ini.GetValue();
        return ini.Value;
    }

    Station s;
    Menu& menu = s.menu;
    Globals& g = s.g;
};

TEST_F(MainWindowTest, StartsWithoutConfOrLanguageFileAndEmptiesLanguageCaptions) {
    ASSERT_FALSE(QFile::exists(workFile("Conf.ini")));
    ASSERT_FALSE(QFile::exists(workFile("Lingua.ini")));

    EXPECT_NO_THROW(menu.Form_Load());

    for (const QString& caption : languageCaptions(menu))
        EXPECT_TRUE(caption.isEmpty()) << caption.toStdString();
    // Captions without a language text keep their design.
    EXPECT_EQ(menu.Me.caption(), QStringLiteral("Start menù"));
    EXPECT_EQ(menu.CmdAnGas.caption(), QStringLiteral("Kapro"));
    EXPECT_EQ(menu.LINGING.caption(), QStringLiteral("English"));
    EXPECT_EQ(g.settings.LanguageCode, 0);
    EXPECT_EQ(g.settings.HcRangeQuadCoeff, 1e-09);
    EXPECT_EQ(g.settings.HcRangeLinCoeff, 0.008);
    EXPECT_TRUE(g.station.OperatorName.isEmpty());
    EXPECT_TRUE(menu.Timer1.enabled());
    EXPECT_TRUE(s.dialogs.shown.empty());

    MenuView view(menu);
    view.show();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Start menù"));
}

TEST_F(MainWindowTest, StartUpDeletesOnlyThePreviousRunsLogsFromTheProgramDirectory) {
    writeBytes(programFile("gas.log"), "old gas values\r\n");
    writeBytes(programFile("smoke.log"), "old smoke values\r\n");
    writeBytes(programFile("report.log"), "Esito=POSITIVO\r\n");
    writeBytes(workFile("gas.log"), "not ours\r\n");

    menu.Form_Load();

    EXPECT_FALSE(QFile::exists(programFile("gas.log")));
    EXPECT_FALSE(QFile::exists(programFile("smoke.log")));
    EXPECT_TRUE(QFile::exists(programFile("report.log")));
    EXPECT_TRUE(QFile::exists(workFile("gas.log")));
}

TEST_F(MainWindowTest, StartUpCarriesOnPastASettingThatIsNotANumber) {
    installLanguageFile();
    writeConf(QStringLiteral("[LINGUA]\nTLingua=2\n"
                             "[COMOPA]\nTModCom=2\nTCOM=uno\nTBRate=2\n"
                             "[RPM]\nMarca=Giri\nTCOMrpm=3\nTBRaterpm=x\nExternRPM=1\n"
                             "[UTENTE]\nOperatore=Niccolò Rossi\nResponsabileTecn=Ing. Bianchi\nEnte=Centro\n"
                             "[AMBIENTE]\nTemperatura=21\nPressione=101,3\nUmiditàRelativa=40\n"
                             "[ARCHIVIO]\nTipo=PostgreSQL\nHost=archivio.centro\nPorta=porta\nCorsia=Linea 2\n"));

    EXPECT_NO_THROW(menu.Form_Load());

    EXPECT_EQ(g.settings.OpacimeterLinkMode, 2);
    EXPECT_EQ(g.settings.SmokePort, 0);
    EXPECT_EQ(g.settings.RpmPort, 3);
    EXPECT_EQ(g.settings.ExternalRpm, 0);
    EXPECT_EQ(g.station.OperatorName, QStringLiteral("Niccolò Rossi"));
    EXPECT_EQ(g.station.AmbientHumidity, QStringLiteral("40"));
    EXPECT_TRUE(g.settings.Archive.usesServer());
    EXPECT_EQ(g.settings.Archive.host, QStringLiteral("archivio.centro"));
    EXPECT_EQ(g.settings.Archive.port, ArchiveSettings::DefaultPort);
    EXPECT_EQ(g.settings.Archive.lane, QStringLiteral("Linea 2"));
    EXPECT_EQ(languageCaptions(menu), expectedCaptions(2));
    EXPECT_EQ(menu.ARCHIVIOSET.caption(), QStringLiteral("Archive settings"));
}

struct LanguageCase {
    const char* name;
    void (Menu::*click)();
    int code;
};

class LanguageSwitchTest : public MainWindowTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(LanguageSwitchTest, ChangesCaptionsAtOnceStoresTheChoiceAndTheNextStartUpUsesIt) {
    installLanguageFile();
    const LanguageCase& c = GetParam();
    const int startCode = c.code == 1 ? 2 : 1;
    writeConf(QStringLiteral("[LINGUA]\nTLingua=%1\n").arg(startCode));
    menu.Form_Load();
    ASSERT_EQ(languageCaptions(menu), expectedCaptions(startCode));
    ASSERT_NE(expectedCaptions(startCode), expectedCaptions(c.code));

    std::invoke(c.click, menu);

    EXPECT_EQ(g.settings.LanguageCode, c.code);
    EXPECT_EQ(languageCaptions(menu), expectedCaptions(c.code));
    EXPECT_EQ(readConf("LINGUA", "TLingua"), QString::number(c.code));
    EXPECT_EQ(s.endCalls, 0);

    Station next;
    next.menu.Form_Load();
    EXPECT_EQ(next.g.settings.LanguageCode, c.code);
    EXPECT_EQ(languageCaptions(next.menu), expectedCaptions(c.code));
}

INSTANTIATE_TEST_SUITE_P(Menus, LanguageSwitchTest,
                         ::testing::Values(LanguageCase{"Italiano", &Menu::LINGITA_Click, 1},
                                           LanguageCase{"English", &Menu::LINGING_Click, 2},
                                           LanguageCase{"Espanol", &Menu::LINGSPA_Click, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, LanguageSwitchOnAViewShowsTheNewCaptionsAtOnce) {
    installLanguageFile();
    menu.Form_Load();
    MenuView view(menu);
    auto* title = view.findChild<QLabel*>("LabelTit");
    ASSERT_NE(title, nullptr);
    const QString italian = title->text();

    view.findChild<QAction*>("LINGING")->trigger();

    EXPECT_NE(title->text(), italian);
    EXPECT_EQ(title->text(), ui::plainCaption(expectedCaptions(2)[0]));
    EXPECT_EQ(view.findChild<QMenu*>("UTILITY")->title(), expectedCaptions(2)[7]);
}

TEST_F(MainWindowTest, EveryExitSavesTheLanguageClosesTheMeasuringWindowsAndEnds) {
    for (auto exit : {&Menu::CmdOut_Click, &Menu::Form_Unload}) {
        Station station;
        station.g.settings.LanguageCode = 3;
        int endCallsWhileUnloading = -1;
        station.windows.whileUnloading = [&] { endCallsWhileUnloading = station.endCalls; };
        std::invoke(exit, station.menu);
        EXPECT_EQ(endCallsWhileUnloading, 0) << "the measuring windows close before the program ends";
        EXPECT_EQ(station.endCalls, 1);
        EXPECT_EQ(readConf("LINGUA", "TLingua"), QStringLiteral("3"));
        EXPECT_EQ(station.windows.names(), std::vector<QString>{"unload gas and smoke"});
        QFile::remove(workFile("Conf.ini"));
    }
}

TEST_F(MainWindowTest, ClosingTheViewRunsTheExitSequence) {
    g.settings.LanguageCode = 2;
    MenuView view(menu);
    view.show();
    view.close();
    EXPECT_EQ(s.endCalls, 1);
    EXPECT_EQ(readConf("LINGUA", "TLingua"), QStringLiteral("2"));
}

TEST_F(MainWindowTest, PictureBlinksHidingFirstUntilTheTimerStopsAndResumesWhenRestarted) {
    ASSERT_EQ(g.app.MainBlinkTimer, &menu.Timer1);
    EXPECT_EQ(menu.Timer1.interval(), 1000);
    EXPECT_TRUE(menu.Picture1.visible());

    std::vector<bool> seen;
    for (int i = 0; i < 4; ++i) {
        menu.Timer1.tick();
        seen.push_back(menu.Picture1.visible());
    }
    EXPECT_EQ(seen, (std::vector<bool>{false, true, false, true}));

    menu.Timer1.tick();
    ASSERT_FALSE(menu.Picture1.visible());
    menu.CmdAnGas_Click();
    menu.Timer1.tick();
    EXPECT_FALSE(menu.Picture1.visible()) << "a stopped timer must not blink";

    // What the gas window does when it closes.
    g.app.MainBlinkTimer->setEnabled(true);
    menu.Timer1.tick();
    EXPECT_TRUE(menu.Picture1.visible());
}

TEST_F(MainWindowTest, ViewHidesThePictureOnTheFirstTick) {
    MenuView view(menu);
    view.show();
    auto* picture = view.findChild<QLabel*>("Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->isVisible());
    menu.Timer1.tick();
    EXPECT_FALSE(picture->isVisible());
    menu.Timer1.tick();
    EXPECT_TRUE(picture->isVisible());
}

TEST_F(MainWindowTest, MainWindowForgetsItsTimerWhenItGoes) {
    Globals fresh;
    RecordingDialogs dialogs;
    RecordingWindowFactory windows{fresh};
    { Menu gone(fresh, dialogs, windows, {}); }
    EXPECT_EQ(fresh.app.MainBlinkTimer, nullptr);
}

struct MeasuringCase {
    const char* name;
    void (Menu::*click)();
    int externalRpm;
    int externalOilTemp;
    std::vector<QString> windows;
};

class OpenMeasuringWindowTest : public MainWindowTest, public ::testing::WithParamInterface<MeasuringCase> {};

TEST_P(OpenMeasuringWindowTest, StopsBlinkingSetsTheFlagsAndOpensTheRevCounterFirstWhenNeeded) {
    const MeasuringCase& c = GetParam();
    g.settings.ExternalRpm = c.externalRpm;
    g.settings.ExternalOilTemp = c.externalOilTemp;

    std::invoke(c.click, menu);

    EXPECT_EQ(s.windows.names(), c.windows);
    EXPECT_FALSE(menu.Timer1.enabled());
    const bool gas = c.windows.back() == "gas";
    for (const auto& opened : s.windows.opened) {
        EXPECT_FALSE(opened.blinking) << opened.window.toStdString();
        EXPECT_EQ(opened.gasActive, gas ? 1 : 0) << opened.window.toStdString();
        EXPECT_EQ(opened.smokeActive, gas ? 0 : 1) << opened.window.toStdString();
        EXPECT_EQ(opened.smokeFirstStart, gas ? 0 : 1) << opened.window.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, OpenMeasuringWindowTest,
    ::testing::Values(MeasuringCase{"CmdAnGas", &Menu::CmdAnGas_Click, 0, 0, {"gas"}},
                      MeasuringCase{"MISURAG", &Menu::MISURAG_Click, 0, 0, {"gas"}},
                      MeasuringCase{"CmdAnGasExternalRpm", &Menu::CmdAnGas_Click, 1, 0, {"rpm minimised", "gas"}},
                      MeasuringCase{"MISURAGExternalOil", &Menu::MISURAG_Click, 0, 1, {"rpm minimised", "gas"}},
                      MeasuringCase{"CmdAnFumo", &Menu::CmdAnFumo_Click, 0, 0, {"smoke"}},
                      MeasuringCase{"MISURAO", &Menu::MISURAO_Click, 0, 0, {"smoke"}},
                      MeasuringCase{"CmdAnFumoExternalBoth", &Menu::CmdAnFumo_Click, 1, 1, {"rpm minimised", "smoke"}},
                      MeasuringCase{"MISURAOExternalRpm", &Menu::MISURAO_Click, 1, 0, {"rpm minimised", "smoke"}},
                      MeasuringCase{"OnlyOneCountsAsSet", &Menu::CmdAnGas_Click, 2, 0, {"gas"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, RevCounterAloneIsModalAndItsClosingUnloadsGasAndSmoke) {
    for (auto click : {&Menu::CmdRPM_Click, &Menu::MISURAR_Click}) {
        Station station;
        bool unloadedWhileOpen = true;
        station.windows.whileRevCounterModal = [&] {
            unloadedWhileOpen = station.windows.names().back() != "rpm modal";
        };
        std::invoke(click, station.menu);
        EXPECT_FALSE(unloadedWhileOpen);
        EXPECT_EQ(station.windows.names(), (std::vector<QString>{"rpm modal", "unload gas and smoke"}));
        EXPECT_FALSE(station.windows.opened.front().blinking);
        EXPECT_FALSE(station.menu.Timer1.enabled());
    }
}

TEST_F(MainWindowTest, MenusAndButtonsOpenTheirOwnWindow) {
    const std::vector<std::pair<void (Menu::*)(), QString>> routes = {
        {&Menu::SETG_Click, "gas set-up"}, {&Menu::SETO_Click, "smoke set-up"},
        {&Menu::SETR_Click, "rpm set-up"}, {&Menu::RICONOSCI_Click, "recognition"},
        {&Menu::DVEIC_Click, "operator"},  {&Menu::DAMBIENT_Click, "ambient"},
        {&Menu::Image1_Click, "about"},    {&Menu::Command1_Click, "test"},
    };
    for (const auto& [click, window] : routes) {
        Station station;
        std::invoke(click, station.menu);
        EXPECT_EQ(station.windows.names(), std::vector<QString>{window});
        EXPECT_TRUE(station.menu.Timer1.enabled()) << window.toStdString();
    }
}

TEST_F(MainWindowTest, ViewForwardsMenusButtonsAndTheLogoClick) {
    MenuView view(menu);
    view.show();
    view.findChild<QAction*>("SETO")->trigger();
    view.findChild<QAction*>("MISURAR")->trigger();
    view.findChild<QPushButton*>("CmdAnFumo")->click();
    view.findChild<QPushButton*>("Command1")->click();
    auto* logo = view.findChild<QLabel*>("Image1");
    ASSERT_NE(logo, nullptr);
    const QPointF inside(logo->width() / 2.0, logo->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, inside, logo->mapToGlobal(inside), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, logo->mapToGlobal(inside), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(logo, &press);
    QApplication::sendEvent(logo, &release);

    EXPECT_EQ(s.windows.names(),
              (std::vector<QString>{"smoke set-up", "rpm modal", "unload gas and smoke", "smoke", "test", "about"}));
    EXPECT_EQ(view.menuBar()->actions().size(), 5);
}

TEST_F(MainWindowTest, ScreenshotsInItalianAndEnglish) {
    QDir().mkpath(programFile("Immagini"));
    for (const char* picture : {"Logo.png", "Spia.png"})
        ASSERT_TRUE(QFile::copy(sourceDataPath(QStringLiteral("Immagini/") + picture),
                                programFile(QStringLiteral("Immagini/") + picture)));
    installLanguageFile();
    menu.Form_Load();
    MenuView view(menu);
    view.show();
    auto* logo = view.findChild<QLabel*>("Image1");
    ASSERT_FALSE(logo->pixmap().isNull());
    ASSERT_FALSE(view.findChild<QLabel*>("Picture1")->pixmap().isNull());

    EXPECT_TRUE(view.grab().save(screenshotPath("app-menu-it.png")));
    menu.LINGING_Click();
    EXPECT_TRUE(view.grab().save(screenshotPath("app-menu-en.png")));
}

} // namespace
