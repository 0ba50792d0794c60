#include "core/geo_vector.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace orolith {
namespace {

using testing::TempDir;
using PieceList = std::vector<std::tuple<std::string, Cut, Cut>>;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, from)) {
        pieces.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    pieces.push_back(text.substr(from));
    return pieces;
}

// The pieces as the format defines them: cut at every "L " into records, then every record
// at every CR LF into lines.
PieceList expectedPieces(const std::string& text) {
    PieceList expected;
    const auto records = split(text, "L ");
    for (std::size_t k = 0; k < records.size(); ++k) {
        const auto lines = split(records[k], "\r\n");
        for (std::size_t j = 0; j < lines.size(); ++j) {
            const Cut before = j > 0 ? Cut::Line : k > 0 ? Cut::Record : Cut::FileStart;
            const Cut after = j + 1 < lines.size()     ? Cut::Line
                              : k + 1 < records.size() ? Cut::Record
                                                       : Cut::FileEnd;
            expected.emplace_back(lines[j], before, after);
        }
    }
    return expected;
}

PieceList readPieces(const std::filesystem::path& file, std::size_t blockSize) {
    GeoVectorReader reader(blockSize);
    EXPECT_TRUE(reader.open(file.string()));
    PieceList pieces;
    Piece piece;
    while (reader.next(piece))
        pieces.emplace_back(std::string(piece.text), piece.before, piece.after);
    EXPECT_EQ(reader.error(), "");
    return pieces;
}

std::vector<std::string> readHeads(const std::filesystem::path& file, std::size_t blockSize) {
    GeoVectorReader reader(blockSize);
    EXPECT_TRUE(reader.open(file.string()));
    std::vector<std::string> heads;
    Piece piece;
    while (reader.skipToRecord() && reader.next(piece))
        heads.emplace_back(piece.text);
    return heads;
}

TEST(GeoVectorReader, CutsLikeTheFormatWhateverTheBlockBoundaries) {
    TempDir dir;
    std::mt19937 random(42);
    const std::string alphabet = "LL  \r\r\n\na1.";
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 120);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        const auto file = dir.write("random.txt", text);
        const PieceList expected = expectedPieces(text);
        std::vector<std::string> expectedHeads;
        for (const auto& [pieceText, before, after] : expected)
            if (before == Cut::Record)
                expectedHeads.push_back(pieceText);
        for (std::size_t block : {4u, 5u, 7u, 64u}) {
            ASSERT_EQ(readPieces(file, block), expected) << "text: " << ::testing::PrintToString(text);
            ASSERT_EQ(readHeads(file, block), expectedHeads) << "text: " << ::testing::PrintToString(text);
        }
    }
}

TEST(GeoVectorReader, RewindStartsAgainAndLongPiecesGrowTheBuffer) {
    TempDir dir;
    const std::string longLine(100000, '7');
    const auto file = dir.write("long.txt", "pre\r\nL 1 " + longLine + "\r\n x y\r\n");
    GeoVectorReader reader(16);
    ASSERT_TRUE(reader.open(file.string()));
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(reader.rewind());
        ASSERT_TRUE(reader.skipToRecord());
        Piece piece;
        ASSERT_TRUE(reader.next(piece));
        EXPECT_EQ(piece.text, "1 " + longLine);
        ASSERT_TRUE(reader.next(piece));
        EXPECT_EQ(piece.text, " x y");
    }
}

TEST(GeoVectorReader, MissingFileIsAnError) {
    GeoVectorReader reader;
    EXPECT_FALSE(reader.open("/nonexistent/folder/file.txt"));
    EXPECT_EQ(reader.error(), "No such file or directory");
}

TEST(ElevationText, TakesTheTextAfterTheFirstSpaceUpToThePoint) {
    EXPECT_EQ(elevationTextOf("23 100.0"), "100");
    EXPECT_EQ(elevationTextOf("100.0"), "100");
    EXPECT_EQ(elevationTextOf("-12.75"), "-12");
    EXPECT_EQ(elevationTextOf("7 250"), "250");
    EXPECT_EQ(elevationTextOf("100.4"), "100");
    EXPECT_EQ(elevationTextOf("1 123.9"), "123");
    EXPECT_EQ(elevationTextOf("1 -4.5"), "-4");
    // A file with LF line ends: the record is one line, cut at the first point anywhere.
    EXPECT_EQ(elevationTextOf("1 100\n -3.5 50.5\n"), "100\n -3");
    EXPECT_EQ(elevationTextOf(""), "");
}

TEST(VertexFields, AreFieldsOneAndTwoCutAtSingleSpaces) {
    std::string_view longitude, latitude;
    ASSERT_TRUE(vertexFields(" 6.25 45.5", longitude, latitude));
    EXPECT_EQ(longitude, "6.25");
    EXPECT_EQ(latitude, "45.5");
    ASSERT_TRUE(vertexFields("9 6.25 45.5 extra fields", longitude, latitude));
    EXPECT_EQ(latitude, "45.5");
    ASSERT_TRUE(vertexFields("  6.25 45.5", longitude, latitude)); // two spaces: an empty field 1
    EXPECT_EQ(longitude, "");
    EXPECT_EQ(latitude, "6.25");
    ASSERT_TRUE(vertexFields(" 6.25 ", longitude, latitude));
    EXPECT_EQ(latitude, "");
    EXPECT_FALSE(vertexFields(" 6.25", longitude, latitude));
    EXPECT_FALSE(vertexFields("garbage", longitude, latitude));
}

} // namespace
} // namespace orolith
