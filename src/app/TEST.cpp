#include "app/TEST.h"

void TEST::Form_Load() {
    std::vector<PairTable::Row> rows;
    for (int i = 1; i <= RowCount; ++i)
        rows.push_back({double(i), 2.0 * i});
    Grid1.setRows(rows);
}

void TEST::Command1_Click() {
    Me.requestClose();
}

void TEST::Command2_Click() {
    Chart1.setRows(Grid1.rows());
}
