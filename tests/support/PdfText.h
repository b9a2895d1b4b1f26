// What a PDF shows, read back with pdftotext -bbox (poppler-utils): the words of each page and the
// boxes they sit in, in points from the page's top left.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pdftext {

struct Word {
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct Page {
    double width = 0, height = 0;
    std::vector<Word> words;
    // The words in reading order, joined by single blanks.
    std::string text() const;
    // The first word with that text, if any.
    std::optional<Word> find(const std::string& text) const;
    // The words whose box holds the line at y (a baseline), left to right.
    std::vector<Word> onLine(double y) const;
};

// Every page of the file; empty when it cannot be read.
std::vector<Page> read(const std::string& pdfFile);

} // namespace pdftext
