#include "link/InstrumentModels.h"

#include <array>

namespace {

constexpr int MakerFrames = 1;
constexpr int MctcNet = 2;

// Gas analysers are told apart by their first 12 characters: the rest of the
// name is the variant, which does not change the protocol.
constexpr int GasModelPrefixLength = 12;
constexpr int GasFallbackRow = 3;

const std::array<InstrumentModelRow, 4>& gasRows() {
    static const std::array<InstrumentModelRow, 4> rows = {{
        {QStringLiteral("KAPRO610"), QStringLiteral("KAPROGAS-610"), MakerFrames, 0x31},
        {QStringLiteral("KAPRO620"), QStringLiteral("KAPROGAS-620"), MakerFrames, 0x31},
        {QStringLiteral("KAPRO730"), QStringLiteral("KAPROGAS-730"), MakerFrames, 0x21},
        {QStringLiteral("KAPRO VEGA"), QString(), MctcNet, 0},
    }};
    return rows;
}

const std::array<InstrumentModelRow, 6>& opacimeterRows() {
    static const std::array<InstrumentModelRow, 6> rows = {{
        {QStringLiteral("OPX-410"), QStringLiteral("OPX-410"), MakerFrames, 0x51},
        {QStringLiteral("OPX-520"), QStringLiteral("OPX-520"), MakerFrames, 0x41},
        {QStringLiteral("OPX-520/HD"), QStringLiteral("OPX-520/HD"), MakerFrames, 0x41},
        {QStringLiteral("OPX-520/HDF"), QStringLiteral("OPX-520/HDF"), MakerFrames, 0x41},
        {QStringLiteral("OPX-520/HF"), QStringLiteral("OPX-520/HF"), MakerFrames, 0x41},
        {QStringLiteral("OPX RIGEL"), QStringLiteral("OPX-300"), MctcNet, 0},
    }};
    return rows;
}

} // namespace

std::span<const InstrumentModelRow> GasModelRows() {
    return gasRows();
}

std::span<const InstrumentModelRow> OpacimeterModelRows() {
    return opacimeterRows();
}

int GasRowOfModel(const QString& model) {
    const QString prefix = model.left(GasModelPrefixLength);
    for (int row = 0; row < GasFallbackRow; ++row)
        if (prefix == gasRows()[row].identityModel)
            return row;
    return GasFallbackRow;
}

std::optional<int> OpacimeterRowOfModel(const QString& model) {
    for (int row = 0; row < static_cast<int>(opacimeterRows().size()); ++row)
        if (model == opacimeterRows()[row].identityModel)
            return row;
    return std::nullopt;
}

QString RightTrimmed(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}
