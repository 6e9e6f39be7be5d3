#pragma once

#include "link/InstrumentConversation.h"
#include "link/ReceiveBuffer.h"
#include "link/ReplyCycle.h"
#include "link/VerificationExpiry.h"
#include "shared/ConcludedTest.h"
#include "smoke/AccelerationRules.h"
#include "smoke/OpacimeterModels.h"
#include "smoke/SmokeReadings.h"
#include "ui/Controls.h"
#include "ui/Timer.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct Globals;
class SerialPort;
class SmokeWindowLinks;
struct MakerStatus;
namespace ui {
class Dialogs;
}

// The smoke analysis window: talks to the opacimeter (maker frames or
// MCTC-NET), shows its live readings and leads the operator through a
// free-acceleration smoke test, acceleration by acceleration, up to a verdict.
class ANFUMO {
  public:
    // Measuring selections of Combo1.
    enum Selection : std::int16_t {
        Continuous = 0,
        SpeedTriggered = 1,
        OpacityTriggered = 2,
        Timed = 3,
        Manual = 4,
        DirectAcquisition = 5,
        Chart = 6,
    };

    static constexpr const char* NoValue = "- - -";
    static constexpr const char* OutOfRange = "O-RANGE";
    // A cell above this temperature (°C) is warm enough to measure.
    static constexpr double WarmCell = 70.0;
    // Ticks the engine is held at the governed speed before the release.
    static constexpr int HoldAtMaximum = 120;

    // The window owns its port for its whole life.
    ANFUMO(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SmokeWindowLinks> links, std::unique_ptr<SerialPort> port);
    ~ANFUMO();
    ANFUMO(const ANFUMO&) = delete;
    ANFUMO& operator=(const ANFUMO&) = delete;

    ui::Window Me;
    ui::Frame PROINTER;
    ui::Frame FrameOPA;
    ui::Label Label2;  // instrument status
    ui::Label Label39; // operator prompt
    ui::Label Label33; // verdict
    ui::Label Label5;  // title: cell temperature
    ui::Label Label6;  // title: oil temperature
    ui::Label Label7;  // title: exhaust-gas temperature
    ui::Label Label16; // title: opacity
    ui::Label Label43; // title: measuring selection
    ui::Label Label17; // opacimeter model
    ui::Label Label44; // opacimeter serial number
    ui::Label Label4;  // opacity unit beside the live value
    ui::Label Label56; // opacity unit beside the mean
    ui::Label Label24; // cell temperature
    ui::Label Label25; // oil temperature
    ui::Label Label26; // exhaust-gas temperature
    ui::Label Label27; // k
    ui::Label Label28; // opacity, % or HSU
    ui::Label Label31; // engine speed
    ui::Label Label29; // smoke-blocking state (MCTC-NET)
    ui::Label Label32; // its title
    ui::Label Label30; // supply voltage (MCTC-NET)
    RowLabels Label36; // peak k of each acceleration
    RowLabels Label18; // peak speed shown
    RowLabels Label37; // idle speed
    RowLabels Label38; // maximum speed
    ui::Label Label35; // mean k
    ui::Label Label55; // mean opacity
    ui::Label Label52; // lowest idle speed of the test
    ui::Label Label53; // highest speed of the test
    ui::ListBox Combo1;
    ui::Button Command1; // advance
    ui::Button Command2; // start
    ui::Button Command3; // limits
    ui::Button Command4; // print
    ui::Button Command5; // vehicle data
    ui::Button Command6{QStringLiteral("Stand&By")};
    ui::Button Command7{QStringLiteral("LOG OFF")};
    ui::Button CmdOut{QStringLiteral("&ESC")};
    ui::Timer Timer1{25, false};
    // Warning lines of the opacimeter's and the rev counter's periodic verification.
    VerificationWatch Verification{VerifiedInstrument::Opacimeter};
    SerialPort& MSComm1;

    void Form_Load();
    // Saves the limits and closes the port; runs once, however the window goes.
    void Form_Unload();
    void Timer1_Timer();
    void MSComm1_OnComm();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void CmdOut_Click();
    void Combo1_Click();
    void IncAccelerata();
    void Linette();
    void LeggiConfini();

    // The conversation.
    ::ReceiveBuffer ReceiveBuffer;
    ReplyCycle Cycle; // ReplyReady and the ticks since the last request
    QString InstrumentState;
    QString LastStatus;
    QString PendingRequest;
    QString PendingStart;
    int StatusFlags = 0;
    int AlarmActive = 0;
    std::int16_t ChannelListInWarmUp = 0;
    std::int16_t ChannelListInCheck = 0;
    int ParamReadCounter = 0;
    int DiagReadCounter = 0;
    int VoltageBlink = 0;
    int ZeroPollCount = 0;
    ::ChannelValues ChannelValues{};
    bool LogEnabled = false;
    QString ParamSelector = QStringLiteral("21");
    int AnalyserErrorCode = 0;
    // The bytes of the last maker status reply the waiting prompt depends on.
    int LastStateCode = 0;
    int LastAlarmByte = 0;
    // The last MCTC-NET status byte.
    int LastStatusByte = 0;

    // The test.
    std::int64_t TickCount = 0;
    std::int64_t MeasureDeadline = 0;
    std::int64_t PhaseDeadline = 0;
    QString TestPhase;
    std::int16_t MeasureSelection = Continuous;
    bool EndNoticePending = false;

    // The chart selection's recording.
    struct ChartSample {
        double opacity = 0.0; // k x 10
        double speed = 0.0;   // rpm / 100
    };
    std::int16_t ChartRow = 0; // the row last written
    QString ChartStep;         // the operator's part during a recording
    // The last two samples before the trigger, older first.
    std::array<ChartSample, 2> PreTrigger{};

    int linkMode() const { return model_.linkMode; }
    const OpacimeterModel& model() const { return model_; }

  private:
    // A smoke test on an expired instrument starts only by the service
    // override; continuous reading and the chart always start.
    bool verificationAllowsStart();

    // Scheduler side (ANFUMOLink.cpp).
    void sendRequestForState();
    void sendMakerRequest();
    void sendMctcRequest();
    void sendMaker(int command, const QByteArray& data = {});
    void sendMctc(const QByteArray& command, const QByteArray& data = {});
    void handleFrame();

    // Maker replies (ANFUMOMaker.cpp).
    void handleMakerReply(const QByteArray& frame);
    void handleMakerStatus(const QByteArray& frame);
    void showMakerReady(const MakerStatus& status);

    // MCTC-NET replies (ANFUMOMctc.cpp).
    void handleMctcReply(const QByteArray& frame);
    void handleMctcStatus(int status);
    void handleParameterReply(const QByteArray& frame);
    void handleDiagnosticReply(const QByteArray& frame);
    void checkErrorField(const QByteArray& frame, int fieldNumber);
    void raisePortHint();
    void showBlockingState();

    // Status displays shared by both protocols (ANFUMOStatus.cpp).
    // Warm-up or self-check: readings unknown, the manual selections given up.
    void showWarmUp(int statusText, bool alwaysResetSelection);
    void showAlarm(int number);
    void restartPhaseAfterZeroing();
    void setPrompt(int text, ui::Colour colour);
    void setStatus(const QString& text, ui::Colour colour);
    void showRowsUnknown();

    // Value replies (ANFUMOValues.cpp).
    void takeReadings(const SmokeReadings& readings);
    void showReadings();
    void writeSmokeLog();
    void writeAccelerationRow();
    void afterValueReply();
    void concludeIfDone();

    // Test phases (ANFUMOPhases.cpp).
    void runTestPhases();
    void runTriggeredPhases(double level, bool levelGiven, double lowThreshold, double highThreshold, bool bySpeed);
    void runTimedPhases();
    void runManualPhases();
    void waitForWarmCell();
    bool mayShowWaitingPrompt() const;
    bool blockingAllowsStart() const;
    bool warm() const;
    // Hands a test stopped before its verdict (started again, or its window
    // closed) to the archive as interrupted.
    void keepInterruptedTest();
    void keepUnfinishedTest(ConcludedTest::Outcome outcome);
    void evaluateAcceleration();
    void abandonInterruptedTest();
    AccelerationTable accelerationTable();

    // The chart selection (ANFUMOChart.cpp).
    void runChartPhases();
    void runChartStep();
    void clearChartRecording();
    void writeChartRow(int row, const ChartSample& sample);
    ChartSample currentChartSample() const;
    void finishChartRecording();
    void mirrorToChart();

    // Message windows, shown once the handler that raised them is done; an
    // alarm or a probe notice stops the scheduler until it is acknowledged
    // (ANFUMOPopups.cpp).
    enum class Popup { Critic, Exclam, ExclamStampa };
    enum class SchedulerWhileOpen { Stopped, Running };
    struct PendingPopup {
        Popup kind;
        QString caption;
        QString text;
    };
    void raiseCritic(const QString& caption, const QString& text);
    void raiseExclam();
    void raiseExclamStampa(SchedulerWhileOpen scheduler);
    void showPendingPopups();

    Globals& g_;
    ui::Dialogs& dialogs_;
    std::unique_ptr<SmokeWindowLinks> links_;
    std::unique_ptr<SerialPort> port_;
    OpacimeterModel model_;
    InstrumentConversation own_;
    std::vector<PendingPopup> popups_;
    bool showingPopups_ = false;
    bool loaded_ = false;
    // What the last value reply gave.
    bool kGiven_ = true;
    bool cellTemperatureGiven_ = true;
    bool speedGiven_ = true;
    // During the acceleration in progress k went unread at full throttle: its
    // peak is unknown and the row shows none.
    bool peakUnknown_ = false;
    // Start let the test run on an instrument past its verification (the
    // service override); the result and the archive record say so.
    bool startedOnExpiredInstrument_ = false;
    // Rows of the test in progress already in the archive (a printed direct
    // acquisition), so none is kept twice.
    int rowsKept_ = 0;
};
