#include "render/geo_vector_bands.h"

#include "core/conversion/conversion_passes.h"
#include "core/conversion/distance.h"
#include "core/conversion/elevation_types.h"
#include "core/conversion/geo_vector.h"
#include "core/platform/text_number.h"

#include <filesystem>
#include <unordered_map>

namespace orolith::render {

namespace {

constexpr std::int64_t kCancelPollEvery = 256;

// The record being read: its band, its ring, and its end points as written.
class RecordRing {
  public:
    void start(std::size_t band) {
        band_ = band;
        open_ = true;
        ring_.clear();
        firstText_.clear();
    }
    bool open() const { return open_; }

    void add(std::string_view longitude, std::string_view latitude) {
        if (ring_.empty())
            firstText_.assign(latitude).append(",").append(longitude);
        lastLatitude_.assign(latitude);
        lastLongitude_.assign(longitude);
        ring_.push_back({leadingDecimal(longitude), leadingDecimal(latitude)});
    }

    // The ring closed and simplified, or nothing when the map writer would leave it out or
    // it lies outside the area.
    std::optional<BandPolygon> finish(const BandReadSettings& settings) {
        open_ = false;
        if (ring_.empty())
            return std::nullopt;
        const std::string lastText = lastLatitude_ + "," + lastLongitude_;
        if (distance(firstText_, lastText, "K") > settings.maxDistance)
            return std::nullopt;
        if (!(ring_.front() == ring_.back()))
            ring_.push_back(ring_.front());
        return BandPolygon{band_, {ring_}};
    }

  private:
    std::size_t band_ = 0;
    bool open_ = false;
    Ring ring_;
    std::string firstText_, lastLatitude_, lastLongitude_;
};

// The band list in order of first appearance, with the types the map gives them.
bool readBandList(GeoVectorReader& reader, std::uint32_t firstType, BandSet& bands,
                  std::unordered_map<std::string, std::size_t>& bandOf, Host& host) {
    ElevationTypes table;
    ScanCounts counts;
    const ScanOutcome scan = scanElevations(reader, table, host, counts);
    if (scan == ScanOutcome::ReadFailed)
        host.message(MessageKind::Failure, reader.errorString());
    if (scan != ScanOutcome::Done)
        return false;
    table.assign(firstType);
    bands.lowest = table.lowest();
    for (std::size_t i = 0; i < table.size(); ++i) {
        bands.types.push_back({table.elevation(i), table.type(i)});
        bandOf.emplace(table.elevation(i), i);
    }
    return true;
}

} // namespace

std::optional<BandSet> readGeoVectorBands(const std::string& path, const BandReadSettings& settings,
                                          Host& host, const BatchReady& batchReady) {
    std::error_code ec;
    if (path.empty() || path.find('*') != std::string::npos || !std::filesystem::is_regular_file(path, ec)) {
        host.message(MessageKind::Failure, "Cannot find file:" + path);
        return std::nullopt;
    }
    GeoVectorReader reader;
    BandSet bands;
    bands.tolerance = settings.tolerance;
    std::unordered_map<std::string, std::size_t> bandOf;
    if (!reader.open(path)) {
        host.message(MessageKind::Failure, path + " " + reader.errorString());
        return std::nullopt;
    }
    if (!readBandList(reader, settings.firstType, bands, bandOf, host) || !reader.rewind())
        return std::nullopt;

    const double size = static_cast<double>(std::max<std::uintmax_t>(std::filesystem::file_size(path, ec), 1));
    RecordRing record;
    std::int64_t records = 0;
    const auto finishRecord = [&] {
        if (!record.open())
            return;
        if (auto polygon = record.finish(settings))
            bands.take(std::move(*polygon), settings, batchReady);
    };
    Piece piece;
    while (reader.next(piece)) {
        if (piece.before == Cut::Record) {
            finishRecord();
            if (++records % kCancelPollEvery == 0) {
                if (host.cancelled())
                    return std::nullopt;
                host.progress(static_cast<double>(reader.position()) / size * 100.0);
            }
            if (piece.text.empty() && piece.after != Cut::Line)
                continue;
            record.start(bandOf.at(std::string(elevationTextOf(piece.text))));
        } else if (piece.before == Cut::Line && piece.after == Cut::Line && record.open()) {
            std::string_view longitude, latitude;
            if (vertexFields(piece.text, longitude, latitude))
                record.add(longitude, latitude);
        }
    }
    finishRecord();
    if (!reader.errorString().empty()) {
        host.message(MessageKind::Failure, path + " " + reader.errorString());
        return std::nullopt;
    }
    bands.finish(settings, batchReady);
    return bands;
}

} // namespace orolith::render
