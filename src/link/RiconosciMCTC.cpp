#include "link/RiconosciMCTC.h"

#include "link/GenMCTCNET.h"
#include "link/SerialPort.h"
#include "link/SetupControls.h"
#include "shared/Globals.h"

namespace {

constexpr int UiTextFinished = 120; // RiconoscimentoFine
constexpr int UiTextScanning = 121; // RiconoscimentoAtto
constexpr int UiTextStart = 123;    // RiconoscimentoInizia
constexpr int UiTextScan = 124;     // RiconoscimentoRic
constexpr int UiTextCaption = 125;  // RiconoscimentoCap

enum Step { AskGas = 1, AskOpacimeter = 2, AskRevCounter = 3, NextPort = 4 };

const QString ScanSettings = QStringLiteral("9600,n,8,1");
const QString FieldGap = QStringLiteral("   ");

QString portName(int port) {
    return QStringLiteral("Com") + QString::number(port);
}

QString identityLine(const InstrumentIdentityRecord& id) {
    return id.Maker + FieldGap + id.Model + FieldGap + id.SerialNumber + FieldGap + id.Version;
}

} // namespace

QString RecognitionReportLine(int port, const QString& result) {
    if (result == QLatin1String(RiconosciMCTC::CannotOpen))
        return QString();
    const QString found =
        result == QLatin1String(RiconosciMCTC::NoAnswer) ? QStringLiteral(" no connect") : FieldGap + result;
    return portName(port) + found + QStringLiteral("\r\n");
}

RiconosciMCTC::RiconosciMCTC(Globals& g, std::unique_ptr<SerialPort> port)
    : MSComm3(*port), g_(g), port_(std::move(port)) {
    Text2.setLocked(true);
    Text3.setLocked(true);
    Timer1.setHandler([this] { Timer1_Timer(); });
    MSComm3.OnComm = [this] { MSComm3_OnComm(); };
}

RiconosciMCTC::~RiconosciMCTC() {
    Form_Unload();
    MSComm3.OnComm = nullptr;
}

void RiconosciMCTC::Form_Load() {
    const auto& text = g_.lang.UiText;
    Me.setCaption(text[UiTextCaption]);
    Command1.setCaption(text[UiTextScan]);
    g_.link.RecognitionPort = &MSComm3;
    scanPort_ = 0;
    scanStep_ = 0;
    Label3.setCaption(text[UiTextStart]);
    Label3.setBackColor(ui::colour::Red);
}

void RiconosciMCTC::Form_Unload() {
    Timer1.setEnabled(false);
    scanPort_ = 0;
    scanStep_ = 0;
    closeScanPort();
    if (g_.link.RecognitionPort == &MSComm3)
        g_.link.RecognitionPort = nullptr;
}

void RiconosciMCTC::Command1_Click() {
    scanPort_ = 1;
    scanStep_ = 0;
    scanResults_.fill(QString::fromLatin1(NoAnswer));
    Timer1.setEnabled(true);
    Command1.setEnabled(false);
    Label3.setCaption(g_.lang.UiText[UiTextScanning]);
    Label3.setBackColor(ui::colour::Green);
    scanReport_.clear();
    Text3.setText(QString());
}

void RiconosciMCTC::Command2_Click() {
    if (scanPort_ == 0) {
        Me.requestClose();
        return;
    }
    finish();
}

void RiconosciMCTC::Timer1_Timer() {
    // Only an answer within the tick it was asked in counts.
    received_.clear();
    if (scanPort_ == 0)
        return;
    ++scanStep_;
    if (scanStep_ == NextPort) {
        closeScanPort();
        scanStep_ = AskGas;
        ++scanPort_;
        if (scanPort_ > HighestPort) {
            finish();
            return;
        }
    }
    switch (scanStep_) {
    case AskGas:
        if (!openScanPort()) {
            closeScanPort();
            // The next tick moves on to the next port.
            scanStep_ = AskRevCounter;
            scanResults_[scanPort_] = QString::fromLatin1(CannotOpen);
            showProgress(QStringLiteral("KO"));
            return;
        }
        request_.device = "GAS";
        break;
    case AskOpacimeter: request_.device = "OPA"; break;
    default: request_.device = "RPM"; break;
    }
    if (!MSComm3.PortOpen() && !reopenBrokenPort())
        return;
    request_.copyTo(g_.link);
    SendMctcToRecognition(g_, request_.device, request_.command, request_.number);
    showProgress(QString::fromLatin1(request_.device));
}

void RiconosciMCTC::showProgress(const QString& what) {
    // The technician sees which device each COM number stands for.
    const QString device = MSComm3.DeviceName();
    Text2.setText(portName(scanPort_) + u' ' + what +
                  (device.isEmpty() ? QString() : QStringLiteral("  (") + device + u')'));
}

bool RiconosciMCTC::reopenBrokenPort() {
    brokenPort_.missed(MSComm3);
    if (MSComm3.PortOpen())
        return true;
    Text2.setText(portName(scanPort_) + QStringLiteral(" ERRORE COM"));
    return false;
}

bool RiconosciMCTC::openScanPort() {
    MSComm3.setCommPort(scanPort_);
    if (!MSComm3.setSettings(ScanSettings))
        return false;
    MSComm3.setRThreshold(1);
    return MSComm3.setPortOpen(true);
}

void RiconosciMCTC::closeScanPort() {
    if (MSComm3.PortOpen())
        MSComm3.setPortOpen(false);
}

void RiconosciMCTC::MSComm3_OnComm() {
    const std::optional<QByteArray> frame = TakeCompleteMctcFrame(received_, MSComm3);
    // An answer to another device, or one arriving after the scan stopped, is ignored.
    if (!frame || scanPort_ == 0 || !request_.isAnsweredBy(*frame))
        return;
    ParseIdentityReply(g_.link, *frame, request_.commandLength(), request_.numberLength());
    scanStep_ = AskRevCounter;
    scanResults_[scanPort_] = identityLine(g_.link.InstrumentIdentity);
}

void RiconosciMCTC::finish() {
    scanPort_ = 0;
    scanStep_ = 0;
    // Left open, the port would refuse to open again at the next scan's first tick.
    closeScanPort();
    Label3.setCaption(g_.lang.UiText[UiTextFinished]);
    Label3.setBackColor(ui::colour::Yellow);
    Command1.setEnabled(true);
    Timer1.setEnabled(false);
    Text2.setText(portName(0));
    buildReport();
}

void RiconosciMCTC::buildReport() {
    for (int port = 1; port <= HighestPort; ++port)
        scanReport_ += RecognitionReportLine(port, scanResults_[port]);
    Text3.setText(scanReport_);
}
