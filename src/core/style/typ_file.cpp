#include "core/style/typ_file.h"

#include "core/platform/atomic_file.h"
#include "core/style/band_colour.h"
#include "core/style/band_tint.h"
#include "core/colour/colour_value.h"
#include "core/conversion/elevation_types.h"
#include "core/platform/paths.h"
#include "core/platform/text_number.h"

#include <algorithm>
#include <filesystem>

namespace orolith {

namespace {

constexpr std::string_view kCrlf = "\r\n";

// Six upper-case hexadecimal digits, red first.
std::string colourText(const Rgb& rgb) {
    return hexUpper(static_cast<std::uint64_t>(rgb.red), 2) + hexUpper(static_cast<std::uint64_t>(rgb.green), 2) +
           hexUpper(static_cast<std::uint64_t>(rgb.blue), 2);
}

int drawOrder(std::size_t band, std::int16_t maxDrawOrder, bool& capped) {
    const auto d = static_cast<std::int64_t>(band / 4 + 1);
    if (d <= maxDrawOrder)
        return static_cast<int>(d);
    capped = true;
    return maxDrawOrder;
}

std::string headerBlock(const TypeList& types, int familyId, std::int16_t maxDrawOrder, bool& capped) {
    std::string h = "[_id]\r\nProductCode = 1\r\nFID = " + std::to_string(familyId) +
                    "\r\nCodePage = 1252\r\n[End]\r\n[_drawOrder]\r\n";
    for (std::size_t i = 0; i < types.size(); ++i)
        h += "Type=0x" + types[i].type + "," + std::to_string(drawOrder(i, maxDrawOrder, capped)) + "\r\n";
    h += "[End]\r\n";
    return h;
}

// The companion list: the code after each code of the sequence from the first type, stepped
// as the map's types are (0x1031F is followed by 0x10400).
std::string companionList(std::uint32_t firstType, std::size_t count) {
    std::string list;
    std::int64_t code = firstType;
    for (std::size_t i = 0; i < count; ++i) {
        code = steppedType(code + 1);
        list += hexUpper(static_cast<std::uint64_t>(code)) + ",";
    }
    return list;
}

// The polygon's colour lines: the "1" pixels' day colour, and with a night colour the
// transparent and the "1" pixels' colours again for the receiver's night mode.
std::string xpmColours(const std::string& day, const std::string& night) {
    if (night.empty())
        return "xpm=\"32 32 2 1\"\r\n\"0 c none\"\r\n\"1 c #" + day + "\"\r\n";
    return "xpm=\"32 32 4 1\"\r\n\"0 c none\"\r\n\"1 c #" + day + "\"\r\n\"2 c none\"\r\n\"3 c #" + night +
           "\"\r\n";
}

std::string polygonBlock(const TypeEntry& entry, const std::string& hex, const std::string& nightHex,
                         const std::string& bitmap) {
    std::string block = "[_polygon]\r\nType=0x" + entry.type + "\r\nString1=0x0," + entry.elevation +
                        " m\r\nExtendedLabels=N\r\n" + xpmColours(hex, nightHex);
    block += bitmap;
    block += "[END]\r\n";
    return block;
}

std::string companionBlock(const TypeEntry& entry, int order, const std::string& hex,
                           const std::string& bitmap) {
    std::string block = "pgon:" + entry.type + "\r\n14\r\n" + std::to_string(order) +
                        "\r\nstring\r\nString1=0x0," + entry.elevation + " m\r\nendstring\r\nlabel:00#" +
                        entry.elevation + " m\r\nExtendedLabels=N,\r\ncol\r\n2\r\n0 c none\r\n1 c #" + hex +
                        "\r\nbmp\r\n";
    block += bitmap;
    block += "##";
    std::erase(block, '"');
    return block;
}

// The band's outline as a line, captioned with the band's label as its polygon is.
std::string lineBlock(const TypeEntry& entry) {
    return "[_line]\r\nType=0x" + entry.type +
           "\r\nLineWidth=2\r\nBorderWidth=0\r\nExtendedLabels=N\r\nString1=0x00," + entry.elevation +
           " m\r\nxpm=\"0 0 1 0\"\r\n\"0 c #000000\" \r\n[END]\r\n";
}

// The three kinds of contour line, thin, medium and thick in browns that stay readable over
// the band tints.
std::string contourLineBlocks() {
    struct Kind {
        const char* type;
        int width;
        const char* colour;
        const char* caption;
    };
    const Kind kinds[] = {{"20", 1, "A0703C", "Minor contour line"},
                          {"21", 2, "8C5A28", "Intermediate contour line"},
                          {"22", 3, "6E4118", "Major contour line"}};
    std::string blocks;
    for (const Kind& kind : kinds)
        blocks += std::string("[_line]\r\nType=0x") + kind.type + "\r\nLineWidth=" + std::to_string(kind.width) +
                  "\r\nBorderWidth=0\r\nExtendedLabels=N\r\nString1=0x00," + kind.caption +
                  "\r\nxpm=\"0 0 1 0\"\r\n\"0 c #" + kind.colour + "\" \r\n[END]\r\n\r\n";
    return blocks;
}

std::filesystem::path comparable(const std::filesystem::path& path) {
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(path, ec);
    if (ec)
        return path.lexically_normal();
    return canonical;
}

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec))
        return true;
    return comparable(a) == comparable(b);
}

// The protected path that `path` names, or nullptr.
const std::filesystem::path* protectedMatch(const std::filesystem::path& path,
                                            const std::vector<std::filesystem::path>& protectedPaths) {
    for (const auto& candidate : protectedPaths)
        if (!candidate.empty() && samePath(path, candidate))
            return &candidate;
    return nullptr;
}

// The failure text when the TYP file or the companion list would replace a protected path.
std::string protectedOutput(const TypJob& job) {
    const std::pair<const std::filesystem::path*, const char*> outputs[] = {{&job.style.typPath, "The TYP file"},
                                                                  {&job.companionPath, "The companion list"}};
    for (const auto& [path, what] : outputs)
        if (protectedMatch(*path, job.protectedPaths) != nullptr)
            return std::string(what) + " would replace the input or the map:\r\n" + pathText(*path) +
                   "\r\n\r\nNothing was written.";
    return {};
}

// The path, a blank and the system's description when the file could not be written.
std::string writeWhole(const std::filesystem::path& path, const std::string& text) {
    std::string error;
    if (writeFileAtomically(path, text, error))
        return {};
    return pathText(path) + " " + error;
}

} // namespace

std::string bandColourText(std::int32_t colour, int step, bool oneColour) {
    return colourText(shadeOf(colour, step, oneColour));
}

TypTexts TypFile::buildTypTexts(const TypJob& job, const Pattern& pattern, const BandColours& colours) {
    TypTexts out;
    const std::int16_t maxDrawOrder = job.style.maxDrawOrder;
    const TypeList& types = job.types;
    // The listing has already said so when the box held no first type.
    const std::uint32_t firstType = job.style.firstType;

    out.typ = headerBlock(types, job.familyId, maxDrawOrder, out.drawOrderCapped);
    out.typ += kCrlf;
    out.companion = companionList(firstType, types.size());
    out.companion += kCrlf;

    bool unused = false;
    out.paletteExhausted = colours.paletteExhausted;
    out.smallestStep = colours.night.empty() ? std::nullopt : std::optional<double>(colours.smallestStep);
    for (std::size_t i = 0; i < types.size(); ++i) {
        const std::string bitmap = fillPatternBitmap(pattern, static_cast<std::int32_t>(i), job.style.rowPerBand);
        const std::string hex = colourText(colours.day[i]);
        out.typ += polygonBlock(types[i], hex, colours.night.empty() ? std::string() : colourText(colours.night[i]),
                                bitmap);
        out.typ += kCrlf;
        out.companion += companionBlock(types[i], drawOrder(i, maxDrawOrder, unused), hex, bitmap);
        out.companion += kCrlf;
    }
    for (std::size_t i = 0; i < types.size(); ++i) {
        out.typ += lineBlock(types[i]);
        out.typ += kCrlf;
    }
    if (job.contourLines)
        out.typ += contourLineBlocks();
    return out;
}

bool TypFile::write(const TypJob& job, const Pattern& pattern) {
    texts_ = {};
    companionError_.clear();
    if (std::string refused = protectedOutput(job); !refused.empty())
        return fail(FileError::NotWritten, std::move(refused));
    const BandColours colours = colourBands(job.palette, job.style.oneColour, job.tint, job.types, job.lowest);
    if (!colours.error.empty())
        return fail(FileError::NotValid, colours.error + "\r\n\r\nNothing was written.");
    texts_ = buildTypTexts(job, pattern, colours);
    companionError_ = writeWhole(job.companionPath, texts_.companion);
    if (std::string error = writeWhole(job.style.typPath, texts_.typ); !error.empty())
        return fail(FileError::NotWritten, error + "\r\n\r\nThe TYP file was not created.");
    return succeed();
}

} // namespace orolith
