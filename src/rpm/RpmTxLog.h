#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace rpm {

// RpmTx.log in the program's folder: one line per request sent to the rev
// counter, "date time<TAB>command". The file is opened and closed for every
// line, so another program can read it while the window runs.
class RpmTxLog {
  public:
    static constexpr const char* FileName = "RpmTx.log";
    static constexpr const char* PreviousFileName = "RpmTx.log.1";
    // Four lines a second would fill a disk over months of station use; past
    // this size the log is moved aside (replacing the older copy) and restarted.
    static constexpr std::int64_t SizeLimit = 1024 * 1024;

    // False when the line could not be written; the caller carries on regardless.
    static bool append(const QDateTime& when, const QString& command);
    static QString path();
};

} // namespace rpm
