function flags = state_flags()
% vorn.state_flags  The state flags' values by name, as uint32:
%   INVALID, LIQUID, DENSITY_TURNED, SOUND_UNDEFINED, ZA_NONPOSITIVE, K_POLE,
%   NU_NEGATIVE.
  flags = vorn_mex('state_flags');
end
