#pragma once
// Where the command line keeps and finds its files: --home DIR holds everything, else a home
// beside the program (a portable copy), else the desktop's per-user folders.

#include "cli/option_reader.h"
#include "core/settings/home_places.h"

#include <string_view>

namespace orolith::cli {

HomePlaces placesOf(const ParsedArgs& parsed);

// The usage text of --home, the same in every command that takes it.
inline constexpr std::string_view kHomeOptionText =
    "one folder for settings, styles and the tile cache (default:\n"
    "~/.config, ~/.local/share and ~/.cache, each with orolith-creator)";

} // namespace orolith::cli
