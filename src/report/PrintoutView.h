#pragma once

#include "report/Printout.h"
#include "report/SheetSections.h"
#include "ui/FormDialog.h"
#include "ui/Printing.h"

#include <initializer_list>
#include <vector>

class QBoxLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;

// The view every printed sheet shares: white paper with a title, framed
// sections of captions and boxed values, and the print bar (copies, print,
// close) at the foot. The sheet prints its own image through a QtWindowPrinter.
class PrintoutView : public ui::FormDialog {
  public:
    PrintoutView(Printout& form, QWidget* parent);

    ui::QtWindowPrinter& printer() { return printer_; }

  protected:
    void showEvent(QShowEvent* event) override;

    struct Field {
        SheetField& field;
        QString name;
    };

    void addTitle(ui::Label& title);
    // A framed section; its fields go in with addFields.
    QGroupBox* newSection(ui::Frame& frame, const QString& name);
    // Caption and value pairs, `pairsPerLine` of them side by side.
    void addFields(QGroupBox* section, std::initializer_list<Field> fields, int pairsPerLine);
    // A box for a value, bound to its state.
    QLabel* newValue(ui::Label& state, const QString& name, QWidget* parent);
    // A section across the page, or one on the left beside others stacked on the right.
    void addRow(QGroupBox* section);
    void addRow(QGroupBox* left, std::initializer_list<QGroupBox*> right);
    // The verdict across the whole section, in large letters.
    void addVerdict(QGroupBox* section, ui::Label& verdict);
    // The signature line of a sheet.
    void addSignature(QGroupBox* section, SheetField& signature);
    // The closing section of a test's sheet: verdict, times, manager, agency, signature.
    void addOutcome(TestPrintout& form);
    // The sections several sheets share, one field a line.
    QGroupBox* instrumentSection(InstrumentSection& section, const QString& prefix);
    QGroupBox* revCounterSection(RevCounterSection& section);
    QGroupBox* vehicleSection(VehicleSection& section, bool withModel);
    QGroupBox* ambientSection(AmbientSection& section);
    // The six readings, three to a line, then `extra` fields.
    QGroupBox* readingsSection(EmissionReadings& readings, const QString& prefix, std::initializer_list<Field> extra);
    // The print bar; call once the sheet is laid out.
    void finish();

  private:
    Printout& form_;
    ui::QtWindowPrinter printer_;
    QVBoxLayout* page_;
    std::vector<QGroupBox*> sections_;
};
