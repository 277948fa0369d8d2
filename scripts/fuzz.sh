#!/usr/bin/env bash
# Runs each fuzz harness of fuzz/seeds.txt for a while over its seed folders.
#   scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-30}
status=0
work=$(mktemp -d)
artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
trap 'rm -rf "$work"' EXIT

run_one() {
  local harness=$1; shift
  local seeds=()
  for dir in "$@"; do [[ -d $dir ]] && seeds+=("$dir"); done
  mkdir -p "$work/$harness"
  # A lower picture limit keeps one run inside the memory limit; the limit
  # itself is unit-tested.
  if LUMORA_MAX_MEGAPIXELS=16 "$build/fuzz/$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=0 -artifact_prefix="$artifacts/$harness-" \
       "$work/$harness" "${seeds[@]}" >"$work/$harness.log" 2>&1; then
    echo "fuzz $harness: ok ($(grep -c '' "$work/$harness.log") log lines, ${seconds}s)"
  else
    echo "fuzz $harness: FAILED"; tail -n 40 "$work/$harness.log"; return 1
  fi
}

while read -r harness folders; do
  [[ -z $harness || $harness == \#* ]] && continue
  # shellcheck disable=SC2086
  run_one "$harness" $folders || status=1
done < fuzz/seeds.txt
exit $status
