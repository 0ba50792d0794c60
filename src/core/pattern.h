#pragma once
// INTERIM stand-in until the styling branch is merged; removed before merging main.
#include "core/host.h"

#include <optional>
#include <string>
#include <vector>

namespace orolith {

inline constexpr const char* kDefaultPatternText = "01010101\r\n10101010\r\n";

struct Pattern {
    std::vector<std::string> rows;
    int count() const { return static_cast<int>(rows.size()); }
};

std::optional<Pattern> get_patterns(const std::string& text, Host& host);
bool acceptPatternKey(char key);
bool isValidPatternFileText(const std::string& text);

} // namespace orolith
