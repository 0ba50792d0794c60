#pragma once
// The band list the TYP writer styles: one entry per distinct elevation, in order of first
// appearance, with its polygon type as upper-case hexadecimal digits (100 -> "10304").
// It belongs to the conversion; this header only names it for the styling code.

#if __has_include("core/conversion.h")
#include "core/conversion.h"
#else
#include <string>
#include <vector>

namespace orolith {

struct TypeEntry {
    std::string elevation; // the elevation text exactly as read
    std::string type;      // hexadecimal digits without prefix
};

using TypeList = std::vector<TypeEntry>;

} // namespace orolith
#endif
