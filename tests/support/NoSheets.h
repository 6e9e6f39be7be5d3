#pragma once

#include "archive/ArchiveSheetWindows.h"

// Sheets the archive window opens, shown nowhere: for tests that look at its list only.
class NoSheets : public ArchiveSheetWindows {
  public:
    void showSheet(ConcludedTest::Kind, Globals&, const QString&, bool, const QString&) override {}
};
