#include "framework/Date.h"

#include <QDateTime>
#include <QLocale>

#include "framework/PropertyTable.h"
#include "framework/qt/Convert.h"

namespace fw {

ClassRecord Date::describe() {
    return detail::classOf<Date>("Date", Object::Class());
}

Date::Date() : msecs_(QDateTime::currentMSecsSinceEpoch()) {}

String Date::ShortTime() const {
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(msecs_);
    return detail::fromQt(QLocale::system().toString(moment.time(), QLocale::ShortFormat));
}

String Date::ShortDate() const {
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(msecs_);
    return detail::fromQt(QLocale::system().toString(moment.date(), QLocale::ShortFormat));
}

} // namespace fw
