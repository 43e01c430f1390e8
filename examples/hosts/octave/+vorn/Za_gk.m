function out = Za_gk(T, P)
% vorn.Za_gk  Acoustic factor Za = (w/w0)^2 of the independent correlation.
%   out = vorn.Za_gk(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('Za_gk', T, P);
end
