#!/usr/bin/env bash
# Installs the build under /usr in a temporary DESTDIR, then checks that the
# files are where they belong, that the desktop entry, AppStream metadata and
# manual page are valid, and that the installed program, started as a learner
# starts it, finds its words under share/, creates ~/.config/lexmira/set.mdb,
# remembers the position on closing and restores it on the next start.
# Expects BUILD_DIR, APP_ID, BINDIR, DATADIR and MANDIR from CTest.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
DESTDIR=$root cmake --install "$BUILD_DIR" --prefix /usr >/dev/null
usr=$root/usr

expected=$(printf './%s\n' "$BINDIR/lexmira" "$BINDIR/lexmira-mdb" \
  "$DATADIR/lexmira/words.mdb" "$DATADIR/applications/$APP_ID.desktop" \
  "$DATADIR/icons/hicolor/scalable/apps/$APP_ID.svg" "$DATADIR/metainfo/$APP_ID.metainfo.xml" \
  "$MANDIR/man1/lexmira-mdb.1.gz" "$DATADIR/doc/lexmira/copyright" | sort)
installed() { (cd "$usr" && find . -type f -o -type l | sort); }
[ "$(installed)" = "$expected" ] || fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(installed))"
[ "$(cd "$root" && ls -A)" = usr ] || fail "files outside /usr: $(cd "$root" && ls -A)"

desktop_file_report=$(desktop-file-validate "$usr/$DATADIR/applications/$APP_ID.desktop" 2>&1) ||
  fail "desktop-file-validate: $desktop_file_report"
[ -z "$desktop_file_report" ] || fail "desktop-file-validate: $desktop_file_report"
appstreamcli validate --no-net "$usr/$DATADIR/metainfo/$APP_ID.metainfo.xml" >"$scratch/appstream" 2>&1 ||
  fail "appstreamcli validate: $(cat "$scratch/appstream")"
manual_warnings=$(MANWIDTH=80 man --warnings -l "$usr/$MANDIR/man1/lexmira-mdb.1.gz" 2>&1 >/dev/null)
[ -z "$manual_warnings" ] || fail "manual page: $manual_warnings"

# --- the installed program, with a learner's empty home --------------------
home=$scratch/home
mkdir -p "$home"
settings=$home/.config/lexmira/set.mdb
words=$usr/$DATADIR/lexmira/words.mdb
mdb() { "$usr/$BINDIR/lexmira-mdb" "$@"; }
# The settings row as CSV, text unquoted.
remembered() { mdb export "$settings" main | tr -d '"'; }

# Starts the installed lexmira, waits until it holds both databases open (its
# start-up has found them), then ends it as a shutdown would.
run_lexmira() {
  env -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$usr/$BINDIR/lexmira" \
    >"$scratch/out" 2>&1 &
  local pid=$! i open=""
  for ((i = 0; i < 600; i++)); do
    open=$(ls -l "/proc/$pid/fd" 2>/dev/null || true)
    if grep -qF -- "$settings" <<<"$open" && grep -qF -- "$words" <<<"$open"; then break; fi
    kill -0 "$pid" 2>/dev/null || fail "lexmira ended at start-up: $(cat "$scratch/out")"
    sleep 0.1
  done
  grep -qF -- "$settings" <<<"$open" || { kill -KILL "$pid"; fail "lexmira never opened $settings"; }
  grep -qF -- "$words" <<<"$open" || { kill -KILL "$pid"; fail "lexmira never opened $words"; }
  kill -TERM "$pid"
  for ((i = 0; i < 300; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "lexmira did not close on SIGTERM (a box open?)"; }
  wait "$pid" || fail "lexmira exited with status $?: $(cat "$scratch/out")"
}

# The "id" of row `n` (1 = first) of word table `table`.
word_id() { mdb export "$words" "$1" | sed -n "$(($2 + 1))p" | cut -d, -f1 | tr -d '"'; }

before=$(cd "$root" && find . | sort)
run_lexmira
[ -f "$settings" ] || fail "no $settings after the first start"
[ "$(stat -c %a "$home/.config/lexmira")" = 700 ] || fail "config folder is not the learner's alone"
first_id=$(word_id 0 1)
[ "$(remembered)" = $'class,time,id\n,,'"$first_id" ] || fail "first close remembered: $(remembered)"

# A remembered library, pace and row, as choosing them would save them; the
# second start must open that library on that row and keep it on closing.
# The row lies beyond the first library's length, so it is found only in the
# remembered library.
first_library_rows=$(($(mdb export "$words" 0 | wc -l) - 1))
gre_id=$(word_id 5 $((first_library_rows + 1)))
mdb set "$settings" main class "GRE词汇"
mdb set "$settings" main time 5000
mdb set "$settings" main id "$gre_id"
run_lexmira
[ "$(remembered)" = $'class,time,id\nGRE词汇,5000,'"$gre_id" ] ||
  fail "second close remembered: $(remembered)"

# A write-protected set.mdb: start-up tells so in a box, which must not keep
# the program from ending, and the file stays as it was.
chmod a-w "$settings"
kept=$(md5sum <"$settings")
run_lexmira
[ "$(md5sum <"$settings")" = "$kept" ] || fail "a read-only set.mdb was written"

[ "$(cd "$root" && find . | sort)" = "$before" ] || fail "the program wrote into its installation"
echo "installed under $root/usr and started twice: ok"
