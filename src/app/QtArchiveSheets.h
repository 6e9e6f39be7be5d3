#pragma once

#include "archive/ArchiveSheetWindows.h"

class QWidget;
namespace ui {
class Dialogs;
}

// The archive window's sheets: the same windows a live test prints on, filled
// from the kept test, with print and PDF as usual.
class QtArchiveSheets : public ArchiveSheetWindows {
  public:
    QtArchiveSheets(ui::Dialogs& dialogs, QWidget* parent) : dialogs_(dialogs), parent_(parent) {}

    void showSheet(ConcludedTest::Kind kind, Globals& restored, const QString& date, bool valid,
                   const QString& invalidText) override;

  private:
    ui::Dialogs& dialogs_;
    QWidget* parent_;
};
