#include "core/platform/size_text.h"
#include "support/cli_run.h"
#include "support/test_support.h"
#include "core/colour/perceptual.h"

#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>

namespace orolith {
namespace {

using testing::crlf;
using testing::readBytes;
using testing::runTool;
using testing::ToolRun;

std::string record(const std::string& elevation, const std::vector<std::string>& vertices) {
    return "L 1 " + elevation + "\r\n" + crlf(vertices);
}

// Band 0 (100 m): a square of 0.1 degrees; band 1 (200 m): a square in its middle; band 2
// (300 m): an outline left open by about 800 m, which the map leaves out at 100 m.
std::string nestedSquares() {
    return "header\r\n" +
           record("100.0", {" 6.0 45.0", " 6.1 45.0", " 6.1 45.1", " 6.0 45.1", " 6.0 45.0"}) +
           record("200.0", {" 6.03 45.03", " 6.07 45.03", " 6.07 45.07", " 6.03 45.07", " 6.03 45.03"}) +
           record("300.0", {" 6.08 45.005", " 6.095 45.005", " 6.095 45.02", " 6.085 45.02"});
}

// An ESRI ASCII grid of `side` × `side` cells of 0.01 degrees from 7° E, 46.8° N.
std::string asciiGrid(int side, const std::function<int(int x, int y)>& height) {
    std::string grid = "ncols " + std::to_string(side) + "\r\nnrows " + std::to_string(side) +
                       "\r\nxllcorner 7.0\r\nyllcorner 46.8\r\ncellsize 0.01\r\n";
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            grid += std::to_string(height(x, y)) + " ";
        grid += "\r\n";
    }
    return grid;
}

struct RenderCommand : ::testing::Test {
    testing::TempDir dir;
    std::string input = dir.write("area.txt", nestedSquares()).string();
    std::string picture = (dir / "area.png").string();

    // 0.001 degrees per pixel: pixel (x, y) has its centre at 5.99 + (x + 0.5) / 1000 east
    // and 45.11 - (y + 0.5) / 1000 north; the large square covers pixels 10 to 109.
    ToolRun render(std::vector<std::string> args) {
        args.insert(args.begin(), {"render", input, "--output", picture, "--bbox", "44.99,5.99,45.11,6.11",
                                   "--size", "120x120", "--max-distance", "100"});
        return runTool(args);
    }

    // The "1 c #RRGGBB" colour of every band, as `orolith typ` writes it with `args`.
    std::vector<QRgb> typColours(std::vector<std::string> args) {
        const std::string typ = (dir / "style.txt").string();
        args.insert(args.begin(), {"typ", input, "--output", typ, "--companion", (dir / "list.tpgn").string()});
        EXPECT_EQ(runTool(args).code, 0);
        std::vector<QRgb> colours;
        const std::string text = readBytes(typ);
        const std::regex line("\"1 c #([0-9A-F]{6})\"");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator(); ++it)
            colours.push_back(0xFF000000u | static_cast<QRgb>(std::stoul((*it)[1].str(), nullptr, 16)));
        return colours;
    }
};

TEST_F(RenderCommand, SolidPatternGivesEachBandItsTypColour) {
    const std::string palette = dir.write("p.col", crlf({"0", "3366CC", "8000"})).string();
    const std::vector<QRgb> typ = typColours({"--pattern-text", "1", "--palette", palette});
    ASSERT_EQ(typ.size(), 3u);
    const ToolRun run = render({"--pattern-text", "1", "--palette", palette, "--background", "#102030"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Created " + picture + " (120 × 120 pixels, " + sizeText(readBytes(picture).size()) + ")\n");
    const QImage image(QString::fromStdString(picture));
    ASSERT_EQ(image.size(), QSize(120, 120));
    const std::map<std::pair<int, int>, QRgb> expected{
        {{20, 20}, typ[0]},    {{100, 100}, typ[0]}, // the large square
        {{60, 60}, typ[1]},    {{45, 75}, typ[1]},   // the inner square, a hole in the large one
        {{97, 100}, typ[0]},                         // under the outline the map leaves out
        {{3, 3}, 0xFF102030u}, {{115, 60}, 0xFF102030u}};
    for (const auto& [pixel, colour] : expected)
        EXPECT_EQ(image.pixel(pixel.first, pixel.second), colour) << pixel.first << "," << pixel.second;
    EXPECT_EQ(readBytes(dir / "area.pgw"), crlf({"0.001000000000", "0.000000000000", "0.000000000000",
                                                 "-0.001000000000", "5.990500000000", "45.109500000000"}));
}

// The default checkerboard: band 0 starts with row 0101..., band 1 with 1010...; where band 1
// lies over band 0 its "0" pixels let band 0's "1" pixels through.
TEST_F(RenderCommand, CheckerboardColoursExactlyThePatternsOnes) {
    const std::vector<QRgb> typ = typColours({});
    ASSERT_EQ(render({"--background", "white"}).code, 0);
    const QImage image(QString::fromStdString(picture));
    int mismatches = 0;
    for (int y = 12; y < 108; ++y)
        for (int x = 12; x < 108; ++x) {
            const bool inner = x > 41 && x < 78 && y > 41 && y < 78;
            const bool outer = !inner && (x < 38 || x > 82 || y < 38 || y > 82) && !(x > 88 && y > 88);
            if (!inner && !outer)
                continue;
            const bool odd = (x + y) % 2 == 1;
            const QRgb want = inner ? (odd ? typ[0] : typ[1]) : (odd ? typ[0] : 0xFFFFFFFFu);
            mismatches += image.pixel(x, y) != want;
        }
    EXPECT_EQ(mismatches, 0);
}

// An elevation model: 150 m in a square of 6 x 6 pixels in the middle, 50 m around it, so
// band "0" is a polygon with a hole that band "100" fills.
TEST_F(RenderCommand, ElevationModelsAreDrawnWithTheirBandsColours) {
    input = dir.write("model.asc", asciiGrid(20, [](int x, int y) {
                   return x >= 7 && x <= 12 && y >= 7 && y <= 12 ? 150 : 50;
               })).string();
    const std::vector<QRgb> typ = typColours({"--pattern-text", "1", "--interval", "100"});
    ASSERT_EQ(typ.size(), 2u);
    const ToolRun run = runTool({"render", input, "--output", picture, "--interval", "100", "--pattern-text", "1",
                                 "--bbox", "46.8,7.0,47.0,7.2", "--size", "100x100"});
    ASSERT_EQ(run.code, 0) << run.err;
    const QImage image(QString::fromStdString(picture));
    EXPECT_EQ(image.pixel(50, 50), typ[1]);
    EXPECT_EQ(image.pixel(10, 10), typ[0]);
    EXPECT_EQ(image.pixel(90, 50), typ[0]);
}

// Noisy terrain: every pixel of the picture lies within the bands, and none shows the
// background between two neighbours, whose shared boundaries are finer than a pixel.
TEST_F(RenderCommand, NoisyTerrainLeavesNoBackgroundBetweenBands) {
    unsigned noise = 12345;
    input = dir.write("noisy.asc", asciiGrid(60, [&](int x, int y) {
                   noise = noise * 1103515245u + 12345u;
                   return 2 * x + 3 * y + static_cast<int>(noise >> 16) % 60;
               })).string();
    const ToolRun run = runTool({"render", input, "--output", picture, "--interval", "10", "--pattern-text", "1",
                                 "--background", "#123457", "--bbox", "46.82,7.02,47.38,7.58", "--size", "90x90"});
    ASSERT_EQ(run.code, 0) << run.err;
    const QImage image(QString::fromStdString(picture));
    int background = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            background += image.pixel(x, y) == qRgb(0x12, 0x34, 0x57);
    EXPECT_EQ(background, 0);
}

TEST_F(RenderCommand, NothingToDrawIsSaidClearly) {
    const std::string empty = dir.write("empty.txt", "").string();
    const std::string noBands = dir.write("none.txt", "exported\r\nno records\r\n").string();
    const std::string open = dir.write("open.txt", record("100.0", {" 6.0 45.0", " 7.0 45.0", " 7.0 46.0"})).string();
    for (const auto& [args, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"render", empty, "--output", picture}, empty + " holds no elevation bands.\n"},
             {{"render", noBands, "--output", picture}, noBands + " holds no elevation bands.\n"},
             {{"render", open, "--output", picture},
              open + " holds no polygon the map would include: every outline stays open by more than the "
                     "maximum distance (--max-distance).\n"},
             {{"render", input, "--output", picture, "--bbox", "10,10,11,11"},
              "The area 10.000000,10.000000,11.000000,11.000000 holds none of the bands of " + input +
                  ", which lie within 45.000000,6.000000,45.100000,6.100000.\n"},
             {{"render", input, "--output", input}, "The picture would replace the input:\n" + input +
                                                        "\n\nNothing was written.\n"},
             {{"render", input, "--output", picture, "--pattern-text", "011"},
              "Length of 011 must be multiple of 32\n"}}) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.code, 1) << err;
        EXPECT_EQ(run.err, err);
        EXPECT_FALSE(std::filesystem::exists(picture)) << err;
    }
    EXPECT_EQ(readBytes(input), nestedSquares());
}

// An elevation model takes the atlas ramp unless a palette or --ramp says otherwise; TYP text
// and picture take the same colours from a ramp file.
TEST_F(RenderCommand, RampsColourTheTypAndThePictureAlike) {
    input = dir.write("model.asc", asciiGrid(20, [](int x, int y) {
                   return x >= 7 && x <= 12 && y >= 7 && y <= 12 ? 150 : 50;
               })).string();
    const std::string palette = dir.write("p.col", crlf({"3366CC"})).string();
    const std::vector<QRgb> classic = {0xFFCC6633u, 0xFFD06834u}; // the table is blue, green, red
    EXPECT_EQ(typColours({"--interval", "100", "--palette", palette}), classic);
    EXPECT_EQ(typColours({"--interval", "100", "--ramp", "classic", "--palette", palette}), classic);
    EXPECT_NE(typColours({"--interval", "100"}), typColours({"--interval", "100", "--ramp", "classic"}));

    const std::string ramp = dir.write("relief.txt", "0 0 0 0\n200 0 0 200\n").string();
    const auto qrgb = [](const Rgb& c) { return qRgb(c.red, c.green, c.blue); };
    const std::vector<QRgb> typ = typColours({"--interval", "100", "--ramp", ramp});
    EXPECT_EQ(typ, (std::vector<QRgb>{qrgb(mixOkLab({0, 0, 0}, {0, 0, 200}, 0.25)),
                                      qrgb(mixOkLab({0, 0, 0}, {0, 0, 200}, 0.75))}));
    const std::vector<std::string> area = {"--pattern-text", "1", "--interval", "100", "--bbox",
                                           "46.8,7.0,47.0,7.2", "--size", "100x100"};
    std::vector<std::string> args = {"render", input, "--output", picture, "--ramp", ramp};
    args.insert(args.end(), area.begin(), area.end());
    ASSERT_EQ(runTool(args).code, 0);
    const QImage image(QString::fromStdString(picture));
    EXPECT_EQ(image.pixel(50, 50), typ[1]);
    EXPECT_EQ(image.pixel(10, 10), typ[0]);

    std::filesystem::remove(picture);
    const std::string bad = dir.write("bad.txt", "0 0 0 0\n100 0 0\n").string();
    for (const auto& [name, err] : std::vector<std::pair<std::string, std::string>>{
             {"nosuch", "orolith render: 'nosuch' is no built-in colour ramp (atlas, high-contrast, grey, classic) "
                        "and no file\n"},
             {bad, "Cannot use the colour ramp " + bad + ", line 2: '100 0 0' is not an elevation and a colour "
                                                        "(elevation R G B [A]).\n"}}) {
        args[5] = name;
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, err);
        EXPECT_FALSE(std::filesystem::exists(picture));
    }
    for (const std::string command : {"typ", "img", "render"})
        EXPECT_NE(runTool({command, "--help"}).out.find("--ramp NAME|FILE       the band colours: a built-in ramp "
                                                         "(atlas, high-contrast, grey,"),
                  std::string::npos)
            << command;
}

TEST_F(RenderCommand, BadOptionsAreUsageErrors) {
    for (const auto& [option, value] : std::vector<std::pair<std::string, std::string>>{
             {"--size", "0x10"}, {"--size", "100"}, {"--size", "20000x10"}, {"--bbox", "46,6,45,7"},
             {"--bbox", "45,6,46"}, {"--bbox", "45,6,46,7x"}, {"--background", "#12345"}}) {
        const ToolRun run = runTool({"render", input, "--output", picture, option, value});
        EXPECT_EQ(run.code, 2) << option << " " << value;
        EXPECT_NE(run.err.find(option), std::string::npos) << run.err;
    }
    EXPECT_EQ(runTool({"render", input}).code, 2);
}

} // namespace
} // namespace orolith
