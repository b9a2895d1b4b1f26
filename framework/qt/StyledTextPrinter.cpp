// StyledTextPrinter over one QTextLayout per paragraph, laid out against the job's printer as the
// blocks reach it: a long text never holds more than one paragraph's layout at a time.
#include "framework/StyledTextPrinter.h"

#include <QPointer>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "framework/qt/PrintJob.h"

namespace fw::detail {

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

// The paragraph's alignment as the text area shows it: its own or the area's, and a right-to-left
// paragraph's "left" is its reading start, on the right.
Qt::Alignment shownAlignment(const QTextDocument& document, const QTextBlock& block) {
    Qt::Alignment align = document.defaultTextOption().alignment();
    if (block.blockFormat().hasProperty(QTextFormat::BlockAlignment))
        align = block.blockFormat().alignment();
    return QStyle::visualAlignment(block.textDirection(), align) | Qt::AlignAbsolute;
}

class TextLines {
  public:
    TextLines(const QTextDocument& document, QPaintDevice* device, double lineWidth)
        : document_(&document), device_(device), lineWidth_(lineWidth) {
        // An emptied text has nothing to print, not one empty line.
        if (document.isEmpty())
            document_ = nullptr;
    }

    // The next line to draw, laying out the next paragraph when this one's are drawn; nullptr at
    // the end. The text area's document is read as it stands when its paragraph comes, and a text
    // area gone meanwhile ends the text.
    const QTextLine* next() {
        while (!(paragraph_ && line_ < paragraph_->lineCount())) {
            paragraph_.reset();
            if (!document_ || block_ >= document_->blockCount())
                return nullptr;
            layOut(document_->findBlockByNumber(block_++));
            line_ = 0;
        }
        current_ = paragraph_->lineAt(line_);
        return &current_;
    }
    void drawn() { ++line_; }
    bool atEnd() const {
        return !(paragraph_ && line_ < paragraph_->lineCount()) &&
               (!document_ || block_ >= document_->blockCount());
    }

  private:
    void layOut(const QTextBlock& block) {
        paragraph_ = std::make_unique<QTextLayout>(block.text(), inPoints(document_->defaultFont()), device_);
        paragraph_->setFormats(inPoints(block.textFormats()));
        QTextOption option(shownAlignment(*document_, block));
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTextDirection(block.textDirection());
        paragraph_->setTextOption(option);
        paragraph_->beginLayout();
        double top = 0;
        for (QTextLine line = paragraph_->createLine(); line.isValid(); line = paragraph_->createLine()) {
            line.setLineWidth(lineWidth_);
            line.setPosition(QPointF(0, top));
            top += line.height();
        }
        paragraph_->endLayout();
    }

    QPointer<const QTextDocument> document_;
    QPaintDevice* device_;
    double lineWidth_;
    int block_ = 0; // the next paragraph to lay out
    std::unique_ptr<QTextLayout> paragraph_;
    int line_ = 0; // its next line to draw
    QTextLine current_;
};

Ref<StyledTextPrinter> styledTextPrinter(const Ref<Graphics>& graphics, const QTextDocument& document,
                                         double width) {
    return make<StyledTextPrinter>(graphics, std::make_unique<TextLines>(document, graphics->job().device(),
                                                                         width * graphics->job().scale()));
}

} // namespace fw::detail

namespace fw {

ClassRecord StyledTextPrinter::describe() {
    return {.name = "StyledTextPrinter", .super = &Object::Class()};
}

StyledTextPrinter::StyledTextPrinter(Ref<Graphics> graphics, std::unique_ptr<detail::TextLines> lines)
    : graphics_(std::move(graphics)), lines_(std::move(lines)) {}

StyledTextPrinter::~StyledTextPrinter() = default;

void StyledTextPrinter::DrawBlock(double x, double y, double height) {
    detail::PrintJob& job = graphics_->job();
    const QPointF origin = job.toDevice(x, y);
    const double room = height * job.scale();
    double used = 0;
    for (bool first = true;; first = false) {
        const QTextLine* line = lines_->next();
        // At least one line per block, or a line taller than the block would never be printed and
        // the caller's loop would never end.
        if (!line || (!first && used + line->height() > room))
            break;
        line->draw(&job.painter(), origin + QPointF(0, used - line->y()));
        used += line->height();
        lines_->drawn();
    }
}

bool StyledTextPrinter::Eof() const {
    return lines_->atEnd();
}

} // namespace fw
