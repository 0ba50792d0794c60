#pragma once
// INTERIM stand-in until the styling branch is merged; removed before merging main.
#include "core/host.h"

#include <array>
#include <cstdint>
#include <string>

namespace orolith {

using Palette = std::array<std::int32_t, 26>;

Palette defaultPalette();
bool savecols(const std::string& path, const Palette& cols, Host& host);
void loadcols(const std::string& path, Palette& cols);
void desaturate(Palette& cols);
void shades2(Palette& cols);

} // namespace orolith
