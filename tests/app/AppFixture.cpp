#include "AppFixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

PrefsFolder::PrefsFolder() {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    hadSaved_ = saved != nullptr;
    saved_ = saved ? saved : "";
    char pattern[] = "/tmp/ambrel-prefs-XXXXXX";
    folder_ = mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
}

PrefsFolder::~PrefsFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    if (hadSaved_)
        setenv("XDG_CONFIG_HOME", saved_.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
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
