#include "cli/input_files.h"

#include "cli/area_fetch.h"
#include "core/platform/file_open.h"
#include "core/platform/paths.h"
#include "dem/dem_conversion.h"
#include "dem/dem_raster.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace orolith::cli {

ParsedArgs readInputArgs(Args args, std::set<std::string> values, std::set<std::string> flags) {
    values.insert(kDemValueOptions.begin(), kDemValueOptions.end());
    flags.insert(kDemFlagOptions.begin(), kDemFlagOptions.end());
    flags.insert(areaFlags().begin(), areaFlags().end());
    return readArgs(args, withAreaOptions(std::move(values)), flags);
}

const std::set<std::string> kDemValueOptions = {"--interval", "--base", "--smooth", "--simplify", "--bands",
                                                "--contour-lines", "--contour-major"};
const std::set<std::string> kDemFlagOptions = {"--fill-voids", "--feet"};

namespace {

bool hasRasterExtension(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* suffix : {".hgt", ".gz", ".zip", ".tif", ".tiff", ".asc", ".vrt"}) {
        const std::string s(suffix);
        if (name.size() > s.size() && name.compare(name.size() - s.size(), s.size(), s) == 0)
            return true;
    }
    return false;
}

bool isDemInput(const std::string& path) {
    return dem::isElevationRaster(path) || hasRasterExtension(path);
}

std::optional<int> readContourOptions(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                      dem::ContourOptions& options) {
    options.feet = parsed.has("--feet");
    if (const auto text = parsed.value("--contour-lines")) {
        const auto value = dem::readWholeMetres(*text, true);
        if (!value)
            return usageError(io, command,
                              "--contour-lines takes a whole number of metres (feet with --feet) above 0, not '" +
                                  *text + "'");
        options.interval = *value;
    }
    if (const auto text = parsed.value("--contour-major")) {
        std::string error;
        const auto multiples = dem::readMajorMultiples(*text, error);
        if (!multiples)
            return usageError(io, command, error);
        options.intermediate = multiples->first;
        options.major = multiples->second;
    }
    return std::nullopt;
}

std::optional<int> readBandOptions(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                   dem::DemOptions& options) {
    if (const auto text = parsed.value("--interval")) {
        const auto value = dem::readWholeMetres(*text, true);
        if (!value)
            return usageError(io, command,
                              "--interval takes a whole number of metres above 0, not '" + *text + "'");
        options.interval = *value;
    }
    if (const auto text = parsed.value("--base")) {
        const auto value = dem::readWholeMetres(*text, false);
        if (!value)
            return usageError(io, command, "--base takes a whole number of metres, not '" + *text + "'");
        options.base = *value;
    }
    if (const auto text = parsed.value("--smooth")) {
        int value = -1;
        const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
        if (ec != std::errc() || end != text->data() + text->size() || value < 0 || value > 100)
            return usageError(io, command,
                              "--smooth takes a number of pixels from 0 to 100, not '" + *text + "'");
        options.smooth = value;
    }
    options.simplify = dem::kPixelTolerance;
    if (const auto text = parsed.value("--simplify")) {
        const auto value = dem::readToleranceMetres(*text);
        if (!value)
            return usageError(io, command, "--simplify takes a number of metres from 0 up, not '" + *text + "'");
        options.simplify = *value;
    }
    if (const auto text = parsed.value("--bands")) {
        const std::size_t comma = text->find(',');
        const auto low = dem::readWholeMetres(text->substr(0, comma), false);
        const auto high = comma == std::string::npos ? std::nullopt : dem::readWholeMetres(text->substr(comma + 1), false);
        if (!low || !high || *low > *high)
            return usageError(io, command, "--bands takes LOW,HIGH in whole metres, LOW not above HIGH, not '" + *text + "'");
        options.bandSpan = {{*low, *high}};
    }
    options.fillVoids = parsed.has("--fill-voids");
    return readContourOptions(parsed, command, io, options.contours);
}

// Why an input named on the command line cannot be read, or nothing. GDAL's virtual file
// names ("/vsizip/…") are left to GDAL.
std::optional<std::string> unreadableInput(const std::string& path) {
    if (path.rfind("/vsi", 0) == 0)
        return std::nullopt;
    const std::filesystem::path file = pathFromText(path);
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status))
        return "no such file";
    if (std::filesystem::is_directory(status))
        return "is a folder, not a file";
    std::FILE* stream = openFile(file, "rb");
    if (stream == nullptr)
        return "cannot be read (" + std::string(std::strerror(errno)) + ")";
    std::fclose(stream);
    return std::nullopt;
}

} // namespace

std::optional<int> readRunOptions(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                  HoleDefault holes, dem::DemOptions& options) {
    if (const auto text = parsed.value("--threads")) {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
        if (ec != std::errc() || end != text->data() + text->size() || value < 1 || value > 1024)
            return usageError(io, command, "--threads takes a number of threads from 1 to 1024, not '" + *text + "'");
        options.threads = value;
    }
    options.cutHoles = holes == HoleDefault::Cut;
    if (const auto text = parsed.value("--holes"); text && holes != HoleDefault::None) {
        if (*text != "keep" && *text != "cut")
            return usageError(io, command, "--holes takes keep or cut, not '" + *text + "'");
        options.cutHoles = *text == "cut";
    }
    return std::nullopt;
}

std::optional<int> readInputFiles(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                  InputFiles& inputs) {
    if (parsed.has("--help") && parsed.error.empty()) {
        io.out << command.usage;
        return 0;
    }
    if (!parsed.error.empty())
        return usageError(io, command, parsed.error);
    if (parsed.value("--bbox") && !parsed.positional.empty() && !command.boxBesideInput)
        return usageError(io, command, "give INPUT or --bbox, not both");
    if (parsed.value("--bbox") && parsed.positional.empty()) {
        if (const auto code = readBandOptions(parsed, command, io, inputs.dem))
            return code;
        return fetchAreaInputs(parsed, command, io, inputs);
    }
    if (parsed.positional.empty())
        return usageError(io, command, "no INPUT given");
    std::size_t dems = 0;
    for (const std::string& path : parsed.positional)
        dems += isDemInput(path) ? 1 : 0;
    if (dems == 0) {
        if (parsed.positional.size() > 1)
            return usageError(io, command, "give one Geo Vector file, or one or more elevation models");
        for (const std::string& option : kDemValueOptions)
            if (parsed.value(option))
                return usageError(io, command, option + " applies to elevation models only");
        for (const std::string& option : kDemFlagOptions)
            if (parsed.has(option))
                return usageError(io, command, option + " applies to elevation models only");
        inputs.geoVector = parsed.positional.front();
        return std::nullopt;
    }
    if (dems != parsed.positional.size())
        return usageError(io, command, "Geo Vector files and elevation models cannot be mixed");
    inputs.isDem = true;
    inputs.dem.inputs = parsed.positional;
    return readBandOptions(parsed, command, io, inputs.dem);
}

std::optional<int> checkInputsReadable(const InputFiles& inputs, const CommandInfo& command, Streams& io) {
    if (!inputs.areaName.empty())
        return std::nullopt; // tiles of the cache, checked as they were fetched
    for (const std::string& path : inputs.isDem ? inputs.dem.inputs : std::vector<std::string>{inputs.geoVector}) {
        if (const auto problem = unreadableInput(path)) {
            io.err << "orolith " << command.name << ": " << path << ": " << *problem << "\n";
            return 1;
        }
    }
    return std::nullopt;
}

ConversionResult convertInputs(ConversionMode mode, ConversionOptions options, const InputFiles& inputs,
                               Host& host) {
    if (!inputs.isDem) {
        options.inputPath = inputs.geoVector;
        return mode == ConversionMode::Write ? convertGeoVector(options, host)
                                             : listElevations(options, host);
    }
    options.inputPath = inputs.dem.inputs.front();
    if (!inputs.areaName.empty() && options.outputPath.empty() && mode == ConversionMode::Write) {
        std::error_code ec;
        std::filesystem::create_directories(inputs.areaFolder, ec); // a folder not made is said by the writer
        options.outputPath = inputs.areaFolder / (inputs.areaName + ".mp");
    }
    if (options.copyright.empty())
        options.copyright = inputs.attribution;
    return dem::convertDem(mode, options, inputs.dem, host);
}

} // namespace orolith::cli
