#pragma once

#include "ui/Dialogs.h"

namespace ui {

// Real message boxes, modal over the active window.
class MessageBoxDialogs : public Dialogs {
public:
    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    void beep() override;
};

} // namespace ui
