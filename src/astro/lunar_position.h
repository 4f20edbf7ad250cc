#pragma once

#include "astro/solar_position.h"

namespace lumivane {

// Where the moon stands over the Earth. Degrees.
struct SubLunarPoint {
  double declination = 0;    // positive north, (-90, 90]
  double westLongitude = 0;  // positive west of Greenwich, (-180, 180]
};

enum class MoonPhase { New, FirstQuarter, Full, LastQuarter };

// The sub-lunar point from mean lunar elements (an unperturbed Kepler
// ellipse with one eccentric-anomaly step). The moon's west longitude is
// derived from the sun's: sun.westLongitude + sun.rightAscension - moon RA.
SubLunarPoint ComputeSubLunarPoint(const SolarEphemeris& ephemeris, const SubSolarPoint& sun);

// The phase picture from the elongation V = sun.westLongitude -
// moon.westLongitude (positive while waxing), folded once into [-180, 180];
// a value on a bin boundary belongs to the bin above it.
MoonPhase ChooseMoonPhase(const SubSolarPoint& sun, const SubLunarPoint& moon);

// The phase picture for an elongation in [-180, 180] degrees (positive while
// waxing): New below 45 degrees either way, the quarters up to 135, Full
// beyond; a value on a bin boundary belongs to the bin above it.
MoonPhase MoonPhaseForElongation(double elongation);

// "New", "FirstQuarter", "Full" or "LastQuarter".
const char* MoonPhaseName(MoonPhase phase);

}  // namespace lumivane
