#pragma once
// The inputs of mp, list and typ: one Geo Vector file, or one or more elevation models (a
// mosaic) with the band options. A file is an elevation model when GDAL reads it as a raster,
// or when it carries a raster's extension (then a file GDAL cannot read says so).

#include "cli/option_reader.h"
#include "core/conversion/conversion.h"
#include "dem/dem_bands.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>

namespace orolith::cli {

// The options every command taking inputs adds to its own.
extern const std::set<std::string> kDemValueOptions; // --interval, --base, --smooth, --simplify, --bands
extern const std::set<std::string> kDemFlagOptions;  // --fill-voids

// The words of a command that takes inputs: its own `values` and `flags` together with the
// elevation-model and --bbox options.
ParsedArgs readInputArgs(Args args, std::set<std::string> values, std::set<std::string> flags);

struct InputFiles {
    bool isDem = false;
    std::string geoVector;  // the Geo Vector file
    dem::DemOptions dem;    // the elevation models and the band options
    // Tiles fetched for --bbox: the area's name ("N50W004-N51W003"), which names the map in
    // the area's folder, and the attribution their sources ask for in the map's header.
    std::string areaName;
    std::string attribution;
    std::filesystem::path areaFolder; // where the area's maps go by default: Documents/Orolith/<area>
};

// Reads the positional words and the band options. nullopt: go on; otherwise the exit code
// (--help, or a usage error such as mixed inputs or an interval that is no whole number above 0).
std::optional<int> readInputFiles(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                  InputFiles& inputs);

// --threads N (mp, img, render) and, where `holes` names the default, --holes keep|cut (mp,
// img) into the elevation options. nullopt: go on; otherwise the exit code of a usage error.
enum class HoleDefault { None, Keep, Cut };
std::optional<int> readRunOptions(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                  HoleDefault holes, dem::DemOptions& options);
// After the usage checks: 1 when an input named on the command line is missing, a folder or
// unreadable, said as "orolith mp: nosuch.hgt: no such file" whatever its kind; else nullopt.
std::optional<int> checkInputsReadable(const InputFiles& inputs, const CommandInfo& command, Streams& io);

// Lists or converts the inputs: the Geo Vector conversion or the elevation model one.
ConversionResult convertInputs(ConversionMode mode, ConversionOptions options, const InputFiles& inputs,
                               Host& host);

} // namespace orolith::cli
