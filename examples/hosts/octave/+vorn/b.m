function out = b(T)
% vorn.b  Second virial coefficient B, cm^3/mol.
%   out = vorn.b(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('b', T);
end
