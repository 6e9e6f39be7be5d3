#include "app/Menu.h"
#include "app/MenuView.h"
#include "app/QtWindowFactory.h"
#include "app/StartupProbe.h"
#include "shared/Globals.h"
#include "ui/MessageBoxDialogs.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quaveron"));

    Globals g;
    ui::MessageBoxDialogs dialogs;
    QtWindowFactory windows(g, dialogs);
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
