#pragma once

#include "ui/Controls.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

struct Globals;

// Every instrument of a test station has a date by which its periodic
// verification runs out. These rules turn what the instrument and Conf.ini
// say into that date, and the date into a warning or a refusal.

// What a date an instrument reports means: MCTC-NET instruments give the
// expiry itself, the maker's protocol the date of the last calibration.
enum class DateMeaning { Expiry, Calibration };

enum class ExpiryStatus { Unknown, Current, DueSoon, Expired };

enum class VerifiedInstrument { GasAnalyser, Opacimeter, RevCounter };

// A date as instruments and Conf.ini write it: day/month/year, the year in
// four digits or in two (taken as 20yy). Nothing for anything else.
std::optional<QDate> ParseInstrumentDate(const QString& text);

// The expiry: the instrument's own date when it gave a readable one (a
// calibration date plus the validity months), otherwise the expiry kept in Conf.ini.
std::optional<QDate> VerificationExpiry(const QString& instrumentDate, DateMeaning meaning,
                                        const QString& configuredExpiry, int validityMonths);

// Expired once the date is past; due soon from warningDays before it up to the
// day itself. An unknown date is neither.
ExpiryStatus ClassifyExpiry(const std::optional<QDate>& expiry, const QDate& today, int warningDays);

struct InstrumentVerification {
    VerifiedInstrument instrument = VerifiedInstrument::GasAnalyser;
    std::optional<QDate> expiry;
    ExpiryStatus status = ExpiryStatus::Unknown;
};

// One instrument checked against today's date and the System Set-Up rules;
// the Conf.ini expiry is read for it here.
InstrumentVerification CheckVerification(const Globals& g, VerifiedInstrument instrument, const QString& instrumentDate,
                                         DateMeaning meaning, const QDate& today);

// The warning line of one instrument: red when expired, amber when due soon,
// hidden otherwise.
void ShowVerificationLine(ui::Label& line, const Globals& g, const InstrumentVerification& verification);

// The verification lines of a measuring window (its instrument, and the rev
// counter when that supplies speed or oil temperature) and the rule for a
// test's Start. Diagnosis and continuous reading never ask it.
class VerificationWatch {
  public:
    explicit VerificationWatch(VerifiedInstrument instrument);

    ui::Label InstrumentLine;
    ui::Label RevCounterLine;

    // At window load: the instrument has said nothing yet.
    void forget() { instrumentDate_.clear(); }
    // The instrument reported its date over the line.
    void instrumentReported(const QString& date, DateMeaning meaning);
    // Reads the rules and Conf.ini again and shows both lines.
    void check(Globals& g);

    enum class Start { Allowed, AllowedByOverride, Refused };
    // A test's Start: checks again; an expired instrument refuses it unless
    // System Set-Up allows tests on expired instruments.
    Start testStart(Globals& g);
    // Why the last refusal: each expired instrument with its date.
    QString refusalText(const Globals& g) const;

  private:
    VerifiedInstrument instrument_;
    QString instrumentDate_;
    DateMeaning meaning_ = DateMeaning::Expiry;
    std::vector<InstrumentVerification> checked_;
};
