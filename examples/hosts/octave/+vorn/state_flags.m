function flags = state_flags()
% vorn.state_flags  The state flags' values by name, as uint32: the library's
%   own names in upper case (INVALID, LIQUID, DENSITY_TURNED, ...), every flag
%   it knows. See vorn.state and vorn.state_mask.
  flags = vorn_mex('state_flags');
end
