// Third virial coefficient of helium-4, C(T) = NC(T)/QC(T), cm^6/mol^2, and its
// first and second temperature derivatives (per K, per K^2), by the forms of
// quotient_rule.hpp.
//
// The numbers: the coefficient tables of the correlation as published with
// this library, each the double its shortest decimal denotes; the derivative
// tables are stored constants of that publication, within three units in the
// last place of k*c_k (tests/virial/derivative_tables_test.cpp).
//
// How right (docs/accuracy.md): within 1.7 % of the C implied by the reference
// equation of state from 4.2 K to 300 K, but 3.1 % above the NIST SRD134
// value at 300 K and 43 % above it at 100 K: C has no firm reference below
// about 200 K. Where it means nothing: QC > 0 for every T > 0, so all three
// are finite there; C changes sign once, at about 2.470429 K. At T = 0 all
// three are NaN.
#pragma once

#include "virial/quotient_rule.hpp"

namespace vorn {

inline constexpr VirialTables third_virial_tables{
    // NC: T^1 .. T^7
    {-0.005192736488776998, 0.001164705068750362, 0.0003410052518586741, 1.0273059376639112e-05,
     2.110471125287875e-06, 8.210074221733483e-09, 3.429941713840095e-12},
    // NC': T^0 .. T^6
    {-0.005192736488776998, 0.0023294101375007236, 0.0010230157555760223, 4.109223750655645e-05,
     1.0552355626439375e-05, 4.92604453304009e-08, 2.4009591996880663e-11},
    // NC'': T^0 .. T^5
    {0.0023294101375007236, 0.0020460315111520445, 0.00012327671251966934, 4.220942250575751e-05,
     2.463022266520045e-07, 1.44057551981284e-10},
    // QC: T^1 .. T^9
    {1.1876001341927747e-06, -1.0181758805275148e-06, 3.295512845016351e-07, 1.3053754890950256e-08,
     9.169351503546407e-09, 8.290985277530536e-11, 1.178067629447965e-13, 2.712758161444976e-17,
     4.448953856495023e-22},
    // QC': T^0 .. T^8
    {1.1876001341927747e-06, -2.0363517610550295e-06, 9.886538535049053e-07, 5.221501956380102e-08,
     4.584675751773203e-08, 4.974591166518323e-10, 8.246473406135757e-13, 2.17020652915598e-16,
     4.004058470845521e-21},
    // QC'': T^0 .. T^7
    {-2.0363517610550295e-06, 1.9773077070098106e-06, 1.5664505869140304e-07, 1.8338703007092813e-07,
     2.4872955832591616e-09, 4.947884043681454e-12, 1.5191445704091863e-15, 3.203246776676417e-20},
};

inline double third_virial(double T) { return virial_value(third_virial_tables, T); }
inline double third_virial_dT(double T) { return virial_first_derivative(third_virial_tables, T); }
inline double third_virial_dT2(double T) { return virial_second_derivative(third_virial_tables, T); }

}  // namespace vorn
