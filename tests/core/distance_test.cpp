#include "core/distance.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

TEST(Distance, OneDegreeOfCentralAngleInEachUnit) {
    EXPECT_NEAR(distance("50,0", "51,0", "K"), 111189.57696, 1e-4);
    EXPECT_NEAR(distance("0,0", "0,1", "K"), 111189.57696, 1e-4);
    EXPECT_NEAR(distance("0,0", "0,1", "k"), 111189.57696, 1e-4);
    EXPECT_NEAR(distance("0,0", "0,1", "N"), 59.997756, 1e-6);
    EXPECT_NEAR(distance("0,0", "0,1", "M"), 69.09, 1e-9);
    EXPECT_NEAR(distance("0,0", "0,1", ""), 69.09, 1e-9);
}

TEST(Distance, EqualPointsGiveZeroEvenWhereRoundingPassesOne) {
    for (const char* point :
         {"50.5,-3.5", "46.310000,8.286021", "0,0", "89.999999,179.999999", "-45.123456,7.1"})
        EXPECT_EQ(distance(point, point, "K"), 0.0) << point;
    EXPECT_EQ(acos(1.0000000000000002), 0.0);
    EXPECT_EQ(acos(-1.0000000000000002), kDistancePi);
    EXPECT_NEAR(acos(0.5), 1.0471975511966, 1e-12);
}

TEST(Distance, EmptyFirstPointGivesZero) {
    EXPECT_EQ(distance("", "50,1", "K"), 0.0);
}

TEST(Distance, UnreadablePointsCountAsZeroAndAreReported) {
    std::string failure;
    // "50" has no longitude: it counts as 0, so the points are 50° of longitude apart at 50°N.
    const double metres = distance("50", "50,0", "K", &failure);
    EXPECT_NE(failure.find("\"50\""), std::string::npos) << failure;
    EXPECT_DOUBLE_EQ(metres, 0.0);
    failure.clear();
    EXPECT_NEAR(distance("x,1", "0,1", "K", &failure), 0.0, 1e-6);
    EXPECT_FALSE(failure.empty());
    failure.clear();
    distance(" 50.5 , -3.5", "50.5,-3.5", "K", &failure);
    EXPECT_EQ(failure, "");
}

} // namespace
} // namespace orolith
