#pragma once

#include <QString>

// The program's version, from the build.
struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

ProgramVersion programVersion();
// "Ver. " followed by major.minor.revision.
QString versionCaption(const ProgramVersion& version);
