#include "BenchStation.h"

#include "TappedPort.h"
#include "gas/ANGASView.h"
#include "lang/LanguageTexts.h"
#include "link/QtSerialPort.h"
#include "settings/ConfFile.h"
#include "smoke/ANFUMOView.h"
#include "smoke/NoSmokeWindowLinks.h"
#include "ui/Paths.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int GasCom = 2;
constexpr int SmokeCom = 1;

QByteArray confIni(const QString& gasLink, const QString& smokeLink) {
    const QString text =
        QStringLiteral("[LINGUA]\r\nTLingua=1\r\n[COMOPA]\r\nTModCom=2\r\nTCOM=%1\r\nTBRate=2\r\nMarca="
                       "Quaveron\r\nNOmologa=OM 1\r\n"
                       "[MODOPA]\r\nModello=5\r\nUnitOpa=0\r\n"
                       "[COMKAPRO]\r\nTModCom=2\r\nTCOM=%2\r\nTBRate=2\r\nMarca=Quaveron\r\nNOmologa=OM 2\r\n"
                       "[MODKAPRO]\r\nModello=3\r\n"
                       "[RPM]\r\nTCOMrpm=3\r\nExternRPM=0\r\nExternToil=0\r\n"
                       "[PORTE]\r\nCOM%1=%3\r\nCOM%2=%4\r\n")
            .arg(SmokeCom)
            .arg(GasCom)
            .arg(smokeLink, gasLink);
    return text.toUtf8();
}

} // namespace

ui::Answer UnattendedDialogs::message(const QString& text, const QString&, ui::Icon, ui::Buttons buttons) {
    ++shown;
    std::fprintf(stderr, "message shown: %s\n", qPrintable(text));
    return buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
}

void runFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

QString BenchStation::programFile(const QString& name) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../") + name;
}

BenchStation::BenchStation() {
    ui::Paths::setWorkingDirectory(work_.path());
    ui::Paths::setProgramDirectory(work_.path());
    QFile::copy(QStringLiteral(QUAVERON_SOURCE_DIR "/data/Lingua.ini"), work_.filePath(QStringLiteral("Lingua.ini")));
    QFile conf(work_.filePath(QStringLiteral("Conf.ini")));
    if (conf.open(QIODevice::WriteOnly))
        conf.write(confIni(work_.filePath(QStringLiteral("gas")), work_.filePath(QStringLiteral("opa"))));
    conf.close();
    // What the main window reads at start-up.
    LoadLanguageChoice(g);
    LoadInstrumentPorts(g);
    LoadRevCounterSettings(g);
    LoadLanguageTexts(g, g.settings.LanguageCode);
}

BenchStation::~BenchStation() {
    closeWindows();
    stopSimulators();
}

void BenchStation::stopSimulators() {
    for (auto& process : simulators_) {
        process->terminate();
        if (!process->waitForFinished(3000))
            process->kill();
    }
    simulators_.clear();
}

bool BenchStation::startSimulator(const QStringList& arguments, const QString& link, QString* error) {
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(programFile(QStringLiteral("sim/quaveron-sim")), arguments);
    if (!process->waitForStarted(5000)) {
        *error = QStringLiteral("cannot start quaveron-sim: ") + process->errorString();
        return false;
    }
    const QDeadlineTimer deadline(5000);
    while (!QFileInfo::exists(link) && !deadline.hasExpired())
        runFor(20);
    simulators_.push_back(std::move(process));
    if (!QFileInfo::exists(link)) {
        *error = QStringLiteral("quaveron-sim made no line at ") + link;
        return false;
    }
    return true;
}

bool BenchStation::startSimulators(QString* error) {
    const QString scenario = work_.filePath(QStringLiteral("opa.txt"));
    QFile file(scenario);
    if (file.open(QIODevice::WriteOnly))
        file.write("set warmup=1 check=1 zeroing=1\n");
    file.close();
    return startSimulator({QStringLiteral("gas"), QStringLiteral("--protocol"), QStringLiteral("mctc"),
                           QStringLiteral("--link"), work_.filePath(QStringLiteral("gas")), QStringLiteral("--delay"),
                           QStringLiteral("0"), QStringLiteral("--warmup"), QStringLiteral("1000"),
                           QStringLiteral("--zeroing"), QStringLiteral("1000"), QStringLiteral("--hc-test"),
                           QStringLiteral("1000")},
                          work_.filePath(QStringLiteral("gas")), error) &&
           startSimulator({QStringLiteral("opa"), QStringLiteral("--protocol"), QStringLiteral("mctc"),
                           QStringLiteral("--model"), QStringLiteral("5"), QStringLiteral("--link"),
                           work_.filePath(QStringLiteral("opa")), QStringLiteral("--delay"), QStringLiteral("0"),
                           QStringLiteral("--scenario"), scenario},
                          work_.filePath(QStringLiteral("opa")), error);
}

void BenchStation::openGasWindow() {
    // The main window raises the flag before it opens the window.
    g.app.GasWindowActive = 1;
    auto line = std::make_unique<TappedPort>(std::make_unique<QtSerialPort>(), 7);
    gasPort = line.get();
    gasWindow = ANGASView::showModeless(g, dialogs, std::move(line), nullptr);
    // The analyser warms up for a second; then the operator starts a
    // measurement, which zeroes and tests for HC residue before measuring.
    runFor(2500);
    gasWindow->form().Command1_Click();
    runFor(6000);
}

void BenchStation::openSmokeWindow() {
    g.app.SmokeWindowActive = 1;
    auto line = std::make_unique<TappedPort>(std::make_unique<QtSerialPort>(), 11);
    smokePort = line.get();
    smokeWindow =
        ANFUMOView::showModeless(g, dialogs, std::make_unique<NoSmokeWindowLinks>(), std::move(line), nullptr);
    // Warm-up, self-check and zeroing take a few seconds.
    runFor(6000);
}

void BenchStation::setWindowsPolling(bool polling) {
    if (gasWindow)
        gasWindow->form().Timer1.setEnabled(polling);
    if (smokeWindow)
        smokeWindow->form().Timer1.setEnabled(polling);
}

void BenchStation::closeWindows() {
    if (gasWindow)
        gasWindow->close();
    if (smokeWindow)
        smokeWindow->close();
    g.app.GasWindowActive = 0;
    g.app.SmokeWindowActive = 0;
    gasWindow = nullptr;
    smokeWindow = nullptr;
    gasPort = smokePort = nullptr;
    runFor(50);
}
