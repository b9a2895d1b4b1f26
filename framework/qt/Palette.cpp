#include "framework/qt/Palette.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

namespace fw::detail {

void lookAlikeActiveOrNot() {
    QPalette palette = QApplication::palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = QPalette::ColorRole(role);
        const QBrush active = palette.brush(QPalette::Active, r);
        // Every widget compares the two groups at each activation change: one shared brush
        // compares by address, two equal copies field by field. Both groups are set, or the
        // application would take the style's fresh copies for the one left unset; Qt keeps an
        // equal brush it holds rather than take the one given, so a different one goes first.
        palette.setBrush(QPalette::Active, r, active);
        palette.setBrush(QPalette::Inactive, r,
                         QBrush(active.style() == Qt::NoBrush ? Qt::SolidPattern : Qt::NoBrush));
        palette.setBrush(QPalette::Inactive, r, active);
    }
    QApplication::setPalette(palette);
}

} // namespace fw::detail
