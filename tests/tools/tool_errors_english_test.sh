#!/usr/bin/env bash
# The tools' errors with arguments in English: each argument in its place, the same bytes as the
# source text in Chinese (a %N mixed up in a text or its English shows here).
# Usage: tool_errors_english_test.sh ZQFLASH ZQPANEL_SIM ZQPANEL_RUN ZQPLC_SIM
set -u
zqflash=$1 zqpanel_sim=$2 zqpanel_run=$3 zqplc_sim=$4
failures=0

# expect LINE COMMAND...: the first error line of COMMAND is LINE in English and in Chinese.
expect() {
  local line=$1
  shift
  for lang in en zh; do
    local got
    got=$(ZQ_LANG=$lang "$@" 2>&1 >/dev/null | head -n 1)
    if [ "$got" != "$line" ]; then
      echo "ZQ_LANG=$lang $*: got '$got', want '$line'"
      failures=$((failures + 1))
    fi
  done
}

expect "zqflash: --485port: 'P9' is not P0, P1, P2, P3 or none" "$zqflash" --port a --file f --485port P9
expect "zqflash: --ports-from-glob: no device matches '/zq-none/tty*'" "$zqflash" --ports-from-glob '/zq-none/tty*' --file f
expect "zqpanel-sim: --panel 1: --flash is not an option of one panel" "$zqpanel_sim" --count 2 --panel "1:--flash x"
expect 'zqpanel-run: --parity is N, E or O, not "X"' "$zqpanel_run" --parity X a.vxg
expect 'zqplc-sim: -e "register 1 99999": bad value "99999" (0 to 65535)' "$zqplc_sim" -e "register 1 99999"
exit $((failures > 0))
