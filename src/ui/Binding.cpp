#include "ui/Binding.h"

#include "ui/Paths.h"
#include "ui/TimerDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>

namespace ui {

namespace {

// Runs `apply` now and on every change of `state` until `lifetime` is destroyed.
template <typename Apply> void follow(Control& state, QObject* lifetime, Apply apply) {
    apply();
    const int token = state.subscribe(apply);
    QObject::connect(lifetime, &QObject::destroyed, [&state, token] { state.unsubscribe(token); });
}

void applyCommon(const Control& state, QWidget* widget, bool useBackColour) {
    widget->setEnabled(state.enabled());
    widget->setVisible(state.visible());
    widget->setToolTip(state.toolTip());
    QPalette palette = widget->palette();
    const QColor back = toQColor(state.backColor());
    const QColor fore = toQColor(state.foreColor());
    if (useBackColour && back.isValid()) {
        widget->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Base, back);
        palette.setColor(QPalette::Button, back);
    } else {
        palette.setColor(QPalette::Window, widget->parentWidget() ? widget->parentWidget()->palette().color(QPalette::Window)
                                                                  : QPalette().color(QPalette::Window));
        palette.setColor(QPalette::Base, QPalette().color(QPalette::Base));
        palette.setColor(QPalette::Button, QPalette().color(QPalette::Button));
        widget->setAutoFillBackground(useBackColour && back.isValid());
    }
    const QColor text = fore.isValid() ? fore : QPalette().color(QPalette::WindowText);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, fore.isValid() ? fore : QPalette().color(QPalette::Text));
    palette.setColor(QPalette::ButtonText, fore.isValid() ? fore : QPalette().color(QPalette::ButtonText));
    widget->setPalette(palette);
}

} // namespace

QColor toQColor(Colour colour) {
    if (colour & 0x80000000u)
        return QColor();
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QString plainCaption(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                plain += u'&';
                ++i;
            }
            continue;
        }
        plain += caption[i];
    }
    return plain;
}

void bind(Label& state, QLabel* widget) {
    follow(state, widget, [&state, widget] {
        widget->setText(plainCaption(state.caption()));
        applyCommon(state, widget, true);
    });
}

void bind(Button& state, QPushButton* widget) {
    follow(state, widget, [&state, widget] {
        widget->setText(state.caption());
        applyCommon(state, widget, true);
    });
}

void bind(Frame& state, QGroupBox* widget) {
    follow(state, widget, [&state, widget] {
        widget->setTitle(plainCaption(state.caption()));
        applyCommon(state, widget, false);
    });
}

void bind(TextBox& state, QLineEdit* widget) {
    follow(state, widget, [&state, widget] {
        if (widget->text() != state.text()) {
            const QSignalBlocker block(widget);
            widget->setText(state.text());
        }
        widget->setReadOnly(state.locked());
        widget->setEchoMode(state.passwordMask() ? QLineEdit::Password : QLineEdit::Normal);
        applyCommon(state, widget, true);
    });
    QObject::connect(widget, &QLineEdit::textEdited, widget, [&state](const QString& text) { state.setText(text); });
}

void bind(ListBox& state, QComboBox* widget) {
    follow(state, widget, [&state, widget] {
        const QSignalBlocker block(widget);
        QStringList shown;
        for (int i = 0; i < widget->count(); ++i)
            shown << widget->itemText(i);
        if (shown != state.items()) {
            widget->clear();
            widget->addItems(state.items());
        }
        widget->setCurrentIndex(state.listIndex());
        applyCommon(state, widget, true);
    });
    QObject::connect(widget, &QComboBox::activated, widget, [&state](int index) { state.setListIndex(index); });
}

void bind(ListBox& state, QListWidget* widget) {
    follow(state, widget, [&state, widget] {
        const QSignalBlocker block(widget);
        QStringList shown;
        for (int i = 0; i < widget->count(); ++i)
            shown << widget->item(i)->text();
        if (shown != state.items()) {
            widget->clear();
            widget->addItems(state.items());
        }
        widget->setCurrentRow(state.listIndex());
        applyCommon(state, widget, true);
    });
    QObject::connect(widget, &QListWidget::currentRowChanged, widget, [&state](int row) { state.setListIndex(row); });
}

void bind(CheckBox& state, QCheckBox* widget) {
    follow(state, widget, [&state, widget] {
        const QSignalBlocker block(widget);
        widget->setText(state.caption());
        widget->setTristate(state.value() == CheckState::Grayed);
        widget->setCheckState(state.value() == CheckState::Checked  ? Qt::Checked
                              : state.value() == CheckState::Grayed ? Qt::PartiallyChecked
                                                                    : Qt::Unchecked);
        applyCommon(state, widget, true);
    });
    QObject::connect(widget, &QCheckBox::clicked, widget, [&state, widget] {
        state.setValue(widget->checkState() == Qt::Checked ? CheckState::Checked : CheckState::Unchecked);
    });
}

void bind(OptionButton& state, QRadioButton* widget) {
    follow(state, widget, [&state, widget] {
        const QSignalBlocker block(widget);
        widget->setText(state.caption());
        widget->setChecked(state.value());
        applyCommon(state, widget, true);
    });
    QObject::connect(widget, &QRadioButton::toggled, widget, [&state](bool on) { state.setValue(on); });
}

void bind(ProgressBar& state, QProgressBar* widget) {
    follow(state, widget, [&state, widget] {
        widget->setRange(state.min(), state.max());
        widget->setValue(state.value());
        applyCommon(state, widget, false);
    });
}

void bind(Picture& state, QLabel* widget) {
    follow(state, widget, [&state, widget] {
        const QString path = findDataFile(state.picture());
        widget->setPixmap(path.isEmpty() ? QPixmap() : QPixmap(path));
        applyCommon(state, widget, true);
    });
}

void bind(MenuItem& state, QAction* action) {
    follow(state, action, [&state, action] {
        action->setText(state.caption());
        action->setEnabled(state.enabled());
        action->setVisible(state.visible());
        action->setChecked(state.checked());
    });
}

void bind(ScrollBar& state, QScrollBar* widget) {
    follow(state, widget, [&state, widget] {
        const QSignalBlocker block(widget);
        widget->setRange(state.min(), state.max());
        widget->setValue(state.value());
        applyCommon(state, widget, false);
    });
    QObject::connect(widget, &QScrollBar::valueChanged, widget, [&state](int value) { state.setValue(value); });
}

void bind(Window& state, QWidget* window) {
    follow(state, window, [&state, window] {
        window->setWindowTitle(plainCaption(state.caption()));
        if (state.windowState() == WindowState::Minimized)
            window->setWindowState(window->windowState() | Qt::WindowMinimized);
        else if (window->windowState() & Qt::WindowMinimized)
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        if (state.closeRequested() && window->isVisible())
            window->close();
    });
}

void drive(Timer& timer, QWidget* owner) { new TimerDriver(timer, owner); }

QString findDataFile(const QString& relativePath) {
    if (relativePath.isEmpty())
        return QString();
    if (relativePath.startsWith(u':') || QFileInfo(relativePath).isAbsolute())
        return QFileInfo::exists(relativePath) ? relativePath : QString();
    for (const QString& base : {Paths::programDirectory(), Paths::workingDirectory()}) {
        for (const QString& candidate : {QDir(base).filePath(relativePath), QDir(base).filePath("data/" + relativePath)})
            if (QFileInfo::exists(candidate))
                return candidate;
    }
    return QString();
}

} // namespace ui
