#pragma once

#include "gas/GasCompanionWindows.h"
#include "link/InstrumentConversation.h"
#include "link/ReceiveBuffer.h"
#include "link/ReplyCycle.h"
#include "link/VerificationExpiry.h"
#include "shared/GasCertificate.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Timer.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>

struct Globals;
struct GasState;
class SerialPort;
namespace gas {
struct TestReadings;
}

// The gas analysis window: runs the gas analyser through start-up, warm-up,
// zeroing, leak and HC residue tests, polls it while it measures, shows the
// live values and takes the operator's choices. The scheduler (Timer1, 25 ms)
// sends one request per answered reply according to NextState; the receive
// handler decodes the reply, stores the values and sets the next state. The
// analyser speaks the maker's binary frames or MCTC-NET, by its model.
class ANGAS {
  public:
    // Link modes, by the analyser model.
    static constexpr int MakerFrames = 1;
    static constexpr int MctcNet = 2;

    // The window owns its port and the link to the windows it opens beside itself.
    ANGAS(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port,
          std::unique_ptr<GasCompanionWindows> companions = nullptr);
    ~ANGAS();
    ANGAS(const ANGAS&) = delete;
    ANGAS& operator=(const ANGAS&) = delete;

    ui::Window Me;
    ui::ListBox Combo1; // fuel
    ui::ListBox Combo3; // engine type
    ui::ListBox Combo4; // certification or diagnosis
    ui::Button Command1{QStringLiteral("Start &Misura")};
    ui::Button Command2{QStringLiteral("&STAMPA")};
    ui::Button Command3;
    ui::Button Command4{QStringLiteral("S&B")};
    ui::Button Command5{QStringLiteral("&IMPOSTA LIMITI")};
    ui::Button Command6{QStringLiteral("&TT")};
    ui::Button Command7{QStringLiteral("LOG OFF")};
    ui::Button CmdOut1{QStringLiteral("&ESC")};
    ui::ProgressBar PBar1;
    ui::Timer Timer1{25, false};
    SerialPort& MSComm2;

    ui::Label Label1, Label3;          // analyser model and serial from Conf.ini
    ui::Label Label4, Label7, Label25; // calibration date, instrument parameter, firmware
    ui::Label Label5;                  // analyser state
    ui::Label Label27;                 // instruction or error
    ui::Label Label28;                 // test result
    ui::Label Label8, Label9, Label10, Label11, Label12, Label13, Label15, Label26, Label33; // values
    ui::Label Label21, Label30, Label31, Label32;                                            // captions
    ui::Label Label37{QStringLiteral("Press.")}, Label38, Label39{QStringLiteral("mbar")};   // leak test
    // Warning lines of the analyser's and the rev counter's periodic verification.
    VerificationWatch Verification{VerifiedInstrument::GasAnalyser};

    void Form_Load();
    // Runs the closing steps once; the destructor runs them if nobody did.
    void Form_Unload();
    void Timer1_Timer();
    void MSComm2_OnComm();
    void Combo1_Click();
    void Combo3_Click();
    void Combo4_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void CmdOut1_Click();
    void LeggiConfini();
    // The idle and accelerated-idle test phases, run after each measurement
    // reply while the gate is open.
    void RunTestPhases();
    // Verdicts of the idle and the accelerated-idle test; both fill the
    // certificate record with the values as displayed.
    void ProvaMin();
    void ProvaMinAcc();

    int LinkMode() const { return linkMode_; }

    // Window fields.
    int TCarb = 1;  // fuel list index
    int TMot = 0;   // 0 four-stroke, 1 two-stroke
    int TProve = 1; // 0 certification, 1 diagnosis
    int RisMin = 0;
    QString PendingRequest; // operator action waiting for the scheduler
    QString NextState{QStringLiteral("INIZIO")};
    QString LastReplyState;
    QString TestPhase;
    std::int32_t TickCount = 0;
    int MeasuringFlag = 0;
    int NewMeasurementRequired = 0;
    int ListSentInWarmUp = 0;
    int AutoZeroAfterStandBy = 0;
    int ZeroingReplies = 0;
    int LeakMessageShown = 0;
    bool LogOn = false;
    int VehicleWindowOpen = 0;
    double FuelConstantK = 15.0;
    QDateTime MeasurementStart;
    std::int32_t ProgressStart = 0; // tick at which the progress bar last started
    // The timed measurement in progress. Wider than the tick count, so the
    // end and the grace after it never overflow.
    std::int64_t PhaseStartTick = 0;
    std::int64_t PhaseEndTick = 0;
    ReplyCycle Cycle; // ReplyReady and TicksSinceSend

  private:
    struct QueuedMessage {
        QString text;
        ui::Icon icon;
        std::function<void()> closed;
    };

    GasState& gas() const;
    const QString& uiText(int position) const;

    // Display.
    void setLinkModeFromModel();
    void fillLists();
    void setTexts();
    void showValuesUnknown();
    void setInstruction(const QString& text, ui::Colour colour);
    void whiteStatusLines();
    void advanceProgress();
    void showPressure(bool shown);
    void showMctcValues();
    void afterMeasurement();
    bool testPhasesGateOpen() const;

    // A certification on an expired instrument starts only by the service
    // override; a diagnosis always starts.
    bool verificationAllowsStart();

    // Test phases.
    gas::TestReadings testReadings() const;
    void startIdlePhase();
    void runCatalysedPhase();
    void runNonCatalysedPhase();
    void catalysedIdle();
    void catalysedPause();
    void acceleratedIdle();
    void nonCatalysedIdle();
    void startTimedPhase();
    void showPhaseProgress();
    bool phaseElapsed() const;
    bool graceElapsed() const;
    bool sampleDiluted() const;
    void showIdleInstruction();
    void showAcceleratedInstruction();
    void colourIdleCOcorr();
    void colourAcceleratedValues();
    void abandonInterruptedTest();
    // Certificate and diagnosis records.
    void clearCertificateResults();
    GasSheetHeader sheetHeader() const;
    void fillCertificateStation();
    void fillDiagnosis();
    // Hands the certificate to the archive at its verdict, before any print,
    // or as interrupted when the operator stops or restarts it, or closes the
    // window, before its verdict.
    void keepCertification();
    void keepInterruptedCertification();
    void writeGasLog();

    // Messages raised while a reply is handled wait until the handler is done,
    // so a modal box never runs the scheduler or the receive handler in the
    // middle of one.
    void queueMessage(const QString& text, ui::Icon icon, std::function<void()> closed = {});
    void showQueuedMessages();

    // Requests.
    void sendMaker(int command, const QByteArray& data = {});
    void sendMctc(const QByteArray& command, const QByteArray& data = {});
    void runMakerRules();
    void runMctcRules();
    QByteArray settingsRecordData() const;
    bool stateIn(std::initializer_list<const char*> states) const;
    void setStates(const QString& state);

    // Maker replies.
    void receiveMakerFrame();
    bool handleMakerReply(const QByteArray& frame);
    void makerIdentification(const QByteArray& frame);
    void makerCalibrationDate(const QByteArray& frame);
    void makerStatus(const QByteArray& frame);
    void showMakerStatus(int status);
    void makerMeasurement(const QByteArray& frame);

    // MCTC-NET replies.
    void receiveMctcFrame();
    void handleMctcReply(const QByteArray& frame);
    void mctcIdentification(const QByteArray& frame);
    void mctcSettings(const QByteArray& frame);
    void mctcParameter(const QByteArray& frame, bool numbered);
    void mctcErrorRegister(const QByteArray& frame);
    void mctcMeasurement(const QByteArray& frame);
    void mctcPressure(const QByteArray& frame);
    void mctcLeakStatus(const QByteArray& frame);
    bool leakTestTooOld() const;
    void mctcHcResidue(const QByteArray& frame);
    void mctcStatus(const QByteArray& frame);
    void mctcWarmUp();
    void mctcStandBy();
    void mctcZeroing();
    void mctcMeasuring();

    // Operator choices.
    void selectFuel(int fuel);
    void selectEngine(int engine);
    bool makerAcceptsFuelCode() const;
    bool mctcAcceptsSettings() const;
    void sendMakerFuelCode();

    Globals& g_;
    ui::Dialogs& dialogs_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<GasCompanionWindows> companions_;
    ReceiveBuffer received_;
    InstrumentConversation own_;
    int linkMode_ = 0;
    bool loaded_ = false;
    bool startedOnExpiredInstrument_ = false;
    std::deque<QueuedMessage> queuedMessages_;
    bool showingMessages_ = false;
    // Fields of the last "@VA" that held no reading (bit n: field n + 1, read as
    // 0 or left as they were): the tests take them as not given.
    std::uint16_t unreadMeasurementFields_ = 0;
};
