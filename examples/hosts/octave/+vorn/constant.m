function value = constant(name, value)
% vorn.constant  A module constant: 'r' (J/(mol K)), 'm0' (kg/mol), 'g0', 'pi'.
%   value = vorn.constant(name) reads it; vorn.constant(name, value) stores
%   into it (every later result of every routine follows) and returns it.
%   Another name is refused with an error.
  if nargin == 2
    value = vorn_mex('constant', name, value);
  else
    value = vorn_mex('constant', name);
  end
end
