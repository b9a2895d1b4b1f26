// A file's bytes, read whole; empty when it cannot be read.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
