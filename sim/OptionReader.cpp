#include "sim/OptionReader.h"

#include <utility>

namespace sim {

std::optional<QString> OptionReader::next() {
    if (failed() || index_ >= args_.size())
        return std::nullopt;
    const QString arg = args_[index_++];
    inlineValue_.reset();
    if (!arg.startsWith(QLatin1String("--"))) {
        fail(QStringLiteral("unexpected argument \"%1\"").arg(arg));
        return std::nullopt;
    }
    const qsizetype equals = arg.indexOf('=');
    name_ = equals < 0 ? arg : arg.left(equals);
    if (equals >= 0)
        inlineValue_ = arg.mid(equals + 1);
    return name_;
}

std::optional<QString> OptionReader::value() {
    if (inlineValue_)
        return std::exchange(inlineValue_, std::nullopt);
    if (index_ < args_.size() && !args_[index_].startsWith(QLatin1String("--")))
        return args_[index_++];
    fail(QStringLiteral("%1 needs a value").arg(name_));
    return std::nullopt;
}

bool OptionReader::flag() {
    if (!inlineValue_)
        return true;
    fail(QStringLiteral("%1 takes no value").arg(name_));
    return false;
}

std::optional<int> OptionReader::integer(int low, int high) {
    const std::optional<QString> text = value();
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int number = text->toInt(&ok);
    if (!ok || number < low || number > high) {
        fail(QStringLiteral("%1 wants a whole number from %2 to %3, not \"%4\"")
                 .arg(name_)
                 .arg(low)
                 .arg(high)
                 .arg(*text));
        return std::nullopt;
    }
    return number;
}

std::optional<QString> OptionReader::choice(std::initializer_list<const char*> allowed) {
    const std::optional<QString> text = value();
    if (!text)
        return std::nullopt;
    QStringList names;
    for (const char* name : allowed) {
        if (*text == QLatin1String(name))
            return text;
        names.append(QLatin1String(name));
    }
    const QString last = names.isEmpty() ? QString() : names.takeLast();
    const QString wanted = names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
    fail(QStringLiteral("%1 wants %2, not \"%3\"").arg(name_, wanted, *text));
    return std::nullopt;
}

bool OptionReader::finish(const QString& linkPath, bool help, QString* error) {
    if (!failed() && !help && linkPath.isEmpty())
        fail(QStringLiteral("--link PATH is required"));
    if (failed() && error)
        *error = error_;
    return !failed();
}

} // namespace sim
