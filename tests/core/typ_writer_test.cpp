#include "core/typ_writer.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace orolith;
using orolith::testing::crlf;
using orolith::testing::readBytes;
using orolith::testing::RecordingHost;
using orolith::testing::TempDir;

namespace {

const std::string kA = "01010101010101010101010101010101";
const std::string kB = "10101010101010101010101010101010";

// The default checkerboard's 32 lines of band `band`, with or without quotes.
std::vector<std::string> checkerLines(int band, bool quoted) {
    std::vector<std::string> lines;
    for (int i = 0; i < 32; ++i) {
        const std::string& row = (band + i) % 2 ? kB : kA;
        lines.push_back(quoted ? "\"" + row + "\"" : row);
    }
    return lines;
}

void add(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

TypeList bands(std::int32_t first, std::int32_t step, int count, std::uint32_t firstType) {
    TypeList list;
    for (int i = 0; i < count; ++i)
        list.push_back({std::to_string(first + i * step), fnhx(static_cast<std::int32_t>(firstType) + i)});
    return list;
}

struct Fixture {
    TempDir dir;
    RecordingHost host;
    TypJob job;

    Fixture() {
        job.style.patternText = std::string(kDefaultPatternText);
        job.style.typPath = (dir / "typ" / "untitled.txt").string();
        job.companionPath = (dir / "test.tpgn").string();
        std::filesystem::create_directories(dir / "typ");
    }
    std::string typ() const { return readBytes(job.style.typPath); }
    std::string companion() const { return readBytes(job.companionPath); }
    std::vector<std::string> notices() const { return host.texts(MessageKind::Notice); }
};

} // namespace

TEST(TypWriter, WorkedExampleByteForByte) {
    Fixture f;
    f.job.types = bands(100, 25, 5, 0x10304);
    f.job.lowest = 100;
    f.job.style.maxDrawOrder = "1";
    f.job.toolPath = "/opt/stylesmith/stylesmith";
    const TypResult result = create_typ(f.job, f.host);
    ASSERT_TRUE(result.written);
    ASSERT_TRUE(result.pattern);

    const std::vector<std::string> hex = {"000080", "000083", "000085", "000088", "008000"};
    std::vector<std::string> typ = {"[_id]",           "ProductCode = 1", "FID = 1733",
                                    "CodePage = 1252", "[End]",           "[_drawOrder]"};
    for (int i = 0; i < 5; ++i)
        typ.push_back("Type=0x" + fnhx(0x10304 + i) + ",1");
    add(typ, {"[End]", ""});
    std::vector<std::string> companion = {"10301,10302,10303,10304,10305,"};
    for (int i = 0; i < 5; ++i) {
        const std::string type = fnhx(0x10304 + i), label = std::to_string(100 + 25 * i);
        add(typ, {"[_polygon]", "Type=0x" + type, "String1=0x0," + label + " m", "ExtendedLabels=N",
                  "xpm=\"32 32 2 1\"", "\"0 c none\"", "\"1 c #" + hex[i] + "\""});
        add(typ, checkerLines(i, true));
        add(typ, {"[END]", ""});
        add(companion, {"pgon:" + type, "14", "1", "string", "String1=0x0," + label + " m", "endstring",
                        "label:00#" + label + " m", "ExtendedLabels=N,", "col", "2", "0 c none",
                        "1 c #" + hex[i], "bmp"});
        add(companion, checkerLines(i, false));
        companion.push_back("##");
    }
    for (int i = 0; i < 5; ++i)
        add(typ,
            {"[_line]", "Type=0x" + fnhx(0x10304 + i), "LineWidth=2", "BorderWidth=0", "ExtendedLabels=N",
             "String1=0x00," + fnhx(0x10300 + i) + " " + std::to_string(25 * i) + "m", "xpm=\"0 0 1 0\"",
             "\"0 c #000000\" ", "[END]", ""});
    EXPECT_EQ(f.typ(), crlf(typ));
    EXPECT_EQ(f.companion(), crlf(companion));

    EXPECT_EQ(f.notices(), (std::vector<std::string>{"Reached maximum draworder of 1.",
                                                     "created:" + f.job.style.typPath}));
    EXPECT_TRUE(f.host.texts(MessageKind::Failure).empty());
    ASSERT_EQ(f.host.launches.size(), 1u);
    EXPECT_EQ(f.host.launches[0], std::make_pair(f.job.toolPath, f.job.style.typPath));
}

TEST(TypWriter, ShadeFigures) {
    // Components 255, 128 and 25 over the four steps; step 0 is never capped; red comes first.
    const std::vector<std::string> white = {"FFFFFF", "FAFAFA", "FAFAFA", "FAFAFA"},
                                   grey = {"808080", "838383", "858585", "888888"},
                                   dark = {"191919", "1A1A1A", "1A1A1A", "1A1A1A"},
                                   one = {"DCDCDC", "E0E0E0", "E5E5E5", "E9E9E9"};
    for (int step = 0; step < 4; ++step) {
        const auto i = static_cast<std::size_t>(step);
        EXPECT_EQ(invers(0xFFFFFF, step, false), white[i]);
        EXPECT_EQ(invers(0x808080, step, false), grey[i]);
        EXPECT_EQ(invers(0x191919, step, false), dark[i]);
        EXPECT_EQ(invers(0x123456, step, true), one[i]);
    }
    EXPECT_EQ(invers(0x0000FF, 0, false), "FF0000");
    EXPECT_EQ(fnhx(-1), "FFFFFFFF");
}

TEST(TypWriter, DrawOrderCapNoticeOnlyBeyondTheCap) {
    for (int count : {4, 5}) {
        Fixture f;
        f.job.types = bands(0, 25, count, 0x10300);
        f.job.style.maxDrawOrder = "1";
        ASSERT_TRUE(create_typ(f.job, f.host).written);
        EXPECT_EQ(f.notices().size(), count == 4 ? 1u : 2u) << count;
    }
    // The box is read leniently and rounded half to even.
    Fixture f;
    f.job.types = bands(0, 25, 13, 0x10300);
    f.job.style.maxDrawOrder = "2.5";
    ASSERT_TRUE(create_typ(f.job, f.host).written);
    EXPECT_NE(f.typ().find("Type=0x1030C,2\r\n[End]"), std::string::npos);
    EXPECT_EQ(f.notices().front(), "Reached maximum draworder of 2.");
    f.job.style.maxDrawOrder = "3.5";
    f.host.messages.clear();
    ASSERT_TRUE(create_typ(f.job, f.host).written);
    EXPECT_NE(f.typ().find("Type=0x1030C,4\r\n[End]"), std::string::npos);
    EXPECT_EQ(f.notices().size(), 1u);
    // The companion block carries the capped order too.
    EXPECT_NE(f.companion().find("pgon:1030C\r\n14\r\n4\r\n"), std::string::npos);
}

TEST(TypWriter, StopsBeforeWritingOnBadOptions) {
    struct Case {
        std::string maxDrawOrder, pattern, message;
    };
    for (const Case& c : std::vector<Case>{{"0", "01\r\n", "Maximum draworder can't be zero"},
                                           {"abc", "01\r\n", "Maximum draworder can't be zero"},
                                           {"14", "  ", "Please add pattern."},
                                           {"14", "012\r\n", "Length of 012 must be multiple of 32"},
                                           {"14", "\r\n", "Please load pattern"}}) {
        Fixture f;
        f.job.types = bands(0, 25, 3, 0x10300);
        f.job.style.maxDrawOrder = c.maxDrawOrder;
        f.job.style.patternText = c.pattern;
        f.job.toolPath = "tool";
        const TypResult result = create_typ(f.job, f.host);
        EXPECT_FALSE(result.written);
        ASSERT_EQ(f.host.messages.size(), 1u);
        EXPECT_EQ(f.host.messages[0].second, c.message);
        EXPECT_FALSE(std::filesystem::exists(f.job.style.typPath));
        EXPECT_FALSE(std::filesystem::exists(f.job.companionPath));
        EXPECT_TRUE(f.host.launches.empty());
    }
}

TEST(TypWriter, PaletteWrapsAroundTheTable) {
    Fixture f;
    for (int i = 0; i < 26; ++i)
        f.job.cols[static_cast<std::size_t>(i)] = i * 0x010101; // grey i: component i, shades stay near
    f.job.types = bands(0, 25, 105, 0x10300);
    ASSERT_TRUE(create_typ(f.job, f.host).written);
    const std::string typ = f.typ();
    auto colourOf = [&typ](int band) {
        std::size_t at = 0;
        for (int i = 0; i <= band; ++i)
            at = typ.find("\"1 c #", at) + 1;
        return typ.substr(at + 5, 6);
    };
    EXPECT_EQ(colourOf(0), "000000");
    EXPECT_EQ(colourOf(96), "181818");  // entry 24
    EXPECT_EQ(colourOf(100), "191919"); // entry 25
    EXPECT_EQ(colourOf(103), "1A1A1A"); // entry 25, step 3
    EXPECT_EQ(colourOf(104), "000000"); // entry 0 again
    EXPECT_EQ(f.notices().front(), "Reached maximum draworder of 14.");
    EXPECT_EQ(f.notices()[1], "Reached maximum number of colours.");

    Fixture high;
    high.job.types = bands(2750, 25, 2, 0x10300);
    high.job.lowest = 2750;
    ASSERT_TRUE(create_typ(high.job, high.host).written);
    EXPECT_NE(high.typ().find("\"1 c #000080\""), std::string::npos); // entry 27 mod 26 = 1
    EXPECT_EQ(high.notices().front(), "Reached maximum number of colours.");
}

TEST(TypWriter, NegativeLowestWrapsToTheEndOfTheTable) {
    Fixture f;
    f.job.cols[25] = 0x0000FF;
    f.job.cols[0] = 0x00FF00;
    f.job.types = bands(-150, 25, 8, 0x10300);
    f.job.lowest = -150; // counter -1: entry 25, then entry 0
    ASSERT_TRUE(create_typ(f.job, f.host).written);
    const std::string typ = f.typ();
    const auto first = typ.find("\"1 c #FF0000\"");
    const auto fifth = typ.find("\"1 c #00FF00\"");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(fifth, std::string::npos);
    EXPECT_LT(first, fifth);
    EXPECT_EQ(f.notices().size(), 1u); // only "created:"
}

TEST(TypWriter, CompanionListSkipsHighSubTypes) {
    Fixture f;
    f.job.style.firstType = "1031E";
    f.job.types = bands(0, 25, 3, 0x1031E);
    ASSERT_TRUE(create_typ(f.job, f.host).written);
    EXPECT_EQ(f.companion().substr(0, 22), "1031F,10400,10401,\r\npg");
    // The line labels are a plain sum.
    EXPECT_NE(f.typ().find("String1=0x00,10320 50m\r\n"), std::string::npos);
}

TEST(TypWriter, QuotesInLabelsStayInTheTypFileOnly) {
    Fixture f;
    f.job.types = {{"1\"2", "10300"}};
    ASSERT_TRUE(create_typ(f.job, f.host).written);
    EXPECT_NE(f.typ().find("String1=0x0,1\"2 m\r\n"), std::string::npos);
    const std::string companion = f.companion();
    EXPECT_NE(companion.find("label:00#12 m\r\n"), std::string::npos);
    EXPECT_EQ(companion.find('"'), std::string::npos);
}

TEST(TypWriter, NeverWritesOverTheInputOrTheMap) {
    Fixture f;
    const auto input = f.dir.write("area.txt", "geo vector data");
    const auto map = f.dir.write("area.mp", "map data");
    f.job.types = bands(0, 25, 2, 0x10300);
    f.job.protectedPaths = {input.string(), map.string()};
    f.job.toolPath = "tool";
    for (const auto& target : {input, map, f.dir.path() / "typ" / ".." / "area.txt"}) {
        f.host.messages.clear();
        f.job.style.typPath = target.string();
        EXPECT_FALSE(create_typ(f.job, f.host).written);
        ASSERT_EQ(f.host.messages.size(), 1u);
        EXPECT_EQ(f.host.messages[0].first, MessageKind::Failure);
        EXPECT_NE(f.host.messages[0].second.find(target.string()), std::string::npos);
    }
    f.job.style.typPath = (f.dir / "typ" / "ok.txt").string();
    f.job.companionPath = map.string();
    EXPECT_FALSE(create_typ(f.job, f.host).written);
    EXPECT_EQ(readBytes(input), "geo vector data");
    EXPECT_EQ(readBytes(map), "map data");
    EXPECT_FALSE(std::filesystem::exists(f.job.style.typPath));
    EXPECT_TRUE(f.host.launches.empty());
}

TEST(TypWriter, FailedWriteIsReportedAndSkipsCreatedAndLaunch) {
    Fixture f;
    f.job.types = bands(0, 25, 2, 0x10300);
    f.job.toolPath = "tool";
    f.job.style.typPath = (f.dir / "gone" / "untitled.txt").string();
    EXPECT_FALSE(create_typ(f.job, f.host).written);
    EXPECT_EQ(f.host.texts(MessageKind::Failure),
              std::vector<std::string>{f.job.style.typPath + " No such file or directory"});
    EXPECT_TRUE(f.notices().empty());
    EXPECT_TRUE(f.host.launches.empty());
    EXPECT_FALSE(f.companion().empty()); // the companion list was written all the same

    if (::geteuid() == 0) // root writes anywhere
        return;
    const auto old = f.dir.write("typ/untitled.txt", "old style");
    f.job.style.typPath = old.string();
    f.host.messages.clear();
    std::filesystem::permissions(f.dir / "typ",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(create_typ(f.job, f.host).written);
    std::filesystem::permissions(f.dir / "typ", std::filesystem::perms::owner_all);
    EXPECT_EQ(readBytes(old), "old style");
    EXPECT_EQ(f.host.texts(MessageKind::Failure),
              std::vector<std::string>{old.string() + " Permission denied"});
}

TEST(TypWriter, OptionsShapeTheBlocks) {
    Fixture f;
    f.job.types = bands(0, 25, 3, 0x10300);
    f.job.style.oneColour = true;
    f.job.style.rowPerBand = true;
    ASSERT_TRUE(create_typ(f.job, f.host).written);
    const std::string typ = f.typ();
    EXPECT_NE(typ.find("\"1 c #DCDCDC\"\r\n\"" + kA + "\"\r\n\"" + kA + "\""), std::string::npos);
    EXPECT_NE(typ.find("\"1 c #E0E0E0\"\r\n\"" + kB + "\"\r\n\"" + kB + "\""), std::string::npos);
    EXPECT_TRUE(f.host.launches.empty()); // no tool chosen
    // No bands: the header and an empty companion list.
    Fixture empty;
    ASSERT_TRUE(create_typ(empty.job, empty.host).written);
    EXPECT_EQ(empty.companion(), "\r\n");
    EXPECT_EQ(empty.typ(), crlf({"[_id]", "ProductCode = 1", "FID = 1733", "CodePage = 1252", "[End]",
                                 "[_drawOrder]", "[End]", ""}));
}
