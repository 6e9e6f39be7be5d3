#pragma once

#include "report/PrintoutView.h"
#include "report/StampaOpaB.h"

struct Globals;
namespace ui {
class Dialogs;
}

// The smoke report as the paper form lays it out.
class StampaOpaBView : public PrintoutView {
  public:
    StampaOpaBView(StampaOpaB& form, QWidget* parent = nullptr);

    // The smoke window's print button: fills the sheet, rewrites report.log and
    // shows the sheet modal over `parent` until the operator closes it.
    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
