% vorn_setup  Put the +vorn package (and, when given, the directory of vorn_mex) on Octave's path.
%
%   source('/path/to/examples/hosts/octave/vorn_setup.m')
%   vorn_mex_dir = '/path/to/build'; source('/path/to/examples/hosts/octave/vorn_setup.m')
%
% Octave warns that +vorn/gamma.m shadows its built-in gamma each time it
% scans the path (addpath, rehash, cd, path): four times or more in a
% session. It does not shadow it: package functions are called as
% vorn.gamma, and gamma stays the built-in. This script turns that one
% warning, Octave:shadowed-function, off before the path changes, so it is
% never printed; turn it back on with warning('on', 'Octave:shadowed-function')
% (every later scan then prints it again). Sourced, not run: run() adds the
% script's directory to the path itself, warning before this line could.
warning('off', 'Octave:shadowed-function');
addpath(fileparts(mfilename('fullpath')));
if exist('vorn_mex_dir', 'var')
  addpath(vorn_mex_dir);
end
