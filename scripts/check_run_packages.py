#!/usr/bin/python3
"""Checks that a build of the run path used nothing outside scripts/packages-run.txt.

    python3 scripts/check_run_packages.py BUILD_DIR

BUILD_DIR is a configured and built tree of the run preset (Ninja). The
files that build touched are gathered -- every header each object depended
on (ninja's dependency log), the compilers and the programs they run, CMake
and Ninja, the package configuration files of the tool's libraries, and the
shared libraries the tool loads -- and each is traced to the Debian package
that owns it (dpkg-query -S). Every such package must be in
scripts/packages-run.txt or among what those packages depend on (Depends and
Pre-Depends, followed to the end), or be essential to Debian. A package
outside that closure is one that scripts/run.sh would not install on a fresh
machine: the check names it and exits 1.

A compiler launcher (ccache) is left out: it speeds a build and is never
needed for one.
"""

from __future__ import annotations

import re
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent


def run(*command: str) -> str:
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def package_list(path: Path) -> set[str]:
    names = set()
    for line in path.read_text().splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            names.add(line)
    return names


def cache_entries(build: Path) -> dict[str, str]:
    entries = {}
    for line in (build / "CMakeCache.txt").read_text().splitlines():
        match = re.match(r"^([A-Za-z0-9_]+):[A-Z]+=(.*)$", line)
        if match:
            entries[match.group(1)] = match.group(2)
    return entries


def files_used(build: Path) -> set[str]:
    used: set[str] = set()
    # Every header of every object, as the compiler reported it.
    for line in run("ninja", "-C", str(build), "-t", "deps").splitlines():
        if line.startswith("    "):
            used.add(line.strip())
    cache = cache_entries(build)
    for key in ("CMAKE_C_COMPILER", "CMAKE_CXX_COMPILER", "CMAKE_AR", "CMAKE_RANLIB", "CMAKE_LINKER",
                "CMAKE_MAKE_PROGRAM"):
        if cache.get(key):
            used.add(cache[key])
    cmake = shutil.which("cmake")
    if cmake:
        used.add(cmake)
    # The programs the compiler drivers run.
    for driver in (cache.get("CMAKE_C_COMPILER"), cache.get("CMAKE_CXX_COMPILER")):
        if not driver:
            continue
        for program in ("cc1", "cc1plus", "collect2", "as", "ld"):
            found = run(driver, f"-print-prog-name={program}").strip()
            found = found if found.startswith("/") else (shutil.which(found) or "")
            if found and Path(found).exists():
                used.add(found)
    # The CMake package files of the tool's libraries.
    for key in ("CLI11_DIR", "fmt_DIR", "nlohmann_json_DIR"):
        directory = Path(cache.get(key, ""))
        if cache.get(key) and directory.is_dir():
            used.update(str(p) for p in directory.iterdir() if p.is_file())
    # The shared libraries the tool and the library load.
    for binary in (build / "vorn", build / "libvorn.so"):
        for line in run("ldd", str(binary)).splitlines():
            match = re.search(r"(/\S+) \(0x", line)
            if match:
                used.add(match.group(1))
    source = HERE.parent.resolve()
    return {f for f in used if not Path(f).resolve().is_relative_to(source) and not f.startswith(str(build))}


def spellings(path: str) -> list[str]:
    """The names dpkg may have recorded for a file: as given, resolved, with and without /usr (merged /usr)."""
    names = [path, str(Path(path).resolve())]
    for name in list(names):
        if name.startswith("/usr/"):
            names.append(name[4:])
        else:
            names.append("/usr" + name)
    return list(dict.fromkeys(names))


def owners(files: set[str]) -> tuple[dict[str, set[str]], set[str]]:
    by_spelling: dict[str, set[str]] = {}
    every = sorted({s for f in files for s in spellings(f)})
    result = subprocess.run(["dpkg-query", "-S", *every], capture_output=True, text=True)
    for line in result.stdout.splitlines():
        packages, _, path = line.partition(": ")
        for package in packages.split(", "):
            by_spelling.setdefault(path, set()).add(package.split(":")[0])
    owned: dict[str, set[str]] = {}
    unowned = set()
    for f in files:
        found = set().union(*(by_spelling.get(s, set()) for s in spellings(f)))
        if found:
            owned[f] = found
        else:
            unowned.add(f)
    return owned, unowned


def installed_closure(roots: set[str]) -> set[str]:
    fields = "${Package}\t${Essential}\t${Provides}\t${Depends}\t${Pre-Depends}\t${db:Status-Abbrev}\n"
    depends: dict[str, set[str]] = {}
    providers: dict[str, set[str]] = {}
    essential = set()
    for line in run("dpkg-query", "-W", "-f", fields).splitlines():
        package, is_essential, provides, deps, pre, status = (line.split("\t") + [""] * 6)[:6]
        if not status.startswith("ii"):
            continue
        if is_essential == "yes":
            essential.add(package)
        for provided in filter(None, (p.strip().split(" ")[0] for p in provides.split(","))):
            providers.setdefault(provided, set()).add(package)
        names = set()
        for clause in filter(None, (c.strip() for c in f"{deps},{pre}".split(","))):
            for alternative in clause.split("|"):
                name = alternative.strip().split(" ")[0].split(":")[0]
                if name:
                    names.add(name)
        depends[package] = names
    seen: set[str] = set()
    todo = list(roots | essential)
    while todo:
        name = todo.pop()
        for package in ({name} if name in depends else set()) | providers.get(name, set()):
            if package not in seen:
                seen.add(package)
                todo.extend(depends[package])
    return seen


def main() -> int:
    if len(sys.argv) != 2 or not (Path(sys.argv[1]) / "CMakeCache.txt").is_file():
        print("usage: check_run_packages.py BUILD_DIR (a configured and built tree of the run preset)",
              file=sys.stderr)
        return 2
    build = Path(sys.argv[1]).resolve()
    listed = package_list(HERE / "packages-run.txt")
    files = files_used(build)
    owned, unowned = owners(files)
    allowed = installed_closure(listed)
    outside: dict[str, list[str]] = {}
    for f, packages in owned.items():
        if not packages & allowed:
            for package in packages:
                outside.setdefault(package, []).append(f)
    used = set().union(*owned.values()) if owned else set()
    if outside:
        for package, paths in sorted(outside.items()):
            print(f"check_run_packages: the run path uses {package}, not in scripts/packages-run.txt "
                  f"nor a dependency of it: {', '.join(sorted(paths)[:3])}", file=sys.stderr)
        return 1
    print(f"the run path used {len(files)} files from {len(used)} packages, every one in "
          f"scripts/packages-run.txt or a dependency of it ({len(unowned)} files owned by no package, "
          "such as alternatives links, not counted)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
