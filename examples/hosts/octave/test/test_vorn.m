% The +vorn package under Octave against the C library, bit for bit.
%
%   octave-cli --no-gui -q test_vorn.m EXPECTED_FILE VERSION_FILE PACKAGE_DIR...
%
% EXPECTED_FILE is written by expected_values (the same routines called from
% C), VERSION_FILE holds the build's version; each PACKAGE_DIR is added to the
% path (the compiled vorn_mex and the folder holding +vorn). Prints "N passed, M failed" and
% exits non-zero on any failure.
1;

function bits = to_bits(x)
  bits = typecast(double(x(:)), 'uint64');
end

function check(ok, what)
  global passed failed
  if ok
    passed += 1;
  else
    failed += 1;
    printf('FAILED: %s\n', what);
  end
end

function check_same_bits(got, expected, what)
  ok = isequal(size(got), size(expected)) && isequal(to_bits(got), to_bits(expected));
  if !ok && isequal(size(got), size(expected))
    bad = find(to_bits(got) != to_bits(expected));
    what = sprintf('%s: %d of %d elements differ, first at %d (%.17g, not %.17g)', what, numel(bad), ...
                   numel(got), bad(1), got(bad(1)), expected(bad(1)));
  elseif !ok
    what = sprintf('%s: size %s, not %s', what, mat2str(size(got)), mat2str(size(expected)));
  end
  check(ok, what);
end

function check_error(f, id, what)
  try
    f();
    check(false, [what ': no error']);
  catch err
    check(strcmp(err.identifier, id), sprintf('%s: error %s (%s), not %s', what, err.identifier, err.message, id));
  end
end

function E = read_expected(path)
  E = struct();
  fid = fopen(path, 'r');
  if fid < 0
    error('cannot open %s', path);
  end
  while true
    line = fgetl(fid);
    if !ischar(line)
      break;
    end
    words = strsplit(strtrim(line), ' ');
    rows = str2double(words{2});
    cols = str2double(words{3});
    values = hex2num(char(words(4:end)'));
    E.(words{1}) = reshape(values, rows, cols);
  end
  fclose(fid);
end

global passed failed
passed = 0;
failed = 0;
args = argv();
vorn_mex_dir = args{3};
source(fullfile(args{4}, 'vorn_setup.m'));  % as a user puts the package on the path: no shadowing warning
E = read_expected(args{1});
T = E.T;   % a column
P = E.P;   % a row: the two broadcast to the whole grid

% Every routine over its grid, broadcast from a column and a row.
for name = {'b', 'db', 'd2b', 'c', 'dc', 'd2c', 'd', 'dd', 'd2d', 'k0', 'nu0'}
  check_same_bits(feval(['vorn.' name{1}], T), E.(name{1}), ['vorn.' name{1} '(T)']);
end
for name = {'rho', 'vol', 'cv', 'cp', 'gamma', 'w', 'Za_gk', 'w_gk', 'k', 'nu', 'Z'}
  check_same_bits(feval(['vorn.' name{1}], T, P), E.(name{1}), ['vorn.' name{1} '(T, P)']);
end
check_same_bits(vorn.temp_K(E.phi, E.Pthermo, 273.16, 50), E.temp_K, 'vorn.temp_K(phi, P, T0, P0)');
flags = vorn.state(T, P);
check(strcmp(class(flags), 'uint32'), 'vorn.state returns uint32');
check(isequal(double(flags), E.state), 'vorn.state(T, P) against vorn_state');

% Broadcasting as Octave's own operators do: the same shape as T + P for any
% pair of conformant shapes, every element the scalar call's bits.
T3 = reshape([4.2 20 300 1000 2.5 36.3759531], 2, 1, 3);
P2 = [0 100 1000 10000];
shapes = {{T3, P2}, {T3, 100}, {300, P2}, {T3(:, :, 1)', P2'}, {zeros(0, 3), 1}, {T3, zeros(2, 0)}};
for s = 1:numel(shapes)
  [a, b] = deal(shapes{s}{:});
  got = vorn.cp(a, b);
  check(isequal(size(got), size(a + b)), sprintf('vorn.cp broadcast to %s', mat2str(size(a + b))));
  [A, B] = deal(a + zeros(size(b)), b + zeros(size(a)));
  scalar = arrayfun(@(x, y) vorn.cp(x, y), A, B);
  check_same_bits(got, scalar, sprintf('vorn.cp over %s against scalar calls', mat2str(size(a + b))));
end

% The reference equation of state: by names, over the same grid, the C library's bits.
check_same_bits(vorn.eos('h', 'TP', T, P), E.eos_h, 'vorn.eos(''h'', ''TP'', T, P)');
s = vorn.eos_state('TP', T, P);
check_same_bits(s.cp, E.eos_cp, 'vorn.eos_state(''TP'', T, P).cp');
check_same_bits(s.h, E.eos_h, 'vorn.eos_state h against vorn.eos h');
check(strcmp(class(s.flags), 'uint32') && isequal(double(s.flags), E.eos_flags), 'vorn.eos_state flags');
check(isequal(s.phase, E.eos_phase), 'vorn.eos_state phase');
check_same_bits(vorn.eos('viscosity', 'TP', T, P), E.eos_viscosity, 'vorn.eos(''viscosity'', ''TP'', T, P)');
check_same_bits(s.viscosity, E.eos_viscosity, 'vorn.eos_state viscosity');
check_same_bits(s.prandtl, E.eos_prandtl, 'vorn.eos_state prandtl');
sat = vorn.eos_saturation('T', T);
check_same_bits(sat.latent_heat, E.sat_latent, 'vorn.eos_saturation(''T'', T).latent_heat');
check_same_bits(sat.P, E.sat_P, 'vorn.eos_saturation(''T'', T).P');
check(isequal(double(sat.flags), E.sat_flags), 'vorn.eos_saturation flags');
check_same_bits(sat.conductivity_liquid, E.sat_conductivity_liquid, 'vorn.eos_saturation conductivity_liquid');
% A round trip through another pair: (P, h) back to T at 10 K, 500 kPa.
h = vorn.eos('h', 'TP', 10, 500);
check(abs(vorn.eos('T', 'Ph', 500, h) - 10) < 1e-8, 'vorn.eos(''T'', ''Ph'', ...) returns to 10 K');
% The He II bath: a 2 K plant's Joule-Thomson stage, 4.5 K and 300 kPa to 1.6 kPa.
jt = vorn.eos_state('Ph', 1.6, vorn.eos('h', 'TP', 4.5, 300));
check(abs(jt.q - 0.46274) < 1e-5 && abs(jt.T - 1.793515) < 1e-6, 'the JT stage into the He II bath');
bath = vorn.eos_saturation('P', 1.6);
check(abs(bath.T - jt.T) < 1e-12, 'the bath''s saturation at 1.6 kPa');
check(vorn.eos('second_sound', 'Tq', 1.8, 0) > 19, 'He II''s second sound at 1.8 K');
nbp = vorn.eos_saturation('P', 101.325);
check(abs(nbp.T - 4.2238068) < 5e-8 && abs(nbp.h_liquid) < 1e-9, 'normal boiling point, h'' = 0 there');
check_error(@() vorn.eos('enthalpy', 'TP', 4, 100), 'vorn:argument', 'an unknown eos property');
check_error(@() vorn.eos('h', 'PT', 4, 100), 'vorn:argument', 'an unknown eos pair');
check_error(@() vorn.eos('h', 'TP', [1 2], [1 2 3]), 'vorn:nonconformant', 'eos sizes 1x2 and 1x3');
check_error(@() vorn.eos_state('TP', int32(4), 100), 'vorn:argument', 'an int32 x1');
check_error(@() vorn.eos_saturation('Q', 4), 'vorn:argument', 'saturation by neither T nor P');
check_error(@() vorn_mex('eos_saturation', 'T'), 'vorn:arguments', 'saturation without x');

% The constants: read as the exported data holds them; a store by name
% reaches every later call exactly as a store through the data does in C.
check_same_bits([vorn.constant('r') vorn.constant('m0') vorn.constant('g0') vorn.constant('pi')], ...
                E.constants, 'vorn.constant against the exported data');
saved = vorn.constant('r');
check_same_bits(vorn.constant('r', E.r_stored), E.r_stored, 'vorn.constant(''r'', value) returns the value');
check_same_bits(vorn.cp(T, P), E.cp_after_r, 'vorn.cp after storing r');
vorn.constant('r', saved);
check_same_bits(vorn.cp(T, P), E.cp, 'vorn.cp after putting r back');

% The flags by name, and their names.
f = vorn.state_flags();
check(isequal(f.INVALID, uint32(1)) && isequal(f.LIQUID, uint32(2)) && isequal(f.NU_NEGATIVE, uint32(64)), ...
      'vorn.state_flags values');
check(isequal(f.OUT_OF_RANGE, uint32(4096)) && isequal(f.HEAT_CAPACITY_TRUNCATED, uint32(8192)) && ...
      numel(fieldnames(f)) == 16 && isequal(f.NU_DENSE, uint32(32768)), 'vorn.state_flags lists every flag');
% The flags that spoil each result are the library's own: what strict mode and the tool refuse.
check(isequal(vorn.state_mask('k0'), bitor(f.INVALID, f.K_POLE)), 'vorn.state_mask(''k0'')');
check(isequal(vorn.state_mask('b'), f.INVALID), 'vorn.state_mask(''b'')');
check(bitand(vorn.state_mask('cp'), f.HEAT_CAPACITY_TRUNCATED) != 0 && ...
      bitand(vorn.state_mask('Z'), f.HEAT_CAPACITY_TRUNCATED) == 0 && ...
      bitand(vorn.state_mask('temp_K'), f.ZA_PRESSURE_FREE) != 0, 'vorn.state_mask by result');
check_error(@() vorn.state_mask('cq'), 'vorn:argument', 'a routine that does not exist');
check(strcmp(vorn.state_name(f.LIQUID), 'liquid'), 'vorn.state_name(LIQUID)');
check(strcmp(vorn.state_name(3), 'unknown'), 'vorn.state_name of two bits at once');
check(bitand(vorn.state(4.2, 100), f.LIQUID) != 0, '4.2 K, 100 kPa is flagged liquid');
check(strcmp(vorn.version(), strtrim(fileread(args{2}))), 'vorn.version is the build''s version');

% The saturated liquid and the ITS-90 vapour scale.
[u2, f] = vorn.superfluid('u2', [1.5 3.0]);
check(abs(u2(1) - 20.03) < 5e-3 && isnan(u2(2)) && isequal(f, uint32([0 2])), 'vorn.superfluid u2 and its range');
check(abs(vorn.superfluid('rho', 2.5) - 144.84) < 5e-3, 'vorn.superfluid rho at 2.5 K');
[T90, dTdP, f] = vorn.its90_T([101.325 5.0418]);
check(all(abs(T90 - [4.222099 2.176799]) < 5e-7) && all(dTdP > 0) && isequal(f, uint32([0 0])), 'vorn.its90_T');
check(abs(vorn.its90_T(vorn.its90_P(1.8)) - 1.8) < 1e-12, 'vorn.its90_P round trip');
check_error(@() vorn.superfluid('density', 2), 'vorn:argument', 'an unknown superfluid property');
check(abs(vorn.superfluid('heat_conductivity_function', 1.8) / 9.917e12 - 1) < 1e-4, 'vorn.superfluid f^-1 at 1.8 K');
[q, f] = vorn.channel('peak_flux', [1.8 2.2], [1; 0.1], 3);
check(all(abs(q(:, 1) / 1e3 - [15.0; 32.2]) < 0.05) && all(isnan(q(:, 2))) && isequal(f(:, 2), uint32([2; 2])), ...
      'vorn.channel peak fluxes broadcast');
T = vorn.channel('warm_end', 1.8, 1, [1e4 2e4], 3.4);
check(abs(vorn.channel('heat_flux', 1.8, T(1), 1, 3.4) / 1e4 - 1) < 1e-11 && isnan(T(2)), 'vorn.channel round trip');

% Refused, each with an error naming what is wrong; nothing converted.
check_error(@() vorn.cp([1 2], [1 2 3]), 'vorn:nonconformant', 'sizes 1x2 and 1x3');
check_error(@() vorn.cp(int32(300), 100), 'vorn:argument', 'an int32 T');
check_error(@() vorn.cp(300, single(100)), 'vorn:argument', 'a single P');
check_error(@() vorn.cp(300 + 1i, 100), 'vorn:argument', 'a complex T');
check_error(@() vorn.cp(sparse(300), 100), 'vorn:argument', 'a sparse T');
check_error(@() vorn.cp(true, 100), 'vorn:argument', 'a logical T');
check_error(@() vorn_mex('cp', 300), 'vorn:arguments', 'one argument to cp');
check_error(@() vorn_mex('cp', 1, 2, 3), 'vorn:arguments', 'three arguments to cp');
check_error(@() vorn_mex('no_such_routine', 1), 'vorn:command', 'an unknown routine');
check_error(@() vorn_mex(42), 'vorn:command', 'a number for the routine name');
check_error(@() vorn.constant('x'), 'vorn:argument', 'an unknown constant');
check_error(@() vorn.constant('R'), 'vorn:argument', 'a constant by the wrong case');
check_error(@() vorn.constant('r', [1 2]), 'vorn:argument', 'two values for one constant');
check_error(@() vorn.state_name(0.5), 'vorn:argument', 'a fractional flag');
check_error(@() vorn.state_name(-1), 'vorn:argument', 'a negative flag');
check_same_bits(vorn.constant('r'), saved, 'refused stores leave r as it was');

printf('%d passed, %d failed\n', passed, failed);
exit(failed != 0);
