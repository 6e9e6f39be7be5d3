#pragma once

#include "link/ComDeviceChooser.h"
#include "link/InstrumentModels.h"
#include "link/ReceiveBuffer.h"
#include "link/RepeatedRequest.h"
#include "link/SentMctcRequest.h"
#include "link/SerialPort.h"
#include "link/SetupControls.h"
#include "shared/Globals.h"
#include "ui/Controls.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <span>

class RCLIni;

namespace ui {
class Dialogs;
}

// What tells the gas analyser's set-up window from the opacimeter's: the
// device it asks, its Conf.ini sections, its model list and the globals it sets.
struct InstrumentSetUpKind {
    using Sender = void (*)(Globals&, const QByteArray&, const QByteArray&, const QByteArray&, const QByteArray&);

    QByteArray device;    // "GAS" or "OPA"
    QString portSection;  // link settings and identity
    QString modelSection; // model list row
    int captionText;      // UiText position of the window caption
    QString listPrompt;   // the model list's prompt before a choice
    std::span<const InstrumentModelRow> models;
    Sender send;
    SerialPort* LinkState::*setupPort;
    int LinkState::*binaryAddress;
    int SettingsState::*linkMode;
    int SettingsState::*comPort;
    int SettingsState::*baudIndex;
    int SettingsState::*model;
    QString SettingsState::*make;
    QString SettingsState::*approval;
};

// The set-up window of a measuring instrument: choose its port, baud rate and
// model, ask it who it is over MCTC-NET, and store all of it in Conf.ini. The
// model decides the link mode and the maker-frame address at once; Conf.ini
// changes only on save.
class InstrumentSetUp {
  public:
    virtual ~InstrumentSetUp();
    InstrumentSetUp(const InstrumentSetUp&) = delete;
    InstrumentSetUp& operator=(const InstrumentSetUp&) = delete;

    ui::Window Me;
    ui::ListBox Combo1;
    ui::ScrollBar VScroll1;
    ui::TextBox Text5;
    ui::Label Label5{QStringLiteral("COM")};
    ComDeviceChooser Devices;
    ui::Frame FrameBr{QStringLiteral("&Baud Rate")};
    ui::OptionButton Option1{QStringLiteral("1&200")};
    ui::OptionButton Option2{QStringLiteral("&9600")};
    ui::OptionButton Option3{QStringLiteral("&19200")};
    ui::OptionButton Option4{QStringLiteral("&38400")};
    // Display only: the mode follows the model.
    ui::Frame FrameMod{QStringLiteral("Modalità di Comunicazione")};
    ui::OptionButton Option5{QStringLiteral("Korvellan")};
    ui::OptionButton Option6{QStringLiteral("MCTCNET")};
    ui::Frame Frame1{QStringLiteral("&DATI")};
    ui::Label Label1{QStringLiteral("Mark")};
    ui::TextBox Text1;
    ui::Label Label2{QStringLiteral("N. homol.")};
    ui::TextBox Text2;
    ui::Label Label3{QStringLiteral("Model")};
    ui::TextBox Text3;
    ui::Label Label4{QStringLiteral("S. n.")};
    ui::TextBox Text4;
    ui::Label Label6{QStringLiteral("Ver.")};
    ui::TextBox Text6;
    ui::Label Label7{QStringLiteral("Exp.")};
    ui::TextBox Text7;

    virtual void Form_Load();
    // Closes the port; safe to run more than once.
    void Form_Unload();
    void Combo1_Click();
    void VScroll1_Change();
    void VScroll1_GotFocus();
    void VScroll1_LostFocus();
    void Option1_Click() { chooseBaud(1); }
    void Option2_Click() { chooseBaud(2); }
    void Option3_Click() { chooseBaud(3); }
    void Option4_Click() { chooseBaud(4); }

    // The identity this window saves: read from Conf.ini when it opened,
    // replaced by the instrument's own answer to an identification.
    const InstrumentIdentityRecord& SavedIdentity() const { return identity_; }
    // Repeats an unanswered request each second; the view drives it.
    ui::Timer& RetryTimer() { return retry_.Timer; }

  protected:
    InstrumentSetUp(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port,
                    const InstrumentSetUpKind& kind);

    SerialPort& port() { return *port_; }
    Globals& globals() { return g_; }
    int& setting(int SettingsState::*member) { return g_.settings.*member; }

    // The window's buttons.
    void identify();
    void save();
    void close() { Me.requestClose(); }
    void onComm();

    void send(const QByteArray& command, const QByteArray& data = {});
    // Selects a model row as the operator's choice does.
    void chooseModel(int row);
    void showLinkMode(int mode);

    // An identification answer came: the boxes show it; the model is trimmed.
    virtual void identified(const QString& model) = 0;
    // A reply to another command of the window.
    virtual void replied(const QByteArray& command, const QByteArray& frame);
    // Keys of the model section beyond the model row.
    virtual void loadModelExtras(RCLIni& ini);
    virtual void saveModelExtras(RCLIni& ini);

  private:
    void loadSettings();
    void saveSettings();
    void chooseBaud(int baudIndex);
    std::array<ui::TextBox*, 6> identityBoxes();
    void showIdentity();

    Globals& g_;
    ui::Dialogs& dialogs_;
    std::unique_ptr<SerialPort> port_;
    const InstrumentSetUpKind& kind_;
    InstrumentIdentityRecord identity_;
    SentMctcRequest request_;
    ReceiveBuffer received_;
    RepeatedRequest retry_{*port_, Me,
                           [this](const QByteArray& command, const QByteArray& data) { send(command, data); }};
};

// Conf.ini integers as the set-up windows read them: a key that is absent or
// not a 16-bit number leaves the target as it was.
void ReadSetupInteger(RCLIni& ini, const QString& key, int& target);
void WriteSetupInteger(RCLIni& ini, const QString& key, int value);
