# Step-by-step failure reports for scripts that run long tools with their output in a log file.
# Source it, then:
#   steps_begin NAME LOG   NAME starts the script's messages; the tools write to the file LOG
#   step TEXT [HINT]       what the script does now (LOG starts empty for it), and what to do
#                          when that fails
# A command that fails ends the script with "NAME: FAILED while TEXT (exit code N).", the last
# lines of LOG (the tool's own messages) and the hint.
steps_begin() {
  steps_name="$1"
  steps_log="$2"
  step_now="starting"
  step_hint=""
  trap steps_failed ERR
}

steps_failed() {
  local code=$?
  echo "$steps_name: FAILED while $step_now (exit code $code)." >&2
  if [ -s "$steps_log" ]; then
    echo "$steps_name: the last lines of $steps_log:" >&2
    tail -n 25 "$steps_log" >&2
  fi
  [ -z "$step_hint" ] || echo "$steps_name: $step_hint" >&2
  exit "$code"
}

step() {
  step_now="$1"
  step_hint="${2:-}"
  : >"$steps_log"
}
