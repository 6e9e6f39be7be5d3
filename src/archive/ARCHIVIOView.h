#pragma once

#include "archive/ARCHIVIO.h"
#include "ui/FormDialog.h"

class QTableWidget;

// The archive window: the filters in a row at the top, the records as a table
// (a failing record in red), the count and the buttons below.
class ARCHIVIOView : public ui::FormDialog {
  public:
    explicit ARCHIVIOView(ARCHIVIO& form, QWidget* parent = nullptr);
    ~ARCHIVIOView() override;

    QTableWidget* table() const { return table_; }

    // Opens the window modal over `parent` until the operator closes it.
    static void showModal(Globals& g, ui::Dialogs& dialogs, ArchiveSheetWindows& sheets, QWidget* parent);

  private:
    void showRows();

    ARCHIVIO& form_;
    QTableWidget* table_ = nullptr;
    int subscription_ = 0;
};
