#pragma once
// The area options of `orolith fetch`, also taken by the converting commands in place of an
// input file: the tiles (one coordinate's, or --bbox's), the sources, a mirror, the cache
// folder; and the fetch itself with its progress line on a terminal.

#include "cli/input_files.h"
#include "cli/option_reader.h"
#include "core/settings/home_places.h"
#include "download/tile_area.h"
#include "download/tile_fetcher.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>

namespace orolith::cli {

// The options that name an area and where its tiles come from.
const std::set<std::string>& areaOptions();

// The area options without a value (--across-180).
const std::set<std::string>& areaFlags();

// `values` with the area options added.
std::set<std::string> withAreaOptions(std::set<std::string> values);

// The part of a command's usage text that explains them.
extern const std::string_view kAreaOptionsUsage;

struct AreaRequest {
    std::vector<TileCorner> tiles;
    download::FetchOptions options;
};

// The request from the parsed words: `coordinate` is the one tile's coordinate when there
// is no --bbox. `places` hold the download settings and, unless --dir names another, the
// cache. Nothing, with `problem` set, on a usage error.
std::optional<AreaRequest> readAreaRequest(const ParsedArgs& parsed, const std::string* coordinate,
                                           const HomePlaces& places, std::string& problem);

// Fetches, first saying on standard error how many tiles there are and about how much they
// take, then drawing "Fetching 3/16 tiles, 12.4 MiB of about 120 MiB, 2.1 MiB/s, 50 s left"
// there when it is a terminal; tiles that failed are listed on standard error after "orolith COMMAND: ".
// "Fetching 3/16 tiles, 12.4 MiB of about 120 MiB, 2.1 MiB/s, 50 s left": the expected total
// while it is ahead, the time left from the share done in bytes or in tiles, whichever is more.
std::string fetchProgressText(const download::FetchProgress& progress, std::uint64_t expectedBytes);

download::FetchReport fetchArea(const AreaRequest& request, Streams& io, std::string_view command);

// For a converting command given --bbox in place of input files: fetches the tiles into the
// cache and makes them the inputs (tiles no source has as sea cells, the sources' attribution
// for the map, the folder of its maps). nullopt: go on; otherwise the exit code (2 a usage error; 1 when tiles
// failed or the whole box is sea, said on standard error).
std::optional<int> fetchAreaInputs(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                   InputFiles& inputs);

} // namespace orolith::cli
