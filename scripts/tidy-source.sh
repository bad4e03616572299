#!/usr/bin/env bash
# clang-tidy for one source of the tree, as the tidy preset's CMAKE_CXX_CLANG_TIDY: skips the
# sources the build writes (moc, resources), which are not ours to change.
# Usage (by CMake): tidy-source.sh SOURCE_ROOT [clang-tidy options] SOURCE -- COMPILE_COMMAND...
set -euo pipefail
root=${1:?source root}
shift
source_file=""
for arg in "$@"; do
  [ "$arg" = "--" ] && break
  source_file=$arg
done
case "$source_file" in
  "$root"/build/* | */_autogen/* | */*_autogen/* | */qrc_*.cpp) exit 0 ;;
  "$root"/*) ;;
  *) exit 0 ;; # a generated source outside the tree (an out-of-tree build folder)
esac
exec clang-tidy --quiet "$@"
