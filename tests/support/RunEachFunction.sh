#!/usr/bin/env bash
# Runs every test function of every test program on its own, each in a process of its own with
# the environment ctest gives that program, then every program once with its functions in the
# reverse of their order: a function that passes only after, or only without, another fails.
# Usage: RunEachFunction.sh BUILD_DIR [TEST_NAME_REGEX] [PARALLEL_JOBS]
set -u
build=$(cd "${1:?usage: $0 BUILD_DIR [TEST_NAME_REGEX] [PARALLEL_JOBS]}" && pwd)
filter=${2:-.}
jobs=${3:-2}
logs=$(mktemp -d)
export build logs

# One line per program: name, environment and command, fields split by the unit separator.
ctest --test-dir "$build" --show-only=json-v1 |
    jq -r --arg filter "$filter" '.tests[] | select(.name | test($filter)) |
        [.name, ((.properties[] | select(.name == "ENVIRONMENT") | .value) // [] | join("\u001f")),
         (.command | join("\u001f"))] | @tsv' >"$logs/programs"

# runCase NAME ENVIRONMENT COMMAND LABEL FUNCTION...
runCase() {
    local name=$1 envs=$2 command=$3 label=$4
    shift 4
    local -a envList commandList
    IFS=$'\x1f' read -r -a envList <<<"$envs"
    IFS=$'\x1f' read -r -a commandList <<<"$command"
    local started rc seconds
    started=$(date +%s.%N)
    (cd "$build/tests" && env "${envList[@]}" "${commandList[@]}" "$@") \
        >"$logs/$name.$label.log" 2>&1
    rc=$?
    seconds=$(echo "$(date +%s.%N) - $started" | bc)
    printf '%s rc=%-4s %7.2fs %s::%s\n' "$([ $rc = 0 ] && echo PASS || echo FAIL)" "$rc" \
        "$seconds" "$name" "$label"
}
export -f runCase

: >"$logs/alone"
: >"$logs/reversed"
while IFS=$'\t' read -r name envs command; do
    IFS=$'\x1f' read -r -a envList <<<"$envs"
    IFS=$'\x1f' read -r -a commandList <<<"$command"
    mapfile -t functions < <(cd "$build/tests" &&
        env "${envList[@]}" "${commandList[@]}" -functions 2>/dev/null | sed -n 's/()$//p')
    [ ${#functions[@]} -gt 0 ] || echo "no functions listed for $name" >&2
    for function in "${functions[@]}"; do
        printf '%s\0%s\0%s\0%s\0%s\0' "$name" "$envs" "$command" "$function" "$function" \
            >>"$logs/alone"
    done
    if [ ${#functions[@]} -gt 1 ]; then
        reversed=$(printf '%s\n' "${functions[@]}" | tac | tr '\n' ' ')
        printf '%s\0%s\0%s\0reversed\0%s\0' "$name" "$envs" "$command" "${reversed% }" \
            >>"$logs/reversed"
    fi
done <"$logs/programs"

echo "== each function alone"
xargs -0 -n 5 -P "$jobs" bash -c 'runCase "$0" "$1" "$2" "$3" "$4"' <"$logs/alone" |
    tee "$logs/results"
echo "== each program, its functions in reverse order"
xargs -0 -n 5 -P "$jobs" bash -c 'runCase "$0" "$1" "$2" "$3" $4' <"$logs/reversed" |
    tee -a "$logs/results"

total=$(grep -c . "$logs/results")
failed=$(grep -c '^FAIL' "$logs/results")
echo "$total runs, $failed failed; logs in $logs"
[ "$failed" = 0 ]
