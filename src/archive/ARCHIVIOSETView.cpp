#include "archive/ARCHIVIOSETView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace {

// Wide enough for a path and for the answers to wrap in a few lines.
constexpr int FieldWidth = 340;
constexpr int AnswerWidth = 520;

QLabel* answerLabel(ui::Label& state, const QString& name, QWidget* parent) {
    auto* label = ui::boundWidget<QLabel>(state, name, parent);
    label->setWordWrap(true);
    label->setFixedWidth(AnswerWidth);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

ARCHIVIOSETView::ARCHIVIOSETView(ARCHIVIOSET& form, QWidget* parent)
    : FormDialog(
          form.Me, [&form] { return form.Form_QueryUnload(); }, parent) {
    auto* fields = new QGridLayout;
    fields->setColumnMinimumWidth(1, FieldWidth);
    auto* kind = ui::boundWidget<QComboBox>(form.Combo1, "Combo1", this);
    connect(kind, &QComboBox::activated, this, [&form] { form.Combo1_Click(); });
    auto* kindLabel = ui::boundWidget<QLabel>(form.Label7, "Label7", this);
    kindLabel->setBuddy(kind);
    fields->addWidget(kindLabel, 0, 0);
    fields->addWidget(kind, 0, 1);
    const std::array<std::pair<ui::Label*, ui::TextBox*>, 6> boxes{{
        {&form.Label1, &form.Text1},
        {&form.Label2, &form.Text2},
        {&form.Label3, &form.Text3},
        {&form.Label4, &form.Text4},
        {&form.Label5, &form.Text5},
        {&form.Label6, &form.Text6},
    }};
    int row = 1;
    for (const auto& [caption, box] : boxes) {
        auto* field = ui::boundWidget<QLineEdit>(*box, QStringLiteral("Text%1").arg(row), this);
        auto* label = ui::boundWidget<QLabel>(*caption, QStringLiteral("Label%1").arg(row), this);
        label->setBuddy(field);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }

    auto* test = ui::boundWidget<QPushButton>(form.Command1, "Command1", this);
    connect(test, &QPushButton::clicked, this, [&form] { form.Command1_Click(); });
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(test);
    testRow->addStretch();

    auto* answer = answerLabel(form.Label8, "Label8", this);
    QFont answerFont = answer->font();
    answerFont.setBold(true);
    answer->setFont(answerFont);
    auto* detail = answerLabel(form.Label9, "Label9", this);
    QFont detailFont = detail->font();
    detailFont.setPointSizeF(detailFont.pointSizeF() * 0.85);
    detail->setFont(detailFont);

    auto* save = ui::boundWidget<QPushButton>(form.Command2, "Command2", this);
    auto* close = ui::boundWidget<QPushButton>(form.Command3, "Command3", this);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, [&form] { form.Command2_Click(); });
    connect(close, &QPushButton::clicked, this, [&form] { form.Command3_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(testRow);
    layout->addWidget(answer);
    layout->addWidget(detail);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ui::drive(form.Timer1, this);
}

void ARCHIVIOSETView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<ARCHIVIOSET, ARCHIVIOSETView>(parent, g, dialogs);
}
