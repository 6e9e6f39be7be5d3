#pragma once

#include "ui/Controls.h"

#include <QString>

struct Globals;
namespace ui {
class Dialogs;
class WindowPrinter;
} // namespace ui

// A caption and its value field on a printed sheet. Values are filled from
// outside; the sheet never computes them.
struct SheetField {
    explicit SheetField(const QString& caption = QString(), const QString& value = QString())
        : Caption(caption), Value(value) {}
    ui::Label Caption;
    ui::Label Value;
};

// What every printed sheet shares: the copies field with its label, the print
// button Command2 and the close button Command1. Printing puts the sheet's own
// image on paper once per copy, without those four controls.
class Printout {
  public:
    // More copies than this is taken for a typing slip, not a print run.
    static constexpr int MaxCopies = 99;

    Printout(Globals& g, ui::Dialogs& dialogs, const QString& windowCaption);
    virtual ~Printout() = default;
    Printout(const Printout&) = delete;
    Printout& operator=(const Printout&) = delete;

    ui::Window Me;
    ui::Label CopiesLabel{QString::fromUtf8("N° Copie")};
    ui::TextBox CopiesBox{QStringLiteral("1")};
    ui::Button Command1{QStringLiteral("ESC")};
    ui::Button Command2{QStringLiteral("Stampa")};

    // Every sheet has an engine section led by the oil temperature, and closes
    // with the date, the agency and a signature.
    ui::Frame EngineFrame{QStringLiteral("PARAMETRI MOTORE")};
    SheetField OilTemperature{QString::fromUtf8("Temp. olio motore (°C)")};
    SheetField Date{QStringLiteral("data")};
    SheetField AgencyName{QStringLiteral("nome ente")};
    SheetField Signature{QStringLiteral("firma")};

    // The view's printer; without one the print button does nothing.
    void setPrinter(ui::WindowPrinter* printer) { printer_ = printer; }

    // Closes the sheet.
    void Command1_Click();
    // Prints as many copies as the copies field says. A text that is not a
    // whole number from 0 to MaxCopies is refused with a message and nothing
    // is printed; 0 or less prints nothing.
    void Command2_Click();

  protected:
    // The chosen language's texts for the controls every sheet has.
    void applySharedCaptions();
    // The copies text the print run follows.
    virtual QString copiesText() const { return CopiesBox.text(); }

    Globals& g_;
    ui::Dialogs& dialogs_;

  private:
    void showPrintControls(bool shown);

    ui::WindowPrinter* printer_ = nullptr;
};

// A sheet that reports a test: it closes with the verdict, the test's start
// and end and the technical manager.
class TestPrintout : public Printout {
  public:
    using Printout::Printout;

    ui::Frame ResultFrame{QStringLiteral("ESITO DELLA PROVA")};
    ui::Label Result;
    SheetField StartTime{QStringLiteral("inizio misura")};
    SheetField EndTime{QStringLiteral("fine misura")};
    SheetField TechnicalManager{QStringLiteral("responsabile tecnico")};

  protected:
    // The shared captions and those of the closing section.
    void applyTestCaptions();
};
