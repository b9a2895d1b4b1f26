#include "framework/qt/Style.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace fw::detail {

namespace {

// The Fusion style reads the arrows of a menu bar's extension button (the » of a narrow bar, as the
// panel's) from its image files without naming their format: the toolkit then loads every
// image-format plug-in, and the SVG module with one of them, to ask each whether it reads them.
// Read as the PNG files they are, they are the same arrows.
class ProgramStyle final : public QProxyStyle {
  public:
    explicit ProgramStyle(QStyle* base) : QProxyStyle(base) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        // Another style may draw other arrows; Fusion's are these files whatever the icon theme.
        if (which != SP_ToolBarHorizontalExtensionButton ||
            baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
            return QProxyStyle::standardIcon(which, option, widget);
        const bool rtl = option ? option->direction == Qt::RightToLeft : QApplication::isRightToLeft();
        const QString stem = QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-") +
                             (rtl ? QStringLiteral("rtl-") : QString());
        QIcon icon;
        for (const char* size : {"8", "16", "32"}) {
            // Told the format and kept from guessing it, the reader asks no plug-in.
            QImageReader file(stem + QLatin1String(size) + QStringLiteral(".png"), "png");
            file.setAutoDetectImageFormat(false);
            icon.addPixmap(QPixmap::fromImage(file.read()));
        }
        return icon;
    }
};

} // namespace

void useProgramStyle() {
    // The style chosen by the toolkit, or by the user through QT_STYLE_OVERRIDE, underneath.
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    if (base)
        QApplication::setStyle(new ProgramStyle(base));
}

} // namespace fw::detail
