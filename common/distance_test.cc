#include "distance.h"

#include <gtest/gtest.h>

namespace {

TEST(GreatCircle, DegreesOfArcAndKnownCities) {
  EXPECT_NEAR(great_circle_km(0, 0, 0, 1), 111.195, 0.001);
  EXPECT_NEAR(great_circle_km(40.71427, -74.00597, 41.85003, -87.65005), 1145.9, 0.5);  // New York, Chicago
  EXPECT_DOUBLE_EQ(great_circle_km(10, 10, 10, 10), 0.0);
  // Across the 180th meridian the short way, and antipodes half the circumference.
  EXPECT_NEAR(great_circle_km(0, 179.5, 0, -179.5), great_circle_km(0, 0, 0, 1), 1e-9);
  EXPECT_NEAR(great_circle_km(0, 0, 0, 180), 6371.0 * 3.14159265358979323846, 1e-6);
}

}  // namespace
