// Graphics over a QPainter on the job's printer. The painter works in device pixels; fonts are
// sized in points against the printer, so only positions are converted.
#include "framework/Graphics.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include "framework/qt/Convert.h"
#include "framework/qt/PrintJob.h"

namespace fw {

ClassRecord Graphics::describe() {
    return {.name = "Graphics", .super = &Object::Class()};
}

Graphics::Graphics(std::unique_ptr<detail::PrintJob> job) : job_(std::move(job)) {}

Graphics::~Graphics() = default;

void Graphics::DrawString(const String& text, double x, double y, double wrapWidth, bool condense) {
    QPainter& painter = job_->painter();
    const QFont font(detail::fontOf(*this), job_->device());
    painter.setFont(font);
    painter.setPen(detail::toQt(foreColor_));
    const QString shown = detail::toQt(text);
    const double width = wrapWidth * job_->scale();
    if (wrapWidth <= 0) {
        painter.drawText(job_->toDevice(x, y), shown);
        return;
    }
    if (condense) {
        painter.drawText(job_->toDevice(x, y),
                         QFontMetricsF(font, job_->device()).elidedText(shown, Qt::ElideRight, width));
        return;
    }
    QTextLayout layout(shown, font, job_->device());
    layout.beginLayout();
    double top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, top));
        top += line.height();
    }
    layout.endLayout();
    // The first line's baseline sits at y.
    const double ascent = layout.lineCount() > 0 ? layout.lineAt(0).ascent() : 0;
    layout.draw(&painter, job_->toDevice(x, y) - QPointF(0, ascent));
}

void Graphics::NextPage() {
    job_->printer().newPage();
}

} // namespace fw
