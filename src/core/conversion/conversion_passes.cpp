#include "core/conversion/conversion_passes.h"

#include "core/conversion/distance.h"

#include <algorithm>

namespace orolith {

namespace {

constexpr std::int64_t kProgressEvery = 50;
constexpr std::int64_t kCancelPollEvery = 4096;

// One failure of a kind is shown with its place; the rest are counted and summed up once.
class FailureTally {
  public:
    explicit FailureTally(std::string summary) : summary_(std::move(summary)) {}

    void add(Host& host, const std::string& text) {
        if (count_++ == 0)
            host.message(MessageKind::Failure, text);
    }
    void report(Host& host) const {
        if (count_ > 1)
            host.message(MessageKind::Failure, std::to_string(count_ - 1) + summary_);
    }

  private:
    std::string summary_;
    std::int64_t count_ = 0;
};

// The polygon being read: its type, its vertex list, and its first and last vertex as
// point texts ("latitude,longitude"), taken from the vertex list where it holds them as read.
struct Polygon {
    const std::string* type = nullptr;
    std::int64_t number = 0;
    std::string vertices;
    std::int64_t count = 0;

    void start(const std::string* recordType, std::int64_t recordNumber) {
        type = recordType;
        number = recordNumber;
        vertices.clear();
        count = 0;
    }
    void add(std::string_view latitude, std::string_view longitude, bool hasParenthesis) {
        const std::size_t start = vertices.empty() ? 0 : vertices.size() + 1;
        const bool plain = hasParenthesis ? appendVertex(vertices, latitude, longitude)
                                          : appendVertexWithoutParenthesis(vertices, latitude, longitude);
        if (count++ == 0)
            first_.keep(plain, start, latitude, longitude);
        last_.keep(plain, start, latitude, longitude);
    }
    std::string_view firstPoint() const { return first_.point(vertices, first_.start); }
    std::string_view lastPoint() const { return last_.point(vertices, last_.start); }

  private:
    struct End {
        bool plain = true;
        std::size_t start = 0;
        std::size_t length = 0;
        std::string copy; // the point text when the vertex list holds it changed

        void keep(bool isPlain, std::size_t at, std::string_view latitude, std::string_view longitude) {
            plain = isPlain;
            start = at;
            length = latitude.size() + 1 + longitude.size();
            if (!plain)
                copy.assign(latitude).append(",").append(longitude);
        }
        std::string_view point(const std::string& list, std::size_t at) const {
            return plain ? std::string_view(list).substr(at + 1, length) : std::string_view(copy);
        }
    };
    End first_, last_;
};

class PolygonPass {
  public:
    PolygonPass(const ElevationTypes& table, const WriteSettings& settings, MapWriter& writer, Host& host)
        : table_(table), settings_(settings), writer_(writer), host_(host) {}

    void head(const Piece& piece, std::int64_t number) {
        finish();
        const std::string_view key = elevationTextOf(piece.text);
        open_ = !(piece.text.empty() && piece.after != Cut::Line);
        polygon_.start(table_.typeOf(key), number);
    }

    void vertexLine(std::string_view line, std::uint64_t lineNumber) {
        if (!open_)
            return;
        std::string_view longitude, latitude;
        bool hasParenthesis = false;
        if (vertexFields(line, longitude, latitude, hasParenthesis)) {
            polygon_.add(latitude, longitude, hasParenthesis);
            return;
        }
        shortLines_.add(host_, "Record " + std::to_string(polygon_.number) + " (line " +
                                   std::to_string(lineNumber) +
                                   "): a vertex line has fewer than three fields; the vertex was left out.");
    }

    void finish() {
        if (!open_)
            return;
        open_ = false;
        if (polygon_.count == 0 || polygon_.type == nullptr) {
            ++notIncluded_;
            ++withoutVertices_;
            return;
        }
        std::string failure;
        const double metres = distance(polygon_.firstPoint(), polygon_.lastPoint(), "K", &failure);
        if (!failure.empty())
            badPoints_.add(host_, "Record " + std::to_string(polygon_.number) + ": " + failure +
                                      "; a missing value counts as 0.");
        if (metres <= settings_.maxDistance) {
            writer_.polygon(*polygon_.type, settings_.levelDigits, polygon_.vertices, settings_.addContours);
        } else {
            ++notIncluded_;
            ++tooFar_;
        }
    }

    std::int64_t tooFar() const { return tooFar_; }

    std::int64_t summarise() {
        finish();
        shortLines_.report(host_);
        badPoints_.report(host_);
        if (withoutVertices_ > 0)
            host_.message(MessageKind::Failure,
                          "Records without vertices were not written: " + std::to_string(withoutVertices_) +
                              " (vertex lines end with CR LF).");
        return notIncluded_;
    }

  private:
    const ElevationTypes& table_;
    const WriteSettings& settings_;
    MapWriter& writer_;
    Host& host_;
    Polygon polygon_;
    bool open_ = false;
    std::int64_t notIncluded_ = 0;
    std::int64_t withoutVertices_ = 0;
    std::int64_t tooFar_ = 0;
    FailureTally shortLines_{" more vertex lines with fewer than three fields were left out."};
    FailureTally badPoints_{" more first or last vertices could not be read as numbers."};
};

// Reads the lines after a record's head (the current piece) up to the first vertex line,
// as the writing pass would take them; stops at the end of the record.
bool recordHasVertex(GeoVectorReader& reader, Piece& piece) {
    std::string_view longitude, latitude;
    while (piece.after == Cut::Line && reader.next(piece))
        if (piece.after == Cut::Line && vertexFields(piece.text, longitude, latitude))
            return true;
    return false;
}

} // namespace

ScanOutcome scanElevations(GeoVectorReader& reader, ElevationTypes& table, Host& host, ScanCounts& counts) {
    if (!reader.rewind())
        return ScanOutcome::ReadFailed;
    Piece piece;
    counts = {};
    while (reader.skipToRecord()) {
        if (!reader.next(piece))
            break;
        if (++counts.records % kCancelPollEvery == 0 && host.cancelled())
            return ScanOutcome::Cancelled;
        if (piece.text.empty() && piece.after != Cut::Line)
            continue; // "L " right before another "L " or the end: no record text at all
        table.note(elevationTextOf(piece.text));
        if (!counts.anyVertex)
            counts.anyVertex = recordHasVertex(reader, piece);
    }
    return reader.error().empty() ? ScanOutcome::Done : ScanOutcome::ReadFailed;
}

WriteOutcome writePolygons(GeoVectorReader& reader, const ElevationTypes& table,
                           const WriteSettings& settings, MapWriter& writer, Host& host) {
    WriteOutcome outcome;
    if (!reader.rewind()) {
        outcome.readError = reader.error();
        return outcome;
    }
    PolygonPass pass(table, settings, writer, host);
    const auto records = std::max<std::int64_t>(settings.records, 1);
    Piece piece;
    std::int64_t number = 0;
    std::uint64_t line = 1;
    while (reader.next(piece)) {
        if (piece.before == Cut::Record) {
            pass.head(piece, ++number);
            if (number % kProgressEvery == 0) {
                host.progress(static_cast<double>(number) / static_cast<double>(records) * 100.0);
                if (host.cancelled()) {
                    outcome.cancelled = true;
                    return outcome;
                }
            }
        } else if (piece.before == Cut::Line && piece.after == Cut::Line) {
            pass.vertexLine(piece.text, line);
        }
        if (piece.after == Cut::Line)
            ++line;
    }
    outcome.readError = reader.error();
    outcome.notIncluded = pass.summarise();
    outcome.tooFar = pass.tooFar();
    return outcome;
}

} // namespace orolith
