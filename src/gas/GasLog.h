#pragma once

#include <QString>

// gas.log, the optional record of the live values (written through the
// link's live-value log), beside the executable.
namespace gas {

inline const QString GasLogName = QStringLiteral("gas.log");

QString GasLogPath();

} // namespace gas
