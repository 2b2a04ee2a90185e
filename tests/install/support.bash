# Shared by the install checks (sourced): a work folder removed at exit,
# failure counting, and the files an installation holds.

set -u
WORK=$(mktemp -d -t zorun-install-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
  fi
  echo "$(basename "$0"): all checks passed"
  exit 0
}

# expected_files APP_ID: every file under the prefix, sorted, except the
# other language builds of the program (bin/zorun-<language>).
expected_files() {
  {
    echo bin/zorun
    echo bin/zorun-session
    echo lib/systemd/user/zorun.service
    echo libexec/zorun/zorun-host
    echo share/applications/zorun.desktop
    echo share/bash-completion/completions/zorun
    echo share/bash-completion/completions/zorun-session
    echo share/doc/zorun/changelog.gz
    echo share/doc/zorun/copyright
    for size in 16 24 32 48 64 128 256; do
      echo "share/icons/hicolor/${size}x${size}/apps/zorun.png"
    done
    echo share/man/man1/zorun-session.1.gz
    echo share/man/man1/zorun.1.gz
    echo "share/metainfo/$1.metainfo.xml"
    echo share/xsessions/zorun.desktop
    echo share/zsh/vendor-completions/_zorun
  } | LC_ALL=C sort
}

# installed_files PREFIX: the files found under PREFIX, as expected_files
# lists them.
installed_files() {
  (cd "$1" && find . -type f -o -type l) | sed 's|^\./||' |
    grep -Ev '^(bin/zorun-[a-z][a-z]|share/man/man1/zorun-[a-z][a-z]\.1\.gz)$' | LC_ALL=C sort
}

# png_size FILE: "W H" from the PNG header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ printf "%d %d\n", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}

# metainfo_id PREFIX: the AppStream id of the one metainfo file installed.
metainfo_id() {
  local files=("$1"/share/metainfo/*.metainfo.xml)
  [ ${#files[@]} -eq 1 ] && [ -f "${files[0]}" ] || return 1
  basename "${files[0]}" .metainfo.xml
}

# runs_headless PREFIX: the installed program starts with nothing but its
# own file, draws its screen and ends.
runs_headless() {
  local prefix=$1 home=$WORK/home-$RANDOM
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  printf 'wait 500\nscreenshot %s/shot.png\n' "$home" >"$home/script.txt"
  # Sanitizer builds: leaks of the host's libraries are not the program's.
  local suppressions
  suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/../e2e" && pwd)/lsan-suppressions.txt
  (cd / && env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run" \
    MAILDIR="$home/Maildir" ZORUN_POWER_SUPPLY="$home/power" \
    LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0" \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
    "$prefix/bin/zorun" --headless --device-root "$home/device" --script "$home/script.txt") &&
    [ -s "$home/shot.png" ] && [ "$(png_size "$home/shot.png")" = "240 320" ]
}
