/*
 * The MEX gateway of vorn for Octave and MATLAB (the MEX interface is the
 * same in both): one compiled function, vorn_mex, behind the .m wrappers of
 * the package folder +vorn.
 *
 *   vorn_mex('cp', T, P)              any routine by its short name, over arrays
 *   vorn_mex('temp_K', phi, P, T0, P0)
 *   vorn_mex('state', T, P)           the state flags, uint32
 *   vorn_mex('state_name', bit)       short name of one flag
 *   vorn_mex('state_flags')           struct of the flag values, INVALID = 1 ...
 *   vorn_mex('state_mask', 'cp')      the flags that spoil a routine's result, uint32
 *   vorn_mex('constant', name)        a module constant ('r', 'm0', 'g0', 'pi')
 *   vorn_mex('constant', name, value) store into it
 *   vorn_mex('version')               the library's version string
 *   vorn_mex('eos', property, pair, x1, x2)   the reference equation of state, e.g. ('h', 'TP', T, P)
 *   vorn_mex('eos_state', pair, x1, x2)       every property of it at once, a struct of arrays
 *   vorn_mex('eos_saturation', 'T' or 'P', x) the saturated liquid and vapour, a struct of arrays
 *   [v, flags] = vorn_mex('svp', name, T)       the saturated liquid (He II included): 'rho', 'u2', ...
 *   [v, flags] = vorn_mex('channel', what, ...) a He II channel: 'peak_flux' (T_bath, L, m), 'warm_end'
 *                                               (T_bath, L, q, m), 'heat_flux' (T_bath, T_warm, L, m)
 *   [v, dTdP, flags] = vorn_mex('its90_T', P)   the ITS-90 vapour scale: T90 from P (kPa); 'its90_P' back
 *
 * Arrays broadcast as in Octave's element-wise operators: in each dimension
 * the sizes are equal or one of them is 1 (a scalar goes with anything), and
 * every element of the result is the C routine at that element's arguments,
 * bit for bit. Arguments must be real, full double arrays: anything else is
 * refused with a message naming the argument, never converted.
 *
 * Build: mkoctfile --mex vorn_mex.c -I<include> -L<lib> -lvorn   (Octave)
 *        mex vorn_mex.c -I<include> -L<lib> -lvorn               (MATLAB)
 */
#include <stdio.h>
#include <string.h>

#include "mex.h"
#include "vorn.h"

typedef double (*fn1)(const double*);
typedef double (*fn2)(const double*, const double*);
typedef double (*fn4)(const double*, const double*, const double*, const double*);

typedef struct {
  const char* name;
  int arguments; /* 1, 2 or 4 */
  fn1 f1;
  fn2 f2;
  fn4 f4;
  const char* argument_names[4];
} routine;

static const routine routines[] = {
    {"b", 1, __vorn_MOD_b, NULL, NULL, {"T"}},
    {"db", 1, __vorn_MOD_db, NULL, NULL, {"T"}},
    {"d2b", 1, __vorn_MOD_d2b, NULL, NULL, {"T"}},
    {"c", 1, __vorn_MOD_c, NULL, NULL, {"T"}},
    {"dc", 1, __vorn_MOD_dc, NULL, NULL, {"T"}},
    {"d2c", 1, __vorn_MOD_d2c, NULL, NULL, {"T"}},
    {"d", 1, __vorn_MOD_d, NULL, NULL, {"T"}},
    {"dd", 1, __vorn_MOD_dd, NULL, NULL, {"T"}},
    {"d2d", 1, __vorn_MOD_d2d, NULL, NULL, {"T"}},
    {"rho", 2, NULL, vorn_rho, NULL, {"T", "P"}},
    {"vol", 2, NULL, vorn_vol, NULL, {"T", "P"}},
    {"cv", 2, NULL, vorn_cv, NULL, {"T", "P"}},
    {"cp", 2, NULL, vorn_cp, NULL, {"T", "P"}},
    {"gamma", 2, NULL, vorn_gamma, NULL, {"T", "P"}},
    {"w", 2, NULL, vorn_w, NULL, {"T", "P"}},
    {"Za_gk", 2, NULL, vorn_Za_gk, NULL, {"T", "P"}},
    {"w_gk", 2, NULL, vorn_w_gk, NULL, {"T", "P"}},
    {"temp_K", 4, NULL, NULL, temp_K, {"phi", "P", "T0", "P0"}},
    {"k0", 1, vorn_k0, NULL, NULL, {"T"}},
    {"k", 2, NULL, vorn_k, NULL, {"T", "P"}},
    {"nu0", 1, vorn_nu0, NULL, NULL, {"T"}},
    {"nu", 2, NULL, vorn_nu, NULL, {"T", "P"}},
    {"Z", 2, NULL, vorn_Z, NULL, {"T", "P"}},
};

#define MAX_DIMENSIONS 32

/* The broadcast shape of the inputs; refuses what is not a real full double
 * array, and sizes that do not conform. */
static mwSize broadcast_shape(const char* what, int n, const mxArray* const* in, const char* const* names,
                              mwSize* dims) {
  mwSize ndims = 2, k;
  int i;
  for (i = 0; i < n; ++i) {
    if (!mxIsDouble(in[i]) || mxIsComplex(in[i]) || mxIsSparse(in[i]))
      mexErrMsgIdAndTxt("vorn:argument", "vorn.%s: %s must be a real, full double array", what, names[i]);
    if (mxGetNumberOfDimensions(in[i]) > ndims) ndims = mxGetNumberOfDimensions(in[i]);
  }
  if (ndims > MAX_DIMENSIONS) mexErrMsgIdAndTxt("vorn:argument", "vorn.%s: more than 32 dimensions", what);
  for (k = 0; k < ndims; ++k) dims[k] = 1;
  for (i = 0; i < n; ++i) {
    const mwSize* d = mxGetDimensions(in[i]);
    for (k = 0; k < mxGetNumberOfDimensions(in[i]); ++k) {
      if (d[k] == 1) continue;
      if (dims[k] == 1)
        dims[k] = d[k];
      else if (dims[k] != d[k])
        mexErrMsgIdAndTxt("vorn:nonconformant",
                          "vorn.%s: %s is nonconformant (dimension %d is %d, the others' %d)", what, names[i],
                          (int)k + 1, (int)d[k], (int)dims[k]);
    }
  }
  return ndims;
}

/* Offsets into each input of the element at output index `index`. */
static void input_offsets(mwSize index, mwSize ndims, const mwSize* dims, int n, const mxArray* const* in,
                          mwSize* offset) {
  mwSize k;
  int i;
  for (i = 0; i < n; ++i) offset[i] = 0;
  for (i = 0; i < n; ++i) {
    const mwSize* d = mxGetDimensions(in[i]);
    const mwSize nd = mxGetNumberOfDimensions(in[i]);
    mwSize rest = index, stride = 1;
    for (k = 0; k < ndims; ++k) {
      const mwSize at = rest % dims[k], size = k < nd ? d[k] : 1;
      rest /= dims[k];
      if (size != 1) offset[i] += at * stride;
      stride *= size;
    }
  }
}

static mwSize element_count(mwSize ndims, const mwSize* dims) {
  mwSize k, count = 1;
  for (k = 0; k < ndims; ++k) count *= dims[k];
  return count;
}

static void call_routine(const routine* r, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  mwSize dims[MAX_DIMENSIONS], offset[4], ndims, count, j;
  const double* x[4];
  double* out;
  int i;
  if (nrhs != r->arguments)
    mexErrMsgIdAndTxt("vorn:arguments", "vorn.%s takes %d argument%s, not %d", r->name, r->arguments,
                      r->arguments == 1 ? "" : "s", nrhs);
  if (nlhs > 1) mexErrMsgIdAndTxt("vorn:outputs", "vorn.%s returns one array", r->name);
  ndims = broadcast_shape(r->name, nrhs, prhs, r->argument_names, dims);
  count = element_count(ndims, dims);
  plhs[0] = mxCreateNumericArray(ndims, dims, mxDOUBLE_CLASS, mxREAL);
  out = mxGetPr(plhs[0]);
  for (i = 0; i < nrhs; ++i) x[i] = mxGetPr(prhs[i]);
  for (j = 0; j < count; ++j) {
    input_offsets(j, ndims, dims, nrhs, prhs, offset);
    switch (r->arguments) {
      case 1:
        out[j] = r->f1(x[0] + offset[0]);
        break;
      case 2:
        out[j] = r->f2(x[0] + offset[0], x[1] + offset[1]);
        break;
      default:
        out[j] = r->f4(x[0] + offset[0], x[1] + offset[1], x[2] + offset[2], x[3] + offset[3]);
        break;
    }
  }
}

static void call_state(int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const names[] = {"T", "P"};
  mwSize dims[MAX_DIMENSIONS], offset[2], ndims, count, j;
  unsigned* out;
  if (nrhs != 2) mexErrMsgIdAndTxt("vorn:arguments", "vorn.state takes 2 arguments (T, P), not %d", nrhs);
  ndims = broadcast_shape("state", 2, prhs, names, dims);
  count = element_count(ndims, dims);
  plhs[0] = mxCreateNumericArray(ndims, dims, mxUINT32_CLASS, mxREAL);
  out = (unsigned*)mxGetData(plhs[0]);
  for (j = 0; j < count; ++j) {
    input_offsets(j, ndims, dims, 2, prhs, offset);
    out[j] = vorn_state(mxGetPr(prhs[0]) + offset[0], mxGetPr(prhs[1]) + offset[1]);
  }
}

static void call_state_name(int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  double bit;
  if (nrhs != 1 || !mxIsNumeric(prhs[0]) || mxIsComplex(prhs[0]) || mxGetNumberOfElements(prhs[0]) != 1)
    mexErrMsgIdAndTxt("vorn:argument", "vorn.state_name: bit must be one real number");
  bit = mxGetScalar(prhs[0]);
  if (!(bit >= 0 && bit <= 4294967295.0) || bit != (double)(unsigned)bit)
    mexErrMsgIdAndTxt("vorn:argument", "vorn.state_name: bit must be a whole number from 0 to 2^32-1");
  plhs[0] = mxCreateString(vorn_state_name((unsigned)bit));
}

/* The flags by the library's own names, upper case with '_' for '-' (INVALID,
 * DENSITY_TURNED ...): a flag the library adds appears here without a change. */
static void call_state_flags(int nrhs, mxArray* plhs[]) {
  char names[32][40];
  const char* fields[32];
  unsigned values[32];
  int n = 0, bit;
  size_t k;
  if (nrhs != 0) mexErrMsgIdAndTxt("vorn:arguments", "vorn.state_flags takes no argument");
  for (bit = 0; bit < 32; ++bit) {
    const unsigned value = 1u << bit;
    const char* name = vorn_state_name(value);
    if (strcmp(name, "unknown") == 0 || strlen(name) >= sizeof names[0]) continue;
    for (k = 0; name[k] != '\0'; ++k)
      names[n][k] =
          name[k] == '-' ? '_' : (char)(name[k] >= 'a' && name[k] <= 'z' ? name[k] - 'a' + 'A' : name[k]);
    names[n][k] = '\0';
    fields[n] = names[n];
    values[n++] = value;
  }
  plhs[0] = mxCreateStructMatrix(1, 1, n, fields);
  for (bit = 0; bit < n; ++bit) {
    mxArray* value = mxCreateNumericMatrix(1, 1, mxUINT32_CLASS, mxREAL);
    *(unsigned*)mxGetData(value) = values[bit];
    mxSetField(plhs[0], 0, fields[bit], value);
  }
}

/* The flags that spoil a routine, by the name this gateway knows it ('cp', 'b',
 * 'temp_K', 'Z'), from the library's own table (vorn_state_mask). */
static void call_state_mask(int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const virial[] = {"b", "db", "d2b", "c", "dc", "d2c", "d", "dd", "d2d"};
  char name[16], symbol[32];
  size_t i;
  int found = 0, is_virial = 0;
  if (nrhs != 1 || !mxIsChar(prhs[0]) || mxGetString(prhs[0], name, sizeof name) != 0)
    mexErrMsgIdAndTxt("vorn:argument", "vorn.state_mask: routine must be a routine's name, e.g. 'cp'");
  for (i = 0; i < sizeof routines / sizeof routines[0]; ++i) found |= strcmp(name, routines[i].name) == 0;
  if (!found) mexErrMsgIdAndTxt("vorn:argument", "vorn.state_mask: no routine named '%s'", name);
  for (i = 0; i < sizeof virial / sizeof virial[0]; ++i) is_virial |= strcmp(name, virial[i]) == 0;
  /* The exported names: __vorn_MOD_ before the virial coefficients, temp_K as it is, vorn_ before the rest.
   */
  strcpy(symbol, is_virial ? "__vorn_MOD_" : strcmp(name, "temp_K") == 0 ? "" : "vorn_");
  strcat(symbol, name);
  plhs[0] = mxCreateNumericMatrix(1, 1, mxUINT32_CLASS, mxREAL);
  *(unsigned*)mxGetData(plhs[0]) = vorn_state_mask(symbol);
}

static void call_constant(int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const known[] = {"r", "m0", "g0", "pi"};
  char name[8];
  size_t i;
  int found = 0;
  if (nrhs < 1 || nrhs > 2)
    mexErrMsgIdAndTxt("vorn:arguments", "vorn.constant takes a name and maybe a value");
  if (mxIsChar(prhs[0]) && mxGetString(prhs[0], name, sizeof name) == 0)
    for (i = 0; i < sizeof known / sizeof known[0]; ++i) found |= strcmp(name, known[i]) == 0;
  if (!found) mexErrMsgIdAndTxt("vorn:argument", "vorn.constant: name must be one of 'r', 'm0', 'g0', 'pi'");
  if (nrhs == 2) {
    if (!mxIsDouble(prhs[1]) || mxIsComplex(prhs[1]) || mxGetNumberOfElements(prhs[1]) != 1)
      mexErrMsgIdAndTxt("vorn:argument", "vorn.constant: value must be one real double");
    if (!vorn_set_constant(name, mxGetScalar(prhs[1])))
      mexErrMsgIdAndTxt("vorn:argument", "vorn.constant: the library refused to store into '%s'", name);
  }
  plhs[0] = mxCreateDoubleScalar(vorn_get_constant(name));
}

/* The reference equation of state: its property codes, pairs and struct fields by the names hosts use, from
 * the library's table of them (vorn_eos_facts.def, installed beside vorn.h). */
typedef struct {
  const char* name;
  int code;
} eos_code;

static const eos_code eos_properties[] = {
#define VORN_EOS_PROPERTY_ROW(NAME, code, key, ...) {#key, VORN_EOS_##NAME},
#include "vorn_eos_facts.def"
};
static const eos_code eos_pairs[] = {
#define VORN_EOS_PAIR_ROW(NAME, code, first, second, ...) {#first #second, VORN_EOS_##NAME},
#include "vorn_eos_facts.def"
};

static int eos_lookup(const char* what, const char* argument, const mxArray* name, const eos_code* codes,
                      size_t n) {
  char text[32], expected[1024];
  size_t i, used = 0;
  if (mxIsChar(name) && mxGetString(name, text, sizeof text) == 0)
    for (i = 0; i < n; ++i)
      if (strcmp(text, codes[i].name) == 0) return codes[i].code;
  expected[0] = '\0';
  for (i = 0; i < n && used + strlen(codes[i].name) + 5 < sizeof expected; ++i)
    used += (size_t)sprintf(expected + used, "%s'%s'", i == 0 ? "" : ", ", codes[i].name);
  mexErrMsgIdAndTxt("vorn:argument", "vorn.%s: %s must be one of %s", what, argument, expected);
  return 0;
}

static int eos_pair(const char* what, const mxArray* name) {
  return eos_lookup(what, "pair", name, eos_pairs, sizeof eos_pairs / sizeof eos_pairs[0]);
}

static void call_eos(int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const names[] = {"x1", "x2"};
  mwSize dims[MAX_DIMENSIONS], offset[2], ndims, count, j;
  int property, pair;
  double* out;
  if (nrhs != 4)
    mexErrMsgIdAndTxt("vorn:arguments", "vorn.eos takes 4 arguments (property, pair, x1, x2), not %d", nrhs);
  property = eos_lookup("eos", "property", prhs[0], eos_properties,
                        sizeof eos_properties / sizeof eos_properties[0]);
  pair = eos_pair("eos", prhs[1]);
  ndims = broadcast_shape("eos", 2, prhs + 2, names, dims);
  count = element_count(ndims, dims);
  plhs[0] = mxCreateNumericArray(ndims, dims, mxDOUBLE_CLASS, mxREAL);
  out = mxGetPr(plhs[0]);
  for (j = 0; j < count; ++j) {
    input_offsets(j, ndims, dims, 2, prhs + 2, offset);
    out[j] = vorn_eos_value(&property, &pair, mxGetPr(prhs[2]) + offset[0], mxGetPr(prhs[3]) + offset[1]);
  }
}

/* Every field of a struct of the table but the caller's size, by its C type: a uint32 array for the flags
 * (the one unsigned field), a double array for the others. */
typedef struct {
  const char* name;
  mxClassID type;
} eos_field;
#define EOS_FIELD_size_t(field)
#define EOS_FIELD_unsigned(field) {#field, mxUINT32_CLASS},
#define EOS_FIELD_int(field) {#field, mxDOUBLE_CLASS},
#define EOS_FIELD_double(field) {#field, mxDOUBLE_CLASS},
#define EOS_COPY_size_t(s, field)
#define EOS_COPY_unsigned(s, field) ((unsigned*)columns[k++])[j] = s.field;
#define EOS_COPY_int(s, field) ((double*)columns[k++])[j] = s.field;
#define EOS_COPY_double(s, field) ((double*)columns[k++])[j] = s.field;

static const eos_field eos_state_fields[] = {
#define VORN_EOS_STATE_ROW(field, type) EOS_FIELD_##type(field)
#include "vorn_eos_facts.def"
};
static const eos_field eos_saturation_fields[] = {
#define VORN_EOS_SATURATION_ROW(field, type, unit) EOS_FIELD_##type(field)
#include "vorn_eos_facts.def"
};
#define EOS_STATE_FIELDS (sizeof eos_state_fields / sizeof eos_state_fields[0])
#define EOS_SATURATION_FIELDS (sizeof eos_saturation_fields / sizeof eos_saturation_fields[0])

/* A struct of arrays of one shape, one per field. */
static mxArray* struct_of_arrays(mwSize ndims, const mwSize* dims, const eos_field* fields, size_t n,
                                 void** columns) {
  mxArray* result = mxCreateStructMatrix(1, 1, 0, NULL);
  size_t i;
  for (i = 0; i < n; ++i) {
    mxArray* column = mxCreateNumericArray(ndims, dims, fields[i].type, mxREAL);
    mxAddField(result, fields[i].name);
    mxSetField(result, 0, fields[i].name, column);
    columns[i] = mxGetData(column);
  }
  return result;
}

static void call_eos_state(int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const names[] = {"x1", "x2"};
  mwSize dims[MAX_DIMENSIONS], offset[2], ndims, count, j;
  void* columns[EOS_STATE_FIELDS];
  int pair;
  if (nrhs != 3)
    mexErrMsgIdAndTxt("vorn:arguments", "vorn.eos_state takes 3 arguments (pair, x1, x2), not %d", nrhs);
  pair = eos_pair("eos_state", prhs[0]);
  ndims = broadcast_shape("eos_state", 2, prhs + 1, names, dims);
  count = element_count(ndims, dims);
  plhs[0] = struct_of_arrays(ndims, dims, eos_state_fields, EOS_STATE_FIELDS, columns);
  for (j = 0; j < count; ++j) {
    vorn_eos_state s;
    size_t k = 0;
    memset(&s, 0, sizeof s);
    s.size = sizeof s;
    input_offsets(j, ndims, dims, 2, prhs + 1, offset);
    vorn_eos_state_at(&pair, mxGetPr(prhs[1]) + offset[0], mxGetPr(prhs[2]) + offset[1], &s);
#define VORN_EOS_STATE_ROW(field, type) EOS_COPY_##type(s, field)
#include "vorn_eos_facts.def"
  }
}

static void call_eos_saturation(int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const names[] = {"x"};
  mwSize dims[MAX_DIMENSIONS], ndims, count, j;
  void* columns[EOS_SATURATION_FIELDS];
  char by[2] = {0, 0};
  if (nrhs != 2)
    mexErrMsgIdAndTxt("vorn:arguments", "vorn.eos_saturation takes 2 arguments ('T' or 'P', x), not %d",
                      nrhs);
  if (!mxIsChar(prhs[0]) || mxGetString(prhs[0], by, sizeof by) != 0 || (by[0] != 'T' && by[0] != 'P'))
    mexErrMsgIdAndTxt("vorn:argument", "vorn.eos_saturation: the first argument must be 'T' or 'P'");
  ndims = broadcast_shape("eos_saturation", 1, prhs + 1, names, dims);
  count = element_count(ndims, dims);
  plhs[0] = struct_of_arrays(ndims, dims, eos_saturation_fields, EOS_SATURATION_FIELDS, columns);
  for (j = 0; j < count; ++j) {
    vorn_eos_saturation s;
    size_t k = 0;
    memset(&s, 0, sizeof s);
    s.size = sizeof s;
    if (by[0] == 'T')
      vorn_eos_saturation_T(mxGetPr(prhs[1]) + j, &s);
    else
      vorn_eos_saturation_P(mxGetPr(prhs[1]) + j, &s);
#define VORN_EOS_SATURATION_ROW(field, type, unit) EOS_COPY_##type(s, field)
#include "vorn_eos_facts.def"
  }
}

typedef double (*svp_fn)(const double*, unsigned*);
static const struct {
  const char* name;
  svp_fn f;
} svp_routines[] = {
    {"rho", vorn_svp_rho},
    {"alpha", vorn_svp_alpha},
    {"rho_s", vorn_svp_rho_s},
    {"rho_normal", vorn_svp_rho_normal},
    {"fraction_s", vorn_svp_fraction_s},
    {"u1", vorn_svp_u1},
    {"u2", vorn_svp_u2},
    {"c", vorn_svp_c},
    {"s", vorn_svp_s},
    {"L", vorn_svp_L},
    {"eta_n", vorn_svp_eta_n},
    {"B", vorn_svp_B},
    {"B_prime", vorn_svp_B_prime},
    {"P", vorn_svp_P},
    {"heat_conductivity_function", vorn_svp_heat_conductivity_function},
};

/* The result array of a routine with flags, and the flags' array when the caller asks for it (*flags
 * stays NULL otherwise). */
static double* values_and_flags(int nlhs, mxArray* plhs[], mwSize ndims, const mwSize* dims,
                                unsigned** flags) {
  plhs[0] = mxCreateNumericArray(ndims, dims, mxDOUBLE_CLASS, mxREAL);
  if (nlhs > 1) {
    plhs[1] = mxCreateNumericArray(ndims, dims, mxUINT32_CLASS, mxREAL);
    *flags = (unsigned*)mxGetData(plhs[1]);
  }
  return mxGetPr(plhs[0]);
}

/* [value, flags] of one property of the saturated liquid over an array of T. */
static void call_svp(int nlhs, int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const names[] = {"T"};
  char name[32];
  mwSize dims[MAX_DIMENSIONS], ndims, count, j;
  size_t i;
  svp_fn f = NULL;
  double* out;
  unsigned* flags = NULL;
  if (nrhs != 2)
    mexErrMsgIdAndTxt("vorn:arguments", "vorn.superfluid takes 2 arguments (name, T), not %d", nrhs);
  if (!mxIsChar(prhs[0]) || mxGetString(prhs[0], name, sizeof name) != 0)
    mexErrMsgIdAndTxt("vorn:argument",
                      "vorn.superfluid: the first argument must name a property, e.g. 'rho'");
  for (i = 0; i < sizeof svp_routines / sizeof svp_routines[0]; ++i)
    if (strcmp(name, svp_routines[i].name) == 0) f = svp_routines[i].f;
  if (f == NULL) mexErrMsgIdAndTxt("vorn:argument", "vorn.superfluid: no property named '%s'", name);
  ndims = broadcast_shape("superfluid", 1, prhs + 1, names, dims);
  count = element_count(ndims, dims);
  out = values_and_flags(nlhs, plhs, ndims, dims, &flags);
  for (j = 0; j < count; ++j) out[j] = f(mxGetPr(prhs[1]) + j, flags == NULL ? NULL : flags + j);
}

/* [value, flags] of a He II channel over arrays that broadcast: its last argument the exponent m. */
static void call_channel(int nlhs, int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const peak_names[] = {"T_bath", "L", "m"};
  static const char* const warm_names[] = {"T_bath", "L", "q", "m"};
  static const char* const flux_names[] = {"T_bath", "T_warm", "L", "m"};
  char what[16];
  mwSize dims[MAX_DIMENSIONS], offset[4], ndims, count, j;
  const double* x[4];
  double* out;
  unsigned* flags = NULL;
  int peak, warm, i;
  if (nrhs < 1 || !mxIsChar(prhs[0]) || mxGetString(prhs[0], what, sizeof what) != 0)
    mexErrMsgIdAndTxt("vorn:argument",
                      "vorn.channel: the first argument must be 'peak_flux', 'warm_end' or "
                      "'heat_flux'");
  peak = strcmp(what, "peak_flux") == 0;
  warm = strcmp(what, "warm_end") == 0;
  if (!peak && !warm && strcmp(what, "heat_flux") != 0)
    mexErrMsgIdAndTxt("vorn:argument", "vorn.channel: no question named '%s'", what);
  if (nrhs != (peak ? 4 : 5))
    mexErrMsgIdAndTxt("vorn:arguments", "vorn.channel('%s', ...) takes %d arguments, not %d", what,
                      peak ? 3 : 4, nrhs - 1);
  ndims = broadcast_shape("channel", nrhs - 1, prhs + 1,
                          peak   ? peak_names
                          : warm ? warm_names
                                 : flux_names,
                          dims);
  count = element_count(ndims, dims);
  out = values_and_flags(nlhs, plhs, ndims, dims, &flags);
  for (i = 0; i < nrhs - 1; ++i) x[i] = mxGetPr(prhs[i + 1]);
  for (j = 0; j < count; ++j) {
    unsigned* fl = flags == NULL ? NULL : flags + j;
    input_offsets(j, ndims, dims, nrhs - 1, prhs + 1, offset);
    if (peak)
      out[j] = vorn_svp_channel_peak_flux(x[0] + offset[0], x[1] + offset[1], x[2] + offset[2], fl);
    else if (warm)
      out[j] = vorn_svp_channel_warm_end(x[0] + offset[0], x[1] + offset[1], x[2] + offset[2],
                                         x[3] + offset[3], fl);
    else
      out[j] = vorn_svp_channel_heat_flux(x[0] + offset[0], x[1] + offset[1], x[2] + offset[2],
                                          x[3] + offset[3], fl);
  }
}

/* [value, dTdP, flags] of the ITS-90 vapour scale over an array. */
static void call_its90(int from_pressure, int nlhs, int nrhs, const mxArray* prhs[], mxArray* plhs[]) {
  static const char* const P_name[] = {"P"};
  static const char* const T_name[] = {"T"};
  mwSize dims[MAX_DIMENSIONS], ndims, count, j;
  double *out, *slope = NULL;
  unsigned* flags = NULL;
  if (nrhs != 1)
    mexErrMsgIdAndTxt("vorn:arguments", "vorn.its90_%c takes 1 argument, not %d", from_pressure ? 'T' : 'P',
                      nrhs);
  ndims =
      broadcast_shape(from_pressure ? "its90_T" : "its90_P", 1, prhs, from_pressure ? P_name : T_name, dims);
  count = element_count(ndims, dims);
  plhs[0] = mxCreateNumericArray(ndims, dims, mxDOUBLE_CLASS, mxREAL);
  out = mxGetPr(plhs[0]);
  if (nlhs > 1) {
    plhs[1] = mxCreateNumericArray(ndims, dims, mxDOUBLE_CLASS, mxREAL);
    slope = mxGetPr(plhs[1]);
  }
  if (nlhs > 2) {
    plhs[2] = mxCreateNumericArray(ndims, dims, mxUINT32_CLASS, mxREAL);
    flags = (unsigned*)mxGetData(plhs[2]);
  }
  for (j = 0; j < count; ++j) {
    double* d = slope == NULL ? NULL : slope + j;
    unsigned* fl = flags == NULL ? NULL : flags + j;
    out[j] =
        from_pressure ? vorn_its90_T(mxGetPr(prhs[0]) + j, d, fl) : vorn_its90_P(mxGetPr(prhs[0]) + j, d, fl);
  }
}

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  char command[16];
  size_t i;
  if (nrhs < 1 || !mxIsChar(prhs[0]) || mxGetString(prhs[0], command, sizeof command) != 0)
    mexErrMsgIdAndTxt("vorn:command", "vorn_mex: the first argument must name a routine, e.g. 'cp'");
  for (i = 0; i < sizeof routines / sizeof routines[0]; ++i) {
    if (strcmp(command, routines[i].name) == 0) {
      call_routine(&routines[i], nlhs, plhs, nrhs - 1, prhs + 1);
      return;
    }
  }
  if (strcmp(command, "state") == 0) {
    call_state(nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "state_name") == 0) {
    call_state_name(nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "state_flags") == 0) {
    call_state_flags(nrhs - 1, plhs);
  } else if (strcmp(command, "state_mask") == 0) {
    call_state_mask(nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "constant") == 0) {
    call_constant(nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "eos") == 0) {
    call_eos(nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "eos_state") == 0) {
    call_eos_state(nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "eos_saturation") == 0) {
    call_eos_saturation(nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "svp") == 0) {
    call_svp(nlhs, nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "channel") == 0) {
    call_channel(nlhs, nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "its90_T") == 0 || strcmp(command, "its90_P") == 0) {
    call_its90(command[6] == 'T', nlhs, nrhs - 1, prhs + 1, plhs);
  } else if (strcmp(command, "version") == 0) {
    if (nrhs != 1) mexErrMsgIdAndTxt("vorn:arguments", "vorn.version takes no argument");
    plhs[0] = mxCreateString(vorn_version());
  } else {
    mexErrMsgIdAndTxt("vorn:command", "vorn_mex: no routine named '%s'", command);
  }
}
