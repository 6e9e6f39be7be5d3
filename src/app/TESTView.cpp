#include "app/TESTView.h"

#include "ui/Binding.h"
#include "ui/FormLaunch.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TESTView::TESTView(TEST& form, QWidget* parent)
    : ui::FormDialog(form.Me, {}, parent), form_(form), grid_(new QTableWidget(this)), chart_(new QChart) {
    grid_->setObjectName(QStringLiteral("Grid1"));
    grid_->setColumnCount(2);
    grid_->setHorizontalHeaderLabels({QStringLiteral("i"), QStringLiteral("2 × i")});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setFixedWidth(180);

    chart_->legend()->hide();
    auto* chartView = new QChartView(chart_, this);
    chartView->setObjectName(QStringLiteral("Chart1"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumSize(320, 240);

    auto* command1 = new QPushButton(this);
    command1->setObjectName(QStringLiteral("Command1"));
    auto* command2 = new QPushButton(this);
    command2->setObjectName(QStringLiteral("Command2"));
    ui::bind(form.Command1, command1);
    ui::bind(form.Command2, command2);
    connect(command1, &QPushButton::clicked, this, [&form] { form.Command1_Click(); });
    connect(command2, &QPushButton::clicked, this, [&form] { form.Command2_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command2);
    buttons->addWidget(command1);
    auto* content = new QHBoxLayout;
    content->addWidget(grid_);
    content->addWidget(chartView, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content);
    layout->addLayout(buttons);

    gridToken_ = form.Grid1.subscribe([this] { showGrid(); });
    chartToken_ = form.Chart1.subscribe([this] { showChart(); });
    showGrid();
    showChart();
}

TESTView::~TESTView() {
    form_.Grid1.unsubscribe(gridToken_);
    form_.Chart1.unsubscribe(chartToken_);
}

void TESTView::showGrid() {
    const auto& rows = form_.Grid1.rows();
    grid_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        grid_->setItem(r, 0, new QTableWidgetItem(QString::number(rows[r].x)));
        grid_->setItem(r, 1, new QTableWidgetItem(QString::number(rows[r].y)));
    }
}

void TESTView::showChart() {
    chart_->removeAllSeries();
    for (auto* axis : chart_->axes())
        chart_->removeAxis(axis);
    const auto& rows = form_.Chart1.rows();
    if (rows.empty())
        return;
    auto* series = new QLineSeries;
    for (const auto& row : rows)
        series->append(row.x, row.y);
    chart_->addSeries(series);
    chart_->createDefaultAxes();
}

void TESTView::showModeless(QWidget* parent) {
    ui::showFormModeless<TEST, TESTView>(parent);
}
