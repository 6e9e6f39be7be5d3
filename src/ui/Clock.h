#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace ui {

// The station's date and time. Tests fix it; the program reads the system clock.
class Clock {
public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    static QTime time() { return now().time(); }
    // Fix the clock at a moment (tests); an invalid QDateTime returns to the system clock.
    static void set(const QDateTime& moment);
    static void reset() { set(QDateTime()); }
    static void advance(qint64 ms);
};

// Date and time as the station shows and stores them.
QString formatDate(const QDate& date);   // dd/MM/yyyy
QString formatTime(const QTime& time);   // HH:mm:ss

} // namespace ui
