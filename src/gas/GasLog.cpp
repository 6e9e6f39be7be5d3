#include "gas/GasLog.h"

#include "ui/Paths.h"

namespace gas {

QString GasLogPath() {
    return ui::Paths::inProgramDirectory(GasLogName);
}

} // namespace gas
