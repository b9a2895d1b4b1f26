#include "framework/qt/Palette.h"

#include <QApplication>
#include <QPalette>

namespace fw::detail {

void lookAlikeActiveOrNot() {
    QPalette palette = QApplication::palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = QPalette::ColorRole(role);
        palette.setBrush(QPalette::Inactive, r, palette.brush(QPalette::Active, r));
    }
    QApplication::setPalette(palette);
}

} // namespace fw::detail
