#pragma once

#include "app/TEST.h"
#include "ui/FormDialog.h"

class QChart;
class QTableWidget;

// The service test window: the grid on the left, the chart on the right.
class TESTView : public ui::FormDialog {
  public:
    TESTView(TEST& form, QWidget* parent = nullptr);
    ~TESTView() override;

    // Opens a fresh test window modeless; it deletes itself and its form when closed.
    static void showModeless(QWidget* parent);

  private:
    void showGrid();
    void showChart();

    TEST& form_;
    QTableWidget* grid_;
    QChart* chart_;
    int gridToken_ = 0;
    int chartToken_ = 0;
};
