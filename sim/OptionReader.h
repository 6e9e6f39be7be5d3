#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>

namespace sim {

// Walks a simulator's command-line options: "--name value" or "--name=value",
// and bare flags. Every simulator's parser is a loop over next() that asks for
// the values it knows and reports the rest as unknown.
class OptionReader {
  public:
    explicit OptionReader(QStringList args) : args_(std::move(args)) {}

    // The next option's name ("--link"); nullopt at the end.
    std::optional<QString> next();
    // The value of the option just read; nullopt (and error() set) when missing.
    std::optional<QString> value();
    // Checks that the option just read, a bare flag, was given no value.
    bool flag();
    // The value as a whole number within [low, high].
    std::optional<int> integer(int low, int high);
    // The value when it is one of `allowed` (written "a or b" in the error).
    std::optional<QString> choice(std::initializer_list<const char*> allowed);
    // The end of a simulator's parse: every simulator needs its line unless
    // only the help was asked for. False, with the first error, when any.
    bool finish(const QString& linkPath, bool help, QString* error);

    void fail(const QString& reason) {
        if (error_.isEmpty())
            error_ = reason;
    }
    bool failed() const { return !error_.isEmpty(); }
    QString error() const { return error_; }
    QString current() const { return name_; }

  private:
    QStringList args_;
    qsizetype index_ = 0;
    QString name_;
    std::optional<QString> inlineValue_;
    QString error_;
};

// The options every simulator takes, --link PATH, --verbose and --help, into
// the simulator's options; any other name is reported as unknown.
template <typename Options> void readSharedOption(OptionReader& reader, const QString& name, Options& options) {
    if (name == QLatin1String("--link"))
        options.linkPath = reader.value().value_or(QString());
    else if (name == QLatin1String("--verbose"))
        options.verbose = reader.flag();
    else if (name == QLatin1String("--help"))
        options.help = reader.flag();
    else
        reader.fail(QStringLiteral("unknown option %1").arg(name));
}

} // namespace sim
