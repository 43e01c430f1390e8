// The 23 residual terms of the helium-4 reference equation of state, row for
// row as printed in NIST IR 8474 (Ortiz-Vega, Hall, Holste, Arp, Harvey and
// Lemmon, 2023), Table of residual coefficients:
//
//   alpha_r = sum_{1..6}   n delta^d tau^t
//           + sum_{7..12}  n delta^d tau^t exp(-delta^l)
//           + sum_{13..23} n delta^d tau^t exp(-eta (delta - eps)^2 - beta (tau - gamma)^2)
//
// with delta = rho/rho_c and tau = Tc/T.
#pragma once

#include <array>

namespace vorn::reference_eos {

struct PowerTerm {
  double n;
  double t;
  unsigned d;
};

struct ExponentialTerm {
  double n;
  double t;
  unsigned d;
  unsigned l;
};

struct GaussianTerm {
  double n;
  double t;
  unsigned d;
  double eta;
  double beta;
  double gamma;
  double epsilon;
};

// clang-format off
//                                          i     n              t      d
inline constexpr std::array<PowerTerm, 6> power_terms{{
    /*  1 */ {0.015559018,   1.0,   4},
    /*  2 */ {3.0638932,     0.425, 1},
    /*  3 */ {-4.2420844,    0.63,  1},
    /*  4 */ {0.054418088,   0.69,  2},
    /*  5 */ {-0.18971904,   1.83,  2},
    /*  6 */ {0.087856262,   0.575, 3},
}};

//                                                i     n              t      d  l
inline constexpr std::array<ExponentialTerm, 6> exponential_terms{{
    /*  7 */ {2.2833566,     0.925, 1, 1},
    /*  8 */ {-0.53331595,   1.585, 1, 2},
    /*  9 */ {-0.53296502,   1.69,  3, 2},
    /* 10 */ {0.99444915,    1.51,  2, 1},
    /* 11 */ {-0.30078896,   2.9,   2, 2},
    /* 12 */ {-1.6432563,    0.8,   1, 1},
}};

//                                              i     n              t      d  eta       beta        gamma     eps
inline constexpr std::array<GaussianTerm, 11> gaussian_terms{{
    /* 13 */ {0.8029102,     1.26,  2, 1.5497,   0.2471,     3.15,     0.596},
    /* 14 */ {0.026838669,   3.51,  1, 9.245,    0.0983,     2.54505,  0.3423},
    /* 15 */ {0.04687678,    2.785, 2, 4.76323,  0.1556,     1.2513,   0.761},
    /* 16 */ {-0.14832766,   1.0,   1, 6.3826,   2.6782,     1.9416,   0.9747},
    /* 17 */ {0.03016211,    4.22,  1, 8.7023,   2.7077,     0.5984,   0.5868},
    /* 18 */ {-0.019986041,  0.83,  3, 0.255,    0.6621,     2.2282,   0.5627},
    /* 19 */ {0.14283514,    1.575, 2, 0.3523,   0.1775,     1.606,    2.5346},
    /* 20 */ {0.007418269,   3.447, 2, 0.1492,   0.4821,     3.815,    3.6763},
    /* 21 */ {-0.22989793,   0.73,  3, 0.05,     0.3069,     1.61958,  4.5245},
    /* 22 */ {0.79224829,    1.634, 2, 0.1668,   0.1758,     0.6407,   5.039},
    /* 23 */ {-0.049386338,  6.13,  2, 42.2358,  1357.6577,  1.076,    0.959},
}};
// clang-format on

}  // namespace vorn::reference_eos
