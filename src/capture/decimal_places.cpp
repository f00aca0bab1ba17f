#include "capture/decimal_places.h"

#include <algorithm>

#include "capture/run_data.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"

namespace kelmar::capture {

std::int16_t decimalPlacesFromHost(const host::HostLocator& locator) {
    std::optional<std::string> option;
    try {
        option = locator.ReadOption(settings::names::DimensionDecimalPlaces);
    } catch (const host::HostError&) {
        return kDefaultDecimalPlaces;
    }
    const auto places = option ? settings::parseWholeNumber(*option) : std::nullopt;
    return places ? boundedDecimalPlaces(static_cast<long long>(*places) - 1) : kDefaultDecimalPlaces;
}

std::int16_t boundedDecimalPlaces(long long places) {
    return static_cast<std::int16_t>(std::clamp<long long>(places, 0, kMaxCount));
}

}  // namespace kelmar::capture
