#pragma once

#include "QtPrinters.h"
#include "gas/ANGAS.h"
#include "link/FakeSerialPort.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// What Conf.ini holds about the gas analyser for one test.
struct GasSetup {
    int model = 3;    // 0..2 maker frames, 3 MCTC-NET
    int linkMode = 0; // 0: the mode of the model
    int port = 3;
    int baud = 2;
    QString modelName = QStringLiteral("KAPRO 500");
    QString serial = QStringLiteral("AG-0042");
};

// Counts what the gas window asks of the windows beside it.
class RecordingCompanions : public GasCompanionWindows {
  public:
    void closeRevCounter() override { ++revCounterClosed; }
    void showVehicleData() override {
        ++vehicleShown;
        open = true;
    }
    void closeVehicleData() override {
        ++vehicleClosed;
        open = false;
    }
    bool vehicleDataShown() const override { return open; }
    void showGasLimits() override {
        ++limitsShown;
        if (whileLimitsShown)
            whileLimitsShown();
    }
    void showGasCertificate() override { ++certificateShown; }
    void showGasDiagnosis() override { ++diagnosisShown; }

    int revCounterClosed = 0;
    int vehicleShown = 0;
    int vehicleClosed = 0;
    bool open = false;
    int limitsShown = 0;
    int certificateShown = 0;
    int diagnosisShown = 0;
    // What the operator does in the modal limits window before it closes.
    std::function<void()> whileLimitsShown;
};

// Message boxes that let the test act while one is up, as the event loop
// would while a real modal box waits for the operator.
class InteractiveDialogs : public RecordingDialogs {
  public:
    ui::Answer message(const QString& text, const QString& title, ui::Icon icon, ui::Buttons buttons) override {
        const ui::Answer answer = RecordingDialogs::message(text, title, icon, buttons);
        if (whileShown) {
            auto action = std::move(whileShown);
            whileShown = nullptr;
            action();
        }
        return answer;
    }
    std::function<void()> whileShown;
};

// The gas window on an in-memory port; the test plays the analyser. Every
// UiText entry reads "ui<n>", so labels show which entry they hold.
class GasWindowTest : public StationDirsTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    static QString ui(int position) { return QStringLiteral("ui%1").arg(position); }

    void writeSettings(const GasSetup& setup);
    void openWindow(const GasSetup& setup = {});
    // Opens the window again on the Conf.ini it left behind.
    void reopenWindow();
    void closeWindow();
    void tick(int count = 1);

    // Requests written so far: MCTC-NET as "ID", "@LU 047", ...; maker frames
    // as "0x31", "0x26 05" (command, then data bytes in hex).
    QStringList requests() const;
    QStringList requestsSince(qsizetype first) const;
    QString lastRequest() const;
    qsizetype requestCount() const { return port->written().size(); }

    // The analyser answers the last request.
    void replyMctc(const QByteArray& command, const QByteArray& data = {});
    void replyMaker(int command, const QByteArray& data = {});
    static QByteArray makerReplyFrame(int address, int command, const QByteArray& data);

    // One exchange: a tick that must send `expected`, then the reply.
    void exchangeMctc(const QString& expected, const QByteArray& command, const QByteArray& data = {});
    void exchangeMaker(const QString& expected, int command, const QByteArray& data = {});

    // MCTC-NET start-up up to the first status request; version in thousandths.
    void mctcStartUp(int versionThousandths = 1500);
    void mctcStatus(int status);
    // Maker start-up up to the first status request.
    void makerStartUp(const QByteArray& firmware = "5.40");
    void makerStatus(int status, int fuelCode = 3);

    Globals g;
    InteractiveDialogs dialogs;
    FakeSerialPort* port = nullptr;
    RecordingCompanions* companions = nullptr;
    std::unique_ptr<ANGAS> form;
};

// Data fields joined by ETB.
QByteArray Fields(std::initializer_list<QByteArray> parts);
// A maker measurement reply's data: eight records of five bytes; set(position,
// byte) with positions counted from the frame's STX, as the analyser's manual does.
class MakerValues {
  public:
    MakerValues();
    MakerValues& set(int position, int byte);
    MakerValues& word(int position, int value);
    const QByteArray& data() const { return data_; }

  private:
    QByteArray data_;
};
