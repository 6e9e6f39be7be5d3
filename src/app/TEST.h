#pragma once

#include "ui/Controls.h"

#include <vector>

// Rows of number pairs: a grid shows them, a chart draws them as one line.
class PairTable : public ui::Control {
  public:
    struct Row {
        double x = 0;
        double y = 0;
        bool operator==(const Row&) const = default;
    };

    const std::vector<Row>& rows() const { return rows_; }
    void setRows(const std::vector<Row>& rows) { assign(rows_, rows); }

  private:
    std::vector<Row> rows_;
};

// The service test window: checks that the grid and the chart work on this
// station. It has no other function.
class TEST {
  public:
    static constexpr int RowCount = 5;

    ui::Window Me{QStringLiteral("TEST")};
    PairTable Grid1;
    // The chart's data: empty until Command2 hands it the grid.
    PairTable Chart1;
    ui::Button Command1{QStringLiteral("ESC")};
    ui::Button Command2{QStringLiteral("Grafico")};

    // Fills the grid with (i, 2 x i) for i = 1 to 5.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
};
