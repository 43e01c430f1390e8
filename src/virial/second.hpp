// Second virial coefficient of helium-4, B(T) = NB(T)/QB(T), cm^3/mol, and its
// first and second temperature derivatives (per K, per K^2), by the forms of
// quotient_rule.hpp.
//
// The numbers: the coefficient tables of the correlation as published with
// this library, each the double its shortest decimal denotes. The derivative
// tables NB', NB'', QB', QB'' are stored constants of that publication, not
// products formed here: each agrees with k*n_k (of the table it derives from)
// to within three units in the last place, several not exactly
// (tests/virial/derivative_tables_test.cpp checks every one).
//
// How right (docs/accuracy.md): within 0.0087 cm^3/mol of ab initio values
// from 4.2 K to 300 K (0.011 % or better where |B| > 5 cm^3/mol).
// Where it means nothing: QB > 0 from 0 to about 1.636e5 K, so all three are
// finite for T > 0 up to there, and nothing is checked beyond 300 K; B changes
// sign once, at about 23.18621 K. At T = 0 all three are NaN; negative T goes
// through the same formulas and means nothing.
#pragma once

#include "virial/quotient_rule.hpp"

namespace vorn {

inline constexpr VirialTables second_virial_tables{
    // NB: T^1 .. T^7
    {-0.0008568999357147244, 0.000684728188478356, -0.0015078724653006146, 5.181615954413664e-05,
     5.045207574073732e-07, 5.822682491877285e-10, 8.966949440903051e-14},
    // NB': T^0 .. T^6
    {-0.0008568999357147244, 0.001369456376956712, -0.004523617395901844, 0.00020726463817654655,
     2.5226037870368655e-06, 3.493609495126371e-09, 6.276864608632137e-13},
    // NB'': T^0 .. T^5
    {0.001369456376956712, -0.009047234791803688, 0.0006217939145296397, 1.0090415148147462e-05,
     1.746804747563185e-08, 3.766118765179282e-12},
    // QB: T^1 .. T^9
    {1.4838454569015684e-07, 7.589523953440249e-07, -1.0325337708289466e-06, 3.50897593005343e-06,
     3.800208761403851e-08, 6.608829282086984e-11, 2.0167031623319623e-14, 6.931997389908923e-19,
     -5.004547863772131e-24},
    // QB': T^0 .. T^8
    {1.4838454569015684e-07, 1.51790479068805e-06, -3.09760131248684e-06, 1.4035903720213721e-05,
     1.9001043807019255e-07, 3.96529756925219e-10, 1.4116922136323733e-13, 5.545597911927138e-18,
     -4.5040930773949187e-23},
    // QB'': T^0 .. T^7
    {1.51790479068805e-06, -6.19520262497368e-06, 4.210771116064117e-05, 7.600417522807703e-07,
     1.982648784626095e-09, 8.470153281794242e-13, 3.881918538348997e-17, -3.6032744619159345e-22},
};

inline double second_virial(double T) { return virial_value(second_virial_tables, T); }
inline double second_virial_dT(double T) { return virial_first_derivative(second_virial_tables, T); }
inline double second_virial_dT2(double T) { return virial_second_derivative(second_virial_tables, T); }

}  // namespace vorn
