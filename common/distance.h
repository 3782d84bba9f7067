// Lengths on the ground: miles to km, and the radius of the sphere the
// great circles between latitudes and longitudes are measured on.
#pragma once

inline constexpr double kKmPerMile = 1.609344;
inline constexpr double kEarthRadiusKm = 6371.0;
