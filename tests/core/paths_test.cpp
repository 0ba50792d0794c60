#include "core/platform/paths.h"
#include "core/conversion/conversion.h"
#include "core/style/typ_writer.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace orolith {
namespace {

TEST(Paths, BaseNameAndFolderSplitOnBothSeparators) {
    EXPECT_EQ(baseNameOf("C:\\maps\\N50W001.hgt.zip"), "N50W001");
    EXPECT_EQ(baseNameOf("/home/me/a.b.txt"), "a");
    EXPECT_EQ(baseNameOf("/home/me/"), "");
    EXPECT_EQ(folderOf("", "/app"), "/app");
    EXPECT_EQ(folderOf("C:\\tools\\*.exe", "/app"), "/app");
    EXPECT_EQ(folderOf("C:\\tools\\tool.exe", "/app"), "C:\\tools\\");
    EXPECT_EQ(folderOf("/opt/tool.d/tool.exe", "/app"), "/opt/tool.d/");
}

// Names outside ASCII reach the system as the same file names, in both directions: the map
// goes beside its input, the TYP files where they are named, and the messages say the names.
TEST(Paths, NonAsciiNamesReachTheFilesAndTheMessages) {
    namespace fs = std::filesystem;
    testing::TempDir dir;
    const fs::path folder = dir.path() / pathFromText("Höhen ü");
    fs::create_directories(folder);
    EXPECT_EQ(pathFromText(pathText(folder)), folder);
    const fs::path input = folder / pathFromText("Höhen ü.txt");
    {
        std::ofstream out(input, std::ios::binary);
        out << testing::crlf({"L 1 100.0", " 7 50", " 7 51", " 8 51", " 7 50"});
    }
    testing::RecordingHost host;
    ConversionOptions options;
    options.inputPath = input;
    options.detailLevels[0] = true;
    const ConversionResult result = convertGeoVector(options, host);
    ASSERT_TRUE(result.written) << testing::crlf(host.texts(MessageKind::Failure));
    EXPECT_EQ(result.mapPath, folder / pathFromText("Höhen ü.mp"));
    EXPECT_NE(testing::readBytes(result.mapPath).find("Type=0x10304"), std::string::npos);
    EXPECT_EQ(result.finalMessage, "Created " + pathText(folder) + "/Höhen ü.mp (0 polygons not included)");

    TypJob job;
    job.style.patternText = "01\r\n";
    job.style.typPath = folder / pathFromText("Höhen ü-typ.txt");
    job.companionPath = folder / pathFromText("Begleitliste ü.tpgn");
    job.types = result.types;
    job.protectedPaths = {input, result.mapPath};
    EXPECT_TRUE(writeTypFile(job, host).written);
    EXPECT_NE(testing::readBytes(job.style.typPath).find("Type=0x10304"), std::string::npos);
    EXPECT_NE(testing::readBytes(job.companionPath).find("pgon:10304"), std::string::npos);
    EXPECT_EQ(host.texts(MessageKind::Notice).back(), "created:" + pathText(folder) + "/Höhen ü-typ.txt");
    EXPECT_TRUE(host.texts(MessageKind::Failure).empty());
}

} // namespace
} // namespace orolith
