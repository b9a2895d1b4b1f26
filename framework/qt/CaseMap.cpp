#include "framework/qt/CaseMap.h"

#include <QChar>

namespace fw::detail {

char32_t caseFolded(char32_t c) {
    return QChar::toCaseFolded(c);
}

char32_t lowerCased(char32_t c) {
    return QChar::toLower(c);
}

} // namespace fw::detail
