// Local time through QTime/QDate: milliseconds since the start of the day
// give the seconds since midnight (millisecond resolution).
#include "services/system_clock.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace tw::services {

double SystemClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

std::string SystemClock::dateText() const {
    return QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy")).toStdString();
}

std::string SystemClock::timeText() const {
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString();
}

DateTimeText SystemClock::dateTimeText() const {
    const QDateTime now = QDateTime::currentDateTime();
    return { now.date().toString(QStringLiteral("MM-dd-yyyy")).toStdString(),
        now.time().toString(QStringLiteral("HH:mm:ss")).toStdString() };
}

} // namespace tw::services
