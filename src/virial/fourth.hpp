// Fourth virial coefficient of helium-4, D(T) = ND(T)/QD(T), cm^9/mol^3, and its
// first and second temperature derivatives (per K, per K^2), by the forms of
// quotient_rule.hpp.
//
// The numbers: the coefficient tables of the correlation as published with
// this library, each the double its shortest decimal denotes; the derivative
// tables are stored constants of that publication, within three units in the
// last place of k*d_k (tests/virial/derivative_tables_test.cpp).
//
// How right: D has no independent reference here; it enters density, cp and
// the speed of sound, which agree with the reference equation of state to
// 1.6 ppm in the dilute gas and to 0.3 % at 20 K, 1 MPa (docs/accuracy.md).
// Where it means nothing: QD vanishes near 2.180066 K (positive below,
// negative above), a pole across which D and D'' change sign and D' keeps it;
// ND vanishes near 3.443086 K, so D < 0 between the two. At T = 0 all three
// are NaN.
#pragma once

#include "virial/quotient_rule.hpp"

namespace vorn {

inline constexpr VirialTables fourth_virial_tables{
    // ND: T^1 .. T^7
    {1263.7371118707522, -426.268277234292, 11.106959681600618, 2.7408783617998136, -0.2649153907280561,
     -0.004903657781343367, -1.042608375490716e-06},
    // ND': T^0 .. T^6
    {1263.7371118707522, -852.536554468584, 33.320879044801856, 10.963513447199254, -1.3245769536402803,
     -0.0294219466880602, -7.298258628435011e-06},
    // ND'': T^0 .. T^5
    {-852.536554468584, 66.64175808960371, 32.890540341597756, -5.298307814561122, -0.147109733440301,
     -4.3789551770610075e-05},
    // QD: T^1 .. T^9
    {0.011474087528770455, -0.009701911419010428, 0.00269671635685949, -0.00024236023062798145,
     -2.2129317486467974e-05, -2.577978089620227e-06, -1.8507057376815855e-08, -6.35008634684348e-12,
     -1.8817874198384384e-15},
    // QD': T^0 .. T^8
    {0.011474087528770455, -0.01940382283802086, 0.008090149070578466, -0.0009694409225119259,
     -0.00011064658743233984, -1.546786853772136e-05, -1.2954940163771095e-07, -5.080069077474784e-11,
     -1.6936086778545946e-14},
    // QD'': T^0 .. T^7
    {-0.01940382283802086, 0.016180298141156936, -0.0029083227675357776, -0.0004425863497293594,
     -7.73393426886068e-05, -7.772964098262657e-07, -3.556048354232349e-10, -1.3548869422836756e-13},
};

inline double fourth_virial(double T) { return virial_value(fourth_virial_tables, T); }
inline double fourth_virial_dT(double T) { return virial_first_derivative(fourth_virial_tables, T); }
inline double fourth_virial_dT2(double T) { return virial_second_derivative(fourth_virial_tables, T); }

}  // namespace vorn
