// Printing the help text: the text of the Help window's text area in blocks on fixed pages, each
// with a footer of its page number and the time the command began.
#include "help/HelpPrinting.h"

#include "framework/Date.h"
#include "framework/Printing.h"
#include "framework/Runtime.h"
#include "framework/StyledTextPrinter.h"
#include "help/Help.h"

namespace ambrel {

namespace {

// The fixed page area, in points; the text block and the footer line derive from it.
constexpr int32_t kPageWidth = 540;
constexpr int32_t kPageHeight = 720;
constexpr int32_t kBlockLeft = 36, kBlockTop = 36;
constexpr int32_t kFooterLine = 720, kPageNumberLeft = 40, kStampLeft = 100;

void setTextFace(fw::Graphics& g) {
    g.setTextFont("Courier");
    g.setBold(true);
}

void drawFooter(fw::Graphics& g, int32_t pageNumber, const fw::String& stamp) {
    g.setTextFont("Arial");
    g.setBold(false);
    g.DrawString("page " + fw::Str(pageNumber), kPageNumberLeft, kFooterLine, 0, false);
    g.DrawString(stamp, kStampLeft, kFooterLine, 0, false);
}

} // namespace

bool printHelp() {
    // Taken before the dialog: the pages carry the time the command was chosen.
    fw::Ref<fw::Date> now = fw::make<fw::Date>();
    const fw::String stamp = now->ShortTime() + ", " + now->ShortDate();
    int32_t pageNumber = 1;
    // How a job that cannot be finished is reported; the procedure itself reports nothing.
    fw::setPrintFailureText("The help text could not be printed.");

    fw::Ref<fw::Graphics> g = fw::OpenPrinterDialog(nullptr, nullptr);
    if (g) {
        g->setTextFont("Courier");
        g->setTextSize(10.0f);
        g->setForeColor(fw::RGB(0, 0, 0));
        g->setBold(true);
        const int32_t pageWidth = kPageWidth, pageHeight = kPageHeight;

        fw::Ref<fw::StyledTextPrinter> text = ::Help()->TextArea1()->styledTextPrinter(g, pageWidth - 48);
        while (!text->Eof()) {
            text->DrawBlock(kBlockLeft, kBlockTop, pageHeight - 48);
            if (!text->Eof()) {
                drawFooter(*g, pageNumber, stamp);
                setTextFace(*g);
                ++pageNumber;
                g->NextPage();
            }
            fw::RuntimeBackgroundTask();
        }
        drawFooter(*g, pageNumber, stamp);
    }
    // In every case, also after a cancel: a Help window that was not open is made and closed here.
    ::Help()->Close();
    return true;
}

} // namespace ambrel
