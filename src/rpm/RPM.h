#pragma once

#include "link/ReceiveBuffer.h"
#include "ui/Controls.h"
#include "ui/Timer.h"

#include <QByteArray>
#include <QString>

#include <memory>

struct Globals;
class SerialPort;
namespace ui {
class Dialogs;
}

// The rev counter window: programs the engine's cylinders and strokes into the
// rev counter, then reads the engine speed and oil temperature four times a
// second for the measuring windows (RpmValue, OilTemperature).
class RPM {
  public:
    // The conversation's states, advanced by the replies.
    static constexpr const char* Measure = "MISURA";  // program cylinders, or read
    static constexpr const char* Cylinders = "CIL";   // program strokes, or read
    static constexpr const char* Reading = "TEMP";    // send the chosen reading command
    static constexpr const char* SpeedNext = "TEMP2"; // temperature read, speed next

    static constexpr const char* Unknown = "- - -";

    // The window owns its port for its whole life.
    RPM(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port);
    ~RPM();
    RPM(const RPM&) = delete;
    RPM& operator=(const RPM&) = delete;

    ui::Window Me{QStringLiteral("  RPM")};
    ui::Label Label1{QString::fromLatin1(Unknown)};
    ui::Label Label2{QStringLiteral("rpm")};
    ui::Picture Picture1;
    ui::Label Label3{QString::fromLatin1(Unknown)};
    ui::Label Label4{QStringLiteral("°C")};
    ui::Picture Picture2;
    ui::TextBox Text5;
    ui::Button Command2{QStringLiteral("&+")};
    ui::Button Command3{QStringLiteral("&-")};
    ui::Label Label5;
    ui::Frame Frame2;
    ui::OptionButton Option7{QStringLiteral("&2")};
    ui::OptionButton Option6{QStringLiteral("&4")};
    ui::Button CmdOut{QStringLiteral("&ESC")};
    ui::Timer Timer2{250, false};
    SerialPort& MSComm6;

    void Form_Load();
    // Stops reading and closes the port; safe to run more than once.
    void Form_Unload();
    void Timer2_Timer();
    void MSComm6_OnComm();
    void Command2_Click();
    void Command3_Click();
    void Option7_Click();
    void Option6_Click();
    void CmdOut_Click();

    const QString& RevCounterState() const { return state_; }

  private:
    void send(const QByteArray& command, const QByteArray& data = {});
    const char* readingCommand() const;
    void handleFrame(const QByteArray& frame);
    void showSpeed();
    void showOilTemperature();
    void setCylinders(int count);
    void setStrokes(int strokes);
    void showStrokes();

    Globals& g_;
    ui::Dialogs& dialogs_;
    std::unique_ptr<SerialPort> port_;
    QString state_;
    // What was last programmed into the instrument; 0 until then, so a stored
    // count of 0 is never programmed.
    int lastCylindersSent_ = 0;
    int lastStrokesSent_ = 0;
    ReceiveBuffer received_;
};
