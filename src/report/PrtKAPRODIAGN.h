#pragma once

#include "report/Printout.h"
#include "report/SheetSections.h"

// The gas diagnosis sheet: one set of readings without limits or verdict, as
// the gas window left them in g.report.GasDiagnosis. It writes no report.
class PrtKAPRODIAGN : public Printout {
  public:
    PrtKAPRODIAGN(Globals& g, ui::Dialogs& dialogs);

    ui::Label Title{QStringLiteral("MISURA ANALISI GAS")};
    InstrumentSection Analyser{QStringLiteral("DATI ANALIZZATORE"), QStringLiteral("scadenza controllo analizzatore")};
    RevCounterSection RevCounter;
    VehicleSection Vehicle{VehicleSection::Sheet::Gas};

    SheetField EngineSpeed{QStringLiteral("Giri motore (giri/min)")};

    EmissionReadings Emissions{QStringLiteral("EMISSIONI")};
    SheetField NOx{QStringLiteral("NOx(ppm)")};

    ui::Frame SignatureFrame;
    SheetField Time{QStringLiteral("ora")};
    SheetField OperatorName{QStringLiteral("operatore")};

    // Captions first, then the diagnosis values.
    void Form_Load();

  private:
    void applyCaptions();
    void fill();
};
