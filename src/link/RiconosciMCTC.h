#pragma once

#include "link/PortReopenRule.h"
#include "link/ReceiveBuffer.h"
#include "link/SentMctcRequest.h"
#include "ui/Controls.h"
#include "ui/Timer.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

struct Globals;
class SerialPort;

// The COM port scan: walks through COM1 to COM16, asks each port in turn for a
// gas analyser, an opacimeter and a rev counter over MCTC-NET, and reports who
// answered where. It changes no settings.
class RiconosciMCTC {
  public:
    static constexpr int HighestPort = 16;
    // A port's result before anything answered, and for a port that could not be opened.
    static constexpr const char* NoAnswer = "1";
    static constexpr const char* CannotOpen = "0";

    RiconosciMCTC(Globals& g, std::unique_ptr<SerialPort> port);
    ~RiconosciMCTC();
    RiconosciMCTC(const RiconosciMCTC&) = delete;
    RiconosciMCTC& operator=(const RiconosciMCTC&) = delete;

    ui::Window Me;
    ui::Label Label3;
    ui::Button Command1;
    ui::Button Command2{QStringLiteral("&ESC")};
    ui::Frame Frame1;
    ui::TextBox Text2;
    ui::TextBox Text3;
    ui::Timer Timer1{500, false};
    SerialPort& MSComm3;

    void Form_Load();
    // Stops the scan and closes the port; safe to run more than once.
    void Form_Unload();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void MSComm3_OnComm();

    // 1..16 while scanning, 0 when idle.
    int ScanPort() const { return scanPort_; }
    // 1 gas analyser, 2 opacimeter, 3 rev counter asked this tick.
    int ScanStep() const { return scanStep_; }
    const QString& ScanResult(int port) const { return scanResults_[port]; }
    const QString& ScanReport() const { return scanReport_; }

  private:
    bool openScanPort();
    void showProgress(const QString& what);
    // The device went away under the scan: false while it is still missing.
    bool reopenBrokenPort();
    void closeScanPort();
    void finish();
    void buildReport();

    Globals& g_;
    std::unique_ptr<SerialPort> port_;
    int scanPort_ = 0;
    int scanStep_ = 0;
    std::array<QString, HighestPort + 1> scanResults_;
    QString scanReport_;
    // Every question is the identification; the device changes with each.
    SentMctcRequest request_{{}, "1", "ID"};
    ReceiveBuffer received_;
    // A port that broke under the scan is opened again at its next question.
    PortReopenRule brokenPort_{1};
};

// One line of the report for a port's result; empty for a port that could not
// be opened.
QString RecognitionReportLine(int port, const QString& result);
