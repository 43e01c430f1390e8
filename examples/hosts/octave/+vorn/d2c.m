function out = d2c(T)
% vorn.d2c  D2C/dT2, cm^6/(mol^2 K^2).
%   out = vorn.d2c(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('d2c', T);
end
