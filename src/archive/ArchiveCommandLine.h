#pragma once

#include <QStringList>

#include <optional>

class QTextStream;

// The archive's verbs for other station software, run without a display and
// without opening a window or a port:
//   --archive-verify                  one line per record, "N OK" or what is wrong; exit 1 when any fails
//   --archive-export FILE.csv         UTF-8 CSV, one row per record, one column per report key
//        [--from DATE] [--to DATE]    days the tests ended (yyyy-mm-dd or dd/mm/yyyy), both included
//   [--archive PATH]                  another archive than the one beside the program
// A lane of a test centre (Conf.ini in the working folder names the server)
// verifies every lane on the server whose key it holds, "[lane] N OK", and
// names the lanes it cannot check; --archive names the lane's own file, beside
// which its key and the other lanes' keys ("chiavi") are.
namespace archive {

// True when the arguments ask for an archive verb.
bool IsArchiveCommand(const QStringList& arguments);

// Runs the verb and gives the exit code: 0 done, 1 a record failed its check,
// 2 the command or the archive could not be used.
int RunArchiveCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace archive
