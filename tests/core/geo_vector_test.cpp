#include "core/conversion/geo_vector.h"
#include "core/platform/temporary_files.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orolith {
namespace {

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

// Every piece, and (second pass after a rewind) the first piece of every record.
// `block` 0: the file is mapped, not read a block at a time.
GeoVectorReader readerFor(std::size_t block) {
    return block == 0 ? GeoVectorReader(64, 0) : GeoVectorReader(block, std::uint64_t(-1));
}

std::pair<PieceList, std::vector<std::string>> readBoth(const std::filesystem::path& file,
                                                        std::size_t block) {
    GeoVectorReader reader = readerFor(block);
    EXPECT_TRUE(reader.open(file.string()));
    PieceList pieces;
    std::vector<std::string> heads;
    Piece piece;
    while (reader.next(piece))
        pieces.emplace_back(std::string(piece.text), piece.before, piece.after);
    EXPECT_TRUE(reader.rewind());
    while (reader.skipToRecord() && reader.next(piece))
        heads.emplace_back(piece.text);
    EXPECT_EQ(reader.errorString(), "");
    return {pieces, heads};
}

// Every piece again, taking runs of whole lines wherever the reader offers them.
PieceList readWithRuns(const std::filesystem::path& file, std::size_t block) {
    GeoVectorReader reader = readerFor(block);
    EXPECT_TRUE(reader.open(file.string()));
    PieceList pieces;
    Piece piece;
    std::string_view lines;
    for (;;) {
        if (reader.nextLines(lines)) {
            EXPECT_TRUE(lines.size() >= 2 && lines.substr(lines.size() - 2) == "\r\n");
            for (const std::string& line : split(std::string(lines.substr(0, lines.size() - 2)), "\r\n"))
                pieces.emplace_back(line, Cut::Line, Cut::Line);
            continue;
        }
        if (!reader.next(piece))
            break;
        pieces.emplace_back(std::string(piece.text), piece.before, piece.after);
    }
    return pieces;
}

TEST(GeoVectorReader, CutsLikeTheFormatWhateverTheBlockBoundaries) {
    testing::TempDir dir;
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
        for (std::size_t block : {4u, 5u, 7u, 64u, 0u}) {
            ASSERT_EQ(readBoth(file, block), std::make_pair(expected, expectedHeads))
                << "text: " << ::testing::PrintToString(text);
            ASSERT_EQ(readWithRuns(file, block), expected) << "text: " << ::testing::PrintToString(text);
        }
    }
}

TEST(GeoVectorReader, LongPiecesGrowTheBufferAndMissingFilesAreAnError) {
    testing::TempDir dir;
    const std::string longLine(100000, '7');
    const auto file = dir.write("long.txt", "pre\r\nL 1 " + longLine + "\r\n x y\r\n");
    const auto [pieces, heads] = readBoth(file, 16);
    EXPECT_EQ(heads, std::vector<std::string>{"1 " + longLine});
    EXPECT_EQ(std::get<0>(pieces.at(3)), " x y"); // after "pre", "" and the long head

    GeoVectorReader reader;
    EXPECT_FALSE(reader.open("/nonexistent/folder/file.txt"));
    EXPECT_EQ(reader.errorString(), "No such file or directory");
}

// The common cases run through the conversion tests; these are the odd ones.
#ifndef _WIN32
// Another program cuts a mapped input short while it is read: the process says so and ends
// with status 1, and the temporary of the map being written is gone.
TEST(GeoVectorReader, AMappedFileCutShortEndsTheProcessWithAMessage) {
    testing::TempDir dir;
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "L " + std::to_string(i) + "\r\n 1 2\r\n";
    const auto file = dir.write("cut.txt", text);
    const auto temporary = dir.write(".orolith-cutshort0000.tmp", "partial");
    const auto errors = dir / "errors.txt";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::freopen(errors.c_str(), "w", stderr);
        registerTemporary(temporary);
        GeoVectorReader reader(64, 0);
        Piece piece;
        if (!reader.open(file) || !reader.next(piece))
            ::_exit(3);
        std::filesystem::resize_file(file, 0);
        while (reader.next(piece)) {
        }
        ::_exit(0); // not reached: the file is shorter than the map
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(testing::readBytes(errors), "orolith: the input file was cut short while it was read; nothing was written\n");
    EXPECT_FALSE(std::filesystem::exists(temporary));
}
#endif

TEST(RecordFields, ElevationTextAndVertexFields) {
    EXPECT_EQ(elevationTextOf("1 -4.5"), "-4");
    EXPECT_EQ(elevationTextOf("1 100\n -3.5 50.5\n"), "100\n -3"); // LF line ends: cut at the first point
    std::string_view longitude, latitude;
    ASSERT_TRUE(vertexFields("  6.25 45.5", longitude, latitude)); // two spaces: an empty field 1
    EXPECT_EQ(std::string(longitude) + "|" + std::string(latitude), "|6.25");
    EXPECT_FALSE(vertexFields(" 6.25", longitude, latitude));
}

} // namespace
} // namespace orolith
