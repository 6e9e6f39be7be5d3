#include "ui/Clock.h"

namespace ui {

namespace {
QDateTime& fixedMoment() {
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime Clock::now() {
    const QDateTime& fixed = fixedMoment();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

void Clock::set(const QDateTime& moment) { fixedMoment() = moment; }

void Clock::advance(qint64 ms) {
    if (fixedMoment().isValid())
        fixedMoment() = fixedMoment().addMSecs(ms);
}

QString formatDate(const QDate& date) { return date.toString(QStringLiteral("dd/MM/yyyy")); }

QString formatTime(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }

} // namespace ui
