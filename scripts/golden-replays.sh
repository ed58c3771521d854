#!/bin/bash
# Makes the golden replays in tests/replays again, after a change that is
# meant to change how the game plays:
#   scripts/golden-replays.sh build/vaultrix          all of them
#   scripts/golden-replays.sh build/vaultrix shot     one
#   scripts/golden-replays.sh --bot build/vaultrix    all, the climb played
#                                                     anew by the replay bot
# The bot (scripts/replay-bot, target replay_bot, built with the tests)
# writes climb.input only when --bot asks for it, as the climb itself must
# change only when the course or the motion does.
# For each NAME.input (a hand-written or bot-made input script) it records
# NAME.replay with --record, then writes NAME.expect: the step and state
# digest after every step, then the screen's last text lines. The replay test
# (tests/cli/replays.sh) plays each NAME.replay and compares. Review the diff
# of the .expect files before committing them: every changed digest is a
# change in how the game plays.
set -eu
bot=
[ "${1:-}" != --bot ] || { bot=1; shift; }
game=$(realpath "${1:?usage: golden-replays.sh [--bot] path/to/vaultrix [NAME...]}")
shift
cd "$(dirname "$0")/../tests/replays"
if [ -n "$bot" ]; then
    cmake --build "$(dirname "$game")" --target replay_bot >/dev/null
    "$(dirname "$game")/replay_bot" climb.input >/dev/null
fi
names=("$@")
[ ${#names[@]} -gt 0 ] || names=($(ls *.input | sed 's/[.]input$//'))
for name in "${names[@]}"; do
    rm -f "$name.replay"
    "$game" --headless --input "$name.input" --record "$name.replay" >/dev/null
    # The recording names itself in a comment; keep it relative.
    sed -i "2s|.*|# Play it again with: vaultrix --input tests/replays/$name.replay|" "$name.replay"
    "$game" --headless --input "$name.replay" --state-hash-every 1 --print-text |
        tr '\r' '\n' | grep -v '^FPS' | grep -v '^$' | sed 's/^state-hash //' >"$name.expect"
    echo "$name: $(grep -c . "$name.expect") lines, ends with: $(tail -n 1 "$name.expect")"
done
