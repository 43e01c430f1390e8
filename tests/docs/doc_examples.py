"""Every console and Python example of a page, run and compared with the page.

Usage: doc_examples.py PAGE.md TOOL_DIR [--write]

Console blocks (```console): each line "$ COMMAND" is run by sh in a scratch
directory with the tool first on PATH; the lines after it, up to the next
"$ ", are what it must print (standard output, then standard error). A line
"..." in them stands for any number of lines (an output cut on the page).
"$ echo $?" prints the status of the command before it; "$ cat FILE" writes
the lines shown into FILE for the commands after it. A block whose commands
are not the tool's (a compiler, a host program) is not run.

Python blocks (```python): those with ">>>" are doctests (ELLIPSIS,
NORMALIZE_WHITESPACE), one namespace a page; the others show no output to
compare (a sketch, or lines that raise by design) and must compile.

--write puts what the commands print into the page instead of comparing
(after a change of output: read the diff before committing it).
"""

import doctest
import os
import re
import subprocess
import sys
import tempfile

RUN = ("vorn", "echo $?", "cat ")


def blocks(lines):
    """(language, first line index, last line index + 1) of every fenced block."""
    i = 0
    while i < len(lines):
        m = re.match(r"^```(\w+)\s*$", lines[i])
        if m:
            j = i + 1
            while j < len(lines) and lines[j].rstrip() != "```":
                j += 1
            yield m.group(1), i + 1, j
            i = j
        i += 1


def matches(expected, actual):
    """The page's lines against the output, "..." matching any number of lines."""
    if not expected:
        return not actual
    if expected[0] == "...":
        return any(matches(expected[1:], actual[k:]) for k in range(len(actual) + 1))
    return bool(actual) and expected[0].rstrip() == actual[0].rstrip() and matches(expected[1:], actual[1:])


def run_console(lines, begin, end, work, env, write):
    """Failures of one console block; with `write`, the block's new lines."""
    commands = []  # (command, expected lines)
    for line in lines[begin:end]:
        if line.startswith("$ "):
            commands.append((line[2:], []))
        elif commands:
            commands[-1][1].append(line)
    if not commands or not all(c.startswith(RUN) for c, _ in commands):
        return [], None
    failures, new, status = [], [], 0
    for command, expected in commands:
        new.append("$ " + command)
        if command.startswith("cat "):
            with open(os.path.join(work, command[4:].strip()), "w") as f:
                f.write("\n".join(expected) + "\n")
            new += expected
            continue
        if command == "echo $?":
            actual = [str(status)]
        else:
            run = subprocess.run(["sh", "-c", command], cwd=work, env=env, capture_output=True, text=True, timeout=120)
            status = run.returncode
            actual = (run.stdout + run.stderr).splitlines()
        if not matches(expected, actual):
            failures.append(f"line {begin}: $ {command}\n--- the page\n" + "\n".join(expected)
                            + "\n--- the tool\n" + "\n".join(actual))
        if "..." in expected:
            cut = expected.index("...")
            tail = len(expected) - cut - 1
            actual = actual[:cut] + ["..."] + (actual[len(actual) - tail:] if tail else [])
        new += actual
    return failures, new


def main():
    page, tool_dir = sys.argv[1], sys.argv[2]
    write = "--write" in sys.argv[3:]
    with open(page) as f:
        lines = f.read().split("\n")
    env = dict(os.environ, PATH=os.path.abspath(tool_dir) + os.pathsep + os.environ.get("PATH", ""))
    failures, ran = [], 0
    namespace = {}
    out = list(lines)
    with tempfile.TemporaryDirectory() as work:
        replacements = []
        for language, begin, end in blocks(lines):
            if language == "console":
                found, new = run_console(lines, begin, end, work, env, write)
                if new is not None:
                    ran += 1
                    failures += found
                    replacements.append((begin, end, new))
            elif language == "python":
                text = "\n".join(lines[begin:end])
                ran += 1
                cwd = os.getcwd()
                os.chdir(work)
                try:
                    if ">>>" in text:
                        test = doctest.DocTestParser().get_doctest(text, namespace, page, page, begin)
                        report = []
                        runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS | doctest.NORMALIZE_WHITESPACE)
                        runner.run(test, out=report.append, clear_globs=False)
                        namespace.update(test.globs)
                        failures += report
                    else:
                        compile(text, f"{page}:{begin}", "exec")
                except Exception as e:  # a block that does not compile is a failure of the page
                    failures.append(f"line {begin}: python block raised {type(e).__name__}: {e}")
                finally:
                    os.chdir(cwd)
        for begin, end, new in reversed(replacements):
            out[begin:end] = new
    if write:
        with open(page, "w") as f:
            f.write("\n".join(out))
    for failure in failures:
        print(failure, "\n")
    print(f"{page}: {ran} examples, {len(failures)} differing from the page")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
