"""The README's Fortran block, compiled on its own and run: it must be a whole
program that builds against the library and prints what the README says.

Usage: readme_snippet_test.py README.md FORTRAN_COMPILER LIBRARY_FILE WORK_DIR
"""

import os
import pathlib
import re
import subprocess
import sys


def main():
    readme, compiler, library, work = sys.argv[1:5]
    text = pathlib.Path(readme).read_text()
    blocks = re.findall(r"```fortran\n(.*?)```", text, re.S)
    if len(blocks) != 1:
        sys.exit(f"expected one fortran block in {readme}, found {len(blocks)}")
    printed = re.search(r"\$ \./vorn_from_fortran\n(.*?)```", text, re.S)
    if printed is None:
        sys.exit(f"{readme}: no output of ./vorn_from_fortran after the block")
    work = pathlib.Path(work)
    work.mkdir(parents=True, exist_ok=True)
    source = work / "vorn_from_fortran.f90"
    source.write_text(blocks[0])
    library = pathlib.Path(library).resolve()
    program = work / "vorn_from_fortran"
    # The compiler runs without a sanitizer runtime that a sanitizer build
    # preloads for the program (and would report the compiler's own leaks).
    compile_env = {k: v for k, v in os.environ.items() if k != "LD_PRELOAD"}
    subprocess.run([compiler, "-std=f2018", "-Wall", "-Werror", str(source), f"-L{library.parent}", "-lvorn",
                    f"-Wl,-rpath,{library.parent}", "-o", str(program)], check=True, env=compile_env)
    run = subprocess.run([str(program)], capture_output=True, text=True, check=True, timeout=60)
    if run.stdout != printed.group(1):
        sys.exit(f"the program printed\n{run.stdout}but the README says\n{printed.group(1)}")
    print(run.stdout, end="")


if __name__ == "__main__":
    main()
