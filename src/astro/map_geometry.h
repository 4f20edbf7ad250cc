#pragma once

#include <cstdint>

namespace lumivane {

// Conversions between pixels of an equirectangular map of W x H pixels and
// geographic coordinates. Row 0 is latitude +90 (row H would be -90); column
// 0 is west longitude +180 (the date line), column W/2 Greenwich, column W
// west longitude -180. A pixel stands for its upper-left corner.
// Angles are degrees, latitude positive north, longitude positive west.
namespace MapGeometry {

// 90 - (row / H) * 180, divided in floating point. H must not be 0.
double RowToLatitude(std::int32_t row, std::int32_t height);

// 180 - (column / W) * 360. W must not be 0.
double ColumnToWestLongitude(std::int32_t column, std::int32_t width);

// The row containing the latitude, counted from the top and rounded down
// (truncation, never rounding to nearest): 23.44 on 200 rows is row 73.
// Angles outside [-90, 90] give rows outside the map.
std::int32_t LatitudeToRow(std::int32_t height, double latitude);

// The column containing the west longitude, counted from the left.
std::int32_t WestLongitudeToColumn(std::int32_t width, double westLongitude);

// Cosine of the sun's zenith angle at a place: 1 at the sub-solar point, 0 on
// the terminator, -1 at the antipode. Four sines and four cosines, summed in
// a fixed order so every caller gets the same bits.
double SolarZenithCosine(double declination, double sunWestLongitude, double latitude,
                         double westLongitude);

}  // namespace MapGeometry
}  // namespace lumivane
