#pragma once

#include <QString>

namespace ui {

// Where the station's files live: Conf.ini and Lingua.ini in the working
// directory, logs and report.log beside the executable. Tests point both elsewhere.
class Paths {
public:
    static QString workingDirectory();
    static QString programDirectory();
    static void setWorkingDirectory(const QString& dir);  // empty: the process's own again
    static void setProgramDirectory(const QString& dir);  // empty: the executable's folder again
    static QString inWorkingDirectory(const QString& fileName);
    static QString inProgramDirectory(const QString& fileName);
};

} // namespace ui
