#include "core/conversion/distance.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

TEST(Distance, OneDegreeOfCentralAngleInEachUnit) {
    EXPECT_NEAR(distance("50,0", "51,0", "K"), 111189.57696, 1e-4);
    EXPECT_NEAR(distance("0,0", "0,1", "k"), 111189.57696, 1e-4);
    EXPECT_NEAR(distance("0,0", "0,1", "N"), 59.997756, 1e-6);
    EXPECT_NEAR(distance("0,0", "0,1", ""), 69.09, 1e-9);
    EXPECT_EQ(distance("", "50,1", "K"), 0.0); // an empty first point
}

TEST(Distance, EqualPointsGiveZeroEvenWhereRoundingPassesOne) {
    for (const char* point : {"50.5,-3.5", "46.310000,8.286021", "89.999999,179.999999", "-45.123456,7.1"})
        EXPECT_EQ(distance(point, point, "K"), 0.0) << point;
    EXPECT_EQ(arcCosine(1.0000000000000002), 0.0);
    EXPECT_EQ(arcCosine(-1.0000000000000002), kDistancePi);
}

TEST(Distance, UnreadablePointsCountAsZeroAndAreReported) {
    std::string failure;
    EXPECT_DOUBLE_EQ(distance("50", "50,0", "K", &failure), 0.0); // "50" has no longitude: 0 counts
    EXPECT_NE(failure.find("\"50\""), std::string::npos) << failure;
    failure.clear();
    EXPECT_NEAR(distance("x,1", "0,1", "K", &failure), 0.0, 1e-6);
    EXPECT_FALSE(failure.empty());
    failure.clear();
    distance(" 50.5 , -3.5", "50.5,-3.5", "K", &failure);
    EXPECT_EQ(failure, "");
    EXPECT_EQ(distance("1e-400,0", "0,-1e-999", "K", &failure), 0.0); // too small for a double: 0
    EXPECT_EQ(failure, "");
}

} // namespace
} // namespace orolith
