#pragma once
// INTERIM stand-in until the styling branch is merged; removed before merging main.
#include "core/conversion.h"
#include "core/host.h"
#include "core/palette.h"
#include "core/pattern.h"

#include <string>
#include <vector>

namespace orolith {

struct StyleOptions {
    std::string patternText;
    std::string maxDrawOrder = "14";
    std::string firstType = "10300";
    std::string typPath;
    bool oneColour = false;
    bool rowPerBand = false;
};

struct TypJob {
    StyleOptions style;
    TypeList types;
    std::int32_t lowest = 0;
    Palette cols{};
    std::string companionPath;
    std::string toolPath;
    std::vector<std::string> protectedPaths;
};

struct TypResult {
    bool written = false;
    std::optional<Pattern> pattern;
};

TypResult create_typ(const TypJob& job, Host& host);

} // namespace orolith
