function out = dc(T)
% vorn.dc  DC/dT, cm^6/(mol^2 K).
%   out = vorn.dc(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('dc', T);
end
