function out = c(T)
% vorn.c  Third virial coefficient C, cm^6/mol^2.
%   out = vorn.c(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('c', T);
end
