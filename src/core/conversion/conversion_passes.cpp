#include "core/conversion/conversion_passes.h"

#include "core/conversion/distance.h"
#include "core/conversion/vertex_list.h"

#include <algorithm>

namespace orolith {

namespace {

constexpr std::int64_t kProgressEvery = 50;
constexpr std::int64_t kCancelPollEvery = 4096;

// One failure of a kind is shown with its place; the rest are counted and summed up once.
class FailureTally {
  public:
    explicit FailureTally(std::string summary) : summary_(std::move(summary)) {}

    // `count` failures of which `text` describes the first.
    void add(Host& host, const std::string& text, std::int64_t count = 1) {
        if (count_ == 0)
            host.message(MessageKind::Failure, text);
        count_ += count;
    }
    void report(Host& host) const {
        if (count_ > 1)
            host.message(MessageKind::Failure, std::to_string(count_ - 1) + summary_);
    }

  private:
    std::string summary_;
    std::int64_t count_ = 0;
};

// The polygon being read: its type and record number, and its vertex list.
struct Polygon {
    const std::string* type = nullptr;
    std::int64_t number = 0;
    VertexList vertices;

    void start(const std::string* recordType, std::int64_t recordNumber) {
        type = recordType;
        number = recordNumber;
        vertices.clear();
    }
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
        if (vertexFields(line, longitude, latitude))
            polygon_.vertices.add(latitude, longitude);
        else
            shortLine(lineNumber, 1);
    }

    // Complete vertex lines, each with its CR LF, the first of them line `firstLine`; returns
    // how many there were.
    std::uint64_t vertexLines(std::string_view lines, std::uint64_t firstLine) {
        if (!open_)
            return lineCount(lines);
        const VertexList::RunCounts counts = polygon_.vertices.addLines(lines);
        if (counts.shortLines > 0)
            shortLine(firstLine + static_cast<std::uint64_t>(counts.firstShortLine), counts.shortLines);
        return static_cast<std::uint64_t>(counts.lines);
    }

    void finish() {
        if (!open_)
            return;
        open_ = false;
        if (polygon_.vertices.empty() || polygon_.type == nullptr) {
            ++notIncluded_;
            ++withoutVertices_;
            return;
        }
        std::string failure;
        const double metres =
            distance(polygon_.vertices.firstPoint(), polygon_.vertices.lastPoint(), "K", &failure);
        if (!failure.empty())
            badPoints_.add(host_, "Record " + std::to_string(polygon_.number) + ": " + failure +
                                      "; a missing value counts as 0.");
        if (metres <= settings_.maxDistance) {
            writer_.polygon(*polygon_.type, settings_.levelDigits, polygon_.vertices.text(),
                            settings_.addContours);
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
    void shortLine(std::uint64_t lineNumber, std::int64_t count) {
        shortLines_.add(host_,
                        "Record " + std::to_string(polygon_.number) + " (line " + std::to_string(lineNumber) +
                            "): a vertex line has fewer than three fields; the vertex was left out.",
                        count);
    }

    static std::uint64_t lineCount(std::string_view lines) {
        std::uint64_t count = 0;
        for (std::size_t at = lines.find("\r\n"); at != std::string_view::npos;
             at = lines.find("\r\n", at + 2))
            ++count;
        return count;
    }

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
    return reader.errorString().empty() ? ScanOutcome::Done : ScanOutcome::ReadFailed;
}

WriteOutcome writePolygons(GeoVectorReader& reader, const ElevationTypes& table,
                           const WriteSettings& settings, MapWriter& writer, Host& host) {
    WriteOutcome outcome;
    if (!reader.rewind()) {
        outcome.readError = reader.errorString();
        return outcome;
    }
    PolygonPass pass(table, settings, writer, host);
    const auto records = std::max<std::int64_t>(settings.records, 1);
    Piece piece;
    std::int64_t number = 0;
    std::uint64_t line = 1;
    std::string_view lines;
    for (;;) {
        if (reader.nextLines(lines)) {
            line += pass.vertexLines(lines, line);
            continue;
        }
        if (!reader.next(piece))
            break;
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
    outcome.readError = reader.errorString();
    outcome.notIncluded = pass.summarise();
    outcome.tooFar = pass.tooFar();
    return outcome;
}

} // namespace orolith
