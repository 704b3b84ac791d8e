#!/usr/bin/env bash
# Runs the examples of a man page as a reader would type them, and checks
# that they print what the page shows.
#
#   man_examples.sh PAGE BIN_DIR...
#
# The examples are the lines between .nf and .fi under EXAMPLES, their
# escapes undone. A line "$ COMMAND" is typed; the lines below it, up to the
# next command, are what it prints (standard output and standard error
# together). The commands run one after another in one shell, so that "$?"
# and "%1" mean what they mean at a prompt, and a command ending in "&" runs
# in the background, its output awaited before the next command. They run in
# an empty folder, with BIN_DIRs (the built programs) first on PATH, HOME an
# empty folder and XDG_RUNTIME_DIR a private one; no display is needed.
#
# The numbers of a pseudo-terminal and of a process differ from run to run:
# "/dev/pts/N" and "process N" match any number. The page must also lint
# clean with mandoc -T lint -W style and groff -ww where they are installed.
set -uo pipefail
page=$1
shift
name=$(basename "$page")

scratch=$(mktemp -d)
cleanup() {
    local job
    for job in $(jobs -p); do
        kill "$job" 2>/dev/null
        wait "$job" 2>/dev/null
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

fail=0
problem() {
    echo "FAIL: $name: $*"
    fail=1
}

if command -v mandoc >/dev/null; then
    lint=$(mandoc -T lint -W style "$page" 2>&1)
    [ -z "$lint" ] || problem "mandoc -T lint: $lint"
fi
if command -v groff >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z "$page" 2>&1)
    [ -z "$warnings" ] || problem "groff -ww: $warnings"
fi

# The commands and the output each shows.
commands=()
shown=()
while IFS= read -r line; do
    if [[ $line == '$ '* ]]; then
        commands+=("${line#\$ }")
        shown+=("")
    elif [ ${#commands[@]} -gt 0 ]; then
        last=$((${#commands[@]} - 1))
        shown[last]+="$line"$'\n'
    fi
done < <(sed -n '/^\.SH EXAMPLES/,/^\.SH/{/^\.nf/,/^\.fi/p}' "$page" \
    | grep -v '^\.' | sed 's/\\e/\\/g; s/\\-/-/g')
[ ${#commands[@]} -gt 0 ] || problem "no examples to run"

# Only the numbers that differ from run to run are let go.
vary() { sed -E 's#/dev/pts/[0-9]+#/dev/pts/N#g; s/process [0-9]+/process N/g'; }

path=$PATH
for ((i = $#; i >= 1; i--)); do
    path="$(realpath "${!i}"):$path"
done
mkdir -p "$scratch/start" "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
cd "$scratch/start" || exit 1
export PATH=$path HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/runtime LC_ALL=C.UTF-8
unset XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY

status=0
for i in "${!commands[@]}"; do
    command=${commands[i]}
    out="$scratch/out.$i"
    want=$(printf '%s' "${shown[i]}" | vary)
    if [[ $command == *'&' ]]; then
        (exit "$status")
        eval "${command%&} >\"\$out\" 2>&1 &"
        status=$?
        lines=$(printf '%s' "${shown[i]}" | wc -l)
        for _ in $(seq 50); do
            [ "$(wc -l <"$out")" -ge "$lines" ] && break
            sleep 0.1
        done
    else
        (exit "$status")
        eval "$command" >"$out" 2>&1
        status=$?
    fi
    got=$(vary <"$out")
    if [ "$got" != "$want" ]; then
        problem "\$ $command"$'\n'"shown:"$'\n'"$want"$'\n'"printed:"$'\n'"$got"
    fi
done

[ "$fail" -eq 0 ] && echo "$name: ${#commands[@]} examples run as shown"
exit "$fail"
