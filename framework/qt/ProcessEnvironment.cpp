#include "framework/qt/ProcessEnvironment.h"

#include <array>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string_view>
#include <unistd.h>

namespace fw::detail {

namespace {

struct Setting {
    const char* name;
    const char* value;
    bool userChoiceStands; // a value of the user's is kept rather than replaced
};

constexpr Setting kSettings[] = {
    // The windows repaint a few pixels at a time (the countdown, each second). Through shared
    // memory each such repaint first waits on a round trip to the X server, to be sure it has read
    // the last one; so few pixels cost less sent down the connection. Qt reads it as it connects.
    {"QT_XCB_NO_MITSHM", "1", true},
    // Enchant keeps the user's personal word lists in its configuration folder and creates them
    // there as a dictionary opens. Pointed at a folder that cannot exist, it opens the dictionary
    // without them, so that checking the spelling writes no file.
    {"ENCHANT_CONFIG_DIR", "/dev/null", false},
};

// The user's values of the settings' variables, as found before they were set.
std::array<std::optional<std::string>, std::size(kSettings)>& usersValues() {
    static auto* values = new std::array<std::optional<std::string>, std::size(kSettings)>();
    return *values;
}

bool& settled() {
    static bool done = false;
    return done;
}

} // namespace

void settleEnvironment() {
    if (settled())
        return;
    settled() = true;
    for (std::size_t i = 0; i < std::size(kSettings); ++i) {
        const Setting& s = kSettings[i];
        if (const char* value = std::getenv(s.name))
            usersValues()[i] = value;
        if (!usersValues()[i] || !s.userChoiceStands)
            ::setenv(s.name, s.value, 1);
    }
}

std::vector<std::string> childEnvironment() {
    std::vector<std::string> entries;
    auto setting = [](std::string_view entry) -> std::optional<std::size_t> {
        const std::string_view name = entry.substr(0, entry.find('='));
        for (std::size_t i = 0; i < std::size(kSettings); ++i)
            if (name == kSettings[i].name)
                return i;
        return std::nullopt;
    };
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::optional<std::size_t> i = settled() ? setting(*entry) : std::nullopt;
        if (!i)
            entries.emplace_back(*entry);
        else if (usersValues()[*i])
            entries.push_back(std::string(kSettings[*i].name) + "=" + *usersValues()[*i]);
    }
    return entries;
}

} // namespace fw::detail
