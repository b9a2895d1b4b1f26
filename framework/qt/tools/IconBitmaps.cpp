// Draws an SVG document into the bitmaps of a window icon, at the sizes desktops ask for, and writes
// them as C++ source for fw::setApplicationIcon: the build runs it, so that the program draws
// nothing, and loads no SVG renderer, at start-up.
//   IconBitmaps <document.svg> <output.cpp> <namespace> <name> <header to include>
// Drawn at each size rather than scaled from one bitmap, so that the small ones stay sharp.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128};
}

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s <document.svg> <output.cpp> <namespace> <name> <header>\n", argv[0]);
        return 2;
    }
    // Drawing needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: %s is no SVG document that can be drawn\n", argv[0], argv[1]);
        return 1;
    }
    QByteArray source = "// Drawn from " + QByteArray(argv[1]).split('/').last() +
                        " by the build (framework/qt/tools/IconBitmaps.cpp).\n#include \"" + argv[5] +
                        "\"\n\nnamespace " + argv[3] + " {\n\nnamespace {\n";
    QByteArray table;
    for (int size : kSizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        source += "constexpr uint32_t kPixels" + QByteArray::number(size) + "[] = {";
        for (int y = 0; y < size; ++y) {
            source += "\n   ";
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < size; ++x)
                source += " 0x" + QByteArray::number(row[x], 16).rightJustified(8, '0') + ",";
        }
        source += "\n};\n";
        const QByteArray n = QByteArray::number(size);
        table += "    {" + n + ", " + n + ", kPixels" + n + "},\n";
    }
    source += "constexpr fw::IconBitmap kSizes[] = {\n" + table +
              "};\n} // namespace\n\nconst std::span<const fw::IconBitmap> " + argv[4] +
              " = kSizes;\n\n} // namespace " + argv[3] + "\n";
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(source) != source.size()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
