#pragma once

#include "app/Critic.h"
#include "app/Exclam.h"
#include "app/ExclamStampa.h"
#include "ui/FormDialog.h"

#include <QStyle>

namespace ui {
class Dialogs;
}

// Icon, text and OK button. However the dialog closes, the form's Form_Unload runs.
class MessageWindowView : public ui::FormDialog {
  public:
    MessageWindowView(MessageWindow& form, QStyle::StandardPixmap icon, QWidget* parent);
};

class CriticView : public MessageWindowView {
  public:
    CriticView(Critic& form, QWidget* parent = nullptr);
    // The caption names the alarm, e.g. "ERROR 10".
    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent, const QString& caption);
};

class ExclamView : public MessageWindowView {
  public:
    ExclamView(Exclam& form, QWidget* parent = nullptr);
    // Follows up with the print notice when the opacimeter calls for it.
    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};

class ExclamStampaView : public MessageWindowView {
  public:
    ExclamStampaView(ExclamStampa& form, QWidget* parent = nullptr);
    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
