#!/usr/bin/env bash
# The plug-in's tests under valgrind's memcheck: builds the debug preset and
# runs the chosen tests, two processes at a time. Fails on any test failure,
# any memcheck error and any definite leak, in the fresh processes some tests
# start of their own binary too; the lifetime and unload tests fail on an
# indirect leak as well (a reference cycle left behind).
#
#   scripts/valgrind.sh          every test of tests/plugin; of tests/faults
#                                every fault once, the operations, host calls
#                                and connect forms taking turns; the lifetime
#                                tests of tests/reliability and its unload test
#   scripts/valgrind.sh --all    the same with every test of tests/faults
set -euo pipefail
cd "$(dirname "$0")/.."

scope=${1:-subset}
bin=build/debug/bin
logs=build/debug/valgrind

cmake --preset debug >/dev/null
cmake --build --preset debug --target plugin_tests fault_tests reliability_tests unload_tests -- -j"$(nproc)"
rm -rf "$logs"
mkdir -p "$logs"

# Full test names, one a line, from gtest's listing.
list_tests() {
  "$1" --gtest_list_tests | awk '
    /^[^ ]/ { suite = $1; next }
    { print suite $1 }'
}

# Parameterized cases are named <fault>_<operation or form>, listed fault by
# fault: the n-th fault keeps the case at position n modulo its case count.
take_turns() {
  awk '
    {
      name[NR] = $0
      parts = split($0, part, "/")
      key = $0
      if (parts == 3 && index(part[3], "_"))
        key = part[1] "/" part[2] "/" substr(part[3], 1, index(part[3], "_") - 1)
      if (!(key in turn))
        turn[key] = faults[part[1] "/" part[2]]++
      position[NR] = count[key]++
      group[NR] = key
    }
    END {
      for (i = 1; i <= NR; i++)
        if (position[i] == turn[group[i]] % count[group[i]]) print name[i]
    }'
}

# Suites that leave nothing behind for the next test share one process;
# every other test gets one of its own, as under ctest.
shared='^(PegClientTest|Matrix/RequestFaultTest|Matrix/ConnectionFaultTest)\.'

# "binary filter" lines for xargs from the test names on stdin.
processes() {
  local names
  names=$(cat)
  { grep -E "$shared" <<<"$names" || true; } | awk -v binary="$1" '
    { suite = substr($0, 1, index($0, ".")); filter[suite] = filter[suite] sep[suite] $0; sep[suite] = ":" }
    END { for (suite in filter) print binary, filter[suite] }'
  { grep -vE "$shared" <<<"$names" || true; } | sed "s|^|$1 |"
}

{
  list_tests "$bin/plugin_tests" | processes plugin_tests
  if [ "$scope" = --all ]; then
    list_tests "$bin/fault_tests"
  else
    list_tests "$bin/fault_tests" | take_turns
  fi | processes fault_tests
  list_tests "$bin/reliability_tests" | grep -E '^(FirstReleased/|DemoCimomTest\.)' | processes reliability_tests
  list_tests "$bin/unload_tests" | processes unload_tests
} | awk '{ print length, $0 }' | sort -rn | cut -d' ' -f2- >"$logs/processes"  # longest first

echo "valgrind: $(tr ':' '\n' <"$logs/processes" | wc -l) tests in $(wc -l <"$logs/processes") processes"
export CIMHTTP_TEST_TIME_SCALE=10
export bin logs
start=$(date +%s)
set +e
xargs -P 2 -L 1 sh -c '
  log="$logs/$(echo "$1" | cut -c1-120 | tr "/:" "__").log"
  leaks=definite
  case "$0" in reliability_tests|unload_tests) leaks=definite,indirect ;; esac
  valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=$leaks \
    --show-leak-kinds=$leaks --trace-children=yes --trace-children-skip="*/cimtestserver" \
    "$bin/$0" --gtest_filter="$1" >"$log" 2>&1
  status=$?
  [ $status -eq 0 ] || echo "FAILED ($status): $0 $1"
  exit 0' <"$logs/processes" | tee "$logs/failures"
set -e
echo "valgrind: $(( $(date +%s) - start )) s"
if [ -s "$logs/failures" ]; then
  echo "valgrind: $(wc -l <"$logs/failures") failed; logs in $logs"
  exit 1
fi
echo "valgrind: all passed, no errors, no definite leaks (nor indirect ones where checked)"
