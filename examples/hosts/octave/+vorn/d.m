function out = d(T)
% vorn.d  Fourth virial coefficient D, cm^9/mol^3.
%   out = vorn.d(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('d', T);
end
