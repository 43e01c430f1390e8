function out = Z(T, P)
% vorn.Z  Compressibility factor pV/(nRT), the gas root solved to convergence (NaN where none).
%   out = vorn.Z(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('Z', T, P);
end
