// Conversions between the framework's types and Qt's, in one place.
#pragma once

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "framework/RectControl.h"
#include "framework/Screens.h"
#include "framework/String.h"
#include "framework/TextCase.h"
#include "framework/Value.h"

namespace fw::detail {

inline QString toQt(const String& text) {
    return QString::fromUtf8(text.bytes().data(), static_cast<qsizetype>(text.byteLength()));
}

// The framework's texts end their lines with CR; Qt's widgets break lines at LF only.
inline QString linesToQt(const String& text) {
    QString lines = toQt(text);
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

// A control's caption is no mnemonic: its "&" shows as it is, and Alt with the letter after it
// presses nothing.
inline QString captionToQt(const String& caption) {
    return toQt(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

inline String fromQt(const QString& text) {
    return String(text.toStdString());
}

inline QPoint toQt(ScreenPoint point) {
    return QPoint(point.x, point.y);
}

inline ScreenPoint fromQt(QPoint point) {
    return {point.x(), point.y()};
}

inline QColor toQt(Color color) {
    return QColor(color.red, color.green, color.blue);
}

// Shortcut texts name the keys the Mac way ("Cmd+P"); the command key is Ctrl here.
inline QKeySequence shortcutToQt(const String& shortcut) {
    struct KeyName {
        const char* framework;
        const char* qt;
    };
    static constexpr KeyName kModifiers[] = {
        {"cmd", "Ctrl"}, {"command", "Ctrl"}, {"option", "Alt"}, {"shift", "Shift"}};
    QStringList keys = toQt(shortcut).split(QLatin1Char('+'));
    for (QString& key : keys)
        for (const KeyName& m : kModifiers)
            if (equalsIgnoringCase(key.trimmed().toStdString(), m.framework))
                key = QString::fromLatin1(m.qt);
    return QKeySequence(keys.join(QLatin1Char('+')), QKeySequence::PortableText);
}

// The application's default font in the family asked for; "System" is the default family.
inline QFont fontOfFamily(const String& family) {
    QFont font = QApplication::font();
    if (!(family == String("System")) && !family.empty())
        font.setFamily(toQt(family));
    return font;
}

// The font a text control asks for.
inline QFont fontOf(const TextControl& control) {
    QFont font = fontOfFamily(control.TextFont());
    if (control.TextSize() > 0) {
        switch (control.TextUnit()) {
        case FontUnits::Pixel:
            font.setPixelSize(static_cast<int>(control.TextSize() + 0.5f));
            break;
        case FontUnits::Inch:
            font.setPointSizeF(control.TextSize() * 72.0);
            break;
        case FontUnits::Millimeter:
            font.setPointSizeF(control.TextSize() * 72.0 / 25.4);
            break;
        case FontUnits::Default:
            // Layouts are drawn in screen pixels: their sizes were points on a 72-dot screen,
            // where a point is a pixel. In points here a 12 would not fit its frame.
            font.setPixelSize(static_cast<int>(control.TextSize() + 0.5f));
            break;
        case FontUnits::Point:
            font.setPointSizeF(control.TextSize());
            break;
        }
    }
    font.setBold(control.Bold());
    font.setItalic(control.Italic());
    font.setUnderline(control.Underline());
    return font;
}

} // namespace fw::detail
