#!/usr/bin/env bash
# The install tree: `cmake --install` under /usr into a temporary DESTDIR
# holds exactly the program's files, each passes its validator, and the
# program runs from there with nothing beside it.
#   check_install.sh BUILD_DIR
source "$(dirname "$0")/support.bash"
build=$(realpath "${1:?usage: $0 BUILD_DIR}")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
root=$WORK/root
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
usr=$root/usr

if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$WORK/install.log" 2>&1; then
  cat "$WORK/install.log"
  fail "cmake --install failed"
  finish
fi

# Contents: nothing missing, nothing that does not belong.
app_id=$(metainfo_id "$usr") || fail "not exactly one AppStream file"
expected_files "${app_id:-}" >"$WORK/expected"
installed_files "$usr" >"$WORK/installed"
diff -u "$WORK/expected" "$WORK/installed" || fail "the installed files differ from the expected ones"
[ -z "$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)" ] || fail "files outside the prefix"

# Every language build of the program is installed, none refers back to the
# build folder, and the installed program runs on its own.
for exe in "$build"/app/zorun "$build"/app/zorun-??; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  [ -x "$usr/bin/$name" ] || fail "$name is built but not installed"
  [ -e "$usr/share/man/man1/$name.1.gz" ] || fail "$name has no manual page"
  if readelf -d "$usr/bin/$name" | grep -Eq 'RPATH|RUNPATH'; then
    fail "$name keeps a library search path"
  fi
done
said=$("$usr/bin/zorun" --version) || fail "zorun --version failed"
[ "$said" = "zorun $version" ] || fail "zorun --version says '$said', not $version"
runs_headless "$usr" || fail "the installed zorun did not draw its screen"

# Menu entry and session entry: valid, and what they start and show is there.
for entry in "$usr/share/applications/zorun.desktop" "$usr/share/xsessions/zorun.desktop"; do
  desktop-file-validate "$entry" || fail "$entry is not valid"
  exec_line=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$usr/bin/$exec_line" ] || fail "$entry starts '$exec_line', which is not installed"
done
grep -qx 'Icon=zorun' "$usr/share/applications/zorun.desktop" || fail "the menu entry's icon is not zorun"
grep -Eq '^Categories=.+;$' "$usr/share/applications/zorun.desktop" || fail "no Categories"
grep -Eq '^Keywords=.+;$' "$usr/share/applications/zorun.desktop" || fail "no Keywords"

# Icons: each PNG has the size its folder names.
for icon in "$usr"/share/icons/hicolor/*/apps/zorun.png; do
  folder=$(basename "$(dirname "$(dirname "$icon")")")
  [ "$(png_size "$icon")" = "${folder%x*} ${folder#*x}" ] || fail "$icon is not $folder"
done
cmp -s "$usr/share/icons/hicolor/32x32/apps/zorun.png" "$source_dir/res/art/icons/128-zorun.png" ||
  fail "the 32-pixel icon is not the program's own"

# AppStream: valid, for this version, launching the menu entry, showing the
# screenshots kept in docs/.
metainfo="$usr/share/metainfo/${app_id:-}.metainfo.xml"
appstreamcli validate --no-net --pedantic "$metainfo" >"$WORK/appstream.log" 2>&1 || {
  cat "$WORK/appstream.log"
  fail "AppStream data is not valid"
}
grep -q "<release version=\"$version\"" "$metainfo" || fail "AppStream's release is not $version"
grep -q '<launchable type="desktop-id">zorun.desktop</launchable>' "$metainfo" || fail "AppStream launches no zorun.desktop"
for shot in $(sed -n 's|.*<image[^>]*>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo"); do
  [ -f "$source_dir/docs/$shot" ] || fail "AppStream shows docs/$shot, which does not exist"
done

# Manual pages: render without a warning, and zorun.1 and the completion
# know every option the program knows.
for page in "$usr"/share/man/man1/*.1.gz; do
  MANWIDTH=80 man --warnings -l "$page" >"$WORK/page.txt" 2>"$WORK/man.log" || fail "man cannot show $page"
  [ ! -s "$WORK/man.log" ] || { cat "$WORK/man.log"; fail "$page renders with warnings"; }
done
MANWIDTH=80 man -l "$usr/share/man/man1/zorun.1.gz" 2>/dev/null | sed 's/‐/-/g' >"$WORK/zorun.txt"
completions=$(bash -c 'source "$1"; COMP_WORDS=(zorun --); COMP_CWORD=1; _zorun; echo "${COMPREPLY[*]}"' _ \
  "$usr/share/bash-completion/completions/zorun")
for option in $("$usr/bin/zorun" --help | grep -Eo -- '--[a-z][a-z-]*' | sort -u); do
  grep -Eq -- "^ {7}$option([ ,]|\$)" "$WORK/zorun.txt" || fail "the manual page does not tell of $option"
  [[ " $completions " == *" $option "* ]] || fail "bash completion does not offer $option"
  grep -q -- "'[^']*$option" "$usr/share/zsh/vendor-completions/_zorun" || fail "zsh completion does not offer $option"
done
scales=$(bash -c 'source "$1"; COMP_WORDS=(zorun-session --scale ""); COMP_CWORD=2; _zorun; echo "${COMPREPLY[*]}"' _ \
  "$usr/share/bash-completion/completions/zorun-session")
[ "$scales" = "1 2 3 4 5 6 7 8" ] || fail "bash completion offers '$scales' after --scale"

# The user unit reads as systemd reads it (where systemd is at hand).
if command -v systemd-analyze >/dev/null; then
  mkdir -m 700 "$WORK/run"
  sed "s|^ExecStart=zorun|ExecStart=$usr/bin/zorun|" "$usr/lib/systemd/user/zorun.service" >"$WORK/zorun.service"
  XDG_RUNTIME_DIR=$WORK/run systemd-analyze verify --man=no --user "$WORK/zorun.service" >"$WORK/unit.log" 2>&1 ||
    fail "systemd-analyze refuses the unit"
  [ ! -s "$WORK/unit.log" ] || { cat "$WORK/unit.log"; fail "systemd-analyze warns about the unit"; }
fi

finish
