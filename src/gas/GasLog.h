#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// gas.log, the optional record of the live values: one line per measurement
// reply, beside the executable, deleted at every program start.
namespace gas {

QString GasLogPath();

// The displayed texts as shown (CO, CO2, HC, O2, NOx, COcorr, lambda, engine
// speed, oil temperature), each followed by a TAB, then the date, a TAB, the
// analyser's serial, a blank and CR LF; Windows-1252 like every station file.
QByteArray GasLogLine(const QStringList& shownValues, const QDate& today, const QString& serial);

// Appends one line. The log is an aid, not a record: a file that cannot be
// written is skipped without a word.
void AppendGasLog(const QByteArray& line);

} // namespace gas
