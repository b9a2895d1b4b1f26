#include "framework/Date.h"

#include <QDateTime>
#include <QLocale>

#include "framework/PropertyTable.h"
#include "framework/qt/Convert.h"

namespace fw {

const ClassRecord& Date::Class() {
    static const ClassRecord& record = registerClass(detail::classOf<Date>("Date", Object::Class()));
    return record;
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
