function out = d2d(T)
% vorn.d2d  D2D/dT2, cm^9/(mol^3 K^2).
%   out = vorn.d2d(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('d2d', T);
end
