#include "AppFixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

PrefsFolder::PrefsFolder() {
    char pattern[] = "/tmp/ambrel-prefs-XXXXXX";
    folder_ = mkdtemp(pattern);
    EnvironmentGuard::set("XDG_CONFIG_HOME", folder_.c_str());
}

PrefsFolder::~PrefsFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void PrefsFolder::write(const std::string& contents) const {
    std::ofstream(file(), std::ios::binary) << contents;
}

std::string PrefsFolder::read() const {
    std::ifstream in(file(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void closePanel() {
    if (fw::Ref<fw::Window> open = fw::_GetImplicitWindow("Window1.Window1"))
        open->Close();
}
