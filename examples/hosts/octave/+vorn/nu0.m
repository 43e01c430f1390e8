function out = nu0(T)
% vorn.nu0  Viscosity at zero pressure, Pa s.
%   out = vorn.nu0(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('nu0', T);
end
