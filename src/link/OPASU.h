#pragma once

#include "link/InstrumentSetUp.h"

// The opacimeter's set-up window, with the choice of the opacity unit.
class OPASU : public InstrumentSetUp {
  public:
    OPASU(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port);

    ui::ListBox Combo2{QStringLiteral("select unit")};
    ui::Button ComFind{QStringLiteral("FIND")};
    ui::Button ComSave{QStringLiteral("&SAVE")};
    ui::Button ComEsc{QStringLiteral("&ESC")};
    SerialPort& MSComm4;

    void Form_Load() override;
    void Combo2_Click();
    void ComFind_Click() { identify(); }
    void ComSave_Click() { save(); }
    void ComEsc_Click() { close(); }
    void MSComm4_OnComm() { onComm(); }

  private:
    void identified(const QString& model) override;
    void loadModelExtras(RCLIni& ini) override;
    void saveModelExtras(RCLIni& ini) override;
};
