#!/usr/bin/env python3
"""The setup check on a made-up repository: it names the one program no listed package provides and
reads past what only looks like a command (case patterns, functions, arrays, here-documents, comments).

Usage: setup_programs_check_test.py SETUP_PROGRAMS_CHECK      exit 77 off Debian
"""
import os
import shutil
import subprocess
import sys
import tempfile

CHECK = sys.argv[1]

SETUP = """#!/usr/bin/env bash
PACKAGES=(
  cmake   # the build
)
"""
# dpkg-deb (dpkg: required, so in every minimal root), cmake (listed), dpkg-shlibdeps (dpkg-dev:
# neither listed nor required nor needed by cmake) and a path that no package holds.
SCRIPT = """#!/usr/bin/env bash
# gzip is only named in a comment
helper() { cmake --version; }
words=(notaprogram alsonot)
case "$1" in
  all|none) helper;;
  *) dpkg-deb --version >/dev/null;;
esac
cat <<'EOF'
heredocword --flag
EOF
total=$((1 + 2)); echo "$total"
command -v dpkg-shlibdeps >/dev/null && echo found
"""


def run(root):
    return subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)


def main():
    if not shutil.which("dpkg-query") or not shutil.which("dpkg-shlibdeps") or not shutil.which("cmake"):
        print("needs dpkg-query, dpkg-shlibdeps and cmake: skipped")
        return 77
    failures = []
    with tempfile.TemporaryDirectory() as root:
        os.makedirs(os.path.join(root, "scripts"))
        with open(os.path.join(root, "scripts", "setup.sh"), "w") as f:
            f.write(SETUP)
        with open(os.path.join(root, "scripts", "job.sh"), "w") as f:
            f.write(SCRIPT)
        with open(os.path.join(root, "CMakeLists.txt"), "w") as f:
            f.write("add_executable(ownprogram main.cpp)\nadd_custom_command(OUTPUT x COMMAND ownprogram)\n"
                    "find_program(ZQ_X NAMES zq-none-such cmake)\n")
        result = run(root)
        lines = result.stdout.splitlines()
        expected = "scripts/job.sh: dpkg-shlibdeps comes from dpkg-dev, which scripts/setup.sh does not install"
        if result.returncode != 1 or expected not in lines or len(lines) != 2:
            failures.append(f"one unprovided program: rc {result.returncode}\n{result.stdout}{result.stderr}")

        # Listing the package mends it; a program this machine lacks fails with its name.
        with open(os.path.join(root, "scripts", "setup.sh"), "w") as f:
            f.write(SETUP.replace("cmake ", "cmake dpkg-dev "))
        result = run(root)
        if result.returncode != 0:
            failures.append(f"all provided: rc {result.returncode}\n{result.stdout}{result.stderr}")
        with open(os.path.join(root, "scripts", "other.sh"), "w") as f:
            f.write("zq-none-such --run\n")
        result = run(root)
        expected = "scripts/other.sh: zq-none-such is not installed here, so its package is unknown"
        if result.returncode != 1 or expected not in result.stdout.splitlines():
            failures.append(f"a missing program: rc {result.returncode}\n{result.stdout}{result.stderr}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
