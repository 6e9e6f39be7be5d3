#include "rpm/RPM.h"

#include "link/CylinderStepping.h"
#include "link/GenMCTCNET.h"
#include "link/LineSettings.h"
#include "link/PortOpening.h"
#include "link/PortReopenRule.h"
#include "link/SerialPort.h"
#include "rpm/RpmTxLog.h"
#include "settings/ConfFile.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"

namespace {

// The probe's "out of range" reading.
constexpr double OilOutOfRange = 888.0;

constexpr int UiTextCylinders = 138;
constexpr int UiTextStrokes = 139;

} // namespace

RPM::RPM(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port)
    : MSComm6(*port), g_(g), dialogs_(dialogs), port_(std::move(port)) {
    // The count changes only by the buttons, which keep it to real engine layouts.
    Text5.setLocked(true);
    Timer2.setHandler([this] { Timer2_Timer(); });
    MSComm6.OnComm = [this] { MSComm6_OnComm(); };
}

RPM::~RPM() {
    Form_Unload();
    MSComm6.OnComm = nullptr;
}

void RPM::Form_Load() {
    LoadRevCounterSettings(g_);
    Label5.setCaption(g_.lang.UiText[UiTextCylinders]);
    Frame2.setCaption(g_.lang.UiText[UiTextStrokes]);
    Text5.setText(QString::number(g_.settings.CylinderCount));
    showStrokes();

    g_.rpm.OilTemperature = 0;
    Picture1.setPicture(QStringLiteral("Immagini/RPM.ico"));
    Picture2.setPicture(QStringLiteral("Immagini/Temperature.ico"));

    LinkState& link = g_.link;
    link.RevCounterDevice = "RPM";
    link.RevCounterNumber = "1";
    link.RevCounterPort = &MSComm6;
    link.ShowRevCounterSpeedUnknown = [this] { Label1.setCaption(QString::fromLatin1(Unknown)); };
    Label1.setCaption(QString::fromLatin1(Unknown));
    Label3.setCaption(QString::fromLatin1(Unknown));

    OpenInstrumentPort(MSComm6, g_.settings.RpmPort, BaudSettings(g_.settings.RpmBaudIndex), g_, dialogs_);

    if (g_.settings.ExternalRpm == 1)
        send("ID");

    state_ = QString::fromLatin1(Measure);
    Timer2.setEnabled(true);
}

void RPM::Form_Unload() {
    Timer2.setEnabled(false);
    if (MSComm6.PortOpen())
        MSComm6.setPortOpen(false);
    LinkState& link = g_.link;
    if (link.RevCounterPort == &MSComm6) {
        link.RevCounterPort = nullptr;
        link.ShowRevCounterSpeedUnknown = nullptr;
    }
}

void RPM::CmdOut_Click() {
    Me.requestClose();
}

void RPM::Timer2_Timer() {
    const SettingsState& s = g_.settings;
    // Exactly one request per tick: a state that needs nothing programmed
    // falls through to the reading command of the same tick.
    if (state_ == Measure) {
        if (s.CylinderCount == lastCylindersSent_) {
            state_ = QString::fromLatin1(Reading);
        } else {
            lastCylindersSent_ = s.CylinderCount;
            send("CI", QByteArray::number(s.CylinderCount));
        }
    }
    if (state_ == Cylinders) {
        if (s.StrokeCount == lastStrokesSent_) {
            state_ = QString::fromLatin1(Reading);
        } else {
            lastStrokesSent_ = s.StrokeCount;
            send("TE", QByteArray::number(s.StrokeCount));
        }
    }
    if (state_ == SpeedNext)
        send("VA");
    if (state_ == Reading)
        send(readingCommand());
    // The log is a diagnostic aid: a full disk or a read-only folder must not stop the readings.
    rpm::RpmTxLog::append(ui::Clock::now(), QString::fromLatin1(g_.link.RevCounterCommand));
}

const char* RPM::readingCommand() const {
    switch (g_.settings.RpmCommandChoice) {
    case 1: return "VE";
    case 2: return "TP";
    // An unknown choice in Conf.ini would otherwise leave the window silent for good.
    default: return "VA";
    }
}

void RPM::send(const QByteArray& command, const QByteArray& data) {
    LinkState& link = g_.link;
    link.RevCounterCommand = command;
    // A reply flag left set while the port is closed (it failed to open, or the
    // device went away under it) would make the sender wait for an open port
    // for ever; as a miss, the request gets the port reopened.
    if (!MSComm6.PortOpen())
        link.RevCounterReplyFlag = 0;
    SendMctcToRevCounter(g_, link.RevCounterDevice, command, link.RevCounterNumber, data);
}

void RPM::MSComm6_OnComm() {
    // No check of the first character: a stray byte stays and spoils the frame it precedes.
    if (!received_.takeInput(MSComm6, ReceiveBuffer::FirstByte::Keep) || !received_.endsWithEtx())
        return;
    const QByteArray frame = received_.bytes();
    received_.clear();
    handleFrame(frame);
}

void RPM::handleFrame(const QByteArray& frame) {
    LinkState& link = g_.link;
    if (!MctcHeaderMatches(frame, "RPM"))
        return;
    if (link.RevCounterMissCount >= PortReopenRule::DefaultMissesBeforeReopen) {
        // The line was down long enough for the port to be reopened: the
        // instrument may have been switched off and forgotten its programming.
        lastCylindersSent_ = 0;
        lastStrokesSent_ = 0;
    }
    link.RevCounterReplyFlag = 1;
    const int commandLength = link.RevCounterCommandLength();
    const int numberLength = link.RevCounterNumberLength();
    const QByteArray command = MctcReplyCommand(frame, commandLength, numberLength);
    if (command == "CI") {
        state_ = QString::fromLatin1(Cylinders);
    } else if (command == "TE") {
        state_ = QString::fromLatin1(Reading);
    } else if (command == "VA") {
        state_ = QString::fromLatin1(Measure);
        if (const auto speed = ParseRevCounterRpm(frame, commandLength, numberLength))
            g_.rpm.RpmValue = *speed;
        showSpeed();
    } else if (command == "TP") {
        state_ = QString::fromLatin1(SpeedNext);
        if (const auto oil = ParseRevCounterOilTemp(frame, commandLength, numberLength))
            g_.rpm.OilTemperature = *oil;
        showOilTemperature();
    } else if (command == "VE") {
        state_ = QString::fromLatin1(Measure);
        if (const auto both = ParseRevCounterBoth(frame, commandLength, numberLength)) {
            g_.rpm.RpmValue = both->rpm;
            g_.rpm.OilTemperature = both->oilTemperature;
        }
        showSpeed();
        showOilTemperature();
    }
}

void RPM::showSpeed() {
    Label1.setCaption(settings::formatDouble(g_.rpm.RpmValue));
}

void RPM::showOilTemperature() {
    const double oil = g_.rpm.OilTemperature;
    Label3.setCaption(oil == OilOutOfRange ? QStringLiteral("OutRange") : settings::formatDouble(oil));
}

void RPM::Command2_Click() {
    setCylinders(NextCylinderCount(g_.settings.CylinderCount));
}

void RPM::Command3_Click() {
    setCylinders(PreviousCylinderCount(g_.settings.CylinderCount));
}

void RPM::setCylinders(int count) {
    g_.settings.CylinderCount = count;
    Text5.setText(QString::number(count));
    SaveRevCounterSettings(g_);
}

void RPM::Option7_Click() {
    setStrokes(2);
}

void RPM::Option6_Click() {
    setStrokes(4);
}

void RPM::setStrokes(int strokes) {
    if (g_.settings.StrokeCount != strokes) {
        // The instrument learns the strokes only after a cylinder exchange:
        // forgetting the cylinders sent makes the next reading programme both.
        lastCylindersSent_ = 0;
    }
    g_.settings.StrokeCount = strokes;
    showStrokes();
    SaveRevCounterSettings(g_);
}

void RPM::showStrokes() {
    Option7.setValue(g_.settings.StrokeCount == 2);
    Option6.setValue(g_.settings.StrokeCount == 4);
}
