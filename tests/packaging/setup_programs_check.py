#!/usr/bin/env python3
"""Every program the build, the tests and the scripts start comes from a package that scripts/setup.sh installs.

The programs: each find_program() in the CMake files (one of its NAMES is enough), the programs
their COMMAND lines start by name and those CPack's DEB generator runs when the package is made; the commands of the shell scripts in scripts/ and tests/ (the
first word of each simple command, and NAME in `command -v NAME`); the programs the C++ tests start
by name (std::system, QProcess). Shell builtins and keywords, the scripts' own functions and the
programs this build makes are not looked up.

A program is provided when `dpkg -S` maps its path on this machine to a package that setup.sh lists,
to one that a listed package depends on (Depends and Pre-Depends, followed through; the first
alternative of a choice, as apt installs it), or to one that a minimal Debian 12 root
(debootstrap --variant=minbase) already has: the Essential and Priority "required" packages, apt,
and their dependencies. A program this machine lacks fails too: its package cannot be known.

Usage: setup_programs_check.py REPOSITORY      exit 0: all provided, 1: some are not, 77: not Debian
"""
import os
import re
import shlex
import shutil
import subprocess
import sys

ROOT = sys.argv[1] if len(sys.argv) > 1 else "."
NAME = re.compile(r"^[A-Za-z_][A-Za-z0-9_.+-]*$")
SKIPPED_DIRS = {"build", ".git", "node_modules"}


def files(top, suffixes, names=()):
    for folder, dirs, entries in os.walk(os.path.join(ROOT, top)):
        dirs[:] = [d for d in dirs if d not in SKIPPED_DIRS]
        for entry in entries:
            if entry.endswith(suffixes) or entry in names:
                yield os.path.join(folder, entry)


def read(path):
    with open(path, encoding="utf-8", errors="replace") as stream:
        return stream.read()


def own_programs():
    """The executables this build makes and the command names they are installed under."""
    made = set()
    for path in files(".", (".cmake",), ("CMakeLists.txt",)):
        text = read(path)
        made.update(re.findall(r"add_executable\(\s*([A-Za-z0-9_.+-]+)", text))
        for pairs in re.findall(r"set\(ZQ_COMMANDS([^)]*)\)", text):
            for pair in pairs.split():
                made.update(part.split("/")[-1] for part in pair.split(":"))
    return made


def cmake_programs():
    """(where, [names]) for each find_program (any of names will do) and each COMMAND by name."""
    found = []
    for path in files(".", (".cmake",), ("CMakeLists.txt",)):
        text = re.sub(r"#[^\n]*", "", read(path))
        where = os.path.relpath(path, ROOT)
        for arguments in re.findall(r"find_program\(([^)]*)\)", text):
            words = arguments.split()[1:]
            if words and words[0] == "NAMES":
                words = words[1:]
            names = []
            for word in words:
                if word.isupper() and word != "NAMES":
                    break  # HINTS, PATHS, DOC, REQUIRED, NO_...
                names.append(word)
            found.append((where, names))
        # CPack's DEB generator runs these itself (file, readelf, objcopy, dpkg; dpkg-shlibdeps on request).
        if re.search(r"set\(CPACK_GENERATOR[^)]*\bDEB\b", text):
            found.extend((where + " (CPack's DEB generator)", [name]) for name in ("file", "readelf", "objcopy", "dpkg"))
        if re.search(r"set\(CPACK_DEBIAN_PACKAGE_SHLIBDEPS\s+ON", text):
            found.append((where + " (CPack's DEB generator)", ["dpkg-shlibdeps"]))
        for name in re.findall(r"\bCOMMAND\s+([A-Za-z][A-Za-z0-9_.+-]*)(?![A-Za-z0-9_.+:-])", text):
            found.append((where, [name]))
    return found


def strip_heredocs(text):
    """The script without the bodies of here-documents (data, not commands)."""
    lines, out, end = text.split("\n"), [], None
    for line in lines:
        if end is not None:
            if line.strip() == end:
                end = None
            continue
        out.append(line)
        match = re.search(r"<<-?\s*['\"]?([A-Za-z_][A-Za-z0-9_]*)['\"]?", line)
        if match and "<<<" not in line:
            end = match.group(1)
    return "\n".join(out)


COMMAND_KEYWORDS = {"then", "do", "else", "elif", "if", "while", "until", "!", "{", "time"}
PREFIXES = {"exec", "nohup", "sudo", "time", "env", "command", "builtin"}


def shell_commands(text):
    """The names in command position of a shell script, with `command -v NAME` lookups."""
    text = strip_heredocs(text.replace("\\\n", " "))
    # Comments go before splitting, so that the line ends they stand before still end commands.
    text = "\n".join(re.sub(r"^\s*#.*|\s#[^'\"]*$", "", line) for line in text.split("\n"))
    text = re.sub(r"\b([A-Za-z_][A-Za-z0-9_]*)\+=", r"\1=", text)
    lexer = shlex.shlex(text, posix=True, punctuation_chars="();<>|&\n")
    lexer.whitespace = " \t\r"
    lexer.commenters = ""
    try:
        tokens = list(lexer)
    except ValueError:
        return set(), set()
    commands, functions = set(), set()
    start, case_patterns, after_redirect, closing = True, False, False, None
    for i, token in enumerate(tokens):
        following = tokens[i + 1] if i + 1 < len(tokens) else ""
        punctuation = all(c in "();<>|&\n" for c in token)
        if closing:  # inside an array's words or an arithmetic expression
            if closing in token:
                closing, start = None, any(c in token for c in ";|&\n")
            continue
        if token.startswith("((") and punctuation:
            closing = "))"
            continue
        if token.endswith("=") and following.startswith("("):
            closing = ")"
            tokens[i + 1] = following[1:]
            continue
        if punctuation:
            if case_patterns and ")" in token:
                case_patterns, start = False, True
            elif ";;" in token:
                case_patterns, start = True, False
            elif "<" in token or ">" in token:
                after_redirect = True
                continue
            else:
                start = any(c in token for c in ";|&(\n")
            after_redirect = False
            continue
        if after_redirect:
            after_redirect = False
            continue
        if token == "case":
            start = False
            continue
        if token == "in" and not start:
            case_patterns = any(t == "case" for t in tokens[max(0, i - 3):i])
            continue
        if token == "esac":
            case_patterns = False
            continue
        if case_patterns or not start:
            continue
        if following == "()" or (i > 0 and tokens[i - 1] == "function"):
            functions.add(token)
            start = False
            continue
        if token in COMMAND_KEYWORDS:
            continue
        if re.match(r"^[A-Za-z_][A-Za-z0-9_]*(\[[^]]*\])?\+?=", token) or token.startswith("-"):
            continue  # an assignment before the command, or an option of a prefix
        if token in PREFIXES:
            continue
        if (NAME.match(token) and not token.startswith("_")) or token.startswith("/"):
            commands.add(token)
        start = False
    return commands, functions


def shell_programs(builtins):
    # A function of any of the project's scripts is its own: libraries of functions are sourced.
    scanned, own = [], set()
    for top in ("scripts", "tests", ".ci"):
        for path in files(top, (".sh",), ("run",)):
            commands, functions = shell_commands(read(path))
            scanned.append((os.path.relpath(path, ROOT), commands))
            own |= functions
    return [(where, [name]) for where, commands in scanned for name in sorted(commands - own - builtins)]


def cxx_programs():
    found = []
    patterns = [r"std::system\(\s*\"([A-Za-z][A-Za-z0-9_.+-]*)", r"QProcess::execute\(\s*\"([A-Za-z0-9_.+-]+)\"",
                r"findExecutable\(\s*(?:QStringLiteral\()?\"([A-Za-z0-9_.+-]+)\""]
    for path in files("tests", (".cpp", ".h")):
        text = read(path)
        for pattern in patterns:
            found.extend((os.path.relpath(path, ROOT), [name]) for name in re.findall(pattern, text))
    return found


def setup_list():
    text = read(os.path.join(ROOT, "scripts", "setup.sh"))
    match = re.search(r"PACKAGES=\(([^)]*)\)", text)
    if not match:
        sys.exit("setup_programs_check: no PACKAGES=( ... ) in scripts/setup.sh")
    return set(re.sub(r"#[^\n]*", "", match.group(1)).split())


def installed_packages():
    """name -> (essential or required, [dependency clauses]); and virtual name -> providers."""
    fields = "${Package}\t${Essential}\t${Priority}\t${Pre-Depends}, ${Depends}\t${Provides}\t${db:Status-Abbrev}\n"
    output = subprocess.run(["dpkg-query", "-W", "-f", fields], capture_output=True, text=True, check=True).stdout
    packages, providers = {}, {}
    for line in output.splitlines():
        name, essential, priority, depends, provides, status = line.split("\t")
        if not status.startswith("ii"):
            continue
        clauses = []
        for clause in depends.split(","):
            choices = [re.sub(r"[\s(].*|:any$", "", c.strip()) for c in clause.split("|") if c.strip()]
            if choices:
                clauses.append(choices)
        packages[name] = (essential == "yes" or priority == "required" or name == "apt", clauses)
        for virtual in provides.split(","):
            if virtual.strip():
                providers.setdefault(re.sub(r"[\s(].*", "", virtual.strip()), []).append(name)
    return packages, providers


def provided_packages(listed):
    packages, providers = installed_packages()
    todo = [name for name, (base, _) in packages.items() if base] + sorted(listed)
    seen = set()
    while todo:
        name = todo.pop()
        if name in seen:
            continue
        seen.add(name)
        for choices in packages.get(name, (False, []))[1]:
            first = choices[0]
            todo.extend([first] if first in packages else providers.get(first, []))
    return seen


SYSTEM_PATH = "/usr/sbin:/usr/bin:/sbin:/bin"  # what a package installs into, not a user's own tools


def forms(path):
    """The path, its target and their merged-/usr twins: dpkg knows a file under one of them."""
    candidates = [path, os.path.realpath(path)]
    for candidate in list(candidates):
        for a, b in (("/usr/bin/", "/bin/"), ("/usr/sbin/", "/sbin/")):
            if candidate.startswith(a):
                candidates.append(b + candidate[len(a):])
            elif candidate.startswith(b):
                candidates.append(a + candidate[len(b):])
    return candidates


def owners(paths):
    """path -> the package that holds it (None when none does), in one dpkg-query."""
    every = sorted({form for path in paths for form in forms(path)})
    result = subprocess.run(["dpkg-query", "-S"] + every, capture_output=True, text=True) if every else None
    holder = {}
    for line in result.stdout.splitlines() if result else []:
        if not line.startswith("diversion by") and ": " in line:
            packages, held = line.rsplit(": ", 1)
            holder.setdefault(held, packages.split(", ")[0].split(":")[0])
    return {path: next((holder[f] for f in forms(path) if f in holder), None) for path in paths}


def main():
    if not shutil.which("dpkg-query"):
        print("setup_programs_check: not a Debian system (no dpkg-query): skipped")
        return 77
    builtins = set(subprocess.run(["bash", "-c", "compgen -b; compgen -k"], capture_output=True,
                                  text=True).stdout.split())
    own = own_programs()
    listed = setup_list()
    provided = provided_packages(listed)
    uses = cmake_programs() + shell_programs(builtins) + cxx_programs()
    uses = [(where, [n for n in names if n not in own and not n.startswith("$")]) for where, names in uses]
    paths = {n: n if n.startswith("/") else shutil.which(n, path=SYSTEM_PATH) for _, names in uses for n in names}
    package_of = owners([path for path in paths.values() if path])
    problems, checked = [], set()
    for where, names in uses:
        if not names:
            continue
        reasons = []
        for name in names:
            path = paths[name]
            if not path:
                reasons.append(f"{name} is not installed here, so its package is unknown")
                continue
            package = package_of[path]
            if package is None:
                reasons.append(f"{name} ({path}) belongs to no package")
            elif package not in provided:
                reasons.append(f"{name} comes from {package}, which scripts/setup.sh does not install")
            else:
                reasons = []
                break
        checked.update(names)
        if reasons:
            problems.append(f"{where}: " + "; ".join(reasons))
    for problem in sorted(set(problems)):
        print(problem)
    if problems:
        print(f"setup_programs_check: {len(set(problems))} uses of programs scripts/setup.sh does not provide")
        return 1
    print(f"setup_programs_check: {len(checked)} programs, each provided by a package of the setup")
    return 0


if __name__ == "__main__":
    sys.exit(main())
