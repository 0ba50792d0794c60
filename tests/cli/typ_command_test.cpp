#include "cli/commands.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace orolith;
using orolith::testing::crlf;
using orolith::testing::readBytes;
using orolith::testing::TempDir;

namespace {

struct Outcome {
    int code = -1;
    std::string out, err;
};

Outcome typ(std::vector<std::string> args) {
    std::ostringstream out, err;
    cli::Streams io{out, err, false};
    Outcome run;
    run.code = cli::runTyp(args, io);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// Five bands (100, 125, 150, 175, 200) of small closed squares, 100 appearing twice.
std::string geoVector() {
    std::string text = "exported\r\n";
    for (int elevation : {100, 125, 150, 100, 175, 200}) {
        text += "L 1 " + std::to_string(elevation) + ".0\r\n";
        text += crlf({" 6.0 45.0", " 6.01 45.0", " 6.01 45.01", " 6.0 45.0"});
    }
    return text;
}

struct Folder {
    TempDir dir;
    std::string input = dir.write("area.txt", geoVector()).string();
    std::string home = (dir / "home").string();
};

} // namespace

TEST(TypCommand, WritesBothFilesIntoTheHomeFolder) {
    Folder f;
    const Outcome run = typ({f.input, "--home", f.home, "--max-draworder", "1"});
    EXPECT_EQ(run.code, 0) << run.err;
    const std::string typPath = (f.dir / "home" / "typ" / "untitled.txt").string();
    EXPECT_EQ(run.out, "Reached maximum draworder of 1.\ncreated:" + typPath + "\n");
    EXPECT_EQ(run.err, "");
    const std::string typFile = readBytes(typPath);
    const std::string header = crlf({"[_id]", "ProductCode = 1", "FID = 1733", "CodePage = 1252", "[End]",
                                     "[_drawOrder]", "Type=0x10304,1", "Type=0x10305,1", "Type=0x10306,1",
                                     "Type=0x10307,1", "Type=0x10308,1", "[End]", ""});
    EXPECT_EQ(typFile.substr(0, header.size()), header);
    EXPECT_NE(typFile.find("\"1 c #008000\""), std::string::npos); // band 4: entry 2 of the default table
    EXPECT_EQ(readBytes(f.dir / "home" / "test.tpgn").substr(0, 32), "10301,10302,10303,10304,10305,\r\n");
    for (const char* folder : {"typ", "col", "patterns", "system"})
        EXPECT_TRUE(std::filesystem::is_directory(f.dir / "home" / folder)) << folder;
}

TEST(TypCommand, OptionsReachTheWriter) {
    Folder f;
    const auto palette = f.dir.write("blue.col", crlf({"FF0000", "FF0000"}));
    const auto output = (f.dir / "style.txt").string();
    const auto companion = (f.dir / "list.tpgn").string();
    const Outcome run =
        typ({f.input, "--home", f.home, "--output", output, "--companion", companion, "--pattern-text",
             "1\\n0", "--palette", palette.string(), "--first-type", "1031E", "--row-per-band"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string typFile = readBytes(output);
    EXPECT_NE(
        typFile.find("\"1 c #0000FF\"\r\n\"" + std::string(32, '1') + "\"\r\n\"" + std::string(32, '1')),
        std::string::npos);
    EXPECT_EQ(readBytes(companion).substr(0, 18), "1031F,10400,10401,");
    EXPECT_FALSE(std::filesystem::exists(f.dir / "home" / "test.tpgn"));

    const auto pattern = f.dir.write("dots.ptn", "1000\r\n0000\r\n\r\n");
    ASSERT_EQ(typ({f.input, "--home", f.home, "--pattern", pattern.string(), "--one-colour"}).code, 0);
    EXPECT_NE(
        readBytes(f.dir / "home" / "typ" / "untitled.txt").find("\"1 c #DCDCDC\"\r\n\"1000100010001000"),
        std::string::npos);
}

TEST(TypCommand, FailuresWriteNothing) {
    Folder f;
    const auto badPattern = f.dir.write("bad.ptn", "0101\r\n01x1\r\n");
    const auto empty = f.dir.write("empty.txt", "no records here\r\n");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{f.input, "--pattern-text", "011"}, "Length of 011 must be multiple of 32\n"},
        {{f.input, "--pattern-text", "  "}, "Please add pattern.\n"},
        {{f.input, "--pattern", badPattern.string()}, "Not a valid pattern file.\n"},
        {{f.input, "--max-draworder", "0"}, "Maximum draworder can't be zero\n"},
        {{(f.dir / "missing.txt").string()}, "Cannot find file:" + (f.dir / "missing.txt").string() + "\n"},
        {{empty.string()}, "No data\n"},
        {{f.input, "--output", f.input},
         "The TYP file would replace the input or the map:\n" + f.input + "\n\nNothing was written.\n"},
    };
    for (auto c : cases) {
        c.args.insert(c.args.end(), {"--home", f.home});
        const Outcome run = typ(c.args);
        EXPECT_EQ(run.code, 1) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(std::filesystem::exists(f.dir / "home" / "typ" / "untitled.txt")) << c.err;
    }
    EXPECT_EQ(readBytes(f.input), geoVector());
}

TEST(TypCommand, UsageErrors) {
    Folder f;
    for (const auto& args :
         std::vector<std::vector<std::string>>{{},
                                               {f.input, f.input},
                                               {f.input, "--pattern", "a.ptn", "--pattern-text", "01"},
                                               {f.input, "--first-type", "xyz"},
                                               {f.input, "--colour"},
                                               {f.input, "--output"}}) {
        const Outcome run = typ(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_NE(run.err.find("Usage: orolith typ INPUT"), std::string::npos);
    }
    const Outcome help = typ({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--row-per-band"), std::string::npos);
}
