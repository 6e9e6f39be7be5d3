#pragma once

#include "report/PrintoutView.h"
#include "report/PrtKAPROCERT.h"
#include "report/PrtKAPRODIAGN.h"

struct Globals;
namespace ui {
class Dialogs;
}

// The gas certificate as the paper form lays it out.
class PrtKAPROCERTView : public PrintoutView {
  public:
    PrtKAPROCERTView(PrtKAPROCERT& form, QWidget* parent = nullptr);
};

// The gas diagnosis sheet as the paper form lays it out.
class PrtKAPRODIAGNView : public PrintoutView {
  public:
    PrtKAPRODIAGNView(PrtKAPRODIAGN& form, QWidget* parent = nullptr);
};

// The gas window's print button: the certificate from g.report.GasCertificate
// or the diagnosis sheet from g.report.GasDiagnosis, modal over `parent`;
// they return when the operator has closed the sheet. Neither writes
// report.log: the certificate's caller does that first with WriteGasReport.
void showGasCertificateSheet(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
void showGasDiagnosisSheet(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
