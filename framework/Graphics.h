// Drawing on a print job's pages.
#pragma once

#include <memory>

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Value.h"

namespace fw {

namespace detail {
class PrintJob; // the toolkit's printer and painter, in framework/qt
}

// The drawing surface of one print job, in points (1/72 inch) from the paper's top left whatever
// its size or the printer's resolution. The job is finished and sent when the last reference goes.
class Graphics : public Registered<Graphics, Object> {
  public:
    static ClassRecord describe();

    explicit Graphics(std::unique_ptr<detail::PrintJob> job);
    ~Graphics() override;

    // "System" is the application's default font.
    String TextFont() const { return textFont_; }
    void setTextFont(const String& family) { textFont_ = family; }
    // In points; 0 is the font's default size.
    float TextSize() const { return textSize_; }
    void setTextSize(float points) { textSize_ = points; }
    bool Bold() const { return bold_; }
    void setBold(bool bold) { bold_ = bold; }
    Color ForeColor() const { return foreColor_; }
    void setForeColor(Color color) { foreColor_ = color; }

    // Draws the text with its first baseline at y. A wrap width of 0 keeps it on one line; a positive
    // one breaks it into lines of at most that width, or, with condense, shortens it to fit one.
    void DrawString(const String& text, double x, double y, double wrapWidth = 0, bool condense = false);
    // Ends the current page; later drawing goes onto a new one.
    void NextPage();

    detail::PrintJob& job() const { return *job_; }

  private:
    std::unique_ptr<detail::PrintJob> job_;
    String textFont_ = "System";
    float textSize_ = 0;
    bool bold_ = false;
    Color foreColor_{0, 0, 0};
};

} // namespace fw
