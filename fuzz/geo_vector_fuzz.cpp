// The Geo Vector reader's pieces, read in blocks from 1 to 64 bytes so that every cut falls
// across a block boundary somewhere, and the vertex of every line piece.
#include "core/conversion/geo_vector.h"
#include "core/conversion/vertex_list.h"
#include "fuzz_support.h"

using namespace orolith;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t blockSize = 1 + data[0] % 64;
    const std::string_view text = fuzz::textOf(data + 1, size - 1);
    GeoVectorReader reader(blockSize);
    if (!reader.open(fuzz::scratchFile(text).string()))
        return 0;
    Piece piece;
    std::size_t pieceBytes = 0;
    static VertexList single, run;
    while (reader.next(piece)) {
        pieceBytes += piece.text.size();
        if (pieceBytes > text.size() || reader.position() > text.size())
            fuzz::broken("pieces hold more than the text");
        const std::string_view key = elevationTextOf(piece.text);
        if (key.size() > piece.text.size())
            fuzz::broken("an elevation key longer than its line");
        if (piece.after != Cut::Line)
            continue;
        // The vertex of a line alone and of the same line in a run must be the same.
        std::string_view longitude, latitude;
        const bool split = vertexFields(piece.text, longitude, latitude);
        single.clear();
        if (split)
            single.add(latitude, longitude);
        run.clear();
        const VertexList::RunCounts counts = run.addLines(std::string(piece.text) + "\r\n");
        if (counts.lines != 1 || counts.shortLines != (split ? 0 : 1) || single.text() != run.text() ||
            (split && (single.firstPoint() != run.firstPoint() || single.lastPoint() != run.lastPoint())))
            fuzz::broken("a vertex line alone and in a run disagree");
    }
    if (!reader.rewind())
        return 0;
    while (reader.skipToRecord() && reader.next(piece)) {
    }
    return 0;
}
