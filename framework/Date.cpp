#include "framework/Date.h"

#include "framework/PropertyTable.h"
#include "framework/qt/LocalTime.h"

namespace fw {

ClassRecord Date::describe() {
    return detail::classOf<Date>("Date", Object::Class());
}

Date::Date() : msecs_(detail::nowMSecsSinceEpoch()) {}

String Date::ShortTime() const {
    return detail::shortLocalTime(msecs_);
}

String Date::ShortDate() const {
    return detail::shortLocalDate(msecs_);
}

} // namespace fw
