#include "gas/ANGASView.h"

#include "gas/QtGasCompanions.h"
#include "link/QtSerialPort.h"
#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"
#include "ui/MeasuringWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* fixedText(const QString& text, QWidget* parent) {
    auto* widget = new QLabel(text, parent);
    widget->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return widget;
}

// The window's readings in large figures, and its message lines.
QLabel* value(ui::Label& state, const QString& name, QWidget* parent) {
    return ui::readingPanel(state, name, parent, 20, 130);
}

QLabel* line(ui::Label& state, const QString& name, QWidget* parent, int pointSize) {
    return ui::messagePanel(state, name, parent, pointSize, 1, 12);
}

template <typename Handler> QComboBox* list(ui::ListBox& state, const QString& name, QWidget* parent, Handler handler) {
    QComboBox* widget = ui::boundWidget<QComboBox>(state, name, parent);
    // Only the operator's choice runs the handler; the form's own selections do not.
    QObject::connect(widget, &QComboBox::activated, widget, handler);
    widget->setMinimumWidth(150);
    return widget;
}

} // namespace

ANGASView::ANGASView(ANGAS& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [] { return true; }, parent),
      form_(form) {
    setObjectName(QStringLiteral("ANGAS"));
    build();
    ui::drive(form.Timer1, this);
    connect(this, &QDialog::finished, this, [&form] { form.Form_Unload(); });
}

void ANGASView::build() {
    ANGAS& f = form_;

    auto* analyser = new QGroupBox(this);
    auto* analyserGrid = new QGridLayout(analyser);
    analyserGrid->addWidget(ui::boundLabel(f.Label1, QStringLiteral("Label1"), analyser), 0, 0);
    analyserGrid->addWidget(ui::boundLabel(f.Label3, QStringLiteral("Label3"), analyser), 0, 1);
    analyserGrid->addWidget(fixedText(QStringLiteral("Ver."), analyser), 0, 2);
    analyserGrid->addWidget(ui::boundLabel(f.Label25, QStringLiteral("Label25"), analyser), 0, 3);
    analyserGrid->addWidget(ui::boundLabel(f.Label4, QStringLiteral("Label4"), analyser), 0, 4);
    analyserGrid->addWidget(ui::boundLabel(f.Label7, QStringLiteral("Label7"), analyser), 0, 5);
    analyserGrid->setColumnStretch(1, 1);

    struct ValueRow {
        const char* caption;
        ui::Label* state;
        const char* name;
        const char* unit;
    };
    const ValueRow left[] = {{"CO", &f.Label8, "Label8", "% vol"},
                             {"CO2", &f.Label10, "Label10", "% vol"},
                             {"HC", &f.Label11, "Label11", "ppm"},
                             {"O2", &f.Label12, "Label12", "% vol"},
                             {"NOx", &f.Label33, "Label33", "ppm"}};
    const ValueRow right[] = {{"COcorr", &f.Label9, "Label9", "% vol"},
                              {"LAMBDA", &f.Label26, "Label26", ""},
                              {"RPM", &f.Label15, "Label15", "rpm"}};
    auto* values = new QGridLayout;
    const auto addRow = [this, values](const ValueRow& row, int index, int column) {
        values->addWidget(fixedText(QString::fromLatin1(row.caption), this), index, column);
        values->addWidget(value(*row.state, QString::fromLatin1(row.name), this), index, column + 1);
        values->addWidget(new QLabel(QString::fromLatin1(row.unit), this), index, column + 2);
    };
    for (int i = 0; i < 5; ++i)
        addRow(left[i], i, 0);
    for (int i = 0; i < 3; ++i)
        addRow(right[i], i, 3);
    QLabel* oilCaption = ui::boundLabel(f.Label21, QStringLiteral("Label21"), this);
    oilCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    values->addWidget(oilCaption, 3, 3);
    values->addWidget(value(f.Label13, QStringLiteral("Label13"), this), 3, 4);
    values->addWidget(new QLabel(QStringLiteral("°C"), this), 3, 5);
    auto* pressure = new QHBoxLayout;
    pressure->addWidget(ui::boundLabel(f.Label37, QStringLiteral("Label37"), this));
    pressure->addWidget(value(f.Label38, QStringLiteral("Label38"), this));
    pressure->addWidget(ui::boundLabel(f.Label39, QStringLiteral("Label39"), this));
    values->addLayout(pressure, 4, 3, 1, 3);
    values->setColumnMinimumWidth(2, 50);
    // Both columns of figures equally wide, whatever they show.
    values->setColumnStretch(1, 1);
    values->setColumnStretch(4, 1);

    auto* choices = new QGridLayout;
    choices->addWidget(ui::boundLabel(f.Label30, QStringLiteral("Label30"), this), 0, 0);
    choices->addWidget(list(f.Combo1, QStringLiteral("Combo1"), this, [&f] { f.Combo1_Click(); }), 1, 0);
    choices->addWidget(ui::boundLabel(f.Label31, QStringLiteral("Label31"), this), 0, 1);
    choices->addWidget(list(f.Combo3, QStringLiteral("Combo3"), this, [&f] { f.Combo3_Click(); }), 1, 1);
    choices->addWidget(ui::boundLabel(f.Label32, QStringLiteral("Label32"), this), 0, 2);
    choices->addWidget(list(f.Combo4, QStringLiteral("Combo4"), this, [&f] { f.Combo4_Click(); }), 1, 2);

    auto* progress = ui::boundWidget<QProgressBar>(f.PBar1, QStringLiteral("PBar1"), this);
    progress->setTextVisible(false);

    QHBoxLayout* buttons = ui::commandRow(this,
                                          {{f.Command1, "Command1", [&f] { f.Command1_Click(); }},
                                           {f.Command4, "Command4", [&f] { f.Command4_Click(); }},
                                           {f.Command6, "Command6", [&f] { f.Command6_Click(); }},
                                           {f.Command5, "Command5", [&f] { f.Command5_Click(); }},
                                           {f.Command3, "Command3", [&f] { f.Command3_Click(); }},
                                           {f.Command2, "Command2", [&f] { f.Command2_Click(); }},
                                           {f.Command7, "Command7", [&f] { f.Command7_Click(); }}},
                                          {f.CmdOut1, "CmdOut1", [&f] { f.CmdOut1_Click(); }});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(analyser);
    layout->addLayout(values);
    layout->addLayout(choices);
    layout->addWidget(line(f.Label5, QStringLiteral("Label5"), this, 14));
    layout->addWidget(line(f.Label27, QStringLiteral("Label27"), this, 12));
    layout->addWidget(line(f.Label28, QStringLiteral("Label28"), this, 12));
    layout->addWidget(line(f.Verification.InstrumentLine, QStringLiteral("InstrumentLine"), this, 11));
    layout->addWidget(line(f.Verification.RevCounterLine, QStringLiteral("RevCounterLine"), this, 11));
    layout->addWidget(progress);
    layout->addLayout(buttons);
}

ANGASView* ANGASView::showModeless(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port,
                                   QWidget* parent) {
    auto companions = std::make_unique<QtGasCompanions>(g, dialogs);
    QtGasCompanions* links = companions.get();
    auto* form = new ANGAS(g, dialogs, std::move(port), std::move(companions));
    auto* view = new ANGASView(*form, parent);
    links->setOwner(view);
    ui::deleteFormWithView(form, view);
    form->Form_Load();
    view->show();
    return view;
}

ANGASView* ANGASView::showModeless(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    return showModeless(g, dialogs, std::make_unique<QtSerialPort>(), parent);
}
