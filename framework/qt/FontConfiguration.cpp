#include "framework/qt/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

namespace fw::detail {

// The toolkit's own FcInit then finds the configuration loaded.
FontConfigurationReadAhead::FontConfigurationReadAhead() : reader_([] { FcInit(); }) {}

FontConfigurationReadAhead::~FontConfigurationReadAhead() {
    reader_.join();
}

} // namespace fw::detail
