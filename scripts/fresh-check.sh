#!/usr/bin/env bash
# Tries the README on fresh minimal Debian 12 roots: stage 1 clones the repository into one and runs
# its commands (run.sh, test.sh, the package build); stage 2 installs that package into another and
# runs the editor, a download into the simulated panel and the emulator from the installation.
set -euo pipefail

usage() {
  cat <<'EOF'
Usage: sudo bash scripts/fresh-check.sh [OPTIONS]

Builds a minimal Debian 12 root (debootstrap --variant=minbase bookworm), clones this repository
into it and runs, as a new user would:
  stage 1  bash scripts/run.sh; bash scripts/test.sh [PRESETS]; (cd build/default && cpack -G DEB)
  stage 2  in a second untouched root: apt-get install ./zqpanel_*.deb, then as a plain user the
           editor offscreen on a project, a download into zqpanel-sim with zqflash, and zqpanel-run
           headless against zqplc-sim
Each step's time is printed; the roots and every mount are removed at the end, failed or not.

  --stage 1|2|all    what to run (all); stage 2 alone needs --deb
  --deb FILE         the package for stage 2 (default: the one stage 1 built)
  --repo DIR         the repository to clone (default: the one this script is in)
  --rev REV          the commit to clone (default: HEAD of this repository; uncommitted changes
                     are not part of the check)
  --presets "P..."   the presets scripts/test.sh runs (default: its own, default and asan)
  --mirror URL       the Debian mirror (default: the one this machine's apt uses)
  --work DIR         where the roots go (default: a new folder under /var/tmp)
  --ccache DIR       compile through ccache with the cache DIR (faster; the packages the check is
                     about stay as setup.sh installs them, ccache comes on top)
  --keep             keep the roots for a look afterwards (the mounts are removed all the same)
  -h, --help         this text
Exit status: 0 when every step passed, 1 at the first step that failed, 2 for a bad command line.
EOF
}

repo=$(cd "$(dirname "$0")/.." && pwd)
stage=all deb="" rev="" presets="" mirror="" work="" ccache="" keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --stage) stage=${2:?}; shift 2;;
    --deb) deb=$(realpath "${2:?}"); shift 2;;
    --repo) repo=$(cd "${2:?}" && pwd); shift 2;;
    --rev) rev=${2:?}; shift 2;;
    --presets) presets=${2:?}; shift 2;;
    --mirror) mirror=${2:?}; shift 2;;
    --work) work=${2:?}; shift 2;;
    --ccache) ccache=$(realpath "${2:?}"); shift 2;;
    --keep) keep=1; shift;;
    -h|--help) usage; exit 0;;
    *) echo "fresh-check: unknown option $1 (try --help)" >&2; exit 2;;
  esac
done
case "$stage" in 1|2|all) ;; *) echo "fresh-check: --stage is 1, 2 or all" >&2; exit 2;; esac
if [ "$stage" = 2 ] && [ -z "$deb" ]; then echo "fresh-check: --stage 2 needs --deb FILE" >&2; exit 2; fi
if [ -n "$deb" ] && [ ! -f "$deb" ]; then echo "fresh-check: $deb: no such package" >&2; exit 2; fi
[ "$(id -u)" -eq 0 ] || { echo "fresh-check: needs root (debootstrap, chroot and mounts)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "fresh-check: debootstrap is missing: bash scripts/setup.sh" >&2; exit 2; }

# Everything below runs in a mount and process namespace of its own: a mount left behind or a
# process still running in a root ends with the check even if the clean-up below is cut short.
if [ -z "${ZQ_FRESH_CHECK_INNER:-}" ]; then
  export ZQ_FRESH_CHECK_INNER=1
  exec unshare --mount --pid --fork --propagation private --mount-proc --kill-child \
    bash "$0" --repo "$repo" --stage "$stage" ${deb:+--deb "$deb"} ${rev:+--rev "$rev"} ${presets:+--presets "$presets"} \
    ${mirror:+--mirror "$mirror"} ${work:+--work "$work"} ${ccache:+--ccache "$ccache"} \
    $([ "$keep" = 1 ] && echo --keep)
fi

# The mirrors this machine's apt uses: the first Debian archive and security archive it names.
host_uris() {
  { grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{for (i = 2; i <= NF; i++) print $i}'
    grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list | awk '{print $2}'; } | grep -v '^\[' || true
}
[ -n "$mirror" ] || mirror=$(host_uris | grep -v security | grep -m1 debian || true)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian
security=$(host_uris | grep -m1 debian-security || true)
[ -n "$security" ] || security=http://deb.debian.org/debian-security
[ -n "$rev" ] || rev=$(git -C "$repo" rev-parse HEAD)
[ -n "$work" ] || work=$(mktemp -d /var/tmp/zq-fresh-check.XXXXXX)
mkdir -p "$work"
work=$(realpath "$work")

roots=()
cleanup() {
  local status=$?
  set +e
  for root in "${roots[@]}"; do
    # Processes the steps left behind in the root, then its mounts, innermost first.
    for link in /proc/[0-9]*/root; do
      [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
      pid=${link#/proc/}; pid=${pid%/root}
      kill -KILL "$pid" 2>/dev/null
    done
    findmnt -rno TARGET | grep -F "$root/" | sort -r | while read -r target; do umount -l "$target"; done
  done
  if [ "$keep" = 0 ]; then
    for root in "${roots[@]}"; do
      if findmnt -rno TARGET | grep -qF "$root/"; then
        echo "fresh-check: $root still has mounts: left in place" >&2
      else
        rm -rf --one-file-system "$root"
      fi
    done
    rm -rf --one-file-system "$work/base" "$work/repo.git"
    rm -f "$work/debootstrap.log" "$work/demo.json" "$work"/zqpanel_*.deb
    rmdir "$work" 2>/dev/null
  else
    echo "fresh-check: the roots are kept in $work"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

timings=()
# step NAME COMMAND...: runs a step, prints its time, stops the check when it fails.
step() {
  local name=$1 start end status
  shift
  echo "=== fresh-check: $name"
  start=$(date +%s)
  set +e
  # In the background and waited for: a TERM to the check runs its clean-up at once, not after the step.
  "$@" &
  wait $!
  status=$?
  set -e
  end=$(date +%s)
  timings+=("$(printf '%-58s %4d:%02d' "$name" $(((end - start) / 60)) $(((end - start) % 60)))")
  echo "=== fresh-check: $name: $([ $status = 0 ] && echo passed || echo "FAILED ($status)") in $((end - start)) s"
  if [ $status != 0 ]; then report; exit 1; fi
}
report() {
  echo "=== fresh-check timings (minutes:seconds), commit $rev"
  printf '%s\n' "${timings[@]}"
}

# prepare ROOT: a copy of the untouched minimal root with the mirrors, the kernel's file systems
# and a network name service, as a freshly installed machine has them.
prepare() {
  local root=$1
  roots+=("$root")
  cp -a "$work/base" "$root"
  rm -f "$root/etc/apt/sources.list"
  cat >"$root/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: $security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --make-rslave "$root/sys"
  mount -t tmpfs -o mode=755 tmpfs "$root/dev"
  for node in null zero full random urandom tty; do
    touch "$root/dev/$node"
    mount --bind "/dev/$node" "$root/dev/$node"
  done
  mkdir -p "$root/dev/pts" "$root/dev/shm"
  mount -t devpts -o newinstance,ptmxmode=0666,mode=0620,gid=5 devpts "$root/dev/pts"
  ln -s pts/ptmx "$root/dev/ptmx"
  ln -s /proc/self/fd "$root/dev/fd"
  ln -s /proc/self/fd/0 "$root/dev/stdin"
  ln -s /proc/self/fd/1 "$root/dev/stdout"
  ln -s /proc/self/fd/2 "$root/dev/stderr"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
  mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
}

# in_root ROOT USER SCRIPT: runs a bash script in the root as USER with a login's clean environment.
in_root() {
  local root=$1 user=$2 script=$3 home=/root
  [ "$user" = root ] || home=/home/$user
  chroot --userspec="$user:$user" "$root" /usr/bin/env -i HOME="$home" USER="$user" LOGNAME="$user" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb \
    ${extra_env[@]+"${extra_env[@]}"} /bin/bash -euo pipefail -c "cd ~; $script"
}
extra_env=()

stage1() {
  local root=$work/build
  prepare "$root"
  step "clone $(git -C "$repo" rev-parse --short "$rev") into the root" \
    git clone -q --no-local "$work/repo.git" "$root/work/zqpanel"
  git -C "$root/work/zqpanel" checkout -q "$rev"
  if [ -n "$ccache" ]; then
    mkdir -p "$root/ccache"
    mount --bind "$ccache" "$root/ccache"
    step "ccache on top (--ccache)" in_root "$root" root \
      'DEBIAN_FRONTEND=noninteractive apt-get -qq update && DEBIAN_FRONTEND=noninteractive apt-get -qq install -y --no-install-recommends ccache >/dev/null'
    extra_env=(CCACHE_DIR=/ccache CCACHE_BASEDIR=/work CCACHE_NOHASHDIR=1 CCACHE_COMPILERCHECK=content
               CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  step "bash scripts/run.sh" in_root "$root" root 'cd /work/zqpanel && bash scripts/run.sh'
  # shellcheck disable=SC2086 # the presets are words
  step "bash scripts/test.sh ${presets}" in_root "$root" root "cd /work/zqpanel && bash scripts/test.sh ${presets}"
  step "(cd build/default && cpack -G DEB)" in_root "$root" root 'cd /work/zqpanel/build/default && cpack -G DEB'
  extra_env=()
  if [ -z "$deb" ]; then
    deb=$(ls "$root"/work/zqpanel/build/default/zqpanel_*.deb | head -n1)
    cp "$deb" "$work/"
    deb=$work/$(basename "$deb")
  fi
  cp "$root/work/zqpanel/examples/demo.json" "$work/demo.json"
}

# Stage 2 runs in a second copy of the untouched root, not in the build root with the build removed:
# what stage 1 installed (compilers, -dev packages, Xvfb, fonts) could stand in for a dependency the
# package forgot to declare.
stage2() {
  local root=$work/install
  prepare "$root"
  cp "$deb" "$root/tmp/"
  [ -f "$work/demo.json" ] || git -C "$repo" show "$rev:examples/demo.json" >"$work/demo.json"
  step "apt-get install ./$(basename "$deb")" in_root "$root" root \
    "export DEBIAN_FRONTEND=noninteractive; apt-get -qq update && apt-get install -y -q /tmp/$(basename "$deb") >/tmp/apt.log || { cat /tmp/apt.log; exit 1; }"
  in_root "$root" root 'useradd -m -s /bin/bash operator1'
  install -o 0 -g 0 -m 644 "$work/demo.json" "$root/tmp/demo.json"
  step "zqe: the demo project and its image" in_root "$root" operator1 '
    zqe import /tmp/demo.json -o demo.ZQE && zqe compile demo.ZQE -o demo.vxg && zqe inspect demo.vxg >/dev/null'
  step "zqeditor offscreen opens the project" in_root "$root" operator1 '
    QT_QPA_PLATFORM=offscreen zqeditor --no-splash demo.ZQE >editor.log 2>&1 &
    editor=$!
    # Opening a project files it among the recent ones: the sign that the window is up.
    for _ in $(seq 1 600); do
      grep -rqs "demo.ZQE" ~/.config && break
      kill -0 $editor 2>/dev/null || { cat editor.log; echo "the editor ended by itself"; exit 1; }
      sleep 0.1
    done
    grep -rqs "demo.ZQE" ~/.config || { cat editor.log; echo "the editor did not open the project"; exit 1; }
    kill -TERM $editor; wait $editor || true'
  step "download into zqpanel-sim with zqflash" in_root "$root" operator1 '
    mkfifo sim.out
    zqpanel-sim --flash flash.bin >sim.out 2>sim.err &
    sim=$!
    exec 3<sim.out
    read -r pty <&3
    zqflash --port "$pty" --file demo.vxg --notenc
    kill -TERM $sim; wait $sim || true
    size=$(stat -c %s demo.vxg)
    cmp -n "$size" demo.vxg <(tail -c +$((0x6000 + 1)) flash.bin) && echo "the flash holds the image at 0x6000"'
  step "zqpanel-run headless against zqplc-sim" in_root "$root" operator1 '
    mkfifo plc.out
    zqplc-sim --pty --register 100=1234 --coil 264=1 >plc.out 2>plc.err &
    plc=$!
    exec 3<plc.out
    read -r where <&3
    pty=${where##* }
    cat <&3 >/dev/null &
    printf "%s\n" "wait-for 20000 text 44 20 123.4" "expect link ok" "key F1" "expect screen 2" >run.txt
    zqpanel-run --serial "$pty" --headless --script run.txt demo.vxg
    kill -TERM $plc; wait $plc || true'
}

bootstrap() {
  debootstrap --variant=minbase bookworm "$work/base" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { cat "$work/debootstrap.log"; return 1; }
}
step "debootstrap --variant=minbase bookworm ($mirror)" bootstrap
git clone -q --bare --no-local "$repo" "$work/repo.git"
git -C "$work/repo.git" fetch -q "$repo" "$rev" 2>/dev/null || true
case "$stage" in
  1) stage1;;
  2) stage2;;
  all) stage1; stage2;;
esac
report
echo "=== fresh-check: passed"
