// The framework's modules damaged where their code begins (two bytes of each entry point changed,
// the build's records beside them): none is loaded, so none runs; each is named once on the error
// output, and what needs it goes on as without it: printing says so in its box, a request ends in
// a connection error, spell checking has no dictionary. Its own process, as the framework keeps
// what it could not load for the run.
#include <filesystem>

#include "framework/ApplicationSettings.h"
#include "framework/HTTPSocket.h"
#include "framework/ModuleLoader.h"
#include "framework/Printing.h"
#include "framework/TestHooks.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/BuiltModules.h"
#include "tests/support/Inspect.h"
#include "tests/support/Occurrences.h"
#include "tests/support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

// The framework's own modules, apart from the plug-in, as the build names them.
bool isFrameworkModule(const BuiltModule& module) {
    return std::string_view(module.name).starts_with("framework-");
}

TEST(DamagedModules, AreRefusedAndNamedOnceAndWhatNeedsThemGoesOnWithout) {
    ScratchFolder scratch("ambrel-damaged-modules");
    ASSERT_FALSE(scratch.path().empty());
    for (const BuiltModule& m : kBuiltModules) {
        if (isFrameworkModule(m)) {
            ASSERT_TRUE(copyBuiltModule(AMBREL_BIN_DIR, m, scratch.path(), Copied::EntryPointChanged))
                << m.name;
        }
    }
    // The module folder is found relative to the executable, as an installed program's is.
    fw::setApplicationSettings(
        {.name = "Ambrel", .pluginFolder = fs::relative(scratch.path(), fw::applicationFolder()).string()});
    ASSERT_EQ(fs::canonical(fw::moduleFolder()), fs::canonical(scratch.path()));

    std::vector<std::string> messages;
    fw::setMessagePresenter([&](const fw::String& text) { messages.push_back(text.bytes()); });
    testing::internal::CaptureStderr();
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(fw::OpenPrinterDialog(nullptr, nullptr));

        std::vector<int32_t> errors;
        fw::Ref<fw::HTTPSocket> socket = fw::make<fw::HTTPSocket>();
        fw::RuntimeAddEventHandler(*socket, fw::kHTTPSocketError, fw::_EventStub(fw::kHTTPSocketError),
                                   fw::RuntimeCreateDelegate(
                                       [&errors](fw::Object*, fw::Arguments a) {
                                           errors.push_back(a[1].asInteger());
                                           return fw::Value();
                                       },
                                       nullptr, "( HTTPSocket, Int32 )", false));
        socket->Get("http://www.ambrel.example/Updates/ambrel.xml");
        EXPECT_TRUE(uitest::runUntil([&] { return !errors.empty(); }, 20000));
        EXPECT_EQ(errors, std::vector<int32_t>{fw::HTTPSocket::kSocketFailure});

        EXPECT_FALSE(fw::inspect::spellingDictionaryAvailable());
    }
    const std::string told = testing::internal::GetCapturedStderr();
    fw::setMessagePresenter(nullptr);

    EXPECT_EQ(messages, std::vector<std::string>(
                            2, "Printing is not available: a part of the program is missing or damaged."));
    for (const BuiltModule& m : kBuiltModules) {
        if (isFrameworkModule(m)) {
            EXPECT_EQ(countOf(told, std::string("Ambrel: ") + m.name + ".so is damaged: "), 1u)
                << m.name << " in:\n"
                << told;
        }
    }
}

} // namespace
