#!/usr/bin/env bash
# Random player input against the game built with AddressSanitizer + UBSan:
# clicks, drags, right clicks with Ctrl and Shift, the wheel, held camera
# keys, the cursor at the edges, every command key. Fails at once on a GL
# error, a sanitizer report, death or 15 s without a statistics report; when
# keys that print a message did not get theirs (the input never arrived); and
# unless Alt+F4 closes it cleanly without leaks. The printed seed replays it.
#   tests/random_input/session.sh GAME_DIR SECONDS [SEED]
# GAME_DIR is the sanitizer build's runnable folder (build-asan/game).
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../e2e/lib.bash"

SOURCE_DIR="$(cd "$1" && pwd)"
DURATION="$2"
SEED="${3:-1616}"
inside_xvfb "$0" "$SOURCE_DIR" "$DURATION" "$SEED"
REPLAY="bash tests/random_input/session.sh $1 $DURATION $SEED"
ACTIONS=0
fail() {
    echo "FAIL (seed $SEED, after $ACTIONS actions): $*" >&2
    echo "last actions:" >&2
    tail -n 8 actions.txt >&2 || true
    echo "replay: $REPLAY" >&2
    exit 1
}
fresh_game_folder "$SOURCE_DIR"
[ -z "${RANDOM_SESSION_KEEP:-}" ] || SCRATCH=() # kept for a look afterwards
echo "random session: ${DURATION}s, seed $SEED, in $PWD"
RANDOM="$SEED"
: >actions.txt

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0"
# Leaks are judged below, so they do not change the exit code.
export LSAN_OPTIONS="suppressions=$HERE/lsan.supp:print_suppressions=0:exitcode=0"
SOURCE_ROOT="$(cd "$HERE/../.." && pwd)"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
SANITIZER_REPORT='ERROR: AddressSanitizer|runtime error|ERROR: UndefinedBehaviorSanitizer'

start_game
WINDOW="$(wait_for_window 60)" || fail "no game window: $(cat err.txt)"
send_keys "$WINDOW" Escape

# xdotool must do what it is asked: a failure fails the session.
x11() {
    echo "$ACTIONS: xdotool $*" >>actions.txt
    xdotool "$@" || fail "xdotool $* failed"
}

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
# Keys whose press prints a message of its own, and the message; the game
# must print at least one per press sent.
declare -A MESSAGE=(
    [F3]='Wireframe Mode : ' [F4]='Filter setting: ' [F5]='Mipmap setting: '
    [F8]='Frustum Culling : ' [F9]='Transparency (de)?activated' [F10]='Bloom : '
    [z]='Trade Routes (de)?activated' [l]='DEBUG INFO:'
)
# ('+' and '#' print too, but on the US layout of the X server they are
# shifted keys, which the game reads as '=' and '3'.)
declare -A SENT=()

WIDTH=1440 HEIGHT=810 # the window's size: Alt+Enter changes it
# Draws stay in this shell: a subshell would reseed $RANDOM from the clock.
point() {
    X=$((RANDOM % WIDTH))
    Y=$((RANDOM % HEIGHT))
}

# with_modifier <key or ""> <xdotool commands...>: the commands with the key held.
with_modifier() { x11 ${1:+keydown "$1"} "${@:2}" ${1:+keyup "$1"}; }

act() {
    ACTIONS=$((ACTIONS + 1))
    case $((RANDOM % 12)) in
    0 | 1)
        point
        with_modifier "${MODIFIERS[RANDOM % 2]}" mousemove "$X" "$Y" click 1
        ;;
    2) # a drag selection, sometimes ships only with '<'; a drag casts a ray
        # every pixel or two of its box, so boxes stay the size players draw
        point
        local to_x=$(((X + RANDOM % 400) % WIDTH)) to_y=$(((Y + RANDOM % 250) % HEIGHT))
        local less=(less "" "")
        with_modifier "${less[RANDOM % 3]}" mousemove "$X" "$Y" mousedown 1 \
            mousemove "$to_x" "$to_y" sleep 0.2 mouseup 1
        ;;
    3 | 4)
        point
        with_modifier "${MODIFIERS[RANDOM % 4]}" mousemove "$X" "$Y" click 3
        ;;
    5)
        point
        x11 keydown x mousemove "$X" "$Y" click 1 keyup x
        ;;
    6)
        point
        x11 mousemove "$X" "$Y" click --repeat $((RANDOM % 4 + 1)) $((RANDOM % 2 + 4))
        ;;
    7) # the cursor at an edge scrolls (with Alt: orbits) while it stays there
        local edge_x=$((RANDOM % 2 * (WIDTH - 1))) edge_y=$((RANDOM % HEIGHT)) alt=(alt "")
        with_modifier "${alt[RANDOM % 2]}" mousemove "$edge_x" "$edge_y" sleep 0.5
        ;;
    8)
        local held="${HELD_KEYS[RANDOM % ${#HELD_KEYS[@]}]}"
        x11 keydown "$held" sleep 0.4 keyup "$held"
        ;;
    *)
        local key="${COMMAND_KEYS[RANDOM % ${#COMMAND_KEYS[@]}]}" size
        size="$(window_size "$WINDOW")"
        x11 key "$key"
        [ -z "${MESSAGE[$key]:-}" ] || SENT[$key]=$((${SENT[$key]:-0} + 1))
        if [ "$key" = alt+Return ]; then
            local deadline=$((SECONDS + 10))
            while [ "$(window_size "$WINDOW")" = "$size" ] && [ "$SECONDS" -lt "$deadline" ]; do
                sleep 0.1
            done
            size="$(window_size "$WINDOW")"
            WIDTH="${size%x*}" HEIGHT="${size#*x}"
        fi
        ;;
    esac
}

# No sanitizer report and no GL error in err.txt.
check_errors() {
    if grep -qE "$SANITIZER_REPORT" err.txt; then
        sleep 1 # the rest of the report
        sed -n '1,80p' err.txt >&2
        fail "sanitizer report"
    fi
    ! grep -q 'GL: ' err.txt || fail "GL error: $(grep -m 3 'GL: ' err.txt)"
}
game_over() { grep -qE 'EPIC VICTORY|you have lost' out.txt; }

# After every action: what must never be seen is noticed at once.
LAST_REPORTS=0
LAST_REPORT_AT=$SECONDS
watch_game() {
    check_errors
    kill -0 "$GAME" 2>/dev/null || fail "the game died: $(tail -n 40 err.txt)"
    local reports
    reports="$(grep -c '^FPS: ' out.txt || true)"
    if [ "$reports" -ne "$LAST_REPORTS" ]; then
        LAST_REPORTS=$reports
        LAST_REPORT_AT=$SECONDS
    elif [ $((SECONDS - LAST_REPORT_AT)) -ge 15 ] && ! game_over; then
        gdb -p "$GAME" -batch -ex "thread apply 1 bt 30" 2>&1 | grep -E '^#' >&2 || true
        fail "no statistics report for 15 s: the game hangs"
    fi
}
END=$((SECONDS + DURATION))
while [ "$SECONDS" -lt "$END" ] && ! game_over; do
    xdotool windowfocus "$WINDOW" || fail "cannot focus the game window"
    act
    if [ $((ACTIONS % 20)) -eq 0 ]; then # a steady proof that keys arrive
        x11 key F9
        SENT[F9]=$((${SENT[F9]:-0} + 1))
    fi
    watch_game
    sleep "0.0$((RANDOM % 10))"
done
# Held keys never stay down past the session.
x11 keyup w a s d Up Down Left Right q e KP_Add KP_Subtract Prior Next alt less x shift ctrl

# Every key that prints got its message: the input did arrive.
sleep 1
for key in "${!SENT[@]}"; do
    got="$({ grep -oE "${MESSAGE[$key]}" out.txt || true; } | wc -l)"
    echo "  $key: pressed ${SENT[$key]} times, ${got} messages"
    [ "$got" -ge "${SENT[$key]}" ] || fail "$key was pressed ${SENT[$key]} times, printed $got"
done
[ "${#SENT[@]}" -gt 0 ] || [ "$ACTIONS" -lt 50 ] || fail "no key with a message was sent"

send_keys "$WINDOW" alt+F4
STATUS=0
if ! timeout 300 tail --pid="$GAME" -f /dev/null; then
    gdb -p "$GAME" -batch -ex "thread 1" -ex "bt 30" 2>&1 | grep -E "^#" >&2 || true
    fail "the game did not close after Alt+F4"
fi
wait "$GAME" || STATUS=$?
echo "$ACTIONS actions, $(grep -c '^FPS: ' out.txt || true) statistics reports, exit code $STATUS"
grep -E 'EPIC VICTORY|you have lost' out.txt | tail -n 1
check_errors
# A leak is the game's when its allocation stack passes through the game's
# own code; memory kept by GL, X, sound or the libraries they load and unload
# themselves is theirs. The sanitizer names an unloaded library's frames
# after the executable, at offsets past its end.
EXE_END=0
while read -r _ _ address _ _ size _; do
    EXE_END=$((address + size > EXE_END ? address + size : EXE_END))
done < <(readelf -lW vorlaxis | awk '$1 == "LOAD"')
OWN_LEAKS="$(awk -v root="$SOURCE_ROOT/" -v exe="$PWD/vorlaxis+" -v end="$EXE_END" '
    function inside_exe(line,   at, hex, n, i) {
        at = index(line, exe)
        if (!at) return 0
        hex = substr(line, at + length(exe) + 2)
        for (n = 0; (i = index("0123456789abcdef", substr(hex, 1, 1))) > 0; hex = substr(hex, 2))
            n = n * 16 + i - 1
        return n < end
    }
    /^(Direct|Indirect) leak/ { block = $0; own = 0; inside = 1; next }
    inside && /^ *#[0-9]/ { block = block "\n" $0; if (index($0, root) || inside_exe($0)) own = 1; next }
    inside { if (own) print block; inside = 0 }
    END { if (inside && own) print block }' err.txt)"
if [ -n "$OWN_LEAKS" ]; then
    echo -e "$OWN_LEAKS" | head -n 60 >&2
    fail "the game leaks"
fi
LIBRARY_LEAKS="$(grep -cE '^(Direct|Indirect) leak' err.txt || true)"
[ "$LIBRARY_LEAKS" -eq 0 ] || echo "($LIBRARY_LEAKS leak records, all inside system libraries)"
[ "$STATUS" -eq 0 ] || fail "exit code $STATUS: $(tail -n 20 err.txt)"
echo "PASS (seed $SEED)"
