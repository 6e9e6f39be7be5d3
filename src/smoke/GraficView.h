#pragma once

#include "smoke/Grafic.h"
#include "ui/FormDialog.h"
#include "ui/Printing.h"

#include <array>

class QChart;
class QLineSeries;
class QValueAxis;
struct Globals;
namespace ui {
class Dialogs;
}

// The chart window: the line chart fills it; below it the limit legends, the
// live engine speed, the prompt colour and the two buttons.
class GraficView : public ui::FormDialog {
  public:
    explicit GraficView(Grafic& form, QWidget* parent = nullptr);
    ~GraficView() override;

    Grafic& form() { return form_; }
    QChart* chart() const { return chart_; }
    const ui::QtWindowPrinter& printer() const { return printer_; }

    // Loads and shows a chart window, not modal; it deletes itself and its form when closed.
    static GraficView* showModeless(Globals& g, ui::Dialogs& dialogs, QWidget* parent);

  private:
    QLayout* buildFooter();
    void redraw();

    Grafic& form_;
    ui::QtWindowPrinter printer_;
    QChart* chart_ = nullptr;
    // Columns 1 to 4 of the table: opacity, speed, lower and upper speed limit.
    std::array<QLineSeries*, 4> series_{};
    QValueAxis* timeAxis_ = nullptr;
    QValueAxis* opacityAxis_ = nullptr;
    QValueAxis* speedAxis_ = nullptr;
};
