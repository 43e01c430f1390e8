// Initial values of the module constants: the doubles nearest these decimals.
#include "constants/module_constants.hpp"

#include "constants/floating_point_guards.hpp"

double heat_capacity_ratio_ideal = 1.666666666666667;
double molar_mass = 0.00400260325413;
double module_pi = 3.141592653589793;
double gas_constant = 8.3144598;
