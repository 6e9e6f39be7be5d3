#include "archive/ARCHIVIOView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ARCHIVIOView::ARCHIVIOView(ARCHIVIO& form, QWidget* parent) : FormDialog(form.Me, nullptr, parent), form_(form) {
    auto* filters = new QGridLayout;
    const std::array<std::pair<ui::Label*, QWidget*>, 5> pairs{{
        {&form.Label1, ui::boundWidget<QLineEdit>(form.Text1, "Text1", this)},
        {&form.Label2, ui::boundWidget<QLineEdit>(form.Text2, "Text2", this)},
        {&form.Label3, ui::boundWidget<QLineEdit>(form.Text3, "Text3", this)},
        {&form.Label4, ui::boundWidget<QComboBox>(form.Combo1, "Combo1", this)},
        {&form.Label6, ui::boundWidget<QComboBox>(form.Combo2, "Combo2", this)},
    }};
    int column = 0;
    for (const auto& [caption, field] : pairs) {
        const int label = caption == &form.Label6 ? 6 : column + 1;
        filters->addWidget(ui::boundWidget<QLabel>(*caption, QStringLiteral("Label%1").arg(label), this), 0, column);
        filters->addWidget(field, 1, column);
        ++column;
    }
    auto* search = ui::boundWidget<QPushButton>(form.Command1, "Command1", this);
    search->setDefault(true);
    filters->addWidget(search, 1, column);
    connect(search, &QPushButton::clicked, this, [&form] { form.Command1_Click(); });

    table_ = new QTableWidget(this);
    table_->setObjectName("List1");
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableWidget::currentCellChanged, this,
            [&form](int row, int, int, int) { form.List1.setListIndex(row); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [&form](int, int) { form.List1_DblClick(); });
    subscription_ = form.List1.subscribe([this] { showRows(); });

    auto* count = ui::boundWidget<QLabel>(form.Label5, "Label5", this);
    auto* open = ui::boundWidget<QPushButton>(form.Command2, "Command2", this);
    auto* close = ui::boundWidget<QPushButton>(form.Command3, "Command3", this);
    connect(open, &QPushButton::clicked, this, [&form] { form.Command2_Click(); });
    connect(close, &QPushButton::clicked, this, [&form] { form.Command3_Click(); });
    auto* footer = new QHBoxLayout;
    footer->addWidget(count, 1);
    footer->addWidget(open);
    footer->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_, 1);
    layout->addLayout(footer);
    resize(860, 520);
    showRows();
}

ARCHIVIOView::~ARCHIVIOView() {
    form_.List1.unsubscribe(subscription_);
}

// Rebuilt whenever the list changes: a few hundred rows at most.
void ARCHIVIOView::showRows() {
    const QStringList& entries = form_.List1.items();
    const QSignalBlocker quiet(table_);
    table_->clear();
    table_->setColumnCount(static_cast<int>(form_.Columns.size()));
    table_->setHorizontalHeaderLabels(form_.Columns);
    table_->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < entries.size(); ++row) {
        const QStringList cells = entries[row].split(u'\t');
        const QColor colour = ui::toQColor(form_.rowColour(row));
        for (int column = 0; column < cells.size() && column < table_->columnCount(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setBackground(colour);
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnsToContents();
    if (form_.List1.listIndex() >= 0)
        table_->selectRow(form_.List1.listIndex());
}

void ARCHIVIOView::showModal(Globals& g, ui::Dialogs& dialogs, ArchiveSheetWindows& sheets, QWidget* parent) {
    ui::showFormModal<ARCHIVIO, ARCHIVIOView>(parent, g, dialogs, sheets);
}
