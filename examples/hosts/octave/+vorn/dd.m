function out = dd(T)
% vorn.dd  DD/dT, cm^9/(mol^3 K).
%   out = vorn.dd(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('dd', T);
end
