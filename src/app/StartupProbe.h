#pragma once

#include <QString>

class Menu;
struct Globals;

// What the started program found, for the benchmark's and the package check's
// start-up probe: the language file and how many texts it gave, each picture of
// the main window with the file it was drawn from, and where report.log goes.
QString StartupProbeReport(const Menu& menu, const Globals& g);
