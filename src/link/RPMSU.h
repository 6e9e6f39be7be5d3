#pragma once

#include "link/ComDeviceChooser.h"
#include "link/ReceiveBuffer.h"
#include "link/RepeatedRequest.h"
#include "link/SentMctcRequest.h"
#include "ui/Controls.h"

#include <QByteArray>

#include <memory>

struct Globals;
class SerialPort;
namespace ui {
class Dialogs;
}

// The rev counter's set-up window: its port and baud rate, the engine layout
// programmed into it, whether it supplies the engine speed and the oil
// temperature, the reading command, and its identity. Apply saves everything
// and programs cylinders and strokes into the rev counter.
class RPMSU {
  public:
    RPMSU(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port);
    ~RPMSU();
    RPMSU(const RPMSU&) = delete;
    RPMSU& operator=(const RPMSU&) = delete;

    ui::Window Me{QStringLiteral("RPM")};
    ui::Frame Frame1{QStringLiteral("&DATI")};
    ui::Label Label1;
    ui::TextBox Text1;
    ui::Label Label2;
    ui::TextBox Text2;
    ui::Label Label3;
    ui::TextBox Text3;
    ui::Label Label4;
    ui::TextBox Text4;
    ui::Label Label5;
    ui::TextBox Text5;
    ui::Button Command2{QStringLiteral("+")};
    ui::Button Command3{QStringLiteral("-")};
    ui::Frame Frame2;
    ui::OptionButton Option7{QStringLiteral("&2")};
    ui::OptionButton Option6{QStringLiteral("&4")};
    ui::Label Label7{QStringLiteral("RPM")};
    ui::CheckBox Check1{QStringLiteral("ON")};
    ui::Label Label8;
    ui::CheckBox Check2{QStringLiteral("ON")};
    ui::Frame FrameTO{QStringLiteral("Com.Toil")};
    ui::OptionButton Option8{QStringLiteral("VA")};
    ui::OptionButton Option9{QStringLiteral("VE")};
    ui::OptionButton Option10{QStringLiteral("TP+VA")};
    ui::ScrollBar VScroll1;
    ui::TextBox Text6;
    ui::Label Label6{QStringLiteral("COM")};
    ComDeviceChooser Devices;
    ui::Frame FrameBR{QStringLiteral("&Baud Rate")};
    ui::OptionButton Option1{QStringLiteral("1&200")};
    ui::OptionButton Option2{QStringLiteral("&9600")};
    ui::OptionButton Option3{QStringLiteral("&19200")};
    ui::OptionButton Option4{QStringLiteral("&38400")};
    ui::Button Command1;
    ui::Button CmdApl{QStringLiteral("&Applica")};
    ui::Button Command4{QStringLiteral("&ESC")};
    SerialPort& MSComm5;

    void Form_Load();
    // Closes the port; safe to run more than once.
    void Form_Unload();
    void Command1_Click();
    void CmdApl_Click();
    void Command4_Click();
    void Command2_Click();
    void Command3_Click();
    void Option7_Click() { setStrokes(2); }
    void Option6_Click() { setStrokes(4); }
    void Check1_Click();
    void Check2_Click();
    void Option8_Click() { setReadingCommand(0); }
    void Option9_Click() { setReadingCommand(1); }
    void Option10_Click() { setReadingCommand(2); }
    void VScroll1_Change();
    void VScroll1_GotFocus();
    void VScroll1_LostFocus();
    void Option1_Click() { setBaud(1); }
    void Option2_Click() { setBaud(2); }
    void Option3_Click() { setBaud(3); }
    void Option4_Click() { setBaud(4); }
    void MSComm5_OnComm();
    // Repeats an unanswered request each second; the view drives it.
    ui::Timer& RetryTimer() { return retry_.Timer; }

  private:
    void openPort();
    void send(const QByteArray& command, const QByteArray& data = {});
    void handleFrame(const QByteArray& frame);
    void saveAndTell();
    void setStrokes(int strokes);
    void setReadingCommand(int choice);
    void setBaud(int baudIndex);
    void setCylinders(int count);

    Globals& g_;
    ui::Dialogs& dialogs_;
    std::unique_ptr<SerialPort> port_;
    SentMctcRequest request_;
    ReceiveBuffer received_;
    RepeatedRequest retry_{*port_, Me,
                           [this](const QByteArray& command, const QByteArray& data) { send(command, data); }};
};
