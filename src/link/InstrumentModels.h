#pragma once

#include <QString>

#include <optional>
#include <span>

// The instrument models the set-up windows offer. The list row is the model
// index stored in Conf.ini; the model decides the link mode and, for the maker's
// binary frames, the instrument's address.
struct InstrumentModelRow {
    QString listText;      // as the model list shows it
    QString identityModel; // the model name an "ID" reply carries
    int linkMode;          // 1 maker binary frames, 2 MCTC-NET
    int binaryAddress;     // 0: none, the model speaks MCTC-NET
};

std::span<const InstrumentModelRow> GasModelRows();
std::span<const InstrumentModelRow> OpacimeterModelRows();

// The gas analyser row of an identified model: the first 12 characters decide,
// and any model the list does not know is taken as the MCTC-NET one (row 3).
int GasRowOfModel(const QString& model);
// The opacimeter row of an identified model, compared whole; nullopt for a
// model the list does not know.
std::optional<int> OpacimeterRowOfModel(const QString& model);

// The text without its trailing blanks (leading ones stay).
QString RightTrimmed(const QString& text);
