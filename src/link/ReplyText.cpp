#include "link/ReplyText.h"

#include "settings/Win1252.h"

#include <cmath>
#include <limits>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

QString InstrumentText(const QByteArray& bytes) {
    QByteArray clean = bytes;
    for (char& c : clean) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127)
            c = ' ';
    }
    return settings::fromWin1252(clean);
}

std::optional<double> ReadLeadingNumber(const QByteArray& bytes) {
    qsizetype pos = 0;
    while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\t'))
        ++pos;
    const qsizetype start = pos;
    if (pos < bytes.size() && (bytes[pos] == '+' || bytes[pos] == '-'))
        ++pos;
    qsizetype digits = 0;
    while (pos < bytes.size() && isDigit(bytes[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < bytes.size() && bytes[pos] == '.') {
        ++pos;
        while (pos < bytes.size() && isDigit(bytes[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double value = bytes.mid(start, pos - start).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

double LeadingNumber(const QByteArray& bytes) {
    return ReadLeadingNumber(bytes).value_or(0.0);
}

std::optional<int> LeadingWholeNumber(const QByteArray& bytes) {
    const double whole = std::trunc(LeadingNumber(bytes));
    if (whole < static_cast<double>(std::numeric_limits<int>::min()) ||
        whole > static_cast<double>(std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(whole);
}
