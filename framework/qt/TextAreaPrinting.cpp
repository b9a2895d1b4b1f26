// TextArea.styledTextPrinter: the text area's own document, laid out for the print job.
#include "framework/TextArea.h"
#include "framework/qt/PrintJob.h"
#include "framework/qt/TextAreaBridge.h"

namespace fw {

Ref<StyledTextPrinter> TextArea::styledTextPrinter(const Ref<Graphics>& graphics, int32_t width) const {
    const QTextDocument* document = detail::documentOf(*this);
    if (!document || !graphics)
        throw NilObjectException();
    return detail::styledTextPrinter(graphics, *document, width);
}

} // namespace fw
