// Printing a text area's styled text block by block.
#pragma once

#include <memory>

#include "framework/Graphics.h"
#include "framework/Object.h"

namespace fw {

namespace detail {
class TextLines; // the laid-out lines, in framework/qt
}

// The styled text laid out for a print job in lines of at most a given width, positioned before the
// first line. Made by TextArea.styledTextPrinter.
class StyledTextPrinter : public Registered<StyledTextPrinter, Object> {
  public:
    static ClassRecord describe();

    StyledTextPrinter(Ref<Graphics> graphics, std::unique_ptr<detail::TextLines> lines);
    ~StyledTextPrinter() override;

    // Draws, from (x, y) downwards, the remaining whole lines that fit into the height, and moves past
    // them. A line taller than the block is drawn all the same (clipped by nothing), so that every
    // call moves on and a loop over the blocks always ends.
    void DrawBlock(double x, double y, double height);
    // True once every line has been drawn. (The C library keeps the name EOF for its macro.)
    bool Eof() const;

  private:
    Ref<Graphics> graphics_;
    std::unique_ptr<detail::TextLines> lines_;
};

} // namespace fw
