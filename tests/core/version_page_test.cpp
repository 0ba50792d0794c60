#include "core/app/version_page.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace orolith {

TEST(VersionPage, ExtractsTheBodyTextAndComparesWithTheProgramsVersion) {
    VersionPage page;
    for (const auto& [text, version, named] : std::vector<std::tuple<std::string, std::string, bool>>{
             {"<html><body>\r\n 0.7\r\n</body></html>", "0.7", true},
             {"<body>0.8<body>junk", "0.8", true},
             {" 0 . 9 ", "0.9", true}, // no body: the whole buffer
             {"version 1.0 </p>", "version1.0", false},
             {std::string(998, ' ') + "1.5", "1.", true}, // only the first 1000 bytes
             {"<!DOCTYPE html><p>Not found", "<!DOCTYPEhtml><p>Notfound", false}}) {
        EXPECT_EQ(page.parse(text), named) << text;
        EXPECT_EQ(page.versionText(), version);
        EXPECT_EQ(page.errorString().empty(), named) << text;
    }
    for (const char* newer : {"0.7", "0.61", "1.0beta"}) {
        page.parse(newer);
        EXPECT_TRUE(page.isNewerThan(0.6f)) << newer;
    }
    for (const char* older : {"0.6", "0.5", "", "version0.7"}) {
        page.parse(older);
        EXPECT_FALSE(page.isNewerThan(0.6f)) << older;
    }
}

} // namespace orolith
