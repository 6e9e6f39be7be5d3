#pragma once

#include "link/InstrumentSetUp.h"
#include "ui/FormDialog.h"

class QComboBox;
class QGridLayout;
class QHBoxLayout;

// The part the gas analyser's and the opacimeter's set-up windows share: model
// list, port, baud rate, link mode and the identity boxes. Each window adds
// its own controls and buttons to the rows left open for them.
class InstrumentSetUpView : public ui::FormDialog {
  protected:
    InstrumentSetUpView(InstrumentSetUp& form, QWidget* parent);

    // A model or unit list; choosing an entry runs the handler.
    QComboBox* listBox(ui::ListBox& state, const QString& name, std::function<void()> chosen);

    QHBoxLayout* listRow() const { return listRow_; }
    QGridLayout* identityGrid() const { return identityGrid_; }
    QHBoxLayout* buttonRow() const { return buttonRow_; }

  private:
    QHBoxLayout* listRow_;
    QGridLayout* identityGrid_;
    QHBoxLayout* buttonRow_;
};
