#pragma once

#include "shared/ConcludedTest.h"

#include <QString>

struct Globals;

// The sheets the archive window shows a kept test on. The program provides the
// real windows (print and PDF as for a live test); tests record the calls.
class ArchiveSheetWindows {
  public:
    virtual ~ArchiveSheetWindows() = default;
    // Shows the sheet of `kind` from `restored` (a Globals the test was put
    // back into), modal. A record that failed its check (`valid` false) says
    // `invalidText` in its title and cannot be printed.
    virtual void showSheet(ConcludedTest::Kind kind, Globals& restored, const QString& date, bool valid,
                           const QString& invalidText) = 0;
};
