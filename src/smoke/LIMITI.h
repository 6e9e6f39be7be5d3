#pragma once

#include "ui/Controls.h"

#include <functional>
#include <optional>

struct Globals;
namespace ui {
class Dialogs;
}

// The opacity limits of the smoke test: the idle and governed speed thresholds
// of the speed-triggered cycle, the opacity threshold of the opacity-triggered
// cycle and the limit k of the verdict. Applied values take effect at once; the
// smoke window writes them to Conf.ini when it closes.
class LIMITI {
  public:
    // enableStart enables the smoke window's start button: applying limits
    // that put the running engine below the idle threshold lets a test begin.
    LIMITI(Globals& g, ui::Dialogs& dialogs, std::function<void()> enableStart);

    ui::Window Me{QStringLiteral("Impostazione dei limiti ")};
    ui::Label Label1{QStringLiteral("RPMmin")};
    ui::Label Label2{QStringLiteral("RPMmax")};
    ui::Label Label3{QString::fromUtf8("Soglia Opacità")};
    ui::Label Label4{QStringLiteral("Valore limite K")};
    ui::TextBox Text1{QStringLiteral("1000")};
    ui::TextBox Text2{QStringLiteral("3000")};
    ui::TextBox Text3{QStringLiteral("0.5")};
    ui::TextBox Text4{QStringLiteral("1.5")};
    ui::Button CmdApl{QStringLiteral("Applica")};

    // Shows the limits in force, not those of Conf.ini.
    void Form_Load();
    // Stores the four boxes and closes. A box that does not hold a number is
    // named in a message and nothing is stored, so the operator can correct it.
    void CmdApl_Click();
    // The close box discards the edits.
    bool Form_QueryUnload();

  private:
    std::optional<double> boxNumber(const ui::TextBox& box, const ui::Label& caption, bool singlePrecision);

    Globals& g_;
    ui::Dialogs& dialogs_;
    std::function<void()> enableStart_;
};
