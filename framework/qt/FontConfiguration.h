// The system's font configuration, read on a thread of its own while the toolkit starts: reading it
// is a third of the start-up's work, and the toolkit's start does not need it.
#pragma once

#include <thread>

namespace fw::detail {

// Reads it from construction until it goes. The reader reads the environment, which nobody may
// change meanwhile: a change could move the variables from under it.
class FontConfigurationReadAhead {
  public:
    FontConfigurationReadAhead();
    ~FontConfigurationReadAhead();
    FontConfigurationReadAhead(const FontConfigurationReadAhead&) = delete;
    FontConfigurationReadAhead& operator=(const FontConfigurationReadAhead&) = delete;

  private:
    std::thread reader_;
};

} // namespace fw::detail
