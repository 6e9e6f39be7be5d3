#include "link/SetupViewParts.h"

#include "link/ComDeviceChooser.h"

#include "ui/BoundWidget.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace setupview {

namespace {

// Tells the form when a widget gains or loses the keyboard focus.
class FocusWatcher : public QObject {
  public:
    FocusWatcher(QWidget* watched, Handler gotFocus, Handler lostFocus)
        : QObject(watched), gotFocus_(std::move(gotFocus)), lostFocus_(std::move(lostFocus)) {
        watched->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && gotFocus_)
            gotFocus_();
        else if (event->type() == QEvent::FocusOut && lostFocus_)
            lostFocus_();
        return QObject::eventFilter(watched, event);
    }

  private:
    Handler gotFocus_;
    Handler lostFocus_;
};

} // namespace

QPushButton* button(ui::Button& state, const QString& name, QWidget* parent, Handler clicked) {
    auto* widget = ui::boundWidget<QPushButton>(state, name, parent);
    QObject::connect(widget, &QPushButton::clicked, widget, [clicked = std::move(clicked)] { clicked(); });
    return widget;
}

QCheckBox* checkBox(ui::CheckBox& state, const QString& name, QWidget* parent, Handler clicked) {
    auto* widget = ui::boundWidget<QCheckBox>(state, name, parent);
    // The binding takes the new value first; the form's handler then sees it.
    QObject::connect(widget, &QCheckBox::clicked, widget, [clicked = std::move(clicked)] { clicked(); });
    return widget;
}

QGroupBox* optionFrame(ui::Frame& frame, const QString& name, QWidget* parent, std::initializer_list<Option> options) {
    auto* box = ui::boundWidget<QGroupBox>(frame, name, parent);
    auto* row = new QHBoxLayout(box);
    for (const Option& option : options) {
        auto* widget = ui::boundWidget<QRadioButton>(option.state, option.name, box);
        // The forms keep one option on themselves, and may show none (no stored
        // choice): an exclusive group would refuse to clear its last option.
        widget->setAutoExclusive(false);
        QObject::connect(widget, &QRadioButton::clicked, widget, [clicked = option.clicked] { clicked(); });
        row->addWidget(widget);
    }
    row->addStretch();
    return box;
}

QHBoxLayout* portPicker(const PortPicker& picker, QWidget* parent) {
    auto* label = ui::boundWidget<QLabel>(picker.label, picker.labelName, parent);
    auto* number = ui::boundWidget<QLineEdit>(picker.number, picker.numberName, parent);
    auto* scroll = ui::boundWidget<QScrollBar>(picker.scroll, QStringLiteral("VScroll1"), parent);
    scroll->setOrientation(Qt::Vertical);
    scroll->setFocusPolicy(Qt::StrongFocus);
    scroll->setFixedSize(18, 40);
    number->setFixedWidth(40);
    number->setAlignment(Qt::AlignCenter);
    number->setFocusProxy(scroll);
    label->setBuddy(scroll);
    QObject::connect(scroll, &QScrollBar::valueChanged, scroll, [changed = picker.changed] { changed(); });
    new FocusWatcher(scroll, picker.gotFocus, picker.lostFocus);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(number);
    row->addWidget(scroll);
    row->addStretch();
    return row;
}

QGroupBox* deviceChooser(ComDeviceChooser& chooser, QWidget* parent) {
    auto* frame = ui::boundWidget<QGroupBox>(chooser.DeviceFrame, QStringLiteral("DeviceFrame"), parent);
    auto* list = ui::boundWidget<QListWidget>(chooser.DeviceList, QStringLiteral("DeviceList"), frame);
    // As wide and tall as its entries: a by-id name is long and must show whole.
    list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumSize(460, 4 * list->fontMetrics().height());
    // Only the operator's click chooses; the form's own selection writes nothing.
    QObject::connect(list, &QListWidget::itemClicked, list, [&chooser] { chooser.DeviceList_Click(); });
    QObject::connect(list, &QListWidget::itemActivated, list, [&chooser] { chooser.DeviceList_Click(); });
    auto* path = ui::boundWidget<QLineEdit>(chooser.DevicePath, QStringLiteral("DevicePath"), frame);
    QObject::connect(path, &QLineEdit::returnPressed, path, [&chooser] { chooser.UseDevicePath_Click(); });
    path->setMinimumWidth(360);
    auto* mapping = ui::boundWidget<QLabel>(chooser.DeviceMapping, QStringLiteral("DeviceMapping"), frame);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mapping, 1);
    buttons->addWidget(button(chooser.UseDevicePath, QStringLiteral("UseDevicePath"), frame,
                              [&chooser] { chooser.UseDevicePath_Click(); }));
    buttons->addWidget(button(chooser.RefreshDevices, QStringLiteral("RefreshDevices"), frame,
                              [&chooser] { chooser.RefreshDevices_Click(); }));
    // The list and the path take the whole width, so a long by-id name shows whole.
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(list);
    layout->addWidget(path);
    layout->addLayout(buttons);
    chooser.RefreshDevices_Click();
    return frame;
}

void addLabelledBoxes(QGridLayout* grid, QWidget* parent, std::initializer_list<LabelledBox> rows) {
    int row = grid->rowCount();
    // A fresh grid reports one empty row.
    if (row == 1 && !grid->itemAtPosition(0, 0))
        row = 0;
    for (const LabelledBox& entry : rows) {
        auto* label = ui::boundWidget<QLabel>(entry.label, entry.labelName, parent);
        auto* box = ui::boundWidget<QLineEdit>(entry.box, entry.boxName, parent);
        box->setMinimumWidth(200);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    }
}

} // namespace setupview
