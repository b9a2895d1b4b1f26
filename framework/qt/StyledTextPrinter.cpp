// StyledTextPrinter over one QTextLayout per paragraph, laid out against the job's printer.
#include "framework/StyledTextPrinter.h"

#include <QTextBlock>
#include <QTextLayout>
#include <vector>

#include "framework/qt/PrintJob.h"

namespace fw::detail {

class TextLines {
  public:
    std::vector<std::unique_ptr<QTextLayout>> paragraphs;
    std::vector<QTextLine> lines; // each valid while its paragraph's layout lives
    std::size_t next = 0;
};

// A text area's sizes in screen pixels are a layout's points; on the printer's fine pixels they
// would shrink to nothing.
QFont inPoints(QFont font) {
    if (font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize());
    return font;
}

QList<QTextLayout::FormatRange> inPoints(QList<QTextLayout::FormatRange> formats) {
    for (QTextLayout::FormatRange& range : formats) {
        if (range.format.hasProperty(QTextFormat::FontPixelSize)) {
            range.format.setFontPointSize(range.format.intProperty(QTextFormat::FontPixelSize));
            range.format.clearProperty(QTextFormat::FontPixelSize);
        }
    }
    return formats;
}

Ref<StyledTextPrinter> styledTextPrinter(const Ref<Graphics>& graphics, const QTextDocument& document,
                                         double width) {
    auto text = std::make_unique<TextLines>();
    QPrinter* device = &graphics->job().printer();
    const double lineWidth = width * graphics->job().scale();
    // An emptied text has nothing to print, not one empty line.
    if (!document.isEmpty()) {
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            auto layout =
                std::make_unique<QTextLayout>(block.text(), inPoints(document.defaultFont()), device);
            layout->setFormats(inPoints(block.textFormats()));
            QTextOption option(block.blockFormat().alignment());
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            option.setTextDirection(block.textDirection());
            layout->setTextOption(option);
            layout->beginLayout();
            double top = 0;
            for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
                line.setLineWidth(lineWidth);
                line.setPosition(QPointF(0, top));
                top += line.height();
                text->lines.push_back(line);
            }
            layout->endLayout();
            text->paragraphs.push_back(std::move(layout));
        }
    }
    return make<StyledTextPrinter>(graphics, std::move(text));
}

} // namespace fw::detail

namespace fw {

const ClassRecord& StyledTextPrinter::Class() {
    static const ClassRecord& record =
        registerClass({.name = "StyledTextPrinter", .super = &Object::Class()});
    return record;
}

StyledTextPrinter::StyledTextPrinter(Ref<Graphics> graphics, std::unique_ptr<detail::TextLines> lines)
    : graphics_(std::move(graphics)), lines_(std::move(lines)) {}

StyledTextPrinter::~StyledTextPrinter() = default;

void StyledTextPrinter::DrawBlock(double x, double y, double height) {
    detail::PrintJob& job = graphics_->job();
    const QPointF origin = job.toDevice(x, y);
    const double room = height * job.scale();
    double used = 0;
    const auto& lines = lines_->lines;
    for (bool first = true; lines_->next < lines.size(); first = false) {
        const QTextLine& line = lines[lines_->next];
        // At least one line per block, or a line taller than the block would never be printed and
        // the caller's loop would never end.
        if (!first && used + line.height() > room)
            break;
        line.draw(&job.painter(), origin + QPointF(0, used - line.y()));
        used += line.height();
        ++lines_->next;
    }
}

bool StyledTextPrinter::Eof() const {
    return lines_->next >= lines_->lines.size();
}

} // namespace fw
