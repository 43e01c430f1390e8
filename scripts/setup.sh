#!/usr/bin/env bash
# Installs from Debian's archive the packages vorn needs that are not
# installed yet.
#
#   bash scripts/setup.sh run      building and running: library, tool, Python package
#                                  (scripts/packages-run.txt)
#   bash scripts/setup.sh test     that and what the tests, hosts and CI need
#                                  (scripts/packages-test.txt); the default
#   bash scripts/setup.sh --list run|test   print the list, install nothing
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

list_only=false
if [ "${1:-}" = --list ]; then
  list_only=true
  shift
fi
case "${1:-test}" in
  run) lists=("$here/packages-run.txt") ;;
  test) lists=("$here/packages-run.txt" "$here/packages-test.txt") ;;
  *)
    echo "setup.sh: expected 'run' or 'test' as the package set, not '$1'" >&2
    exit 2
    ;;
esac

mapfile -t packages < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "${lists[@]}")
if $list_only; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
