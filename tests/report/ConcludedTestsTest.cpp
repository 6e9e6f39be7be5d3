// A concluded test put back into a fresh station state gives the very same
// test again, for every kind and for the values that are written specially
// (oil out of range, speeds never measured, the HSU unit, coloured fields).

#include "report/ConcludedTests.h"
#include "report/ReportLog.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QDateTime Verdict(QDate(2026, 3, 14), QTime(10, 42, 7));

void fillStation(Globals& g) {
    g.lang.UiText[92] = QStringLiteral("REFERTO ANALISI GAS");
    g.lang.UiText[128] = QStringLiteral("REFERTO OPACIMETRO");
    g.lang.UiText[57] = QStringLiteral("PROVA SUPERATA");
    g.lang.UiText[135] = QStringLiteral("SUPERATA");
    g.station = {"Fiat Panda",
                 "AB123CD",
                 "ZFA1690000",
                 "2009",
                 "Panda",
                 "21",
                 "1013",
                 "45",
                 "Rossi",
                 "Bianchi",
                 QString::fromUtf8("Officina Città")};
    g.settings.RpmMake = QStringLiteral("Quaveron RPM 8");
    g.settings.RpmSerial = QStringLiteral("RPM0042");
    g.settings.LimitRpmMin = 1000.5f;
    g.settings.LimitRpmMax = 3000;
    g.settings.OpacityThreshold = 0.5;
    g.settings.OpacityLimitK = 1.55;
    g.link.InstrumentIdentity = {"KAPRO", "OPX-300", "OM 41302", "004217", "31/12/2030", "2.10", ""};
}

void fillCertificate(Globals& g) {
    GasCertificateRecord& c = g.report.GasCertificate;
    c.Header = {"Quaveron",   "QV-GAS 200", "OM 67890", "GAS00001", "31/12/2030", "RPM 8", "OM 4242",     "RPM0042",
                "31/12/2030", "Fiat",       "Panda",    "AB123CD",  "ZFA",        "4T",    "BENZINA CAT", "2009"};
    c.OilTemperature = QStringLiteral("91");
    c.Idle = {{"870", 0x00FFFF}, {"0.1", 0x00FFFF}, {"14.8", 0x00FFFF}, {"0.1", 255},
              {"30", 0x00FFFF},  {"0.3", 0x00FFFF}, {"1", 0x00FFFF},    "0.5"};
    c.AcceleratedIdle = {{"2350", 255},    {"0.05", 0x00FFFF}, {"15", 0x00FFFF}, {"0.05", 0x00FFFF},
                         {"20", 0x00FFFF}, {"0.2", 0x00FFFF},  {"1.01", 255},    "0.3"};
    c.LambdaLimits = QStringLiteral("0.97 - 1.03");
    c.Result = {QStringLiteral("PROVA SUPERATA"), 0x00FFFF};
    c.Date = QStringLiteral("14/03/2026");
    c.StartTime = QStringLiteral("10:38:00");
    c.TechnicalManager = QStringLiteral("Bianchi");
    c.AgencyName = QStringLiteral("Officina");
}

void fillSmoke(Globals& g, bool hsu, double oil) {
    SmokeState& s = g.smoke;
    s.SmokeOilTemperature = oil;
    s.TestStartTime = Verdict.addSecs(-90);
    for (int row = 0; row < 3; ++row) {
        s.RowPeakText[row] = QString::number(1 + row / 10.0);
        s.RowSpeedText[row] = QStringLiteral("4350");
        s.RowUsedK[row] = SmokeState::RowInAcceptedSet;
        s.RowUsedSpeed[row] = row == 1 ? 2 : SmokeState::RowInAcceptedSet;
    }
    s.SmokeTestResult.MeanKText = QStringLiteral("1.1");
    s.SmokeTestResult.MeanOpacityText = QStringLiteral("37.8");
    s.SmokeTestResult.MinIdleSpeed = 830;
    s.SmokeTestResult.AcceptedSet = QStringLiteral("1,2,3");
    s.SmokeTestResult.VerdictText = QStringLiteral("SUPERATA");
    s.AccelerationIndex = SmokeState::AccelerationRowCount;
    g.settings.SmokeUnit = hsu ? 1 : 0;
    for (int row = 0; row < SmokeState::ChartRows; ++row)
        g.smoke.ChartData[static_cast<size_t>(row)] = {row * 0.25, row * 1.37, 8.3 + row / 3.0, 10.005, 30};
}

struct Case {
    const char* name;
    std::function<void(Globals&)> fill;
    std::function<ConcludedTest(const Globals&)> conclude;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

const Case Cases[] = {
    {"GasCertificate", fillCertificate, [](const Globals& g) { return ConcludedGasCertificate(g, Verdict); }},
    {"GasDiagnosis",
     [](Globals& g) {
         fillCertificate(g);
         g.report.GasDiagnosis = {g.report.GasCertificate.Header,
                                  "88",
                                  "850",
                                  "0.1",
                                  "14",
                                  "0.1",
                                  "40",
                                  "0.5",
                                  "1",
                                  "120",
                                  "14/03/2026",
                                  "10:42:07",
                                  "Rossi",
                                  "Officina"};
     },
     [](const Globals& g) { return ConcludedGasDiagnosis(g); }},
    {"SmokePercent", [](Globals& g) { fillSmoke(g, false, 88.5); },
     [](const Globals& g) { return ConcludedSmokeTest(g, Verdict); }},
    {"SmokeHsuOilOutOfRange", [](Globals& g) { fillSmoke(g, true, 888); },
     [](const Globals& g) { return ConcludedSmokeTest(g, Verdict); }},
    {"Chart", [](Globals& g) { fillSmoke(g, false, 80); }, [](const Globals& g) { return ConcludedChart(g, Verdict); }},
};

class ConcludedTestsTest : public ::testing::TestWithParam<Case> {
  protected:
    void TearDown() override { ui::Clock::reset(); }
};

TEST_P(ConcludedTestsTest, RestoredTestConcludesTheSameAgain) {
    ui::Clock::set(Verdict);
    Globals live;
    fillStation(live);
    GetParam().fill(live);
    const ConcludedTest kept = GetParam().conclude(live);
    ASSERT_GT(kept.fields.size(), 20);

    Globals restored;
    restored.lang = live.lang;
    RestoreConcludedTest(kept, restored);
    const ConcludedTest again = GetParam().conclude(restored);
    ASSERT_EQ(again.fields.size(), kept.fields.size());
    for (int i = 0; i < kept.fields.size(); ++i)
        EXPECT_EQ((again.fields[i].first + u'=' + again.fields[i].second).toStdString(),
                  (kept.fields[i].first + u'=' + kept.fields[i].second).toStdString());
    EXPECT_EQ(again.plate, kept.plate);
    EXPECT_EQ(again.outcome, kept.outcome);
    EXPECT_EQ(again.instrument, kept.instrument);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ConcludedTestsTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ConcludedTestsReport, KeptTestsBeginWithReportLogLines) {
    ui::Clock::set(Verdict);
    Globals g;
    fillStation(g);
    fillCertificate(g);
    g.report.GasCertificate.EndTime = QStringLiteral("10:42:07");
    const ConcludedTest gas = ConcludedGasCertificate(g, Verdict);
    const QStringList gasLines = GasReportLines(g);
    for (int i = 0; i < gasLines.size(); ++i)
        EXPECT_EQ((gas.fields[i].first + u'=' + gas.fields[i].second).toStdString(), gasLines[i].toStdString());

    fillSmoke(g, true, 888);
    g.smoke.TestEndTime = Verdict;
    const ConcludedTest smoke = ConcludedSmokeTest(g, Verdict);
    const QStringList smokeLines = SmokeReportLines(g);
    ASSERT_EQ(smokeLines.size(), 49);
    for (int i = 0; i < smokeLines.size(); ++i)
        EXPECT_EQ((smoke.fields[i].first + u'=' + smoke.fields[i].second).toStdString(), smokeLines[i].toStdString());
    ui::Clock::reset();
}

TEST(ConcludedTestsReport, OnlyATestStartedOnAnExpiredInstrumentByOverrideCarriesTheNote) {
    Globals g;
    fillStation(g);
    fillCertificate(g);
    g.lang.NamedTexts.insert(QStringLiteral("scadenzaconsentita"), QStringLiteral("started by override"));
    fillSmoke(g, false, 80);
    EXPECT_EQ(ConcludedGasCertificate(g, Verdict).note, QString());
    EXPECT_EQ(ConcludedSmokeTest(g, Verdict).note, QString());
    g.report.GasCertificate.ExpiredInstrumentOverride = true;
    g.smoke.SmokeTestResult.ExpiredInstrumentOverride = true;
    EXPECT_EQ(ConcludedGasCertificate(g, Verdict).note, "started by override");
    EXPECT_EQ(ConcludedSmokeTest(g, Verdict).note, "started by override");
}

} // namespace
