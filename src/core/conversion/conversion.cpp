#include "core/conversion/conversion.h"

#include "core/conversion/legend_captions.h"
#include "core/conversion/conversion_passes.h"
#include "core/platform/paths.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace orolith {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCrLf = "\r\n";

bool isExistingFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

// The checks before any pass: the input exists, it can be opened, a level is selected.
bool checkInput(const ConversionOptions& options, GeoVectorReader& reader, Host& host) {
    const fs::path& path = options.inputPath;
    const std::string text = pathText(path);
    if (text.empty() || text.find('*') != std::string::npos || !isExistingFile(path)) {
        host.message(MessageKind::Failure, "Cannot find file:" + text);
        return false;
    }
    if (!reader.open(path)) {
        host.message(MessageKind::Failure, text + " " + reader.errorString());
        return false;
    }
    if (levelDigits(options.detailLevels).empty()) {
        host.message(MessageKind::Failure, "Please select a 'Detail Level'.");
        return false;
    }
    return true;
}

// What the input was when the run began: a different size or time at the end means it
// changed while being read, and the map may lack part of it.
struct FileStamp {
    std::uintmax_t size = 0;
    fs::file_time_type changed{};
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const fs::path& path) {
    std::error_code sizeError, timeError;
    FileStamp stamp{fs::file_size(path, sizeError), fs::last_write_time(path, timeError)};
    if (sizeError || timeError)
        return std::nullopt;
    return stamp;
}

void fillResult(const ElevationTypes& table, ConversionResult& result) {
    result.lowest = table.lowest();
    result.types.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        result.types.push_back({table.elevation(i), table.type(i)});
    result.legendCaptions = legendCaptions(result.types, result.lowest);
}

void reportNotCreated(const fs::path& output, const std::string& error, ConversionResult& result,
                      Host& host) {
    result.finalMessage = pathText(output) + " " + error;
    result.finalMessage.append(kCrLf).append(kCrLf).append("The map was not created.");
    host.message(MessageKind::Failure, result.finalMessage);
}

// The polygons of every record, then the map in place of the old one and the final message.
void writeMap(GeoVectorReader& reader, const ElevationTypes& table, const WriteSettings& settings,
              const fs::path& input, const std::optional<FileStamp>& inputStamp, MapWriter& writer,
              ConversionResult& result, Host& host) {
    const fs::path& output = result.mapPath;
    WriteOutcome outcome = writePolygons(reader, table, settings, writer, host);
    if (outcome.readError.empty() && !outcome.cancelled && stampOf(input) != inputStamp)
        outcome.readError = "changed while it was being read";
    if (outcome.cancelled || !outcome.readError.empty()) {
        writer.abandon();
        result.cancelled = outcome.cancelled;
        if (!outcome.readError.empty())
            reportNotCreated(output, "could not be written: " + pathText(input) + " " + outcome.readError, result,
                             host);
        return;
    }
    result.notIncluded = outcome.notIncluded;
    if (!writer.commit()) {
        reportNotCreated(output,
                         writer.targetAppeared() ? "appeared during the run and was not replaced" : writer.errorString(),
                         result, host);
        return;
    }
    result.written = true;
    result.finalMessage = "Created " + pathText(output) + " (" + std::to_string(result.notIncluded) + " polygons not included)";
    // The advice only where Max Distance really left polygons out.
    if (outcome.tooFar > 0)
        result.finalMessage.append(kCrLf).append(kCrLf).append("Increase Max Distance to include more polygons.");
    host.message(MessageKind::Notice, result.finalMessage);
}

} // namespace

bool mayWriteMap(const std::vector<fs::path>& inputs, const fs::path& output, bool replaceAgreed,
                 ExistingTarget& existing, Host& host) {
    existing = ExistingTarget::Replace;
    for (const fs::path& input : inputs)
        if (isSameFile(input, output)) {
            host.message(MessageKind::Failure,
                         pathText(output) + (inputs.size() == 1 ? " is the input file" : " is an input file") +
                             "; the map was not created.");
            return false;
        }
    if (replaceAgreed)
        return true;
    if (!isExistingFile(output)) {
        existing = ExistingTarget::Keep; // a map that appears meanwhile is not ours to replace
        return true;
    }
    return host.ask(replaceQuestion(pathText(output)));
}

std::string typeListText(const TypeEntry& entry) {
    return entry.elevation + '\t' + entry.type;
}

fs::path outputPathFor(const fs::path& inputPath) {
    using Char = fs::path::value_type;
    fs::path::string_type name = inputPath.native();
    static constexpr Char kTxt[] = {'.', 't', 'x', 't'};
    const auto isTxt = [&] {
        if (name.size() < 4)
            return false;
        for (std::size_t i = 0; i < 4; ++i) {
            const Char c = name[name.size() - 4 + i];
            if ((c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c) != kTxt[i])
                return false;
        }
        return true;
    };
    if (isTxt())
        name.resize(name.size() - 4);
    static constexpr Char kMp[] = {'.', 'm', 'p', 0};
    return fs::path(name + kMp);
}

std::string levelDigits(const std::array<bool, 4>& detailLevels) {
    std::string digits;
    for (std::size_t i = 0; i < detailLevels.size(); ++i)
        if (detailLevels[i])
            digits += static_cast<char>('0' + i);
    return digits;
}

namespace {

// Both passes when `write`, else only the listing of the elevations.
ConversionResult runConversion(bool write, const ConversionOptions& options, Host& host) {
    ConversionResult result;
    GeoVectorReader reader;
    if (!checkInput(options, reader, host))
        return result;
    host.progress(1);
    if (write && options.maxDistance.rejected)
        host.message(MessageKind::Failure,
                     "Max Distance \"" + *options.maxDistance.rejected +
                         "\" is not a number; 0 is used, so only closed polygons are written.");
    const fs::path output = options.outputPath.empty() ? outputPathFor(options.inputPath) : options.outputPath;
    result.mapPath = output;
    ExistingTarget existing = ExistingTarget::Replace;
    if (write && !mayWriteMap({options.inputPath}, output, options.replaceExisting, existing, host))
        return result;

    const std::optional<FileStamp> inputStamp = stampOf(options.inputPath);
    MapWriter writer(output, existing);
    if (write)
        writer.open(options.copyright);
    ElevationTypes table;
    const std::int64_t firstType = firstTypeOrZero(options.firstType, host);
    ScanCounts counts;
    const ScanOutcome scan = scanElevations(reader, table, host, counts);
    if (scan != ScanOutcome::Done) {
        result.cancelled = scan == ScanOutcome::Cancelled;
        if (scan == ScanOutcome::ReadFailed)
            host.message(MessageKind::Failure, pathText(options.inputPath) + " " + reader.errorString());
        return result;
    }
    // Records without a single vertex line: not Geo Vector text (or not text at all), whose
    // "elevations" would only be noise.
    if (counts.records > 0 && !counts.anyVertex) {
        host.message(MessageKind::Failure, pathText(options.inputPath) + " holds no Geo Vector polygons");
        return result;
    }
    table.assign(firstType);
    fillResult(table, result);
    result.ranPasses = true;
    if (!write)
        return result;
    if (!writer.good()) {
        reportNotCreated(output, writer.errorString(), result, host);
        return result;
    }

    WriteSettings settings{levelDigits(options.detailLevels), options.maxDistance.metres, options.addContours,
                           counts.records};
    writeMap(reader, table, settings, options.inputPath, inputStamp, writer, result, host);
    return result;
}

} // namespace

ConversionResult convertGeoVector(const ConversionOptions& options, Host& host) {
    return runConversion(true, options, host);
}

ConversionResult listElevations(const ConversionOptions& options, Host& host) {
    return runConversion(false, options, host);
}

std::uint32_t firstTypeOrZero(const FirstType& firstType, Host& host) {
    if (!firstType.rejected)
        return firstType.value;
    host.message(MessageKind::Failure,
                 "Polygon type \"" + *firstType.rejected +
                     "\" is not a hexadecimal number of at most 8 digits; the types start at 0.");
    return 0;
}

} // namespace orolith
