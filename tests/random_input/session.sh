#!/usr/bin/env bash
# A session of random player input against the game built with
# AddressSanitizer + UBSan: clicks, drags, right clicks with and without
# Ctrl and Shift, the wheel, held camera keys, the cursor at the window's
# edges, and every command key including Alt+Enter, P and the keypad. The
# game must keep running, end cleanly on Alt+F4 and leave no sanitizer
# report.
#   tests/random_input/session.sh GAME_DIR SECONDS [SEED]
# GAME_DIR is the sanitizer build's runnable folder (build-asan/game).
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../e2e/lib.bash"

SOURCE_DIR="$(cd "$1" && pwd)"
DURATION="$2"
SEED="${3:-$(date +%s)}"
if [ "${E2E_INSIDE_XVFB:-}" != 1 ]; then
    E2E_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" \
        bash "$0" "$SOURCE_DIR" "$DURATION" "$SEED"
fi
GAME_DIR="$(make_game_folder "$SOURCE_DIR")"
KEEP="${RANDOM_SESSION_KEEP:-}"
trap '[ -n "$KEEP" ] || rm -rf "$GAME_DIR"' EXIT
cd "$GAME_DIR"
echo "random session: ${DURATION}s, seed $SEED, in $GAME_DIR"
RANDOM="$SEED"

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0"
# Leaks are judged below, so they do not change the exit code.
export LSAN_OPTIONS="suppressions=$HERE/lsan.supp:print_suppressions=0:exitcode=0"
SOURCE_ROOT="$(cd "$HERE/../.." && pwd)"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

./vorlaxis >out.txt 2>err.txt &
GAME=$!
WINDOW="$(wait_for_window 60)" || fail "no game window: $(cat err.txt)"
send_keys "$WINDOW" Escape

# Every command the keyboard has, as xdotool names the keys.
COMMAND_KEYS=(
    w a s d Up Down Left Right q e KP_Subtract KP_Add
    alt+a alt+d alt+w alt+s alt+r alt+f Prior Next
    ctrl+a ctrl+y r f c KP_1 KP_2 KP_3 KP_0
    ctrl+0 ctrl+1 ctrl+2 ctrl+3 ctrl+4 ctrl+5 ctrl+6 ctrl+7 ctrl+8 ctrl+9
    0 1 2 3 4 5 6 7 8 9
    F1 F3 F4 F5 F8 F9 F10 F11 comma period
    z g l p o i plus numbersign Escape alt+Return
)
HELD_KEYS=(w a s d Up Down Left Right q e KP_Add KP_Subtract Prior Next alt+a alt+d alt+r alt+f)
MODIFIERS=("" shift ctrl ctrl+shift)
ACTIONS=0

# Where the window is now: its size changes with Alt+Enter.
WIDTH=1440
HEIGHT=810
refresh_size() {
    local geometry
    geometry="$(xdotool getwindowgeometry "$WINDOW" 2>/dev/null | sed -n 's/^ *Geometry: //p')"
    if [ -n "$geometry" ]; then
        WIDTH="${geometry%x*}"
        HEIGHT="${geometry#*x}"
    fi
}
x() { echo $((RANDOM % WIDTH)); }
y() { echo $((RANDOM % HEIGHT)); }

with_modifier() {
    local modifier="$1"
    shift
    if [ -n "$modifier" ]; then
        xdotool keydown "$modifier" "$@" keyup "$modifier"
    else
        xdotool "$@"
    fi
}

act() {
    case $((RANDOM % 12)) in
    0 | 1) with_modifier "${MODIFIERS[RANDOM % 2]}" mousemove "$(x)" "$(y)" click 1 ;;
    2) # a drag selection, sometimes ships only with '<'; a drag casts a ray
        # every pixel or two of its box, so boxes stay the size players draw
        local from_x from_y to_x to_y
        from_x="$(x)" from_y="$(y)"
        to_x=$(((from_x + RANDOM % 400) % WIDTH)) to_y=$(((from_y + RANDOM % 250) % HEIGHT))
        local lead=""
        [ $((RANDOM % 3)) -eq 0 ] && lead="less"
        if [ -n "$lead" ]; then
            xdotool keydown "$lead" mousemove "$from_x" "$from_y" mousedown 1 \
                mousemove "$to_x" "$to_y" sleep 0.2 mouseup 1 keyup "$lead"
        else
            xdotool mousemove "$from_x" "$from_y" mousedown 1 mousemove "$to_x" "$to_y" \
                sleep 0.2 mouseup 1
        fi
        ;;
    3 | 4) with_modifier "${MODIFIERS[RANDOM % 4]}" mousemove "$(x)" "$(y)" click 3 ;;
    5) xdotool keydown x mousemove "$(x)" "$(y)" click 1 keyup x ;;
    6) xdotool mousemove "$(x)" "$(y)" click --repeat $((RANDOM % 4 + 1)) $((RANDOM % 2 + 4)) ;;
    7) # the cursor at an edge scrolls (with Alt: orbits) while it stays there
        local edge_x=$((RANDOM % 2 * (WIDTH - 1))) edge_y=$((RANDOM % HEIGHT))
        if [ $((RANDOM % 2)) -eq 0 ]; then
            xdotool keydown alt mousemove "$edge_x" "$edge_y" sleep 0.5 keyup alt
        else
            xdotool mousemove "$edge_x" "$edge_y" sleep 0.5
        fi
        ;;
    8)
        local held="${HELD_KEYS[RANDOM % ${#HELD_KEYS[@]}]}"
        xdotool keydown "$held" sleep 0.4 keyup "$held"
        ;;
    *)
        local key="${COMMAND_KEYS[RANDOM % ${#COMMAND_KEYS[@]}]}"
        xdotool key "$key"
        [ "$key" = alt+Return ] && sleep 1 && refresh_size
        ;;
    esac
    ACTIONS=$((ACTIONS + 1))
}

END=$((SECONDS + DURATION))
while [ "$SECONDS" -lt "$END" ]; do
    kill -0 "$GAME" 2>/dev/null || break
    xdotool windowfocus "$WINDOW" 2>/dev/null || true
    act || true
    sleep "0.0$((RANDOM % 10))"
done
# Held keys never stay down past the session.
xdotool keyup w a s d Up Down Left Right q e KP_Add KP_Subtract Prior Next alt less x shift ctrl \
    2>/dev/null || true

kill -0 "$GAME" 2>/dev/null || fail "the game died after $ACTIONS actions: $(tail -n 40 err.txt)"
send_keys "$WINDOW" alt+F4
STATUS=0
if ! timeout 300 tail --pid="$GAME" -f /dev/null; then
    gdb -p "$GAME" -batch -ex "thread 1" -ex "bt 30" 2>&1 | grep -E "^#" >&2 || true
    kill "$GAME"
    fail "the game did not close after Alt+F4"
fi
wait "$GAME" || STATUS=$?
REPORTS="$(grep -c '^FPS: ' out.txt || true)"
echo "$ACTIONS actions, $REPORTS statistics reports, exit code $STATUS"
grep -E 'EPIC VICTORY|you have lost' out.txt | tail -n 1
if grep -qE 'ERROR: AddressSanitizer|runtime error|ERROR: UndefinedBehaviorSanitizer' err.txt; then
    sed -n '1,80p' err.txt >&2
    fail "sanitizer report"
fi
# A leak is the game's when its allocation stack passes through the game's
# own code; memory kept by GL, X or the libraries they load and unload
# themselves (shown as an unknown module) is theirs.
OWN_LEAKS="$(awk -v root="$SOURCE_ROOT/" -v exe="$GAME_DIR/vorlaxis" '
    /^(Direct|Indirect) leak/ { block = $0; own = 0; inside = 1; next }
    inside && /^ *#[0-9]/ { block = block "\n" $0; if (index($0, root) || index($0, exe "+")) own = 1; next }
    inside { if (own) print block; inside = 0 }
    END { if (inside && own) print block }' err.txt)"
if [ -n "$OWN_LEAKS" ]; then
    echo -e "$OWN_LEAKS" | head -n 60 >&2
    fail "the game leaks"
fi
LIBRARY_LEAKS="$(grep -cE '^(Direct|Indirect) leak' err.txt || true)"
[ "$LIBRARY_LEAKS" -eq 0 ] || echo "($LIBRARY_LEAKS leak records, all inside system libraries)"
[ "$STATUS" -eq 0 ] || fail "exit code $STATUS: $(tail -n 20 err.txt)"
[ "$REPORTS" -ge 1 ] || fail "the main loop never reported"
echo "PASS"
