# shellcheck shell=bash
# Whether every test of a CTest run ran and passed, from the JUnit file CTest
# writes (--output-junit): a test that failed, was skipped or was not found
# counts against it. The test command fails on it; the fresh-machine check
# reports it for the test command it ran. Sourced.
#
#   every_test_ran JUNIT NAME   prints "NAME: <n> passed, <m> failed or skipped";
#                               fails unless m is 0
every_test_ran() {
    local junit=$1 name=$2 cases passed
    [ -f "$junit" ] || { echo "$name: no $junit"; return 1; }
    cases=$(grep -c '<testcase ' "$junit" || true)
    passed=$(grep -c '<testcase [^>]*status="run"' "$junit" || true)
    echo "$name: $passed passed, $((cases - passed)) failed or skipped"
    [ "$passed" -eq "$cases" ]
}
