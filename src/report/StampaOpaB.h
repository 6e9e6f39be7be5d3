#pragma once

#include "report/Printout.h"
#include "report/SheetSections.h"

#include <array>

// The smoke report: the free-acceleration test as the smoke window concluded
// it. Loading fills every field from the shared data and rewrites report.log.
class StampaOpaB : public TestPrintout {
  public:
    static constexpr int RowCount = 8;

    StampaOpaB(Globals& g, ui::Dialogs& dialogs);

    ui::Label Title{QStringLiteral("REFERTO OPACIMETRO")};
    InstrumentSection Opacimeter{QStringLiteral("DATI OPACIMETRO"), QStringLiteral("scadenza controllo opacimetro")};
    RevCounterSection RevCounter;
    VehicleSection Vehicle{VehicleSection::Sheet::Smoke};
    AmbientSection Ambient;

    SheetField IdleSpeed{QStringLiteral("Giri motore al minimo (giri/min)")};
    SheetField MaxSpeed{QStringLiteral("Giri motore al massimo (giri/min)")};

    ui::Frame LimitsFrame{QStringLiteral("LIMITI")};
    SheetField RpmMin{QStringLiteral("RPMmin")};
    SheetField RpmMax{QStringLiteral("RPMmax")};
    SheetField OpacityThreshold{QString::fromUtf8("Soglia Opacità (K)")};
    SheetField OpacityLimitK{QStringLiteral("Valore Limite K (K)")};

    // One column per acceleration: its peak k and its peak speed.
    ui::Frame ValuesFrame{QString::fromUtf8("Valori Opacità")};
    ui::Label PeakCaption{QStringLiteral("K (m-1)")};
    ui::Label SpeedCaption{QStringLiteral("giri/min")};
    std::array<ui::Label, RowCount> Peak;
    std::array<ui::Label, RowCount> Speed;

    ui::Frame MeanFrame{QStringLiteral("MEDIA DEI VALORI")};
    SheetField AcceptedSet{QStringLiteral("Prove")};
    SheetField MeanK{QStringLiteral("K (m-1)")};
    SheetField MeanOpacity{QString::fromUtf8("Opacità")};
    ui::Label Unit{QStringLiteral("%")};

    // Captions, then the values, then report.log; a report that cannot be
    // written is reported and the sheet opens all the same.
    void Form_Load();
    // A kept test shown again: the same fields with the test's own date, and
    // report.log left as it is.
    void Form_LoadArchived(const QString& date);

  protected:
    QString copiesText() const override;

  private:
    void applyCaptions();
    void fill();
};

// The background of an acceleration field by the status code the verdict
// left: 0 and 4 yellow, 1 green, 2 red, 3 orange; nullopt keeps the field's colour.
std::optional<ui::Colour> AccelerationStatusColour(int statusCode);
