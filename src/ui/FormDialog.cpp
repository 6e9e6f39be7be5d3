#include "ui/FormDialog.h"

#include "ui/Binding.h"

#include <QCloseEvent>

namespace ui {

FormDialog::FormDialog(Window& window, std::function<bool()> onCloseBox, QWidget* parent)
    : QDialog(parent), window_(window), onCloseBox_(std::move(onCloseBox)) {
    window_.reopen();
    bind(window_, this);
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (!window_.closeRequested() && onCloseBox_ && !onCloseBox_()) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::done(QDialog::Rejected);
}

void FormDialog::reject() { close(); }

} // namespace ui
