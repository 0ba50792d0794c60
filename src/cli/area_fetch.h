#pragma once
// The area options of `orolith fetch`, also taken by the converting commands in place of an
// input file: the tiles (one coordinate's, or --bbox's), the sources, a mirror, the cache
// folder; and the fetch itself with its progress line on a terminal.

#include "cli/input_files.h"
#include "cli/option_reader.h"
#include "download/tile_area.h"
#include "download/tile_fetcher.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>

namespace orolith::cli {

// The options that name an area and where its tiles come from.
const std::set<std::string>& areaOptions();

// `values` with the area options added.
std::set<std::string> withAreaOptions(std::set<std::string> values);

// The part of a command's usage text that explains them.
extern const std::string_view kAreaOptionsUsage;

struct AreaRequest {
    std::vector<TileCorner> tiles;
    download::FetchOptions options;
};

// The request from the parsed words: `coordinate` is the one tile's coordinate when there
// is no --bbox. The program's folder `home` holds the download settings and, unless --dir
// names another, the cache (home/dem). Nothing, with `problem` set, on a usage error.
std::optional<AreaRequest> readAreaRequest(const ParsedArgs& parsed, const std::string* coordinate,
                                           const std::filesystem::path& home, std::string& problem);

// Fetches, drawing "Fetching 3/16 tiles, 12.4 MB, 2.1 MB/s" on standard error when that is
// a terminal; tiles that failed are listed on standard error after "orolith COMMAND: ".
download::FetchReport fetchArea(const AreaRequest& request, Streams& io, std::string_view command);

// For a converting command given --bbox in place of input files: fetches the tiles into the
// cache and makes them the inputs (tiles no source has as sea cells, the sources' attribution
// for the map). nullopt: go on; otherwise the exit code (2 a usage error; 1 when tiles
// failed or the whole box is sea, said on standard error).
std::optional<int> fetchAreaInputs(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                   InputFiles& inputs);

} // namespace orolith::cli
