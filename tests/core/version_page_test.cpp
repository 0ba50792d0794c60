#include "core/app/version_page.h"

#include <gtest/gtest.h>

namespace orolith {

TEST(VersionPage, ExtractsTheBodyTextAndComparesWithTheProgramsVersion) {
    EXPECT_EQ(extractVersionText("<html><body>\r\n 0.7\r\n</body></html>"), "0.7");
    EXPECT_EQ(extractVersionText("<body>0.8<body>junk"), "0.8");
    EXPECT_EQ(extractVersionText(" 0 . 9 "), "0.9"); // no body: the whole buffer
    EXPECT_EQ(extractVersionText("version 1.0 </p>"), "version1.0");
    EXPECT_EQ(extractVersionText(std::string(998, ' ') + "1.5"), "1."); // only the first 1000 bytes
    for (const char* newer : {"0.7", "0.61", "1.0beta"})
        EXPECT_TRUE(isNewerVersion(newer, 0.6f)) << newer;
    for (const char* older : {"0.6", "0.5", "", "version0.7"})
        EXPECT_FALSE(isNewerVersion(older, 0.6f)) << older;
    EXPECT_FALSE(isNewerVersion(extractVersionText("<!DOCTYPE html><p>Not found"), 0.6f));
}

} // namespace orolith
