#include "smoke/GraficView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

constexpr QColor OpacityColour(0xb0, 0x1c, 0x1c);
constexpr QColor SpeedColour(0x1f, 0x4e, 0x9c);
// Room above the highest curve; an empty chart still spans this much.
constexpr double Headroom = 1.1;
constexpr double MinimumTop = 10.0;

QLineSeries* addSeries(QChart* chart, const QColor& colour, Qt::PenStyle style) {
    auto* series = new QLineSeries(chart);
    QPen pen(colour);
    pen.setWidth(2);
    pen.setStyle(style);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

void setColour(QLineSeries* series, const QColor& colour) {
    QPen pen = series->pen();
    pen.setColor(colour);
    series->setPen(pen);
}

QValueAxis* addAxis(QChart* chart, Qt::Alignment alignment) {
    auto* axis = new QValueAxis(chart);
    axis->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(axis, alignment);
    return axis;
}

} // namespace

GraficView::GraficView(Grafic& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [] { return true; }, parent),
      form_(form), printer_(this) {
    setObjectName(QStringLiteral("Grafic"));
    chart_ = new QChart;
    chart_->setAnimationOptions(QChart::NoAnimation);
    QFont titleFont = chart_->titleFont();
    titleFont.setPointSize(13);
    titleFont.setBold(true);
    chart_->setTitleFont(titleFont);

    series_[0] = addSeries(chart_, OpacityColour, Qt::SolidLine);
    series_[1] = addSeries(chart_, SpeedColour, Qt::SolidLine);
    series_[2] = addSeries(chart_, Qt::darkGray, Qt::DashLine);
    series_[3] = addSeries(chart_, Qt::darkGray, Qt::DashLine);
    timeAxis_ = addAxis(chart_, Qt::AlignBottom);
    timeAxis_->setRange(0.0, (SmokeState::ChartRows - 1) * 0.25);
    timeAxis_->setTickCount(11);
    opacityAxis_ = addAxis(chart_, Qt::AlignLeft);
    speedAxis_ = addAxis(chart_, Qt::AlignRight);
    series_[0]->attachAxis(timeAxis_);
    series_[0]->attachAxis(opacityAxis_);
    for (int i = 1; i < 4; ++i) {
        series_[i]->attachAxis(timeAxis_);
        series_[i]->attachAxis(speedAxis_);
    }
    // The limit lines are named by the labels below the chart.
    for (QLineSeries* limit : {series_[2], series_[3]})
        for (QLegendMarker* marker : chart_->legend()->markers(limit))
            marker->setVisible(false);
    chart_->legend()->setAlignment(Qt::AlignTop);

    auto* chartView = new QChartView(chart_, this);
    chartView->setObjectName(QStringLiteral("MSChart1"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumSize(720, 440);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chartView, 1);
    layout->addLayout(buildFooter());

    redraw();
    const int token = form.MSChart1.subscribe([this] { redraw(); });
    connect(chartView, &QObject::destroyed, [&form, token] { form.MSChart1.unsubscribe(token); });
    form.setPrinter(&printer_);
}

GraficView::~GraficView() {
    // The form lives a little longer than its window.
    form_.setPrinter(nullptr);
}

QLayout* GraficView::buildFooter() {
    Grafic& f = form_;
    const auto label = [this](ui::Label& state, const QString& name) {
        return ui::boundWidget<QLabel>(state, name, this);
    };
    QLabel* speed = label(f.Label3, QStringLiteral("Label3"));
    speed->setMinimumWidth(80);
    speed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    speed->setFrameShape(QFrame::Panel);
    speed->setFrameShadow(QFrame::Sunken);
    speed->setMargin(2);
    QLabel* prompt = label(f.Label39, QStringLiteral("Label39"));
    prompt->setWordWrap(true);
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setFrameShape(QFrame::Panel);
    prompt->setFrameShadow(QFrame::Sunken);
    prompt->setMargin(4);

    auto* print = ui::boundWidget<QPushButton>(f.Command2, QStringLiteral("Command2"), this);
    connect(print, &QPushButton::clicked, this, [&f] { f.Command2_Click(); });
    auto* close = ui::boundWidget<QPushButton>(f.Command1, QStringLiteral("Command1"), this);
    connect(close, &QPushButton::clicked, this, [&f] { f.Command1_Click(); });

    auto* footer = new QHBoxLayout;
    footer->addWidget(label(f.Label5, QStringLiteral("Label5")));
    footer->addSpacing(12);
    footer->addWidget(label(f.Label6, QStringLiteral("Label6")));
    footer->addSpacing(24);
    footer->addWidget(label(f.Label4, QStringLiteral("Label4")));
    footer->addWidget(speed);
    footer->addWidget(prompt, 1);
    footer->addWidget(print);
    footer->addWidget(close);
    return footer;
}

void GraficView::redraw() {
    const ChartControl& control = form_.MSChart1;
    chart_->setTitle(control.title());
    timeAxis_->setTitleText(control.timeTitle());
    opacityAxis_->setTitleText(control.opacityTitle());
    speedAxis_->setTitleText(control.speedTitle());
    series_[0]->setName(control.opacityTitle());
    series_[1]->setName(control.speedTitle());
    // Each limit line in the colour of the label that names it.
    series_[2]->setName(form_.Label5.caption());
    series_[3]->setName(form_.Label6.caption());
    setColour(series_[2], ui::toQColor(form_.Label5.foreColor()));
    setColour(series_[3], ui::toQColor(form_.Label6.foreColor()));

    double highest = 0.0;
    for (size_t column = 0; column < series_.size(); ++column) {
        QList<QPointF> points;
        points.reserve(SmokeState::ChartRows);
        for (const auto& row : control.data()) {
            const double time = row[Grafic::Time];
            const double value = row[column + 1];
            // A reading no number can stand for has no place on the chart.
            if (!std::isfinite(time) || !std::isfinite(value))
                continue;
            points.append(QPointF(time, value));
            highest = std::max(highest, value);
        }
        series_[column]->replace(points);
    }
    // One scale for both sides: the data are already scaled to share it.
    const double roomy = highest * Headroom;
    opacityAxis_->setRange(0.0, std::max(MinimumTop, std::isfinite(roomy) ? roomy : highest));
    opacityAxis_->applyNiceNumbers();
    speedAxis_->setRange(opacityAxis_->min(), opacityAxis_->max());
    speedAxis_->setTickCount(opacityAxis_->tickCount());
}

GraficView* GraficView::showModeless(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    return ui::showFormModeless<Grafic, GraficView>(parent, g, dialogs);
}
