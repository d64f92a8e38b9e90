#!/usr/bin/env bash
# scripts/setup.sh --check: a package that is not installed is reported as missing, and the check
# neither aborts nor stays silent; installed packages are not reported.
set -euo pipefail
setup="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/setup.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

absent=lintora-no-such-package-$$
out=$(bash "$setup" --check "$absent" bash coreutils 2>&1) ||
  fail "the check stopped with exit code $?: $out"
[ "$out" = "setup: would install 1 packages: $absent" ] || fail "unexpected report: '$out'"

out=$(bash "$setup" --check bash coreutils 2>&1) || fail "the check stopped with exit code $?: $out"
[ "$out" = "setup: nothing to install" ] || fail "installed packages reported as missing: '$out'"

# The whole list of the project: the check runs through it (whatever it finds) and says so.
out=$(bash "$setup" --check 2>&1) || fail "the check of the project's list stopped: $out"
grep -qE '^setup: (would install|nothing to install)' <<<"$out" || fail "no report: '$out'"
echo "setup check: ok"
