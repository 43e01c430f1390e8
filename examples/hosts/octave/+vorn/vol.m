function out = vol(T, P)
% vorn.vol  Molar volume, m^3/mol.
%   out = vorn.vol(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('vol', T, P);
end
