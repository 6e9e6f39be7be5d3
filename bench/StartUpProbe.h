#pragma once

#include <QString>

// Starts the program with its start-up probe on: it prints "shown" once its
// main window is up, then ends. The peak memory is that child's own, from
// wait4 on its pid, so no process that ended before can enter the figure.
struct StartUpProbe {
    bool shown = false;
    double msToShown = 0;
    double peakMiB = 0; // resident set at its highest, over the child's whole life
    QString error;
};

StartUpProbe ProbeStartUp(const QString& program, const QString& workingDirectory, int timeoutMs = 30000);
