#include "core/conversion/typed_numbers.h"

#include "core/platform/text_number.h"

namespace orolith {

FirstType FirstType::fromText(std::string_view text) {
    if (const auto value = parseHex32(text))
        return {static_cast<std::uint32_t>(*value), std::nullopt};
    return {0, std::string(text)};
}

MaxDistance MaxDistance::fromText(std::string_view text) {
    if (hasLeadingDecimal(text))
        return {leadingDecimal(text), std::nullopt};
    return {0.0, std::string(text)};
}

} // namespace orolith
