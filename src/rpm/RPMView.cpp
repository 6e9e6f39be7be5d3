#include "rpm/RPMView.h"

#include "link/QtSerialPort.h"
#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Draws access keys without their underline.
class PlainAccessKeys : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_UnderlineShortcut)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QPointer<RPMView>& minimisedWindow() {
    static QPointer<RPMView> window;
    return window;
}

QLabel* reading(ui::Label& state, const QString& name, QWidget* parent) {
    QLabel* label = ui::boundWidget<QLabel>(state, name, parent);
    QFont font = label->font();
    font.setPointSize(28);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(190);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QLabel* unit(ui::Label& state, const QString& name, QWidget* parent) {
    QLabel* label = ui::boundWidget<QLabel>(state, name, parent);
    QFont font = label->font();
    font.setPointSize(14);
    label->setFont(font);
    label->setMinimumWidth(48);
    return label;
}

QLabel* picture(ui::Picture& state, const QString& name, QWidget* parent) {
    QLabel* label = ui::boundWidget<QLabel>(state, name, parent);
    label->setFixedSize(40, 40);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

template <typename Handler>
QPushButton* button(ui::Button& state, const QString& name, QWidget* parent, Handler handler) {
    QPushButton* widget = ui::boundWidget<QPushButton>(state, name, parent);
    QObject::connect(widget, &QPushButton::clicked, widget, handler);
    return widget;
}

template <typename Handler>
QRadioButton* option(ui::OptionButton& state, const QString& name, QWidget* parent, Handler handler) {
    QRadioButton* widget = ui::boundWidget<QRadioButton>(state, name, parent);
    QObject::connect(widget, &QRadioButton::clicked, widget, handler);
    return widget;
}

std::unique_ptr<SerialPort> comPort() {
    return std::make_unique<QtSerialPort>();
}

} // namespace

RPMView::RPMView(RPM& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [] { return true; }, parent),
      form_(form) {
    setObjectName(QStringLiteral("RPM"));
    build();
    ui::drive(form.Timer2, this);
    connect(this, &QDialog::finished, this, [&form] { form.Form_Unload(); });
}

void RPMView::build() {
    RPM& f = form_;
    auto* readings = new QGridLayout;
    readings->addWidget(picture(f.Picture1, QStringLiteral("Picture1"), this), 0, 0);
    readings->addWidget(reading(f.Label1, QStringLiteral("Label1"), this), 0, 1);
    readings->addWidget(unit(f.Label2, QStringLiteral("Label2"), this), 0, 2);
    readings->addWidget(picture(f.Picture2, QStringLiteral("Picture2"), this), 1, 0);
    readings->addWidget(reading(f.Label3, QStringLiteral("Label3"), this), 1, 1);
    readings->addWidget(unit(f.Label4, QStringLiteral("Label4"), this), 1, 2);

    auto* cylinders = new QHBoxLayout;
    cylinders->addWidget(ui::boundWidget<QLabel>(f.Label5, QStringLiteral("Label5"), this));
    auto* count = ui::boundWidget<QLineEdit>(f.Text5, QStringLiteral("Text5"), this);
    count->setFixedWidth(48);
    count->setAlignment(Qt::AlignCenter);
    cylinders->addWidget(count);
    auto* plus = button(f.Command2, QStringLiteral("Command2"), this, [&f] { f.Command2_Click(); });
    auto* minus = button(f.Command3, QStringLiteral("Command3"), this, [&f] { f.Command3_Click(); });
    // Underlined, the access key "+" would read as "±"; Alt with + and - still works.
    auto* plainKeys = new PlainAccessKeys;
    plainKeys->setParent(this);
    for (QPushButton* step : {plus, minus}) {
        step->setStyle(plainKeys);
        QFont font = step->font();
        font.setPointSize(font.pointSize() + 2);
        font.setBold(true);
        step->setFont(font);
        step->setFixedSize(40, 30);
    }
    cylinders->addWidget(plus);
    cylinders->addWidget(minus);
    cylinders->addStretch();

    auto* strokes = ui::boundWidget<QGroupBox>(f.Frame2, QStringLiteral("Frame2"), this);
    auto* strokeOptions = new QHBoxLayout(strokes);
    strokeOptions->addWidget(option(f.Option7, QStringLiteral("Option7"), strokes, [&f] { f.Option7_Click(); }));
    strokeOptions->addWidget(option(f.Option6, QStringLiteral("Option6"), strokes, [&f] { f.Option6_Click(); }));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(strokes);
    bottom->addStretch();
    bottom->addWidget(button(f.CmdOut, QStringLiteral("CmdOut"), this, [&f] { f.CmdOut_Click(); }), 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(readings);
    layout->addLayout(cylinders);
    layout->addLayout(bottom);
}

RPMView* RPMView::showMinimised(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port, QWidget* parent) {
    QPointer<RPMView>& open = minimisedWindow();
    if (open)
        return open;
    open = ui::showFormModeless<RPM, RPMView>(parent, g, dialogs, std::move(port));
    open->form_.Me.setWindowState(ui::WindowState::Minimized);
    return open;
}

void RPMView::showModal(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port, QWidget* parent) {
    closeMinimised();
    ui::showFormModal<RPM, RPMView>(parent, g, dialogs, std::move(port));
}

RPMView* RPMView::showMinimised(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    return showMinimised(g, dialogs, comPort(), parent);
}

void RPMView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    showModal(g, dialogs, comPort(), parent);
}

void RPMView::closeMinimised() {
    if (RPMView* open = minimisedWindow())
        open->close();
}
