// The chart window: what it takes from the shared data when it loads, its
// print with the on-screen controls left out, the line chart it draws, and a
// whole recording of a simulated free acceleration shown in it.

#include "SmokeSimulatorFixture.h"

#include "lang/LanguageTexts.h"
#include "sim/OpacimeterOptions.h"
#include "smoke/Grafic.h"
#include "smoke/GraficView.h"
#include "support/RecordingDialogs.h"
#include "support/ViewHelpers.h"
#include "ui/Binding.h"
#include "ui/Printing.h"

#include <QAbstractAxis>
#include <QChart>
#include <QFileInfo>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Table = SmokeState::ChartTable;

// A rising and falling test curve, so every row differs.
Table sampleTable() {
    Table table{};
    for (int r = 0; r < SmokeState::ChartRows; ++r) {
        auto& row = table[static_cast<size_t>(r)];
        row[Grafic::Time] = r * 0.25;
        row[Grafic::Opacity] = 12.0 * std::sin(r * 0.08);
        row[Grafic::Speed] = 8.0 + 37.0 * std::sin(r * 0.09);
    }
    return table;
}

// Records which controls were on show when the window went to paper.
class RecordingPrinter : public ui::WindowPrinter {
  public:
    explicit RecordingPrinter(const Grafic& form) : form_(form) {}
    ui::PrintOutcome printWindow(int copies) override {
        printed.push_back(shownControls(copies));
        return outcome;
    }
    ui::PrintOutcome saveWindowAsPdf(int copies) override {
        saved.push_back(shownControls(copies));
        return ui::PrintOutcome::Printed;
    }
    QStringList shownControls(int copies) const {
        QStringList shown{QString::number(copies)};
        const std::pair<const char*, const ui::Control*> controls[] = {
            {"Command1", &form_.Command1}, {"Command2", &form_.Command2}, {"Label3", &form_.Label3},
            {"Label4", &form_.Label4},     {"Label5", &form_.Label5},     {"Label6", &form_.Label6},
            {"Label39", &form_.Label39}};
        for (const auto& [name, control] : controls)
            if (control->visible())
                shown << QLatin1String(name);
        return shown;
    }

    ui::PrintOutcome outcome = ui::PrintOutcome::Printed;
    std::vector<QStringList> printed;
    std::vector<QStringList> saved;

  private:
    const Grafic& form_;
};

class GraficTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
        LoadLanguageTexts(g, 1);
        g.settings.LanguageCode = 1;
        g.settings.LimitRpmMin = 1000;
        g.settings.LimitRpmMax = 3000;
    }

    Globals g;
    RecordingDialogs dialogs;
};

TEST_F(GraficTest, LoadPutsTheLimitsInForceInEveryRowAndKeepsTheRecording) {
    g.smoke.ChartData = sampleTable();
    g.smoke.ChartData[7][Grafic::SpeedMin] = 99;
    g.settings.LimitRpmMin = 1234.5f;
    g.settings.LimitRpmMax = 3456.7f;
    Grafic form(g, dialogs);
    form.Form_Load();

    const Table expected = sampleTable();
    for (int r = 0; r < SmokeState::ChartRows; ++r) {
        const auto& row = g.smoke.ChartData[static_cast<size_t>(r)];
        for (const int column : {Grafic::Time, Grafic::Opacity, Grafic::Speed})
            EXPECT_EQ(row[column], expected[static_cast<size_t>(r)][column]) << r;
        // The lower limit is worked out in single precision, the upper in double.
        EXPECT_EQ(row[Grafic::SpeedMin], static_cast<double>(1234.5f / 100.0f)) << r;
        EXPECT_EQ(row[Grafic::SpeedMax], static_cast<double>(3456.7f) / 100.0) << r;
    }
    EXPECT_EQ(form.MSChart1.data(), g.smoke.ChartData);
    EXPECT_EQ(form.Me.caption(), "Graph");
    EXPECT_EQ(form.MSChart1.title(), "SINGLE  ACCELERATION");
    EXPECT_EQ(form.MSChart1.timeTitle(), "Time, msec");
    EXPECT_EQ(form.MSChart1.opacityTitle(), "Opacity x 10, k");
    EXPECT_EQ(form.MSChart1.speedTitle(), "RPM / 100, rpm");
    EXPECT_EQ(form.Label5.caption(), "RPMmin");
    EXPECT_EQ(form.Label6.caption(), "RPMmax");
    EXPECT_EQ(form.Command2.toolTip(), g.lang.UiText[142]);
    EXPECT_FALSE(form.Command2.toolTip().isEmpty());
}

TEST_F(GraficTest, PrintLeavesOutTheButtonsSpeedAndPromptThenShowsThemAgain) {
    Grafic form(g, dialogs);
    form.Form_Load();
    RecordingPrinter printer(form);
    form.setPrinter(&printer);
    form.Command2_Click();
    const QStringList onPaper{"1", "Label5", "Label6"};
    ASSERT_EQ(printer.printed.size(), 1u);
    EXPECT_EQ(printer.printed[0], onPaper);
    EXPECT_EQ(printer.shownControls(1),
              (QStringList{"1", "Command1", "Command2", "Label3", "Label4", "Label5", "Label6", "Label39"}));

    // No printer at all: the page goes to a PDF file instead, laid out the same.
    printer.outcome = ui::PrintOutcome::NoPrinter;
    form.Command2_Click();
    ASSERT_EQ(printer.saved.size(), 1u);
    EXPECT_EQ(printer.saved[0], onPaper);
    EXPECT_TRUE(form.Label39.visible());
}

class GraficViewTest : public GraficTest {
  protected:
    static QList<QPointF> points(const QLineSeries* series) { return series->points(); }
    QList<QLineSeries*> series(const GraficView& view) const {
        QList<QLineSeries*> lines;
        for (QAbstractSeries* s : view.chart()->series())
            lines << qobject_cast<QLineSeries*>(s);
        return lines;
    }
    static const QValueAxis* axis(const GraficView& view, Qt::Alignment side) {
        const auto axes = view.chart()->axes(Qt::Vertical | Qt::Horizontal);
        for (const QAbstractAxis* a : axes)
            if (a->alignment() == side)
                return qobject_cast<const QValueAxis*>(a);
        return nullptr;
    }
};

TEST_F(GraficViewTest, DrawsTheFourColumnsAgainstTimeOnOneScale) {
    g.smoke.ChartData = sampleTable();
    Grafic form(g, dialogs);
    // Made before the form loads, as the program opens it.
    GraficView view(form);
    form.Form_Load();
    EXPECT_EQ(view.windowTitle(), "Graph");
    EXPECT_EQ(view.chart()->title(), "SINGLE  ACCELERATION");

    const QList<QLineSeries*> lines = series(view);
    ASSERT_EQ(lines.size(), 4);
    for (int column = 0; column < 4; ++column) {
        const QList<QPointF> drawn = points(lines[column]);
        ASSERT_EQ(drawn.size(), SmokeState::ChartRows);
        for (int r = 0; r < SmokeState::ChartRows; ++r) {
            EXPECT_EQ(drawn[r].x(), r * 0.25);
            EXPECT_EQ(drawn[r].y(), g.smoke.ChartData[static_cast<size_t>(r)][column + 1]);
        }
    }
    EXPECT_EQ(lines[0]->name(), "Opacity x 10, k");
    EXPECT_EQ(lines[1]->name(), "RPM / 100, rpm");
    EXPECT_EQ(lines[2]->pen().color(), ui::toQColor(Grafic::SpeedMinColour));
    EXPECT_EQ(lines[3]->pen().color(), ui::toQColor(Grafic::SpeedMaxColour));

    const QValueAxis* time = axis(view, Qt::AlignBottom);
    const QValueAxis* left = axis(view, Qt::AlignLeft);
    const QValueAxis* right = axis(view, Qt::AlignRight);
    ASSERT_TRUE(time && left && right);
    EXPECT_EQ(time->titleText(), "Time, msec");
    EXPECT_EQ(time->max(), 10);
    EXPECT_EQ(left->titleText(), "Opacity x 10, k");
    EXPECT_EQ(right->titleText(), "RPM / 100, rpm");
    EXPECT_EQ(left->min(), 0);
    EXPECT_EQ(left->max(), right->max());
    EXPECT_GE(left->max(), 45);

    // A new recording shown in the same window redraws it.
    g.smoke.ChartData[10][Grafic::Speed] = 80;
    form.MSChart1.setData(g.smoke.ChartData);
    EXPECT_EQ(points(lines[1])[10].y(), 80);
    EXPECT_GE(left->max(), 80);
}

TEST_F(GraficViewTest, ValuesThatAreNotNumbersAreLeftOffTheChart) {
    Table table = sampleTable();
    table[5][Grafic::Opacity] = std::numeric_limits<double>::infinity();
    table[6][Grafic::Opacity] = std::numeric_limits<double>::quiet_NaN();
    table[7][Grafic::Time] = std::numeric_limits<double>::quiet_NaN();
    table[8][Grafic::Speed] = std::numeric_limits<double>::max();
    g.smoke.ChartData = table;
    Grafic form(g, dialogs);
    form.Form_Load();
    GraficView view(form);
    const QList<QLineSeries*> lines = series(view);
    EXPECT_EQ(points(lines[0]).size(), SmokeState::ChartRows - 3);
    EXPECT_EQ(points(lines[1]).size(), SmokeState::ChartRows - 1);
    // The scale still covers the largest number there is.
    const QValueAxis* left = axis(view, Qt::AlignLeft);
    ASSERT_NE(left, nullptr);
    EXPECT_TRUE(std::isfinite(left->max()));
    EXPECT_GE(left->max(), std::numeric_limits<double>::max() / 2);
    view.show();
    EXPECT_FALSE(view.grab().isNull());
}

TEST_F(GraficViewTest, PrintedPageShowsTheWindowWithoutThePromptAndButtons) {
    Grafic form(g, dialogs);
    form.Form_Load();
    GraficView view(form);
    view.show();
    QApplication::processEvents();
    form.Label39.setCaption("prompt");
    form.Label39.setBackColor(ui::colour::LightBlue);
    const QLabel* prompt = view.findChild<QLabel*>("Label39");
    ASSERT_NE(prompt, nullptr);
    // Beside the centred text, inside the frame.
    const QPoint inPrompt = prompt->geometry().topLeft() + QPoint(8, prompt->height() / 2);
    const QColor lightBlue = ui::toQColor(ui::colour::LightBlue);
    ASSERT_EQ(view.grab().toImage().pixelColor(inPrompt), lightBlue);

    ui::QtWindowPrinter::redirectToPdf(programFile("chart.pdf"));
    view.findChild<QPushButton*>("Command2")->click();
    ui::QtWindowPrinter::redirectToPdf({});
    EXPECT_TRUE(QFileInfo(programFile("chart.pdf")).size() > 0);
    const QImage page = view.printer().lastPageImage();
    ASSERT_FALSE(page.isNull());
    EXPECT_NE(page.pixelColor(inPrompt), lightBlue);
    EXPECT_TRUE(prompt->isVisible());

    view.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(view.isVisible());
}

// A recording of the simulator's free acceleration, end to end.
class ChartRecordingTest : public SmokeOnSimulatorTest {};

TEST_F(ChartRecordingTest, OneSimulatedAccelerationIsRecordedAndShown) {
    installLanguageFile();
    LoadLanguageTexts(g, 1);
    // The simulator as the chart's demo runs it.
    const std::optional<sim::OpacimeterOptions> options = sim::ParseOpacimeterOptions({"--link", "x", "--chart"});
    ASSERT_TRUE(options);
    sim::OpacimeterScenario scenario = options->scenario;
    scenario.cadence.peaks = {1.6};
    openOnSimulator(MctcModel, scenario);
    instrument->engine().setReplyDelay(options->replyDelayMs);
    reachLiveReadings(MctcModel);
    form->Combo1.setListIndex(ANFUMO::Chart);
    form->Combo1_Click();
    form->Command2_Click();
    ASSERT_TRUE(stepUntil([&] { return form->TestPhase == "AVVIO"; }, 2000)) << form->TestPhase.toStdString();
    const sim::Millis triggered = clock.now();
    ASSERT_TRUE(stepUntil([&] { return links->chart() != nullptr; }, 1000)) << form->TestPhase.toStdString();
    EXPECT_EQ(form->TestPhase, "SUBATTESA");
    // At this pace the 41 rows, a quarter of a second apart on the chart, take
    // about as long in real time.
    EXPECT_NEAR(double(clock.now() - triggered), 10000.0, 2500.0);

    const Table& data = g.smoke.ChartData;
    double topSpeed = 0;
    double topOpacity = 0;
    for (int r = 0; r < SmokeState::ChartRows; ++r) {
        const auto& row = data[static_cast<size_t>(r)];
        EXPECT_EQ(row[Grafic::Time], r * 0.25);
        EXPECT_EQ(row[Grafic::SpeedMin], 10);
        EXPECT_EQ(row[Grafic::SpeedMax], 30);
        topSpeed = std::max(topSpeed, row[Grafic::Speed]);
        topOpacity = std::max(topOpacity, row[Grafic::Opacity]);
    }
    // Idle before the trigger, the governed speed, the puff's peak, and back to idle.
    const auto& first = data[0];
    const auto& last = data[SmokeState::ChartRows - 1];
    EXPECT_LT(first[Grafic::Speed], 10);
    EXPECT_GE(data[1][Grafic::Speed], 10);
    EXPECT_DOUBLE_EQ(topSpeed, 45);
    EXPECT_NEAR(topOpacity, 16, 0.5);
    EXPECT_LT(last[Grafic::Speed], 10);
    EXPECT_LT(last[Grafic::Opacity], 2);
    // The operator was told when to hold and when to let go.
    EXPECT_EQ(form->ChartStep, "FINE");

    GraficView view(*links->chart());
    form->Timer1.tick();
    EXPECT_TRUE(saveScreenshot(&view, "chart-recording.png"));
}

} // namespace
