#include "core/app/version_page.h"

#include <gtest/gtest.h>

namespace orolith {

TEST(VersionPage, ExtractsTheBodyTextAndComparesWithTheProgramsVersion) {
    VersionPage page;
    for (const auto& [text, version] : std::vector<std::pair<std::string, std::string>>{
             {"<html><body>\r\n 0.7\r\n</body></html>", "0.7"},
             {"<body>0.8<body>junk", "0.8"},
             {" 0 . 9 ", "0.9"},                      // no body: the whole buffer
             {std::string(998, ' ') + "1.5", "1."}}) { // only the first 1000 bytes
        EXPECT_TRUE(page.parse(text)) << text;
        EXPECT_EQ(page.versionText(), version);
    }
    EXPECT_FALSE(page.parse("<!DOCTYPE html><p>Not found"));
    EXPECT_EQ(page.errorString(), "The version page names no version.");
    EXPECT_FALSE(page.parse("version 1.0 </p>"));
    EXPECT_EQ(page.versionText(), "version1.0");
    for (const auto& [text, newer] : std::vector<std::pair<std::string, bool>>{
             {"0.7", true}, {"0.61", true}, {"1.0beta", true}, {"0.6", false}, {"0.5", false}, {"", false}}) {
        page.parse(text);
        EXPECT_EQ(page.isNewerThan(0.6f), newer) << text;
    }
}

} // namespace orolith
