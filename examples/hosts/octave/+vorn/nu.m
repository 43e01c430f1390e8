function out = nu(T, P)
% vorn.nu  Viscosity, Pa s.
%   out = vorn.nu(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('nu', T, P);
end
