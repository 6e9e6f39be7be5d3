#pragma once

#include "ui/Controls.h"

#include <QDialog>

#include <functional>

namespace ui {

// The usual top-level view of a form: a dialog whose title follows the form's
// Window state and that closes when the form asks to ("Unload Me"). When the
// operator uses the close box instead, onCloseBox runs first and may refuse by
// returning false.
class FormDialog : public QDialog {
public:
    FormDialog(Window& window, std::function<bool()> onCloseBox, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape closes a QDialog without a close event; route it the same way.
    void reject() override;

private:
    Window& window_;
    std::function<bool()> onCloseBox_;
};

} // namespace ui
