#include "distance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

double great_circle_km(double lat1, double lon1, double lat2, double lon2) {
  const double dlat = radians(lat2 - lat1);
  const double dlon = radians(lon2 - lon1);
  const double h = std::sin(dlat / 2) * std::sin(dlat / 2) +
                   std::cos(radians(lat1)) * std::cos(radians(lat2)) * std::sin(dlon / 2) * std::sin(dlon / 2);
  return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}
