#!/usr/bin/env bash
# Builds the Debian package from the build folder into a scratch folder and
# checks its fields and contents: the install rules' files under /usr and
# nothing else, dependencies found from the programs' libraries, and no
# maintainer scripts, so installing or removing it touches no learner's
# ~/.config/lexmira/. The package is never installed here.
# Expects BUILD_DIR, APP_ID, BINDIR, DATADIR, MANDIR and MAINTAINER from CTest.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$scratch/cpack.log")"
debs=("$scratch"/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = lexmira ] || fail "Package: $(field Package)"
[ "$(field Maintainer)" = "$MAINTAINER" ] || fail "Maintainer: $(field Maintainer)"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
depends=$(field Depends)
depended_names=$(tr ',|' '\n\n' <<<"$depends" | awk '{print $1}')
for name in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 fonts-wqy-zenhei; do
  grep -qxF -- "$name" <<<"$depended_names" || fail "Depends lacks $name: $depends"
done

expected=$(printf './usr/%s\n' "$BINDIR/lexmira" "$BINDIR/lexmira-mdb" \
  "$DATADIR/lexmira/words.mdb" "$DATADIR/applications/$APP_ID.desktop" \
  "$DATADIR/icons/hicolor/scalable/apps/$APP_ID.svg" "$DATADIR/metainfo/$APP_ID.metainfo.xml" \
  "$MANDIR/man1/lexmira-mdb.1.gz" "$DATADIR/doc/lexmira/copyright" | sort)
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[ "$files" = "$expected" ] || fail "package files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$files"))"
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -vE '^\./(usr/.*)?$' || true)
[ -z "$outside" ] || fail "entries outside /usr: $outside"
dpkg-deb -c "$deb" | awk '$6 ~ /\/bin\/lexmira(-mdb)?$/ && $1 != "-rwxr-xr-x" {exit 1}' ||
  fail "programs are not executable by all"

dpkg-deb -e "$deb" "$scratch/control"
scripts=$(cd "$scratch/control" && ls | grep -vxE 'control|md5sums' || true)
[ -z "$scripts" ] || fail "maintainer scripts: $scripts"
echo "$(basename "$deb"): ok"
