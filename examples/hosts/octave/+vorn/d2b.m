function out = d2b(T)
% vorn.d2b  D2B/dT2, cm^3/(mol K^2).
%   out = vorn.d2b(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('d2b', T);
end
