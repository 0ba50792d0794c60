#pragma once
// Options shared by the subcommands that convert and style: the detail levels of `mp` and
// `img`, the style options of `typ` and `img`.

#include "cli/option_reader.h"
#include "core/style/typ_writer.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orolith::cli {

// "0,3" or "highest,low" into the four level boxes. False with `error` on an unknown level.
bool readLevels(std::string_view text, std::array<bool, 4>& levels, std::string& error);

// What is wrong with the style options as given (both pattern options, a first type that is no
// hexadecimal number), or nothing.
std::optional<std::string> styleUsageProblem(const ParsedArgs& parsed);

// Pattern, palette, first type, draw order, one colour and row per band from the words into
// `job`. False (after saying why on stderr) when a pattern or palette file cannot be used.
bool readStyleArguments(const ParsedArgs& parsed, Streams& io, std::string_view command, TypJob& job);

// --ramp NAME|FILE (a built-in name, else a ramp file) into `tint`; without it the atlas ramp
// for an elevation model whose colours no --palette gives, else the classic table. The band
// from 0 m takes the water colour when `seaAtZero`. False (after saying why on stderr) when
// the name is no built-in ramp and names no ramp file that can be used.
bool readRampArgument(const ParsedArgs& parsed, Streams& io, std::string_view command, bool elevationModel,
                      bool seaAtZero, TintChoice& tint);

// The built-in ramps' names: "atlas, high-contrast, grey, classic".
std::string rampNameList();

} // namespace orolith::cli
