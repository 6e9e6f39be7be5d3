#include "link/RiconosciMCTCView.h"

#include "link/QtSerialPort.h"
#include "link/SetupViewParts.h"
#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The report box: several lines, read only, following the form's text.
QPlainTextEdit* reportBox(ui::TextBox& state, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QStringLiteral("Text3"));
    box->setReadOnly(true);
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box->setMinimumSize(460, 260);
    const auto show = [&state, box] {
        // The report's lines end in CR LF; the box wants plain line feeds.
        QString text = state.text();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (box->toPlainText() != text)
            box->setPlainText(text);
    };
    show();
    const int token = state.subscribe(show);
    QObject::connect(box, &QObject::destroyed, [&state, token] { state.unsubscribe(token); });
    return box;
}

} // namespace

RiconosciMCTCView::RiconosciMCTCView(RiconosciMCTC& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [] { return true; }, parent) {
    setObjectName(QStringLiteral("RiconosciMCTC"));
    RiconosciMCTC& f = form;

    auto* status = ui::boundWidget<QLabel>(f.Label3, QStringLiteral("Label3"), this);
    status->setWordWrap(true);
    status->setAlignment(Qt::AlignCenter);
    status->setMinimumHeight(40);
    QFont bold = status->font();
    bold.setBold(true);
    status->setFont(bold);

    auto* frame = ui::boundWidget<QGroupBox>(f.Frame1, QStringLiteral("Frame1"), this);
    auto* inside = new QVBoxLayout(frame);
    auto* scanning = ui::boundWidget<QLineEdit>(f.Text2, QStringLiteral("Text2"), frame);
    scanning->setMaximumWidth(160);
    inside->addWidget(scanning);
    inside->addWidget(reportBox(f.Text3, frame));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(setupview::button(f.Command1, QStringLiteral("Command1"), this, [&f] { f.Command1_Click(); }));
    buttons->addWidget(setupview::button(f.Command2, QStringLiteral("Command2"), this, [&f] { f.Command2_Click(); }));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    ui::drive(f.Timer1, this);
    connect(this, &QDialog::finished, this, [&f] { f.Form_Unload(); });
}

void RiconosciMCTCView::showModal(Globals& g, QWidget* parent) {
    ui::showFormModal<RiconosciMCTC, RiconosciMCTCView>(parent, g, std::make_unique<QtSerialPort>());
}
