# Sourced by the make scripts: runs one step with its output in a log file under build/logs, so
# the screen shows one line per step and, when a step fails, what failed, the lines that say why
# and which log holds the rest.

# run_logged [--append] LOG STEP COMMAND [ARGUMENT...]
# Prints "STEP (log: LOG)", runs COMMAND with standard output and error into LOG (replaced, or
# appended to with --append) and returns COMMAND's exit status.
run_logged() {
  local append=false
  if [ "$1" = "--append" ]; then
    append=true
    shift
  fi
  local log=$1 step=$2
  shift 2
  mkdir -p "$(dirname "$log")"
  $append || : >"$log"
  echo "$step (log: $log)"
  local status=0
  # Inside "if" a failing command does not end a caller that runs under "set -e".
  if "$@" >>"$log" 2>&1; then
    return 0
  else
    status=$?
  fi
  report_failure "$log" "$step" "$status"
  return "$status"
}

# report_failure LOG STEP STATUS: the failure, on standard error.
report_failure() {
  local log=$1 step=$2 status=$3
  {
    echo "Failed: $step (exit status $status). The whole output is in $log."
    # A compiler's or a sanitizer's first errors are often far above the end of the log, which
    # only says that make or the fuzzer gave up; they are shown when the end does not hold them.
    local pattern='error:|CMake Error|undefined reference|^E: |WARNING: ThreadSanitizer'
    local first_error lines
    first_error=$(grep -niE -m 1 "$pattern" "$log" | cut -d: -f1)
    lines=$(wc -l <"$log")
    if [ -n "$first_error" ] && [ "$first_error" -le $((lines - 20)) ]; then
      echo "--- the first errors:"
      grep -iE -m 10 -A 3 "$pattern" "$log"
    fi
    echo "--- the last 20 lines:"
    tail -n 20 "$log"
  } >&2
}
