#include "cli/area_fetch.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/option_reader.h"
#include "cli/input_files.h"
#include "cli/job_arguments.h"
#include "core/conversion/typed_numbers.h"
#include "core/platform/paths.h"
#include "core/platform/size_text.h"
#include "core/platform/text_number.h"
#include "render/band_painter.h"
#include "render/elevation_model_bands.h"
#include "render/geo_vector_bands.h"
#include "render/picture_file.h"
#include "render/world_file.h"

#include <charconv>
#include <filesystem>
#include <ostream>

namespace orolith::cli {

namespace {

constexpr std::string_view kRenderUsage =
    "Usage: orolith render INPUT --output FILE.png [OPTIONS]\n"
    "       orolith render DEM... --output FILE.png [OPTIONS]\n"
    "\n"
    "Draws the elevation bands of a Geo Vector file (or of elevation models, one mosaic) as the\n"
    "receiver shows them with the TYP\n"
    "file of the same options: each band's colour and fill pattern, in draw order. The picture\n"
    "is plate carree (longitude and latitude linear); a world file (.pgw) beside it places it.\n"
    "\n"
    "Options:\n"
    "  --output FILE.png      the picture to write (required)\n"
    "  --size WIDTHxHEIGHT    picture size in pixels (default: 1600 on the long side)\n"
    "  --bbox S,W,N,E         the area drawn, in degrees (default: the input's extent); without\n"
    "                         INPUT, the elevation tiles of that area are fetched first, as\n"
    "                         'orolith fetch' does (with its --source, --base-url, --dir)\n"
    "  --background COLOUR    where no band is: #RRGGBB, a colour name or 'transparent'\n"
    "                         (default: white)\n"
    "  --max-distance METRES  outlines whose ends lie further apart are left out, as\n"
    "                         in the map (default: 45000)\n"
    "  --contours             draw every outline as a contour line too\n"
    "  --pattern FILE.ptn     the fill pattern from a pattern file\n"
    "  --pattern-text TEXT    the fill pattern's rows; \\n separates them\n"
    "                         (default: the checkerboard 01010101\\n10101010)\n"
    "  --palette FILE.col     the elevation colours from a palette file (default: built in)\n"
    "  --ramp NAME|FILE       the band colours: a built-in ramp (atlas, high-contrast, grey,\n"
    "                         classic: the palette's colours) or a gdaldem color-relief text,\n"
    "                         GMT .cpt or QGIS colour map file (default: atlas for elevation\n"
    "                         models without --palette, else classic)\n"
    "  --first-type HEX       first polygon type, hexadecimal (default: 10300)\n"
    "  --max-draworder TEXT   highest draw order (default: 14)\n"
    "  --one-colour           light grey shades instead of the palette's colours\n"
    "  --row-per-band         each band repeats one row of the pattern\n"
    "  --interval, --base, --fill-voids, --smooth, --simplify, --threads\n"
    "                         elevation models, as for 'orolith mp'\n"
    "  --help                 show this text\n"
    "\n"
    "Exit status: 0 the picture was written, 1 it was not, 2 a usage error.\n";

constexpr CommandInfo kRenderCommand{"render", kRenderUsage, true};

constexpr int kDefaultLongSide = 1600;
constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 100'000'000;

bool readNumber(std::string_view text, double& value) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::string degrees(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6).ptr;
    return std::string(text, end);
}

std::string boxText(const render::GeoBox& box) {
    return degrees(box.south) + "," + degrees(box.west) + "," + degrees(box.north) + "," + degrees(box.east);
}

std::optional<QSize> readSize(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    int width = 0, height = 0;
    if (x == std::string_view::npos)
        return std::nullopt;
    const auto w = std::from_chars(text.data(), text.data() + x, width);
    const auto h = std::from_chars(text.data() + x + 1, text.data() + text.size(), height);
    if (w.ec != std::errc() || w.ptr != text.data() + x || h.ec != std::errc() ||
        h.ptr != text.data() + text.size() || width < 1 || height < 1 || width > kMaxSide || height > kMaxSide ||
        static_cast<long long>(width) * height > kMaxPixels)
        return std::nullopt;
    return QSize(width, height);
}

std::optional<render::GeoBox> readBox(std::string_view text) {
    const std::vector<std::string> parts = splitList(text);
    render::GeoBox box;
    if (parts.size() != 4 || !readNumber(parts[0], box.south) || !readNumber(parts[1], box.west) ||
        !readNumber(parts[2], box.north) || !readNumber(parts[3], box.east))
        return std::nullopt;
    if (!(box.south < box.north && box.west < box.east && box.south >= -90 && box.north <= 90 &&
          box.west >= -180 && box.east <= 180))
        return std::nullopt;
    return box;
}

std::optional<QColor> readColour(const std::string& text) {
    if (text == "transparent" || text == "none")
        return QColor(Qt::transparent);
    QString name = QString::fromStdString(text);
    if (name.size() == 6 && !name.startsWith(QLatin1Char('#')))
        name.prepend(QLatin1Char('#'));
    const QColor colour(name);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

struct RenderSettings {
    InputFiles inputs;
    std::string input; // named in messages: the Geo Vector file or the first elevation model
    std::filesystem::path output;
    std::optional<QSize> size;
    std::optional<render::GeoBox> area;
    QColor background = Qt::white;
    bool contours = false;
    render::BandReadSettings reading;
};

bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

// The bands of the input, after saying why when there is nothing to draw.
std::optional<render::BandSet> readBands(const RenderSettings& settings, CliHost& host) {
    host.setProgressLabel("Reading");
    auto bands = settings.inputs.isDem
                     ? render::readElevationModelBands(settings.inputs.dem, settings.reading, host)
                     : render::readGeoVectorBands(settings.input, settings.reading, host);
    host.endProgress();
    if (!bands)
        return std::nullopt;
    if (bands->types.empty()) {
        host.message(MessageKind::Failure, settings.input + " holds no elevation bands.");
        return std::nullopt;
    }
    if (bands->polygons.empty()) {
        host.message(MessageKind::Failure,
                     settings.input + " holds no polygon the map would include: every outline stays open "
                                      "by more than the maximum distance (--max-distance).");
        return std::nullopt;
    }
    if (settings.area && !settings.area->intersects(bands->extent)) {
        host.message(MessageKind::Failure, "The area " + boxText(*settings.area) + " holds none of the bands of " +
                                               settings.input + ", which lie within " +
                                               boxText(bands->extent) + ".");
        return std::nullopt;
    }
    return bands;
}

int renderPicture(const RenderSettings& settings, const TypJob& job, Streams& io) {
    CliHost host(io);
    auto style = render::styleChoiceOf(job.style, job.palette, host);
    if (!style)
        return 1;
    style->tint = job.tint;
    for (const std::string& input : settings.inputs.isDem ? settings.inputs.dem.inputs
                                                         : std::vector<std::string>{settings.input})
        if (isSameFile(settings.output, input) || isSameFile(render::worldFilePathFor(settings.output), input)) {
            host.message(MessageKind::Failure,
                         "The picture would replace the input:\r\n" + input + "\r\n\r\nNothing was written.");
            return 1;
        }
    const auto bands = readBands(settings, host);
    if (!bands)
        return 1;
    const render::GeoBox area = settings.area.value_or(bands->extent);
    const QSize size = settings.size.value_or(render::MapView::sizeFor(area, kDefaultLongSide));
    const render::MapView view = render::MapView::stretched(area, size);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        host.message(MessageKind::Failure, "Not enough memory for a picture of this size.");
        return 1;
    }
    render::PaintOptions paint;
    paint.background = settings.background;
    paint.contours = settings.contours;
    render::paintBands(image, view, *bands, render::bandLooks(*style, bands->types, bands->lowest), paint);
    if (!render::writePictureFiles(image, view, settings.output, host))
        return 1;
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(settings.output, ec);
    host.message(MessageKind::Notice, "Created " + pathText(settings.output) + " (" + std::to_string(size.width()) +
                                          " × " + std::to_string(size.height()) + " pixels" +
                                          (ec ? std::string() : ", " + sizeText(bytes)) + ")");
    return 0;
}

} // namespace

int runRender(Args args, Streams& io) {
    const ParsedArgs parsed =
        readArgs(args,
                 withAreaOptions({"--output", "--size", "--background", "--max-distance", "--pattern",
                                  "--pattern-text", "--palette", "--ramp", "--first-type", "--max-draworder", "--interval",
                                  "--base", "--smooth", "--simplify", "--threads"}),
                 {"--contours", "--one-colour", "--row-per-band", "--fill-voids", "--help", "--across-180"});
    RenderSettings settings;
    if (const auto code = readInputFiles(parsed, kRenderCommand, io, settings.inputs))
        return *code;
    if (const auto code = readRunOptions(parsed, kRenderCommand, io, HoleDefault::None, settings.inputs.dem))
        return *code;
    if (const auto problem = styleUsageProblem(parsed))
        return usageError(io, kRenderCommand, *problem);
    settings.input = settings.inputs.isDem ? settings.inputs.dem.inputs.front() : settings.inputs.geoVector;
    const auto output = parsed.value("--output");
    if (!output || output->empty())
        return usageError(io, kRenderCommand, "--output FILE.png is required");
    settings.output = *output;
    if (const auto size = parsed.value("--size")) {
        settings.size = readSize(*size);
        if (!settings.size)
            return usageError(io, kRenderCommand,
                              "--size takes WIDTHxHEIGHT, each 1 to 16384 pixels, not '" + *size + "'");
    }
    if (const auto box = parsed.value("--bbox")) {
        settings.area = readBox(*box);
        if (!settings.area)
            return usageError(io, kRenderCommand,
                              "--bbox takes SOUTH,WEST,NORTH,EAST in degrees, south below north and west "
                              "of east, not '" + *box + "'");
    }
    if (const auto colour = parsed.value("--background")) {
        const auto background = readColour(*colour);
        if (!background)
            return usageError(io, kRenderCommand, "--background takes #RRGGBB or a colour name, not '" + *colour + "'");
        settings.background = *background;
    }
    settings.contours = parsed.has("--contours");
    if (const auto code = checkInputsReadable(settings.inputs, kRenderCommand, io))
        return *code;
    if (const auto text = parsed.value("--max-distance"))
        settings.reading.maxDistance = MaxDistance::fromText(*text).metres;
    TypJob job;
    if (!readStyleArguments(parsed, io, kRenderCommand.name, job) ||
        !readRampArgument(parsed, io, kRenderCommand.name, settings.inputs.isDem,
                          !settings.inputs.dem.seaCells.empty(), job.tint))
        return 1;
    settings.reading.firstType = job.style.firstType;
    return renderPicture(settings, job, io);
}

} // namespace orolith::cli
