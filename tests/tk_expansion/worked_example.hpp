#pragma once

// A triclinic series with non-uniform sigma T (T sigmaT a b c alpha beta gamma) whose results
// under the default settings are known to four decimals from the reference calculator.
inline constexpr const char* kWorkedExample =
    "300 2 8.12340 10.56780 12.34560 88.500 101.250 92.100\n"
    "270 2 8.12000 10.56685 12.33263 88.440 101.295 92.085\n"
    "240 3 8.11663 10.56590 12.31963 88.380 101.340 92.070\n"
    "210 3 8.11330 10.56495 12.30661 88.320 101.385 92.055\n"
    "180 2 8.10999 10.56400 12.29357 88.260 101.430 92.040\n"
    "150 1 8.10671 10.56304 12.28051 88.200 101.475 92.025\n"
    "120 1 8.10346 10.56209 12.26742 88.140 101.520 92.010\n";

#include "analysis.hpp"

// The default settings but for the strain definition.
inline tkx::Settings with_strain(const tkx::StrainSettings& strain) {
  tkx::Settings settings;
  settings.strain = strain;
  return settings;
}
