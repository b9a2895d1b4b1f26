// The program's build settings, as the framework is handed them at start-up.
#pragma once

#include "framework/ApplicationSettings.h"

namespace ambrel {

const fw::ApplicationSettings& buildSettings();

} // namespace ambrel
