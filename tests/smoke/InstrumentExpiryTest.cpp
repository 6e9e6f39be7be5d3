// The periodic verification of the instruments, in both measuring windows and
// both protocols: the warning lines when a window opens (from Conf.ini, the
// instrument has said nothing yet) and when a test starts (from the
// instrument's own date), and whether the test starts.

#include "gas/ANGAS.h"
#include "gas/ANGASView.h"
#include "gas/QtPrinters.h"
#include "lang/LanguageTexts.h"
#include "link/FakeSerialPort.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "sim/FakePortConnection.h"
#include "sim/GasAnalyserSim.h"
#include "sim/OpacimeterSim.h"
#include "sim/ScenarioClock.h"
#include "smoke/ANFUMO.h"
#include "smoke/NoSmokeWindowLinks.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"
#include "support/ViewHelpers.h"
#include "ui/Clock.h"

#include <functional>
#include <memory>
#include <optional>

namespace {

enum class Window { Gas, Smoke };
enum class Line { None, Amber, Red };
// Gas: certification or diagnosis. Smoke: a triggered test or continuous reading.
enum class Kind { Test, Reading };

struct ExpiryCase {
    const char* name;
    Window window;
    bool mctc;
    int confDays;       // Conf.ini expiry, days from today
    int instrumentDays; // the instrument's own expiry, days from today
    bool allowed;       // the service override
    Kind kind;
    Line atOpen;
    Line atStart;
    bool starts;
    bool flagged; // the result record says: expired instrument, by override
    std::optional<int> revCounterDays = std::nullopt;
};

const QDate Today(2026, 6, 15);

constexpr int GasMctcModel = 3;
constexpr int GasMakerModel = 0;
constexpr int SmokeMctcModel = 5;
constexpr int SmokeMakerModel = 1;

Line lineOf(const ui::Label& line) {
    if (!line.visible())
        return Line::None;
    if (line.backColor() == ui::colour::Red)
        return Line::Red;
    return line.backColor() == ui::colour::Orange ? Line::Amber : Line::None;
}

QString shown(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

// What the simulated instrument reports: its expiry (MCTC-NET, and the maker
// opacimeter), or the maker gas analyser's calibration date, which the
// validity of 12 months turns into that expiry.
QByteArray reportedDate(bool calibration, QDate expiry) {
    return (calibration ? expiry.addMonths(-12) : expiry).toString(QStringLiteral("ddMMyyyy")).toLatin1();
}

class InstrumentExpiryTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
        ui::Clock::set(QDateTime(Today, QTime(9, 30, 0)));
    }

    void writeConf(const ExpiryCase& c) {
        const bool gas = c.window == Window::Gas;
        const int model = gas ? (c.mctc ? GasMctcModel : GasMakerModel) : (c.mctc ? SmokeMctcModel : SmokeMakerModel);
        QString conf = QStringLiteral("[%1]\r\nTModCom=%2\r\nTCOM=3\r\nTBRate=2\r\nModello=M\r\nScadenza=%3\r\n"
                                      "[%4]\r\nModello=%5\r\nUnitOpa=0\r\n")
                           .arg(gas ? "COMKAPRO" : "COMOPA")
                           .arg(c.mctc ? 2 : 1)
                           .arg(shown(Today.addDays(c.confDays)))
                           .arg(gas ? "MODKAPRO" : "MODOPA")
                           .arg(model);
        if (c.revCounterDays)
            conf += QStringLiteral("[RPM]\r\nScadenza=%1\r\n").arg(shown(Today.addDays(*c.revCounterDays)));
        writeBytes(workFile("Conf.ini"), conf.toLatin1());
    }
};

TEST_F(InstrumentExpiryTest, WarningLinesAndStartFollowTheExpiryOfEachInstrument) {
    using enum Line;
    const Window G = Window::Gas;
    const Window S = Window::Smoke;
    const Kind T = Kind::Test;
    const Kind R = Kind::Reading;
    // Each window and protocol: open with Conf.ini at one boundary, start with
    // the instrument's own date at another (it wins over Conf.ini).
    const ExpiryCase cases[] = {
        {"gas MCTC-NET: expired yesterday / due in 31", G, true, -1, 31, false, T, Red, None, true, false},
        {"gas MCTC-NET: due today / due in 30", G, true, 0, 30, false, T, Amber, Amber, true, false},
        {"gas MCTC-NET: due in 30 / due today", G, true, 30, 0, false, T, Amber, Amber, true, false},
        {"gas MCTC-NET: due in 31 / expired yesterday", G, true, 31, -1, false, T, None, Red, false, false},
        {"gas MCTC-NET: expired, service override", G, true, 31, -1, true, T, None, Red, true, true},
        {"gas maker: expired yesterday / due in 31", G, false, -1, 31, false, T, Red, None, true, false},
        {"gas maker: due today / due in 30", G, false, 0, 30, false, T, Amber, Amber, true, false},
        {"gas maker: due in 30 / due today", G, false, 30, 0, false, T, Amber, Amber, true, false},
        {"gas maker: due in 31 / expired yesterday", G, false, 31, -1, false, T, None, Red, false, false},
        {"gas maker: expired, service override", G, false, 31, -1, true, T, None, Red, true, true},
        {"smoke MCTC-NET: expired yesterday / due in 31", S, true, -1, 31, false, T, Red, None, true, false},
        {"smoke MCTC-NET: due today / due in 30", S, true, 0, 30, false, T, Amber, Amber, true, false},
        {"smoke MCTC-NET: due in 30 / due today", S, true, 30, 0, false, T, Amber, Amber, true, false},
        {"smoke MCTC-NET: due in 31 / expired yesterday", S, true, 31, -1, false, T, None, Red, false, false},
        {"smoke MCTC-NET: expired, service override", S, true, 31, -1, true, T, None, Red, true, true},
        {"smoke maker: expired yesterday / due in 31", S, false, -1, 31, false, T, Red, None, true, false},
        {"smoke maker: due today / due in 30", S, false, 0, 30, false, T, Amber, Amber, true, false},
        {"smoke maker: due in 30 / due today", S, false, 30, 0, false, T, Amber, Amber, true, false},
        {"smoke maker: due in 31 / expired yesterday", S, false, 31, -1, false, T, None, Red, false, false},
        {"smoke maker: expired, service override", S, false, 31, -1, true, T, None, Red, true, true},
        {"gas diagnosis on an expired analyser", G, true, -1, -1, false, R, Red, Red, true, false},
        {"smoke continuous reading on an expired opacimeter", S, false, -1, -1, false, R, Red, Red, true, false},
        {"gas certification with the rev counter expired", G, true, 100, 100, false, T, None, None, false, false, -1},
        {"smoke test with the rev counter expired, override", S, true, 100, 100, true, T, None, None, true, true, -1},
    };

    for (const ExpiryCase& c : cases) {
        SCOPED_TRACE(c.name);
        Globals g;
        LoadLanguageTexts(g, 2);
        g.settings.SmokePort = 3;
        g.settings.SmokeBaudIndex = 2;
        g.settings.ExternalRpm = c.revCounterDays ? 1 : 0;
        g.station.AmbientPressure = QStringLiteral("101.3");
        writeConf(c);
        g.settings.ExpiredInstrumentAllowed = c.allowed;
        ASSERT_TRUE(SaveVerificationSettings(g));
        g.settings.ExpiredInstrumentAllowed = false; // the window reads it from Conf.ini

        const QDate instrumentExpiry = Today.addDays(c.instrumentDays);
        sim::ScenarioClock clock;
        RecordingDialogs dialogs;
        auto line = std::make_unique<FakeSerialPort>();
        FakeSerialPort& port = *line;
        std::unique_ptr<ANGAS> gas;
        std::unique_ptr<ANFUMO> smoke;
        std::optional<sim::GasAnalyserSim> analyser;
        std::optional<sim::OpacimeterSim> opacimeter;
        std::unique_ptr<sim::FakePortConnection> connection;
        VerificationWatch* watch = nullptr;
        std::function<void()> tick;
        if (c.window == Window::Gas) {
            sim::GasAnalyserSettings settings;
            settings.model = c.mctc ? GasMctcModel : GasMakerModel;
            settings.expiry = reportedDate(!c.mctc, instrumentExpiry);
            settings.calendar = ui::Clock::now();
            analyser.emplace(clock, settings);
            g.app.GasWindowActive = 1;
            gas = std::make_unique<ANGAS>(g, dialogs, std::move(line));
            gas->Form_Load();
            connection = std::make_unique<sim::FakePortConnection>(analyser->engine(), port);
            watch = &gas->Verification;
            tick = [&] { gas->Timer1.tick(); };
        } else {
            sim::OpacimeterScenario scenario;
            scenario.expiry = reportedDate(false, instrumentExpiry);
            opacimeter.emplace(clock, c.mctc ? SmokeMctcModel : SmokeMakerModel, scenario);
            g.app.SmokeWindowActive = 1;
            smoke = std::make_unique<ANFUMO>(g, dialogs, std::make_unique<NoSmokeWindowLinks>(), std::move(line));
            smoke->Form_Load();
            connection = std::make_unique<sim::FakePortConnection>(opacimeter->engine(), port);
            watch = &smoke->Verification;
            tick = [&] { smoke->Timer1.tick(); };
        }
        const Line revCounter = c.revCounterDays ? Red : None;

        EXPECT_EQ(lineOf(watch->InstrumentLine), c.atOpen);
        EXPECT_EQ(lineOf(watch->RevCounterLine), revCounter);
        if (c.atOpen != None) {
            EXPECT_TRUE(watch->InstrumentLine.caption().contains(shown(Today.addDays(c.confDays))))
                << watch->InstrumentLine.caption().toStdString();
        }

        // The instrument identifies itself and reports its date.
        const auto identified = [&] {
            return c.window == Window::Gas ? !g.gas.CalibrationDate.isEmpty()
                                           : !g.link.InstrumentIdentity.ExpiryDate.trimmed().isEmpty();
        };
        for (int i = 0; i < 400 && !identified(); ++i) {
            tick();
            clock.advanceBy(25);
            ui::Clock::advance(25);
        }
        ASSERT_TRUE(identified());

        dialogs.shown.clear();
        bool started = false;
        bool flagged = false;
        if (gas) {
            gas->Combo4.setListIndex(c.kind == Kind::Test ? 0 : 1);
            gas->Combo4_Click();
            gas->Command1_Click();
            started = c.mctc ? gas->PendingRequest == "STARTMIS" : gas->MeasuringFlag == 1;
            flagged = g.report.GasCertificate.ExpiredInstrumentOverride;
        } else {
            smoke->Combo1.setListIndex(c.kind == Kind::Test ? ANFUMO::SpeedTriggered : ANFUMO::Continuous);
            smoke->Combo1_Click();
            smoke->Command2_Click();
            started = smoke->PendingRequest == "STARTMIS";
            flagged = g.smoke.SmokeTestResult.ExpiredInstrumentOverride;
        }
        EXPECT_EQ(started, c.starts);
        EXPECT_EQ(flagged, c.flagged);
        EXPECT_EQ(lineOf(watch->InstrumentLine), c.atStart);
        EXPECT_EQ(lineOf(watch->RevCounterLine), revCounter);
        if (c.atStart != None) {
            EXPECT_TRUE(watch->InstrumentLine.caption().contains(shown(instrumentExpiry)))
                << watch->InstrumentLine.caption().toStdString();
        }
        if (c.starts) {
            EXPECT_TRUE(dialogs.shown.empty());
        } else {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_TRUE(dialogs.shown[0].text.startsWith("Test not started")) << dialogs.shown[0].text.toStdString();
        }
        connection.reset();
        gas.reset();
        smoke.reset();
    }
}

} // namespace

TEST_F(InstrumentExpiryTest, ScreenshotsOfTheWarningLinesInItalianAndEnglish) {
    // The analyser due in 12 days, the rev counter expired: both lines.
    writeBytes(workFile("Conf.ini"),
               QStringLiteral("[COMKAPRO]\r\nTModCom=2\r\nModello=KAPRO VEGA\r\nNserie=AG-0042\r\n"
                              "Scadenza=%1\r\n[MODKAPRO]\r\nModello=3\r\n[RPM]\r\nScadenza=%2\r\n")
                   .arg(shown(Today.addDays(12)), shown(Today.addDays(-40)))
                   .toLatin1());
    for (const auto& [language, suffix] : {std::pair{1, "it"}, {2, "en"}}) {
        Globals g;
        LoadLanguageTexts(g, language);
        g.settings.ExternalRpm = 1;
        RecordingDialogs dialogs;
        ANGAS gas(g, dialogs, std::make_unique<FakeSerialPort>());
        gas.Form_Load();
        EXPECT_EQ(lineOf(gas.Verification.InstrumentLine), Line::Amber);
        EXPECT_EQ(lineOf(gas.Verification.RevCounterLine), Line::Red);
        ANGASView view(gas);
        EXPECT_TRUE(saveScreenshot(&view, QStringLiteral("angas-verification-%1.png").arg(suffix)));
    }
}
