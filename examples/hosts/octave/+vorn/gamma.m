function out = gamma(T, P)
% vorn.gamma  Ratio of heat capacities cp/cv.
%   out = vorn.gamma(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('gamma', T, P);
end
