// Sets environment variables for one test and puts them back afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class EnvironmentGuard {
  public:
    explicit EnvironmentGuard(std::vector<const char*> names) {
        for (const char* name : names) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        }
    }
    ~EnvironmentGuard() {
        for (const auto& [name, value] : saved_)
            set(name, value ? value->c_str() : nullptr);
    }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

    static void set(const char* name, const char* value) {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }

  private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};
