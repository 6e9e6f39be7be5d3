#pragma once

#include <QStringList>
#include <QTextStream>

namespace sim {

// quaveron-sim's command line: the first argument names the instrument to
// serve ("rpm"), the rest are that instrument's options; "--help" alone lists
// them all. Serving runs the Qt event loop until a termination signal; the
// return value is the process's exit code.
int RunSimulator(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace sim
