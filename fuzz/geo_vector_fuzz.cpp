// The Geo Vector reader's pieces, read in blocks from 1 to 64 bytes so that every cut falls
// across a block boundary somewhere, and the field splitting of every piece.
#include "core/conversion/geo_vector.h"
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
    while (reader.next(piece)) {
        pieceBytes += piece.text.size();
        if (pieceBytes > text.size() || reader.position() > text.size())
            fuzz::broken("pieces hold more than the text");
        const std::string_view key = elevationTextOf(piece.text);
        if (key.size() > piece.text.size())
            fuzz::broken("an elevation key longer than its line");
        std::string_view longitude, latitude, longitude2, latitude2;
        bool hasParenthesis = false;
        const bool split = vertexFields(piece.text, longitude, latitude, hasParenthesis);
        if (split != vertexFields(piece.text, longitude2, latitude2) ||
            (split && (longitude != longitude2 || latitude != latitude2)))
            fuzz::broken("the two field splitters disagree");
        if (hasParenthesis != (piece.text.find('(') != std::string_view::npos))
            fuzz::broken("a parenthesis missed or invented");
    }
    if (!reader.rewind())
        return 0;
    while (reader.skipToRecord() && reader.next(piece)) {
    }
    return 0;
}
