#pragma once

#include "link/InstrumentSetUp.h"

// The gas analyser's set-up window. Besides the identification it reads the
// analyser's parameter 193 and shows a checksum of it, for the inspector to
// compare with the one on the analyser's certificate.
class ANSU : public InstrumentSetUp {
  public:
    ANSU(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port);

    ui::Button Command2;
    ui::Label Label8{QStringLiteral("ChkSum.")};
    ui::TextBox Text8;
    ui::Button CmdApl{QStringLiteral("&Applica")};
    ui::Button Command1{QStringLiteral("&ESC")};
    SerialPort& MSComm6;

    void Form_Load() override;
    void Command2_Click() { identify(); }
    void CmdApl_Click() { save(); }
    void Command1_Click() { close(); }
    void MSComm6_OnComm() { onComm(); }

  private:
    void identified(const QString& model) override;
    void replied(const QByteArray& command, const QByteArray& frame) override;
};
