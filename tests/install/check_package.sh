#!/usr/bin/env bash
# The Debian package: its control fields (library dependencies computed, the
# fonts named), its files and their owners and modes, one version throughout,
# and the program from the unpacked package runs.
#   check_package.sh BUILD_DIR   packs BUILD_DIR with CPack first
#   check_package.sh FILE.deb [--lintian]
source "$(dirname "$0")/support.bash"
target=${1:?usage: $0 BUILD_DIR | FILE.deb [--lintian]}
lintian=${2:-}

if [ -d "$target" ]; then
  if ! cpack -G DEB --config "$target/CPackConfig.cmake" -B "$WORK/pack" >"$WORK/cpack.log" 2>&1; then
    cat "$WORK/cpack.log"
    fail "cpack failed"
    finish
  fi
  deb=$(ls "$WORK"/pack/*.deb)
else
  deb=$(realpath "$target")
fi
field() { dpkg-deb -f "$deb" "$1"; }

# Control fields.
arch=$(dpkg --print-architecture)
[ "$(field Package)" = zorun ] || fail "Package is '$(field Package)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
for name in Version Maintainer Section Priority Installed-Size Homepage Description; do
  [ -n "$(field "$name")" ] || fail "no $name field"
done
[ "$(basename "$deb")" = "zorun_$(field Version)_$arch.deb" ] || fail "the file is named $(basename "$deb")"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no long description"
depends=$(field Depends)
# dpkg-shlibdeps found the libraries the program links, with versions.
for library in 'libc6 (>= ' 'libstdc++6 (>= ' 'libfreetype6 (>= ' \
  'libfontconfig1 (>= ' 'libpng16-16 (>= ' 'libx11-6 (>= '; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks ${library%% *}: $depends"
done
# The libraries opened at run time are named by hand; SDL2 only for its backend.
for library in libical3 libicu; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
[[ "$(field Recommends)" == *libsdl2-2.0-0* ]] || fail "Recommends lacks libsdl2-2.0-0"
for font in fonts-dejavu-core fonts-liberation2 fonts-ipafont-gothic; do
  [[ "$depends" == *"$font"* ]] || fail "Depends lacks $font"
done
# Every dependency is a package this Debian has: what the build linked is installed here.
for package in $(echo "$depends" | tr ',' '\n' | sed 's/|.*//; s/(.*//; s/ //g' | grep -v '^fonts-'); do
  dpkg-query -W "$package" >/dev/null 2>&1 || fail "Depends names '$package', which is not installed here"
done

# Files: exactly the install tree, under /usr, owned by root, with the modes
# Debian expects.
dpkg-deb -c "$deb" >"$WORK/contents"
awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' "$WORK/contents" |
  grep -Ev '^(bin/zorun-[a-z][a-z]|share/man/man1/zorun-[a-z][a-z]\.1\.gz)$' | LC_ALL=C sort >"$WORK/files"
root=$WORK/root
dpkg-deb -x "$deb" "$root"
app_id=$(metainfo_id "$root/usr") || fail "not exactly one AppStream file"
expected_files "${app_id:-}" >"$WORK/expected"
diff -u "$WORK/expected" "$WORK/files" || fail "the package's files differ from the expected ones"
awk '$2 != "root/root" { print "owner:", $0 }
     $1 ~ /^d/ && $1 != "drwxr-xr-x" { print "mode:", $0 }
     $1 ~ /^-/ && $6 ~ /\/(bin|libexec)\// && $1 != "-rwxr-xr-x" { print "mode:", $0 }
     $1 ~ /^-/ && $6 !~ /\/(bin|libexec)\// && $1 != "-rw-r--r--" { print "mode:", $0 }
     $6 !~ /^\.\/(usr\/.*)?$/ { print "place:", $0 }' "$WORK/contents" >"$WORK/odd"
[ ! -s "$WORK/odd" ] || { cat "$WORK/odd"; fail "files with odd owners, modes or places"; }
dpkg-deb -I "$deb" md5sums >"$WORK/md5sums" || fail "no md5sums"
(cd "$root" && md5sum --quiet -c "$WORK/md5sums") || fail "md5sums do not match the files"
for exe in "$root"/usr/bin/zorun "$root"/usr/bin/zorun-??; do
  [ -f "$exe" ] || continue
  ! readelf -S "$exe" | grep -q '\.debug_info' || fail "$(basename "$exe") is not stripped"
  [ -e "$root/usr/share/man/man1/$(basename "$exe").1.gz" ] || fail "$(basename "$exe") has no manual page"
done

# One version: the package's, the program's, AppStream's and the changelog's.
version=$(field Version)
said=$("$root/usr/bin/zorun" --version) || fail "the packaged zorun --version failed"
[ "$said" = "zorun $version" ] || fail "the package is $version, zorun says '$said'"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/${app_id:-}.metainfo.xml" ||
  fail "AppStream's release is not $version"
zcat "$root/usr/share/doc/zorun/changelog.gz" >"$WORK/changelog"
[ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version)" = "$version" ] || fail "the changelog is not for $version"
runs_headless "$root/usr" || fail "the packaged zorun did not draw its screen"

if [ "$lintian" = --lintian ]; then
  lintian --fail-on error --no-tag-display-limit "$deb" || fail "lintian reports errors"
fi

finish
