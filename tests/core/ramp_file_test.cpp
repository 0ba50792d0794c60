#include "core/style/ramp_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace orolith {
using testing::TempDir;

namespace {

std::string stopsText(const std::vector<RampStop>& stops) {
    std::string text;
    for (const RampStop& s : stops) {
        char one[64];
        std::snprintf(one, sizeof one, "%g%s %d %d %d|", s.scale == StopScale::OfRange ? s.at * 100 : s.at,
                      s.scale == StopScale::OfRange ? "%" : "", s.colour.red, s.colour.green, s.colour.blue);
        text += one;
    }
    return text;
}

} // namespace

TEST(RampFile, ReadsTheThreeFormatsPeopleHave) {
    TempDir dir;
    RampFile file;
    ColourRamp ramp;
    // gdaldem color-relief text: blanks, tabs, commas, alpha, nv, percentages, a night part.
    ASSERT_TRUE(file.read(dir.write("relief.txt", "# hypsometric\r\n-500 0 0 128\r\n0\t0 128 0 255\r\n"
                                                  "1200,200,180,120\r\n100% 255 255 255\r\nnv 0 0 0 0\r\n"
                                                  "night\r\n0 0 40 0\n"),
                          ramp))
        << file.errorString();
    EXPECT_EQ(stopsText(ramp.day), "-500 0 0 128|0 0 128 0|1200 200 180 120|100% 255 255 255|");
    EXPECT_EQ(stopsText(ramp.night), "0 0 40 0|");
    EXPECT_EQ(ramp.name, (dir / "relief.txt").string());
    EXPECT_TRUE(ramp.needsRange());

    // A GMT table as GMT writes it: header, R/G/B and blank forms, annotations, B F N lines.
    ASSERT_TRUE(
        file.read(dir.write("topo.cpt", "# COLOR_MODEL = RGB\n-1000 0/0/255 0 0/128/255 ; sea\n"
                                        "0 0 160 0 500 230 230 120 L\n500 230 230 120 2000 250 250 250 U\n"
                                        "B 0 0 0\nF 255 255 255\nN 128 128 128\n"),
                  ramp))
        << file.errorString();
    EXPECT_EQ(stopsText(ramp.day), "-1000 0 0 255|0 0 128 255|0 0 160 0|500 230 230 120|500 230 230 120|"
                                   "2000 250 250 250|");

    // QGIS's export, labels with commas.
    ASSERT_TRUE(
        file.read(dir.write("qgis.txt", "# QGIS Generated Color Map Export File\r\n"
                                        "INTERPOLATION:INTERPOLATED\r\n0,43,131,186,255,0 m\r\n"
                                        "1500,171,221,164,255,1500, low\r\n3000,215,25,28,255,3000\r\n"),
                  ramp))
        << file.errorString();
    EXPECT_EQ(stopsText(ramp.day), "0 43 131 186|1500 171 221 164|3000 215 25 28|");
    EXPECT_EQ(rampFormatOf("x.txt", "10,1,2,3,255,label\n"), RampFormat::QgisColourMap);
    EXPECT_EQ(rampFormatOf("x.CPT", "10 1 2 3 20 1 2 3\n"), RampFormat::Cpt);
    EXPECT_EQ(rampFormatOf("x.txt", "10,1,2,3\n"), RampFormat::ColourRelief);
}

TEST(RampFile, BadFilesAreNamedWithTheirLineAndChangeNothing) {
    TempDir dir;
    const std::string big(kRampFileLimit + 1, ' ');
    const struct {
        std::string name, bytes, message;
        int line;
    } cases[] = {
        {"bad.txt", "0 0 0 0\n100 green\n",
         ", line 2: '100 green' is not an elevation and a colour (elevation R G B [A]).", 2},
        {"six.txt", "0 1 2 3 255 9\n",
         ", line 1: '0 1 2 3 255 9' is not an elevation and a colour (elevation R G B [A]).", 1},
        {"none.txt", "# only a comment\r\n\r\n", ": it holds no colour stops.", 0},
        {"order.txt", "0 0 0 0\n# fine\n200 1 1 1\n100 2 2 2\n",
         ", line 4: the stops must rise, and 100 lies below 200.", 4},
        {"range.txt", "0 0 0 0\n100 256 0 0\n", ", line 2: the colour component 256 lies outside 0 to 255.",
         2},
        {"negative.cpt", "0 0 0 0 10 -1 0 0\n", ", line 1: the colour component -1 lies outside 0 to 255.",
         1},
        {"share.txt", "100% 1 2 3\n100.5% 1 2 3\n", ", line 2: the share 100.5% lies outside 0% to 100%.", 2},
        {"cpt.cpt", "0 0 0 0 10 1 1 1\n20 2 2 2 15 3 3 3\n",
         ", line 2: the stops must rise, and 15 lies below 20.", 2},
        {"qgis.txt", "INTERPOLATION:DISCRETE\n0,1,2,3\n",
         ", line 2: '0,1,2,3' is not a value and a colour (value,R,G,B,A,label).", 2},
        {"empty.txt", "", ": it is empty.", 0},
        {"blank.txt", "  \r\n\r\n", ": it is empty.", 0},
        {"binary.txt", std::string("0 0 0 0\n\0\x01\x02", 11), ": it is not a text file.", 0},
        {"big.txt", big, ": it is larger than 1 MiB.", 0},
    };
    for (const auto& c : cases) {
        RampFile file;
        ColourRamp ramp = *builtInRamp("atlas");
        const auto path = dir.write(c.name, c.bytes);
        EXPECT_FALSE(file.read(path, ramp)) << c.name;
        const std::string lead = "Cannot use the colour ramp " + path.string();
        EXPECT_EQ(file.errorString(), lead + c.message) << c.name;
        EXPECT_EQ(file.errorLine(), c.line) << c.name;
        EXPECT_EQ(ramp.name, "atlas");
        EXPECT_EQ(ramp.day.size(), builtInRamp("atlas")->day.size());
    }
    RampFile file;
    ColourRamp ramp;
    EXPECT_FALSE(file.read(dir / "missing.txt", ramp));
    EXPECT_EQ(file.errorString(), "Cannot read file:" + (dir / "missing.txt").string());
    EXPECT_FALSE(file.read(dir.path(), ramp));
    EXPECT_EQ(file.errorString(),
              "Cannot use the colour ramp " + dir.path().string() + ": it is not a regular file.");
}

} // namespace orolith
