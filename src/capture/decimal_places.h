#pragma once
// The number of decimal places a run starts with, taken from the host's option.

#include <cstdint>
#include <optional>

#include "host/host_interface.h"

namespace kelmar::capture {

// Decimal places used when the host's option cannot be read.
inline constexpr std::int16_t kDefaultDecimalPlaces = 4;

// The host option DimensionDecimalPlaces minus 1, or 4 when it is missing or unreadable.
std::int16_t decimalPlacesFromHost(const host::HostLocator& locator);

// A count of decimal places brought into 0..32767; a negative count means none.
std::int16_t boundedDecimalPlaces(long long places);

}  // namespace kelmar::capture
