// What a thermometer's iteration ends with: the temperature (K), the
// iterations used and whether the tolerance was met. Shared by the acoustic
// thermometer (thermometer.hpp) and the gas thermometer, which need nothing
// else of each other.
#pragma once

namespace vorn {

struct ThermometerSolution {
  double temperature;
  int iterations;
  bool converged;
};

}  // namespace vorn
