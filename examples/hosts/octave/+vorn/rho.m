function out = rho(T, P)
% vorn.rho  Density (one Newton step from the ideal gas), kg/m^3.
%   out = vorn.rho(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('rho', T, P);
end
