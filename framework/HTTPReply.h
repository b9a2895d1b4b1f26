// Reads an HTTP/1.0 reply as its bytes arrive, within caps on the header section and the body.
// No toolkit here: the socket bridge feeds it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/InternetHeaders.h"

namespace fw::detail {

class HTTPReplyReader {
  public:
    enum class Outcome { Reading, Complete, HeaderSectionTooLarge, BodyTooLarge };

    HTTPReplyReader(int64_t headerCap, int64_t bodyCap);

    // Takes the next bytes of the reply; the outcome once it is decided.
    Outcome feed(std::string_view bytes);
    // The connection has ended: what arrived is the reply.
    Outcome end();
    Outcome outcome() const { return outcome_; }

    int32_t status() const { return status_; }
    const Ref<InternetHeaders>& headers() const { return headers_; }
    const std::string& body() const { return body_; }

  private:
    enum class Part { Start, Header, Body };
    // Reads the status line and the header lines of a header section (without its empty line).
    void readHeaderSection(std::string_view section);
    void takeBody(std::string_view bytes);

    const int64_t headerCap_, bodyCap_;
    Part part_ = Part::Start;
    Outcome outcome_ = Outcome::Reading;
    std::string pending_; // the start of the reply, until its header section has ended
    int32_t status_ = 0;
    Ref<InternetHeaders> headers_;
    std::optional<int64_t> contentLength_;
    std::string body_;
};

} // namespace fw::detail
