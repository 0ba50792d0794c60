#pragma once
// "Create TYP": the style checks, the TYP file and its companion list, and every notice the
// user is told on the way.

#include "core/host.h"
#include "core/style/pattern.h"
#include "core/style/typ_file.h"

#include <optional>

namespace orolith {

struct TypResult {
    bool written = false;           // the TYP file was written completely
    std::optional<Pattern> pattern; // the checked pattern, when it passed
};

// Checks the options and the pattern, then writes the companion list and the TYP file, each
// completely or not at all, telling the host every notice; "created:" and the launch of the
// TYP tool follow only when the TYP file was written.
TypResult writeTypFile(const TypJob& job, Host& host);

} // namespace orolith
