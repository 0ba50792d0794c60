#include "core/version_page.h"

#include <gtest/gtest.h>

using namespace orolith;

TEST(VersionPage, ExtractsTheBodyText) {
    EXPECT_EQ(extractVersionText("<html><body>  0.7  </body></html>"), "0.7");
    EXPECT_EQ(extractVersionText("<html><body>\r\n0.7\r\n</body></html>"), "0.7");
    EXPECT_EQ(extractVersionText("<body>0.8<body>junk"), "0.8");
    EXPECT_EQ(extractVersionText(" 0 . 9 "), "0.9"); // no body: the whole buffer
    EXPECT_EQ(extractVersionText("version 1.0 </p>"), "version1.0");
    EXPECT_EQ(extractVersionText(std::string(1000, ' ')), "");
    EXPECT_EQ(extractVersionText(""), "");
    // Only the first 1000 bytes are read.
    EXPECT_EQ(extractVersionText(std::string(998, ' ') + "1.5"), "1.");
}

TEST(VersionPage, ComparesWithTheProgramsVersion) {
    EXPECT_TRUE(isNewerVersion("0.7", 0.6f));
    EXPECT_TRUE(isNewerVersion("0.61", 0.6f));
    EXPECT_TRUE(isNewerVersion("1.0beta", 0.6f));
    EXPECT_FALSE(isNewerVersion("0.6", 0.6f));
    EXPECT_FALSE(isNewerVersion("0.5", 0.6f));
    EXPECT_FALSE(isNewerVersion("", 0.6f));
    EXPECT_FALSE(isNewerVersion("version0.7", 0.6f));
    EXPECT_FALSE(isNewerVersion(extractVersionText("<!DOCTYPE html><p>Not found"), 0.6f));
}
