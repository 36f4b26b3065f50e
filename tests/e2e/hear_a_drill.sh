#!/usr/bin/env bash
# Hears a drill as a learner would: Lexmira runs under Xvfb against a private
# PulseAudio server (see with_private_pulseaudio.sh), the 开始 button is
# clicked, the null sink's monitor is recorded, and the window is closed
# through 文件 ▸ 关闭. Every tick's word must be in the recording: the
# position saved at closing tells how many ticks there were.
#   hear_a_drill.sh LEXMIRA WORDS_MDB LEXMIRA_MDB COUNT_SOUNDS
set -euo pipefail
lexmira=$1 words=$2 mdb_tool=$3 count_sounds=$4

readonly RATE=16000
readonly INTERVAL_MS=2000
readonly RECORD_SECONDS=9
readonly CLIENT_HEIGHT=223   # top bar, display panel and status bar
readonly BSTART_X=413 BSTART_Y=20  # the button's middle, in the top bar

for tool in xvfb-run xdotool parec; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$lexmira" "$work/lexmira"
cp "$words" "$work/words.mdb"
"$mdb_tool" build-settings "$work/set.mdb"
"$mdb_tool" set "$work/set.mdb" main time "$INTERVAL_MS"

cat >"$work/drive.sh" <<DRIVE
set -euo pipefail
cd "$work"
QT_QPA_PLATFORM=xcb ./lexmira 2>lexmira.log &
app=\$!
for _ in \$(seq 100); do
  window=\$(xdotool search --name '^Lexmira\$' 2>/dev/null | head -n 1) && [ -n "\$window" ] && break
  sleep 0.1
done
[ -n "\$window" ] || { echo "FAIL: no Lexmira window"; exit 1; }
sleep 1
eval "\$(xdotool getwindowgeometry --shell "\$window")"
menu_height=\$((HEIGHT - $CLIENT_HEIGHT))
parec --device="\$PULSE_SINK.monitor" --format=s16le --rate=$RATE --channels=1 >recording.raw &
recorder=\$!
xdotool mousemove \$((X + $BSTART_X)) \$((Y + menu_height + $BSTART_Y)) click 1
sleep $RECORD_SECONDS
xdotool mousemove \$((X + 300)) \$((Y + menu_height + 100)) key alt+f
sleep 0.5
xdotool key c
for _ in \$(seq 100); do kill -0 \$app 2>/dev/null || break; sleep 0.1; done
kill \$recorder
if kill -0 \$app 2>/dev/null; then echo "FAIL: 文件 ▸ 关闭 did not close the window"; kill \$app; exit 1; fi
DRIVE
xvfb-run -a -s "-screen 0 1024x480x24" bash "$work/drive.sh"

# The first row's id is 1, so the saved position counts the ticks.
position=$("$mdb_tool" export "$work/set.mdb" main | tail -n 1 | awk -F, '{print $3}' | tr -d '"')
ticks=$((position - 1))
"$count_sounds" "$RATE" <"$work/recording.raw" >"$work/sounds.txt"
sounds=$(wc -l <"$work/sounds.txt")
echo "ticks: $ticks, sounds heard (start, length in seconds):"
cat "$work/sounds.txt"
if [ "$ticks" -lt 3 ]; then echo "FAIL: the drill ticked $ticks times"; exit 1; fi
if [ "$sounds" -ne "$ticks" ]; then echo "FAIL: $ticks ticks, $sounds words heard"; exit 1; fi
while read -r _ length; do
  if awk -v l="$length" 'BEGIN { exit !(l < 0.2 || l > 2.0) }'; then
    echo "FAIL: a word lasting $length s"; exit 1
  fi
done <"$work/sounds.txt"
echo "PASS: every tick's word was heard"
