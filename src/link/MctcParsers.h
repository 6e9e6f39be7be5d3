#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct LinkState;

// Fills InstrumentIdentity from an "ID" reply: Maker, Model, Homologation,
// SerialNumber, ExpiryDate (DDMMYYYY shown as DD/MM/YYYY), Version and Extra,
// and sets VersionThousandths. Six fields are enough (Extra is then empty);
// with fewer every text becomes a single blank and VersionThousandths stays.
// True when the reply had its fields, so VersionThousandths is this reply's.
bool ParseIdentityReply(LinkState& link, const QByteArray& frame, int commandLength, int numberLength);

// DDMMYYYY as DD/MM/YYYY; missing characters are left out, so "" gives "//".
QString ExpiryDateText(const QString& received);
// A version such as "1.50" times 1000, rounded; 0 when it does not start with a number.
int VersionThousandthsOf(const QString& version);

// Rev counter replies. nullopt when the frame is too short for its data
// field: the caller then keeps its previous values.
struct RevCounterReading {
    double rpm = 0.0;
    double oilTemperature = 0.0;
};
// "VA": the whole data field is the engine speed.
std::optional<double> ParseRevCounterRpm(const QByteArray& frame, int commandLength, int numberLength);
// "TP": the whole data field is the oil temperature.
std::optional<double> ParseRevCounterOilTemp(const QByteArray& frame, int commandLength, int numberLength);
// "VE": field 1 the engine speed, field 2 the oil temperature (0 when absent).
std::optional<RevCounterReading> ParseRevCounterBoth(const QByteArray& frame, int commandLength, int numberLength);
