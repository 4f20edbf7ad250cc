#pragma once

// Our results must match reference values to the last digits; fast-math
// would reorder and contract the arithmetic behind our back.
#ifdef __FAST_MATH__
#error "Lumivane must not be built with -ffast-math"
#endif

namespace lumivane {

// Degrees to radians. Deliberately 0.017453292, slightly less than pi/180:
// every position and the day/night boundary are defined with this factor.
inline constexpr double kDegreesToRadians = 0.017453292;
// Radians to degrees, exactly 1/kDegreesToRadians.
inline constexpr double kRadiansToDegrees = 57.29578121995553;
// The doubles nearest to 1/180 and 1/360: angles as fractions of a turn.
inline constexpr double kPerHalfTurn = 0.005555555555555556;
inline constexpr double kPerTurn = 0.002777777777777778;

// Folds any finite angle (degrees) into (-90, 90]: -90 -> 90, 100 -> -80.
// Works on the fraction of a half turn, so any input folds in one step.
double NormalizeLatitude(double degrees);

// Folds any finite angle (degrees) into (-180, 180]: -180 -> 180, 190 -> -170.
double NormalizeLongitude(double degrees);

}  // namespace lumivane
