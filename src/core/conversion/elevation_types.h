#pragma once
// The distinct elevations of one input in order of first appearance, and the Garmin polygon
// type each of them gets: counting up from the first type, shifted by the lowest elevation,
// never using a sub-type byte above 0x1F.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orolith {

// The next type number to hand out: from 0x1000 on, a sub-type byte above 0x1F moves on to
// sub-type 0x00 of a following 0x100 block (0x10320 becomes 0x10400, 0x10340 becomes 0x10500).
std::int64_t steppedType(std::int64_t type);

// The first type of a run: `firstType`, plus lowest / 25 (halves to even) when lowest > 0.
std::int64_t shiftedFirstType(std::int64_t firstType, std::int32_t lowest);

// Upper-case hexadecimal text of a type without prefix.
std::string typeText(std::int64_t type);

class ElevationTypes {
  public:
    // Notes one record's elevation text; the lowest elevation follows its numeric value.
    void note(std::string_view elevationText);

    std::int32_t lowest() const { return lowest_; }
    std::size_t size() const { return order_.size(); }
    const std::string& elevation(std::size_t index) const { return order_[index]; }

    // Numbers every elevation from the first type on (call once all records were noted).
    void assign(std::int64_t firstType);
    // The type text of an elevation, or nullptr when it was never noted.
    const std::string* typeOf(std::string_view elevationText) const;
    const std::string& type(std::size_t index) const { return types_[index]; }

  private:
    std::unordered_map<std::string, std::size_t> index_;
    mutable std::string key_; // reused for look-ups, so they allocate nothing
    std::vector<std::string> order_;
    std::vector<std::string> types_;
    std::int32_t lowest_ = 999999999;
};

} // namespace orolith
