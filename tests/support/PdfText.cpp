#include "tests/support/PdfText.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace pdftext {

namespace {

std::string unescape(std::string text) {
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : kEntities)
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::char_traits<char>::length(entity), plain);
    return text;
}

std::string quoted(const std::string& path) {
    std::string q = "'";
    for (char c : path)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The number in name="..." of a tag; 0 when it is missing.
double attribute(const std::string& tag, const std::string& name) {
    const std::size_t at = tag.find(" " + name + "=\"");
    return at == std::string::npos ? 0 : std::atof(tag.c_str() + at + name.size() + 3);
}

} // namespace

std::string Page::text() const {
    std::string joined;
    for (const Word& w : words)
        joined += (joined.empty() ? "" : " ") + w.text;
    return joined;
}

std::optional<Word> Page::find(const std::string& wanted) const {
    for (const Word& w : words)
        if (w.text == wanted)
            return w;
    return std::nullopt;
}

std::vector<Word> Page::onLine(double y) const {
    std::vector<Word> found;
    for (const Word& w : words)
        if (w.yMin <= y && y <= w.yMax)
            found.push_back(w);
    return found;
}

std::vector<Page> read(const std::string& pdfFile) {
    const std::string command = "pdftotext -bbox " + quoted(pdfFile) + " - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return {};
    std::string html;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        html.append(buffer, n);

    std::vector<Page> pages;
    for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        const std::size_t close = html.find('>', at);
        if (close == std::string::npos)
            break;
        const std::string tag = html.substr(at, close - at);
        if (tag.rfind("<page ", 0) == 0) {
            pages.push_back({attribute(tag, "width"), attribute(tag, "height"), {}});
        } else if (tag.rfind("<word ", 0) == 0 && !pages.empty()) {
            const std::size_t end = html.find("</word>", close);
            if (end == std::string::npos)
                break;
            pages.back().words.push_back({unescape(html.substr(close + 1, end - close - 1)),
                                          attribute(tag, "xMin"), attribute(tag, "yMin"),
                                          attribute(tag, "xMax"), attribute(tag, "yMax")});
            at = end;
        }
    }
    return pages;
}

} // namespace pdftext
