// The vendor's web server: a build setting (AMBREL_UPDATE_HOST), never taken from anywhere else.
#pragma once

namespace ambrel {

inline constexpr const char kVendorHost[] = AMBREL_UPDATE_HOST;

} // namespace ambrel
