#!/usr/bin/env bash
# What libvorn.so needs at run time, read from its ELF headers: the C and
# maths libraries and nothing else (no libstdc++, no libgcc_s; the dynamic
# loader, which every process has, for __tls_get_addr of the per-thread last
# state), no symbol of
# the C++ runtime (guards, personality routine, exceptions), no exception
# tables, and no RUNPATH of its own.
#
#   runtime_dependencies.sh LIBRARY
set -euo pipefail
library=$1
fail() { echo "FAIL: $*"; exit 1; }

needed=$(readelf -d "$library" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort | tr '\n' ' ')
for name in $needed; do
  case $name in
  libc.so.* | libm.so.* | ld-linux*.so.*) ;;
  *) fail "$library needs $name (only the C and maths libraries and the dynamic loader are allowed)" ;;
  esac
done
echo "ok   $library needs only: $needed"

cxx_runtime=$(nm -D --undefined-only "$library" | awk '{print $NF}' |
  grep -E '@(GLIBCXX|CXXABI|GCC)_|^_Z|^__cxa_(guard|throw|allocate|begin_catch|end_catch)|^__gxx_|^_Unwind_' || true)
[ -z "$cxx_runtime" ] || fail "$library calls the C++ runtime: $(echo $cxx_runtime)"
echo "ok   no symbol of the C++ runtime (guards, exceptions, personality routine, unwinder) is imported"

readelf -S -W "$library" | grep '\.gcc_except_table' >/dev/null && fail "$library carries exception tables"
echo "ok   no exception tables"

# Loading the library runs nothing of its own: no dynamic initialiser of a
# namespace-scope variable (tables formed on first use instead).
initialisers=$(nm "$library" 2>/dev/null | awk '{print $NF}' | grep -E '^_GLOBAL__sub_I' || true)
[ -z "$initialisers" ] || fail "$library runs initialisers at load: $(echo $initialisers)"
echo "ok   no initialiser runs at load"

readelf -d "$library" | grep -Eq '\((RUNPATH|RPATH)\)' && fail "$library carries a RUNPATH: $(readelf -d "$library" | grep -E 'R(UN)?PATH')"
echo "ok   no RUNPATH in the library"
