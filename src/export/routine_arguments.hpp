// Parameter lists of the exported routines by arity, for the code made from
// routines.def: the scalar routine takes the addresses of its arguments, the
// array form n points of each.
#pragma once

#define VORN_SCALAR_PARAMETERS_1 const double* T
#define VORN_SCALAR_PARAMETERS_2 const double *T, const double *P
#define VORN_SCALAR_PARAMETERS_4 const double *phi, const double *P, const double *T0, const double *P0

#define VORN_SCALAR_VALUES_1 *T
#define VORN_SCALAR_VALUES_2 *T, *P
#define VORN_SCALAR_VALUES_4 *phi, *P, *T0, *P0

#define VORN_ARRAY_INPUTS_1 T
#define VORN_ARRAY_INPUTS_2 T, P
#define VORN_ARRAY_INPUTS_4 phi, P, T0, P0
