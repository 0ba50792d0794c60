#pragma once
// Converting a Geo Vector file: every distinct elevation gets its own Garmin polygon type,
// and in write mode every polygon whose outline is (nearly) closed goes into a Polish map.

#include "core/conversion/typed_numbers.h"
#include "core/host.h"
#include "core/platform/atomic_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orolith {

struct ConversionOptions {
    std::filesystem::path inputPath;    // the Geo Vector file
    std::array<bool, 4> detailLevels{}; // Highest, High, Medium, Low
    FirstType firstType;                // 0x10300 unless given
    MaxDistance maxDistance;            // 45000 m unless given
    bool addContours = false;
    std::filesystem::path outputPath; // empty: derived from inputPath (see outputPathFor)
    bool replaceExisting = false;     // true: replace an existing map without the "Replace?" question
    std::string copyright;            // the header's Copyright value (empty: "PROGRAM")
};

// Whether a run writes the map or only lists the elevations (for drivers that do either).
enum class ConversionMode { Write, ListOnly };

// One distinct elevation of the input and its polygon type (upper-case hex, no prefix).
struct TypeEntry {
    std::string elevation;
    std::string type;
};
using TypeList = std::vector<TypeEntry>;

// The list box's text of an entry: elevation, a tab, the type.
std::string typeListText(const TypeEntry& entry);

struct ConversionResult {
    bool ranPasses = false; // the checks passed and the passes ran
    bool written = false;   // write mode: the map is complete on disk
    bool cancelled = false; // the host cancelled the run; nothing was written
    TypeList types;         // every distinct elevation in order of first appearance
    std::int32_t lowest = 0;
    std::vector<std::string> legendCaptions; // one per colour table entry (see legend_captions.h)
    std::filesystem::path mapPath;           // the output path of this input
    std::string finalMessage;                // "Created …" (or why the map was not created)
    std::int64_t notIncluded = 0;
};

// The map's path for an input: a final ".txt" (any letter case) becomes ".mp", any other
// name gets ".mp" appended. Never the input path itself.
std::filesystem::path outputPathFor(const std::filesystem::path& inputPath);

// The level digits of the selected detail levels in ascending order ("03" for Highest and Low).
std::string levelDigits(const std::array<bool, 4>& detailLevels);

// Whether the map may be written to `output`: never over one of `inputs` (said, and false); over
// an existing map only when replacing was agreed or the "Replace?" question is answered Yes.
// `existing` tells whether a map that is there by the end of the run may be replaced.
bool mayWriteMap(const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& output,
                 bool replaceAgreed, ExistingTarget& existing, Host& host);

// The first type of a run; when the text it was read from was no first type, that is said and
// the types start at 0, for Geo Vector and elevation-model maps alike.
std::uint32_t firstTypeOrZero(const FirstType& firstType, Host& host);

// Lists the elevations, then writes the map. Messages, the "Replace?" question and progress
// go through `host`.
ConversionResult convertGeoVector(const ConversionOptions& options, Host& host);

// Only lists the elevations and their types; nothing is written.
ConversionResult listElevations(const ConversionOptions& options, Host& host);

} // namespace orolith
