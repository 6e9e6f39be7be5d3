#pragma once

#include "gas/ANGASView.h"
#include "shared/Globals.h"
#include "smoke/ANFUMOView.h"
#include "ui/Dialogs.h"

#include <QPointer>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class TappedPort;

// Message boxes nobody answers: the measuring windows carry on as if the
// operator had pressed OK.
class UnattendedDialogs : public ui::Dialogs {
  public:
    ui::Answer message(const QString&, const QString&, ui::Icon, ui::Buttons) override;
    void beep() override {}
    int shown = 0;
};

// A station for measuring the program: a working folder with Conf.ini and
// Lingua.ini, simulated instruments served by quaveron-sim processes on
// pseudo-terminals, and the gas and smoke windows on them through tapped ports.
class BenchStation {
  public:
    BenchStation();
    ~BenchStation();

    // Starts the MCTC-NET gas analyser and opacimeter simulators.
    bool startSimulators(QString* error);
    // Stops them: their lines vanish, as an unplugged adapter's would.
    void stopSimulators();
    // Open a measuring window and bring it to its measuring loop. With both
    // open, every MCTC-NET request goes out on both lines (the instruments
    // pick theirs by address), so rates are measured with one window open.
    void openGasWindow();
    void openSmokeWindow();
    void closeWindows();
    // Stops or restarts both windows' schedulers, the windows staying open.
    void setWindowsPolling(bool polling);

    Globals g;
    UnattendedDialogs dialogs;
    TappedPort* gasPort = nullptr;
    TappedPort* smokePort = nullptr;
    QPointer<ANGASView> gasWindow;
    QPointer<ANFUMOView> smokeWindow;

    static QString programFile(const QString& name);

  private:
    bool startSimulator(const QStringList& arguments, const QString& link, QString* error);

    QTemporaryDir work_;
    std::vector<std::unique_ptr<QProcess>> simulators_;
};

// Runs the Qt event loop for the given time.
void runFor(int milliseconds);
