#pragma once
// The two numbers of a run that people type: the first polygon type and Max Distance. The
// window's boxes and the command line read them here, once, as they take them in; the core
// only sees the numbers. A text that is no such number is kept beside the value it stands
// for, so that the run can say so among its other notices.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orolith {

// The type of the first (lowest) band, read the same way for the map, the TYP file and the
// preview: a hexadecimal number of 1 to 8 digits, blanks around it allowed. Anything else
// ("10300x", "123456789") is no first type, and the types start at 0.
struct FirstType {
    std::uint32_t value = 0x10300;
    std::optional<std::string> rejected; // the text that was no first type (value is then 0)

    static FirstType fromText(std::string_view text);
};

// How far apart, in metres, the ends of an open outline may be for it still to count as a
// polygon. Read leniently: the number the text starts with; a text that starts with none
// reads 0, so that only closed outlines are kept.
struct MaxDistance {
    double metres = 45000.0;
    std::optional<std::string> rejected; // the text that starts with no number (metres is then 0)

    static MaxDistance fromText(std::string_view text);
};

} // namespace orolith
