// Lengths on the ground: miles to km, and the great circle between two
// points given by latitude and longitude in degrees.
#pragma once

inline constexpr double kKmPerMile = 1.609344;
inline constexpr double kEarthRadiusKm = 6371.0;

// The length of the great circle between two points on a sphere of
// kEarthRadiusKm, in km.
double great_circle_km(double lat1, double lon1, double lat2, double lon2);
