#include "app/Version.h"

ProgramVersion programVersion() {
    return {QUAVERON_VERSION_MAJOR, QUAVERON_VERSION_MINOR, QUAVERON_VERSION_PATCH};
}

QString versionCaption(const ProgramVersion& version) {
    return QStringLiteral("Ver. %1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision);
}
