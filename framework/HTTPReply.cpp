#include "framework/HTTPReply.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace fw::detail {

namespace {

constexpr std::string_view kStatusLineStart = "HTTP/";

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A length that is plainly a length: decimal digits only, and not absurdly many.
std::optional<int64_t> lengthOf(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > 15)
        return std::nullopt;
    int64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// The end of the header section: the empty line, after CR LF or after a bare LF. Returns the
// section's length and, through `skip`, the length of the separator.
std::size_t sectionEnd(const std::string& text, std::size_t& skip) {
    const std::size_t crlf = text.find("\r\n\r\n");
    const std::size_t lf = text.find("\n\n");
    if (crlf != std::string::npos && (lf == std::string::npos || crlf < lf)) {
        skip = 4;
        return crlf;
    }
    if (lf != std::string::npos) {
        skip = 2;
        return lf;
    }
    return std::string::npos;
}

} // namespace

HTTPReplyReader::HTTPReplyReader(int64_t headerCap, int64_t bodyCap)
    : headerCap_(headerCap), bodyCap_(bodyCap), headers_(make<InternetHeaders>()) {}

HTTPReplyReader::Outcome HTTPReplyReader::feed(std::string_view bytes) {
    if (outcome_ != Outcome::Reading)
        return outcome_;
    if (part_ == Part::Body) {
        takeBody(bytes);
        return outcome_;
    }
    pending_.append(bytes);
    if (part_ == Part::Start) {
        const std::size_t n = std::min(pending_.size(), kStatusLineStart.size());
        if (pending_.compare(0, n, kStatusLineStart, 0, n) != 0) {
            // No status line: all of it is body, with status 0.
            part_ = Part::Body;
            std::string all;
            all.swap(pending_);
            takeBody(all);
            return outcome_;
        }
        if (n < kStatusLineStart.size())
            return outcome_;
        part_ = Part::Header;
    }
    std::size_t skip = 0;
    const std::size_t end = sectionEnd(pending_, skip);
    if (end == std::string::npos) {
        if (static_cast<int64_t>(pending_.size()) > headerCap_)
            outcome_ = Outcome::HeaderSectionTooLarge;
        return outcome_;
    }
    if (static_cast<int64_t>(end) > headerCap_) {
        outcome_ = Outcome::HeaderSectionTooLarge;
        return outcome_;
    }
    std::string rest = pending_.substr(end + skip);
    readHeaderSection(std::string_view(pending_).substr(0, end));
    pending_.clear();
    pending_.shrink_to_fit();
    part_ = Part::Body;
    takeBody(rest);
    return outcome_;
}

HTTPReplyReader::Outcome HTTPReplyReader::end() {
    if (outcome_ != Outcome::Reading)
        return outcome_;
    if (part_ == Part::Start) {
        body_ = std::move(pending_);
    } else if (part_ == Part::Header) {
        // The connection ended inside the header section: what it holds, and no body.
        readHeaderSection(pending_);
    }
    pending_.clear();
    outcome_ = Outcome::Complete;
    return outcome_;
}

void HTTPReplyReader::readHeaderSection(std::string_view section) {
    std::vector<std::string_view> lines;
    while (!section.empty()) {
        const std::size_t nl = section.find('\n');
        lines.push_back(section.substr(0, nl));
        section.remove_prefix(nl == std::string_view::npos ? section.size() : nl + 1);
    }
    if (lines.empty())
        return;
    // "HTTP/1.0 200 OK": the status is the second word; anything else there is status 0.
    std::string_view statusLine = trimmed(lines.front());
    const std::size_t blank = statusLine.find(' ');
    if (blank != std::string_view::npos) {
        std::string_view code = trimmed(statusLine.substr(blank + 1));
        code = code.substr(0, code.find(' '));
        if (code.size() == 3 &&
            std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
            status_ = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
    }
    int lengths = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0)
            continue; // not a header line
        const String name(std::string(trimmed(line.substr(0, colon))));
        const String value(std::string(trimmed(line.substr(colon + 1))));
        headers_->AppendHeader(name, value);
        if (name == String("Content-Length")) {
            ++lengths;
            contentLength_ = lengthOf(value.bytes());
        }
    }
    // Two lengths, even equal ones, or one that is no length: read to the end of the connection.
    if (lengths != 1)
        contentLength_.reset();
}

void HTTPReplyReader::takeBody(std::string_view bytes) {
    if (contentLength_) {
        const auto wanted = static_cast<std::size_t>(*contentLength_) -
                            std::min(body_.size(), static_cast<std::size_t>(*contentLength_));
        bytes = bytes.substr(0, std::min(bytes.size(), wanted));
    }
    if (static_cast<int64_t>(body_.size() + bytes.size()) > bodyCap_) {
        outcome_ = Outcome::BodyTooLarge;
        body_.clear();
        return;
    }
    body_.append(bytes);
    if (contentLength_ && static_cast<int64_t>(body_.size()) >= *contentLength_)
        outcome_ = Outcome::Complete;
}

} // namespace fw::detail
