// The HTTP client against a loopback server: the request it sends, the one event that follows,
// and the bounds on what it reads.
#include <optional>

#include "framework/HTTPSocket.h"
#include "framework/TestHooks.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/LoopbackHTTPServer.h"

namespace {

using Reply = LoopbackHTTPServer::Reply;

// What a socket raised: the events in order, with their arguments.
struct Outcome {
    std::vector<std::string> events; // "page" or "error"
    std::string url;
    int32_t status = -1;
    fw::Ref<fw::InternetHeaders> headers;
    std::string body;
    int32_t code = 0;
};

class HTTP : public uitest::UiTest {
  protected:
    void TearDown() override {
        fw::setHTTPConnectTarget("", 0);
        UiTest::TearDown();
    }

    fw::Ref<fw::HTTPSocket> socketRecordingInto(Outcome& out) {
        fw::Ref<fw::HTTPSocket> s = fw::make<fw::HTTPSocket>();
        fw::RuntimeAddEventHandler(
            *s, fw::kHTTPSocketPageReceived, fw::_EventStub(fw::kHTTPSocketPageReceived),
            fw::RuntimeCreateDelegate(
                [&out](fw::Object*, fw::Arguments a) {
                    out.events.push_back("page");
                    out.url = a[1].asString().bytes();
                    out.status = a[2].asInteger();
                    out.headers = a[3].as<fw::InternetHeaders>();
                    out.body = a[4].asString().bytes();
                    return fw::Value();
                },
                nullptr, "( HTTPSocket, String, Int32, InternetHeaders, String )", false));
        fw::RuntimeAddEventHandler(*s, fw::kHTTPSocketError, fw::_EventStub(fw::kHTTPSocketError),
                                   fw::RuntimeCreateDelegate(
                                       [&out](fw::Object*, fw::Arguments a) {
                                           out.events.push_back("error");
                                           out.code = a[1].asInteger();
                                           return fw::Value();
                                       },
                                       nullptr, "( HTTPSocket, Int32 )", false));
        return s;
    }

    // Fetches the update address from the server and waits for the event, then a little more,
    // so that a second event would be seen.
    Outcome fetch(LoopbackHTTPServer& server, const std::string& url = kUrl) {
        fw::setHTTPConnectTarget("127.0.0.1", server.port());
        Outcome out;
        fw::Ref<fw::HTTPSocket> s = socketRecordingInto(out);
        s->Get(fw::String(url));
        EXPECT_TRUE(out.events.empty()) << "Get returns before any event";
        EXPECT_TRUE(uitest::runUntil([&] { return !out.events.empty(); }, 20000));
        EXPECT_TRUE(uitest::runPast(30));
        return out;
    }

    static constexpr const char* kUrl = "http://www.ambrel.example/Updates/ambrel.xml";
};

TEST_F(HTTP, TheRequestIsExactlyTheRequestLineThreeHeadersAndAnEmptyLine) {
    LoopbackHTTPServer server({{.bytes = "HTTP/1.0 200 OK\r\n\r\nbody"}});
    fetch(server);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "GET /Updates/ambrel.xml HTTP/1.0\r\n"
                                    "Host: www.ambrel.example\r\n"
                                    "Accept: */*\r\n"
                                    "Accept-Language: en\r\n"
                                    "\r\n");
}

TEST_F(HTTP, AHostHeaderNamesAPortOnlyWhenTheAddressDoes) {
    LoopbackHTTPServer server({{.bytes = ""}});
    fetch(server, "http://example.net:8080/a/b?c");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET /a/b?c HTTP/1.0\r\nHost: example.net:8080\r\nAccept: */*\r\nAccept-Language: en\r\n\r\n");
}

// The port an address names is the one connected to, as an update host given as host:port needs.
TEST_F(HTTP, AnAddressWithAPortIsFetchedFromThatPort) {
    LoopbackHTTPServer server({{.bytes = "HTTP/1.0 200 OK\r\n\r\n<Free>Yes</Free>"}});
    const std::string host = "127.0.0.1:" + std::to_string(server.port());
    Outcome out;
    fw::Ref<fw::HTTPSocket> s = socketRecordingInto(out);
    s->Get(fw::String("http://" + host + "/Updates/ambrel.xml"));
    ASSERT_TRUE(uitest::runUntil([&] { return !out.events.empty(); }, 20000));
    EXPECT_EQ(out.events, std::vector<std::string>{"page"});
    EXPECT_EQ(out.body, "<Free>Yes</Free>");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "GET /Updates/ambrel.xml HTTP/1.0\r\nHost: " + host +
                                        "\r\nAccept: */*\r\nAccept-Language: en\r\n\r\n");
}

// Each reply, and the one event it gives.
TEST_F(HTTP, EachReplyGivesOnePageReceived) {
    const std::string big(300 * 1024, 'x');
    const struct {
        const char* what;
        Reply reply;
        int32_t status;
        std::string body;
    } cases[] = {
        {"announced length",
         {.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhelloEXTRA"},
         200,
         "hello"},
        {"read to the close", {.bytes = "HTTP/1.1 200 OK\r\nServer: x\r\n\r\nall of it"}, 200, "all of it"},
        {"an error page is a page",
         {.bytes = "HTTP/1.0 404 Not Found\r\n\r\n<html>Not here</html>"},
         404,
         "<html>Not here</html>"},
        {"no status line: all body",
         {.bytes = "<CurrentVersion>1.3.0</CurrentVersion>"},
         0,
         "<CurrentVersion>1.3.0</CurrentVersion>"},
        {"shorter than a status line", {.bytes = "HT"}, 0, "HT"},
        {"closed before any byte", {.bytes = ""}, 0, ""},
        {"length above the body, then close",
         {.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 900\r\n\r\npart"},
         200,
         "part"},
        {"garbage length",
         {.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 12abc\r\n\r\nwhole body"},
         200,
         "whole body"},
        {"negative length",
         {.bytes = "HTTP/1.0 200 OK\r\nContent-Length: -4\r\n\r\nwhole body"},
         200,
         "whole body"},
        {"two lengths",
         {.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 2\r\ncontent-length: 2\r\n\r\nwhole body"},
         200,
         "whole body"},
        {"enormous length",
         {.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nbody"},
         200,
         "body"},
        {"bare line feeds", {.bytes = "HTTP/1.0 200 OK\nContent-Length: 3\n\nabcdef"}, 200, "abc"},
        {"closed inside the headers", {.bytes = "HTTP/1.0 200 OK\r\nServer: x\r\n"}, 200, ""},
        {"not UTF-8, and NUL bytes",
         {.bytes = std::string("HTTP/1.0 200 OK\r\n\r\n\xff\xfe\0<Free>Yes</Free>\xc3", 40)},
         200,
         std::string("\xff\xfe\0<Free>Yes</Free>\xc3", 21)},
        {"one byte every 50 ms",
         {.bytes = "HTTP/1.0 200 OK\r\n\r\nslow", .chunkSize = 1, .chunkPauseMs = 50},
         200,
         "slow"},
        {"a large body under the cap", {.bytes = "HTTP/1.0 200 OK\r\n\r\n" + big}, 200, big},
    };
    for (const auto& c : cases) {
        LoopbackHTTPServer server({c.reply});
        const Outcome out = fetch(server);
        EXPECT_EQ(out.events, std::vector<std::string>{"page"}) << c.what;
        EXPECT_EQ(out.url, kUrl) << c.what;
        EXPECT_EQ(out.status, c.status) << c.what;
        EXPECT_TRUE(out.body == c.body)
            << c.what << ": " << out.body.size() << " bytes: " << testing::PrintToString(out.body);
    }
}

TEST_F(HTTP, TheHeadersAreLookedUpIgnoringCase) {
    LoopbackHTTPServer server(
        {{.bytes = "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nX-Two: a\r\nx-two: b\r\n\r\n"}});
    const Outcome out = fetch(server);
    ASSERT_TRUE(out.headers);
    EXPECT_EQ(out.headers->Value("content-type").bytes(), "text/xml");
    EXPECT_EQ(out.headers->Value("X-TWO").bytes(), "a") << "the first of that name";
    EXPECT_EQ(out.headers->Value("Missing").bytes(), "");
    EXPECT_EQ(out.headers->Count(), 3);
}

// Replies past a cap are dropped and reported, never buffered without limit.
TEST_F(HTTP, RepliesPastACapGiveAnErrorOfTheirOwn) {
    const auto endlessHeaders = [](LoopbackHTTPServer::Connection& c) {
        if (!c.send("HTTP/1.0 200 OK\r\n"))
            return;
        for (int i = 0; i < 100000 && c.send("X-Filler: " + std::string(100, 'f') + "\r\n"); ++i) {
        }
    };
    const struct {
        const char* what;
        Reply reply;
        int32_t code;
    } cases[] = {
        {"headers that never end", {.talk = endlessHeaders}, fw::HTTPSocket::kHeaderSectionTooLarge},
        {"a header section over 64 KiB",
         {.bytes = "HTTP/1.0 200 OK\r\nX-Big: " + std::string(70 * 1024, 'h') + "\r\n\r\nbody"},
         fw::HTTPSocket::kHeaderSectionTooLarge},
        {"a body over 1 MiB",
         {.bytes = "HTTP/1.0 200 OK\r\n\r\n" + std::string(1024 * 1024 + 1, 'b')},
         fw::HTTPSocket::kBodyTooLarge},
        {"no status line, over 1 MiB",
         {.bytes = std::string(1100 * 1024, 'b')},
         fw::HTTPSocket::kBodyTooLarge},
    };
    for (const auto& c : cases) {
        LoopbackHTTPServer server({c.reply});
        const Outcome out = fetch(server);
        EXPECT_EQ(out.events, std::vector<std::string>{"error"}) << c.what;
        EXPECT_EQ(out.code, c.code) << c.what;
    }
}

TEST_F(HTTP, AConnectionThatCannotBeMadeGivesAnError) {
    const struct {
        const char* what;
        std::string host;
        int port;
        const char* url;
        int32_t code;
    } cases[] = {
        {"refused", "127.0.0.1", LoopbackHTTPServer::unusedPort(), kUrl, fw::HTTPSocket::kConnectionRefused},
        {"unresolvable", "no-such-host.invalid", 80, kUrl, fw::HTTPSocket::kNameNotResolved},
        {"not an http address", "", 0, "ftp://www.ambrel.example/x", fw::HTTPSocket::kAddressNotUsable},
        {"a header in the address", "", 0, "http://host\r\nX: y/", fw::HTTPSocket::kAddressNotUsable},
    };
    for (const auto& c : cases) {
        fw::setHTTPConnectTarget(fw::String(c.host), c.port);
        Outcome out;
        fw::Ref<fw::HTTPSocket> s = socketRecordingInto(out);
        s->Get(c.url);
        EXPECT_TRUE(out.events.empty()) << c.what << ": Get returns first";
        EXPECT_TRUE(uitest::runUntil([&] { return !out.events.empty(); }, 20000)) << c.what;
        EXPECT_TRUE(uitest::runPast(30));
        EXPECT_EQ(out.events, std::vector<std::string>{"error"}) << c.what;
        EXPECT_EQ(out.code, c.code) << c.what;
    }
}

TEST_F(HTTP, TheErrorCodesAreDistinctAndPositive) {
    const std::vector<int32_t> codes = {
        fw::HTTPSocket::kNameNotResolved,       fw::HTTPSocket::kConnectionRefused,
        fw::HTTPSocket::kHostUnreachable,       fw::HTTPSocket::kConnectionTimedOut,
        fw::HTTPSocket::kHeaderSectionTooLarge, fw::HTTPSocket::kBodyTooLarge,
        fw::HTTPSocket::kAddressNotUsable,      fw::HTTPSocket::kSocketFailure};
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_GT(codes[i], 0);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(codes[i], codes[j]);
    }
}

// A request dropped before its reply came raises nothing: a new Get, Disconnect, or the socket's
// window closing.
TEST_F(HTTP, ADroppedRequestRaisesNothing) {
    const Reply late{.talk = [](LoopbackHTTPServer::Connection& c) {
        if (c.pause(150))
            c.send("HTTP/1.0 200 OK\r\n\r\nlate");
    }};
    LoopbackHTTPServer server({late, {.bytes = "HTTP/1.0 200 OK\r\n\r\nsecond"}, late});
    fw::setHTTPConnectTarget("127.0.0.1", server.port());
    Outcome out;
    fw::Ref<fw::HTTPSocket> s = socketRecordingInto(out);
    s->Get(kUrl);
    ASSERT_TRUE(uitest::runUntil([&] { return server.requests().size() == 1; }));
    s->Get(kUrl);
    ASSERT_TRUE(uitest::runUntil([&] { return !out.events.empty(); }));
    EXPECT_TRUE(uitest::runPast(600));
    EXPECT_EQ(out.events, std::vector<std::string>{"page"});
    EXPECT_EQ(out.body, "second");

    out = Outcome{};
    s->Get(kUrl);
    ASSERT_TRUE(uitest::runUntil([&] { return server.requests().size() == 3; }));
    s->Disconnect();
    EXPECT_FALSE(s->isBusy());
    EXPECT_TRUE(uitest::runPast(200));
    EXPECT_TRUE(out.events.empty());
}

TEST_F(HTTP, AServerThatNeverAnswersLeavesTheRequestUnderWay) {
    LoopbackHTTPServer server({{.bytes = "", .hold = true}});
    fw::setHTTPConnectTarget("127.0.0.1", server.port());
    Outcome out;
    fw::Ref<fw::HTTPSocket> s = socketRecordingInto(out);
    s->Get(kUrl);
    EXPECT_TRUE(uitest::runPast(500));
    EXPECT_TRUE(out.events.empty()) << "no time-out";
    EXPECT_TRUE(s->isBusy());
    s->Disconnect();
}

} // namespace
