#pragma once

#include "ui/Controls.h"

#include <QStringList>

#include <optional>

struct Globals;
namespace ui {
class Dialogs;
}

// The limits and the duration of the idle and accelerated-idle tests. Applied
// values take effect at once, in memory; the gas window writes them to
// Conf.ini when it closes. The rpm check box acts as soon as it is clicked.
class LIMITIAN {
  public:
    LIMITIAN(Globals& g, ui::Dialogs& dialogs);

    // The entries offered by the two corrected-CO lists; any number may be typed instead.
    static const QStringList IdleCOcorrChoices;
    static const QStringList AcceleratedCOcorrChoices;

    ui::Window Me;
    ui::Label Label1{QStringLiteral("RPMmin")};
    ui::Label Label2{QStringLiteral("RPMmaccLI")};
    ui::Label Label3{QStringLiteral("RPMmaccLS")};
    ui::Label Label4{QStringLiteral("LambdaLI")};
    ui::Label Label5{QStringLiteral("LambdaLS")};
    ui::Label Label6{QStringLiteral("LCOcorMin")};
    ui::Label Label7{QStringLiteral("LCOcorMinacc")};
    ui::Label Label8{QStringLiteral("Durata Prova")};
    ui::TextBox Text1{QStringLiteral("1000")};
    ui::TextBox Text2{QStringLiteral("2000")};
    ui::TextBox Text3{QStringLiteral("2500")};
    ui::TextBox Text4{QStringLiteral("0.97")};
    ui::TextBox Text5{QStringLiteral("1.03")};
    // The editable texts of the two lists.
    ui::TextBox CombCOcorMin{QStringLiteral("4,5")};
    ui::TextBox CombCOcorMinacc{QStringLiteral("0,3")};
    ui::TextBox Text8{QStringLiteral("145")}; // seconds
    ui::CheckBox Check1{QStringLiteral("Abilitazione &RPM")};
    ui::Button CmdApl{QStringLiteral("Command1")};

    // Shows the limits in force.
    void Form_Load();
    void Check1_Click();
    // Stores every entry and closes. An entry that is not a number (or a
    // duration outside 1..819 s, the most the tick count holds) is named in a
    // message and nothing is stored, so the operator can correct it.
    void CmdApl_Click();
    // The close box keeps the previous limits.
    bool Form_QueryUnload();

  private:
    std::optional<double> entryNumber(const ui::TextBox& box, const ui::Label& caption);
    std::optional<long long> entrySeconds();
    void refuse(const ui::Label& caption);

    Globals& g_;
    ui::Dialogs& dialogs_;
};
