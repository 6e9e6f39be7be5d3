#include "app/Menu.h"
#include "app/MenuView.h"
#include "app/QtServerNotice.h"
#include "app/QtWindowFactory.h"
#include "app/StartupProbe.h"
#include "app/Version.h"
#include "archive/ArchiveCommandLine.h"
#include "archive/LaneArchive.h"
#include "archive/TestArchive.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "ui/MessageBoxDialogs.h"

#include <QApplication>
#include <QSysInfo>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

// The archive's verbs need no display: no window or port is opened for them.
int runArchiveCommand(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return archive::RunArchiveCommand(QCoreApplication::arguments(), out, err);
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (archive::IsArchiveCommand({QString::fromLocal8Bit(argv[i])}))
            return runArchiveCommand(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quaveron"));

    Globals g;
    // Every concluded test is kept; a fault is reported and the test held until it can be stored.
    archive::TestArchive testArchive(archive::DefaultArchivePath(), QSysInfo::machineHostName(),
                                     versionCaption(programVersion()));
    if (!testArchive.open(archive::TestArchive::Mode::ReadWrite))
        std::fprintf(stderr, "quaveron: test archive %s: %s\n", qPrintable(testArchive.path()),
                     qPrintable(testArchive.lastError()));
    g.report.Archive = &testArchive;
    ui::MessageBoxDialogs dialogs;
    QtWindowFactory windows(g, dialogs);
    // A lane of a test centre keeps every test here first and sends it on to the centre's server.
    LoadArchiveSettings(g);
    QtServerNotice serverNotice(nullptr);
    std::unique_ptr<archive::LaneArchive> lane;
    if (g.settings.Archive.usesServer()) {
        lane = std::make_unique<archive::LaneArchive>(g, testArchive, g.settings.Archive, serverNotice);
        g.report.Archive = lane.get();
    }
    // Ending leaves every other window as it is: their closing steps do not run.
    Menu menu(g, dialogs, windows, [] { QApplication::exit(0); });
    MenuView view(menu);
    windows.setMainWindow(&view);

    menu.Form_Load();
    view.show();
    // The start-up probe of the benchmark and the package check: say so once the
    // main window is up, with the files found, then end.
    if (qEnvironmentVariableIsSet("QUAVERON_STARTUP_PROBE"))
        QTimer::singleShot(0, &app, [&menu, &g] {
            std::printf("shown\n%s", StartupProbeReport(menu, g).toLocal8Bit().constData());
            std::fflush(stdout);
            QApplication::exit(0);
        });
    return app.exec();
}
