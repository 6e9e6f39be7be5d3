#pragma once

#include "ui/Controls.h"

#include <cstdint>
#include <optional>

struct Globals;
namespace ui {
class Dialogs;
}

// The protected system options: three option bits and the two coefficients of
// the extended HC range. Reached only through the service password.
class SYS_SET_UP {
  public:
    SYS_SET_UP(Globals& g, ui::Dialogs& dialogs);

    ui::Window Me{QStringLiteral("System Set-up")};
    ui::CheckBox CkAbilOpa{QStringLiteral("Enable opacity range 9,99 K")};
    ui::CheckBox CkAbilKapro{QStringLiteral("Enable HC range 19999 ppm")};
    ui::CheckBox CkAbilTt{QStringLiteral("Disable leak test request")};
    ui::Label Label1{QStringLiteral("Kquad")};
    ui::TextBox TKquad;
    ui::Label Label2{QStringLiteral("Klin")};
    ui::TextBox TKlin;
    // Periodic verification: validity of a maker calibration, warning days,
    // and the service override that lets a test run on an expired instrument.
    ui::Label Label3;
    ui::TextBox TMesi;
    ui::Label Label4;
    ui::TextBox TGiorni;
    ui::CheckBox CkScaduti;
    ui::Button CSalva{QStringLiteral("&Salva")};
    ui::Button CAnnulla{QStringLiteral("&Annulla")};

    void Form_Load();
    // Saves and closes; a coefficient that is not a number is refused with a
    // message and nothing changes, so the operator can correct it.
    void CSalva_Click();
    void CAnnulla_Click();
    // The close box saves nothing.
    bool Form_QueryUnload();

    // Option bits as stored in the settings.
    static constexpr std::uint8_t OpacityRangeBit = 1;
    static constexpr std::uint8_t HcRangeBit = 2;
    static constexpr std::uint8_t NoLeakTestBit = 4;

  private:
    std::uint8_t TickedBits() const;
    std::optional<double> Coefficient(const ui::TextBox& box, const QString& name);
    std::optional<int> WholeNumber(const ui::TextBox& box, const QString& name, int lowest, int highest);

    Globals& g_;
    ui::Dialogs& dialogs_;
};
