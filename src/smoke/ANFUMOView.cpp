#include "smoke/ANFUMOView.h"

#include "link/QtSerialPort.h"
#include "smoke/SmokeWindowLinks.h"
#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"
#include "ui/MeasuringWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The window's readings and results, and its message lines.
QLabel* value(ui::Label& state, const QString& name, QWidget* parent, int pointSize = 0, int minimumWidth = 80) {
    return ui::readingPanel(state, name, parent, pointSize, minimumWidth, 2);
}

QLabel* message(ui::Label& state, const QString& name, QWidget* parent, int pointSize) {
    return ui::messagePanel(state, name, parent, pointSize, 2, 8, 4);
}

QLabel* fixedText(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

} // namespace

ANFUMOView::ANFUMOView(ANFUMO& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [] { return true; }, parent),
      form_(form) {
    setObjectName(QStringLiteral("ANFUMO"));
    auto* status = new QHBoxLayout;
    status->addWidget(message(form.Label2, QStringLiteral("Label2"), this, 12), 1);
    status->addWidget(value(form.Label17, QStringLiteral("Label17"), this, 0, 110));
    status->addWidget(value(form.Label44, QStringLiteral("Label44"), this, 0, 110));

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildReadings());
    middle->addWidget(buildAccelerations(), 1);

    auto* selection = new QHBoxLayout;
    selection->addWidget(ui::boundLabel(form.Label43, QStringLiteral("Label43"), this));
    auto* combo = ui::boundWidget<QComboBox>(form.Combo1, QStringLiteral("Combo1"), this);
    connect(combo, &QComboBox::activated, this, [&form] { form.Combo1_Click(); });
    selection->addWidget(combo, 1);

    auto* outcome = new QHBoxLayout;
    outcome->addWidget(message(form.Label39, QStringLiteral("Label39"), this, 14), 3);
    outcome->addWidget(message(form.Label33, QStringLiteral("Label33"), this, 14), 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(status);
    layout->addLayout(middle);
    layout->addLayout(selection);
    layout->addLayout(outcome);
    layout->addWidget(message(form.Verification.InstrumentLine, QStringLiteral("InstrumentLine"), this, 11));
    layout->addWidget(message(form.Verification.RevCounterLine, QStringLiteral("RevCounterLine"), this, 11));
    layout->addLayout(buildButtons());

    ui::drive(form.Timer1, this);
    connect(this, &QDialog::finished, this, [&form] { form.Form_Unload(); });
}

QWidget* ANFUMOView::buildReadings() {
    ANFUMO& f = form_;
    auto* frame = ui::boundWidget<QGroupBox>(f.FrameOPA, QStringLiteral("FrameOPA"), this);
    auto* grid = new QGridLayout(frame);
    int row = 0;
    const auto reading = [&](QWidget* title, ui::Label& state, const QString& name, QWidget* unit) {
        grid->addWidget(title, row, 0);
        grid->addWidget(value(state, name, frame, 16, 110), row, 1);
        grid->addWidget(unit, row, 2);
        ++row;
    };
    reading(fixedText(QStringLiteral("k"), frame), f.Label27, QStringLiteral("Label27"),
            fixedText(QString::fromUtf8("m⁻¹"), frame));
    reading(ui::boundLabel(f.Label16, QStringLiteral("Label16"), frame), f.Label28, QStringLiteral("Label28"),
            ui::boundLabel(f.Label4, QStringLiteral("Label4"), frame));
    reading(fixedText(QStringLiteral("n"), frame), f.Label31, QStringLiteral("Label31"),
            fixedText(QStringLiteral("rpm"), frame));
    reading(ui::boundLabel(f.Label5, QStringLiteral("Label5"), frame), f.Label24, QStringLiteral("Label24"),
            fixedText(QString::fromUtf8("°C"), frame));
    reading(ui::boundLabel(f.Label6, QStringLiteral("Label6"), frame), f.Label25, QStringLiteral("Label25"),
            fixedText(QString::fromUtf8("°C"), frame));
    reading(ui::boundLabel(f.Label7, QStringLiteral("Label7"), frame), f.Label26, QStringLiteral("Label26"),
            fixedText(QString::fromUtf8("°C"), frame));
    grid->addWidget(ui::boundLabel(f.Label32, QStringLiteral("Label32"), frame), row, 0);
    QLabel* blocking = value(f.Label29, QStringLiteral("Label29"), frame);
    blocking->setAlignment(Qt::AlignCenter);
    grid->addWidget(blocking, row++, 1, 1, 2);
    QLabel* voltage = value(f.Label30, QStringLiteral("Label30"), frame);
    grid->addWidget(voltage, row, 1);
    QLabel* volts = fixedText(QStringLiteral("V"), frame);
    grid->addWidget(volts, row++, 2);
    // The unit goes and comes with the voltage, which only MCTC-NET opacimeters report.
    const auto followVoltage = [&f, volts] { volts->setVisible(f.Label30.visible()); };
    followVoltage();
    const int token = f.Label30.subscribe(followVoltage);
    connect(volts, &QObject::destroyed, [&f, token] { f.Label30.unsubscribe(token); });
    grid->setRowStretch(row, 1);
    return frame;
}

QWidget* ANFUMOView::buildAccelerations() {
    ANFUMO& f = form_;
    auto* frame = ui::boundWidget<QGroupBox>(f.PROINTER, QStringLiteral("PROINTER"), this);
    auto* grid = new QGridLayout(frame);
    const QStringList headings{QStringLiteral("#"), QString::fromUtf8("k [m⁻¹]"), QStringLiteral("n [rpm]"),
                               QStringLiteral("n min"), QStringLiteral("n max")};
    for (int column = 0; column < headings.size(); ++column)
        grid->addWidget(fixedText(headings[column], frame), 0, column, Qt::AlignCenter);
    const RowLabels* columns[] = {&f.Label36, &f.Label18, &f.Label37, &f.Label38};
    const QString names[] = {QStringLiteral("Label36"), QStringLiteral("Label18"), QStringLiteral("Label37"),
                             QStringLiteral("Label38")};
    for (int row = 0; row < AccelerationRows; ++row) {
        grid->addWidget(fixedText(QString::number(row + 1), frame), row + 1, 0, Qt::AlignCenter);
        for (int column = 0; column < 4; ++column) {
            auto& state = const_cast<ui::Label&>((*columns[column])[row]);
            grid->addWidget(value(state, names[column] + u'_' + QString::number(row), frame), row + 1, column + 1);
        }
    }
    // The test's figures under their own headings: mean k, mean opacity,
    // lowest idle and highest speed.
    const int meanTitles = AccelerationRows + 1;
    const QStringList meanHeadings{QString::fromUtf8("Ø k"), QString::fromUtf8("Ø N"), QStringLiteral("n min"),
                                   QStringLiteral("n max")};
    for (int column = 0; column < meanHeadings.size(); ++column)
        grid->addWidget(fixedText(meanHeadings[column], frame), meanTitles, column + 1,
                        Qt::AlignCenter | Qt::AlignBottom);
    const int means = meanTitles + 1;
    grid->addWidget(value(f.Label35, QStringLiteral("Label35"), frame, 11), means, 1);
    auto* opacity = new QHBoxLayout;
    opacity->addWidget(value(f.Label55, QStringLiteral("Label55"), frame, 11, 60), 1);
    opacity->addWidget(ui::boundLabel(f.Label56, QStringLiteral("Label56"), frame));
    grid->addLayout(opacity, means, 2);
    grid->addWidget(value(f.Label52, QStringLiteral("Label52"), frame, 11), means, 3);
    grid->addWidget(value(f.Label53, QStringLiteral("Label53"), frame, 11), means, 4);
    for (int column = 1; column <= 4; ++column)
        grid->setColumnStretch(column, 1);
    return frame;
}

QLayout* ANFUMOView::buildButtons() {
    ANFUMO& f = form_;
    return ui::commandRow(this,
                          {{f.Command2, "Command2", [&f] { f.Command2_Click(); }},
                           {f.Command1, "Command1", [&f] { f.Command1_Click(); }},
                           {f.Command3, "Command3", [&f] { f.Command3_Click(); }},
                           {f.Command5, "Command5", [&f] { f.Command5_Click(); }},
                           {f.Command4, "Command4", [&f] { f.Command4_Click(); }},
                           {f.Command6, "Command6", [&f] { f.Command6_Click(); }},
                           {f.Command7, "Command7", [&f] { f.Command7_Click(); }}},
                          {f.CmdOut, "CmdOut", [&f] { f.CmdOut_Click(); }});
}

ANFUMOView* ANFUMOView::showModeless(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SmokeWindowLinks> links,
                                     std::unique_ptr<SerialPort> port, QWidget* parent) {
    return ui::showFormModeless<ANFUMO, ANFUMOView>(parent, g, dialogs, std::move(links), std::move(port));
}

ANFUMOView* ANFUMOView::showModeless(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SmokeWindowLinks> links,
                                     QWidget* parent) {
    return showModeless(g, dialogs, std::move(links), std::make_unique<QtSerialPort>(), parent);
}
