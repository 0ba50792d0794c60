#include "core/conversion/elevation_types.h"

#include "core/platform/text_number.h"

#include <algorithm>
#include <limits>

namespace orolith {

std::int64_t steppedType(std::int64_t type) {
    while (type >= 0x1000 && type % 256 > 0x1F)
        type += 0xE0;
    return type;
}

std::int64_t shiftedFirstType(std::int64_t firstType, std::int32_t lowest) {
    if (lowest <= 0)
        return firstType;
    return firstType + roundHalfEven(static_cast<double>(lowest) / 25.0);
}

std::string typeText(std::int64_t type) {
    return hexUpper(static_cast<std::uint64_t>(std::max<std::int64_t>(type, 0)));
}

void ElevationTypes::note(std::string_view elevationText) {
    const double value = leadingDecimal(elevationText);
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (value < lowest_)
        lowest_ = static_cast<std::int32_t>(roundHalfEven(std::clamp(value, kLow, kHigh)));
    key_.assign(elevationText);
    if (index_.find(key_) != index_.end())
        return;
    index_.emplace(key_, order_.size());
    order_.emplace_back(elevationText);
}

void ElevationTypes::assign(std::int64_t firstType) {
    types_.clear();
    types_.reserve(order_.size());
    std::int64_t type = shiftedFirstType(firstType, lowest_);
    for (std::size_t i = 0; i < order_.size(); ++i) {
        type = steppedType(type);
        types_.push_back(typeText(type));
        ++type;
    }
}

const std::string* ElevationTypes::typeOf(std::string_view elevationText) const {
    key_.assign(elevationText);
    const auto found = index_.find(key_);
    if (found == index_.end() || found->second >= types_.size())
        return nullptr;
    return &types_[found->second];
}

} // namespace orolith
