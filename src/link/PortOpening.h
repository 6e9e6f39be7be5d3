#pragma once

#include <QString>

struct Globals;
class SerialPort;
namespace ui {
class Dialogs;
}

// Opens a window's port: closes it if open, sets the COM number, the settings
// string and a receive threshold of 1, and opens it. A failure is told to the
// operator ("COM<n> <cannot-open text>" and the system's description) and the
// port stays closed; the window carries on either way.
bool OpenInstrumentPort(SerialPort& port, int comPort, const QString& settings, const Globals& g, ui::Dialogs& dialogs);

// The second line of that message: the cause in the operator's words when the
// device tells it (missing, unplugged, no permission, busy), otherwise the
// system's description.
QString DescribePortOpenFailure(const Globals& g, const QString& device, const QString& systemError);

// The text of that message.
QString PortOpenFailureText(int comPort, const QString& cannotOpenText, const QString& systemError);
