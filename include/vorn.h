/*
 * vorn: thermophysical properties of helium-4 gas.
 *
 * The contract between the library and its hosts. Every routine takes the
 * addresses of doubles (read, never written; two arguments may share one
 * address) and returns one double. Temperatures are in K, pressures in kPa;
 * results are in SI units, except the virial coefficients, which are in
 * cm-based molar units. No routine validates its arguments, reports an error
 * or keeps state: out of range, the formulas give what IEEE-754 arithmetic
 * gives (infinities, NaN). Every routine may be called from any number of
 * threads at once.
 *
 * The four module constants are ordinary mutable doubles that every routine
 * re-reads at each use: a host that stores a new value sees every later result
 * follow it (and provides its own synchronisation if other threads compute
 * meanwhile).
 *
 * A note on vorn_Za_gk: measured against the virial coefficients, its
 * first-order coefficient is the second acoustic virial coefficient beta_a,
 * not B, so the quantity it returns is the acoustic factor (w/w0)^2 rather
 * than the compressibility factor pV/(nRT). vorn_w_gk = w0 * sqrt(Za) is
 * therefore a good speed of sound, and temp_K is exact for an acoustic
 * thermometer with phi the ratio of squared sound speeds, not for a ratio of
 * gas pressures.
 */
#ifndef VORN_H
#define VORN_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(VORN_BUILDING_LIBRARY)
#define VORN_API __declspec(dllimport)
#else
#define VORN_API
#endif

/* Module constants, read by the routines at every use. */
VORN_API extern double __vorn_MOD_g0; /* ideal monatomic cp/cv, 1.666666666666667 (one ulp above 5/3) */
VORN_API extern double __vorn_MOD_m0; /* molar mass of helium-4, 0.00400260325413 kg/mol */
VORN_API extern double __vorn_MOD_pi; /* pi, 3.141592653589793; read by no routine */
VORN_API extern double __vorn_MOD_r;  /* molar gas constant, 8.3144598 J/(mol K) */

/* Virial coefficients: quotients of a degree-7 and a degree-9 polynomial in T. */
VORN_API double __vorn_MOD_b(const double *T);   /* B(T), cm^3/mol */
VORN_API double __vorn_MOD_db(const double *T);  /* dB/dT, cm^3/(mol K) */
VORN_API double __vorn_MOD_d2b(const double *T); /* d2B/dT2, cm^3/(mol K^2) */
VORN_API double __vorn_MOD_c(const double *T);   /* C(T), cm^6/mol^2 */
VORN_API double __vorn_MOD_dc(const double *T);  /* dC/dT, cm^6/(mol^2 K) */
VORN_API double __vorn_MOD_d2c(const double *T); /* d2C/dT2, cm^6/(mol^2 K^2) */
VORN_API double __vorn_MOD_d(const double *T);   /* D(T), cm^9/mol^3; pole near 2.180066 K */
VORN_API double __vorn_MOD_dd(const double *T);  /* dD/dT, cm^9/(mol^3 K) */
VORN_API double __vorn_MOD_d2d(const double *T); /* d2D/dT2, cm^9/(mol^3 K^2) */

/* Gas state from the virial equation p = rho_n r T (1 + B rho_n + C rho_n^2 + D rho_n^3). */
VORN_API double vorn_rho(const double *T, const double *P);   /* density (one Newton step from the ideal gas), kg/m^3 */
VORN_API double vorn_vol(const double *T, const double *P);   /* molar volume m0/rho, m^3/mol */
VORN_API double vorn_cv(const double *T, const double *P);    /* isochoric specific heat capacity, J/(kg K) */
VORN_API double vorn_cp(const double *T, const double *P);    /* isobaric specific heat capacity, J/(kg K) */
VORN_API double vorn_gamma(const double *T, const double *P); /* cp/cv, dimensionless */
VORN_API double vorn_w(const double *T, const double *P);     /* speed of sound (acoustic virial series), m/s */

/* The independent correlation Za(T, P) (the acoustic factor (w/w0)^2) and what is built on it. */
VORN_API double vorn_Za_gk(const double *T, const double *P); /* Za, dimensionless; terms switch on above 1.95, 2.6, 20 K */
VORN_API double vorn_w_gk(const double *T, const double *P);  /* speed of sound sqrt(g0 r T / m0 * Za), m/s */
/* Temperature T solving T/T0 = phi * Za(T0, P0) / Za(T, P): phi dimensionless, P and P0 in kPa, T0 and result in K.
 * At most 30 Newton iterations; when the tolerance is not met the last iterate is returned all the same. */
VORN_API double temp_K(const double *phi, const double *P, const double *T0, const double *P0);

/* Transport. */
VORN_API double vorn_k0(const double *T);                  /* thermal conductivity at zero pressure, W/(m K) */
VORN_API double vorn_k(const double *T, const double *P);  /* thermal conductivity, W/(m K) */
VORN_API double vorn_nu0(const double *T);                 /* viscosity at zero pressure, Pa s */
VORN_API double vorn_nu(const double *T, const double *P); /* viscosity, Pa s */

#ifdef __cplusplus
}
#endif

#endif /* VORN_H */
