#include "framework/qt/LocalTime.h"

#include <QDateTime>
#include <QLocale>

#include "framework/qt/Convert.h"

namespace fw::detail {

int64_t nowMSecsSinceEpoch() {
    return QDateTime::currentMSecsSinceEpoch();
}

String shortLocalTime(int64_t msecsSinceEpoch) {
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);
    return fromQt(QLocale::system().toString(moment.time(), QLocale::ShortFormat));
}

String shortLocalDate(int64_t msecsSinceEpoch) {
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);
    return fromQt(QLocale::system().toString(moment.date(), QLocale::ShortFormat));
}

} // namespace fw::detail
