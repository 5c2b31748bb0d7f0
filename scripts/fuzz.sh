#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan+UBSan), makes the seed
# corpora from the captured exchanges and runs every fuzz target for a
# bounded time. Fails on any crash, leak, time-out or sanitizer report; the
# offending input is left in build/fuzz/findings/.
#   scripts/fuzz.sh                      # 12 s per target
#   FUZZ_SECONDS=300 scripts/fuzz.sh     # a longer local run
#   scripts/fuzz.sh fuzz_http            # some targets only
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-12}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_decoder fuzz_http fuzz_datetime fuzz_objectpath fuzz_value fuzz_conversion fuzz_display)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -- -j"$(nproc)"

out=build/fuzz
bin=$out/bin
corpus=$out/corpus
findings=$out/findings
rm -rf "$corpus" "$findings"
mkdir -p "$findings"
"$bin/fuzz-seeds" "$corpus"

# Inputs of the text targets are short; the HTTP and XML ones may be as
# long as the largest captured response.
max_len() {
  case "$1" in
    fuzz_decoder | fuzz_http) echo 65536 ;;
    *) echo 4096 ;;
  esac
}

dictionary() {
  case "$1" in
    fuzz_decoder) echo "-dict=fuzz/dict/cimxml.dict" ;;
    fuzz_http) echo "-dict=fuzz/dict/http.dict" ;;
    fuzz_display) echo "-dict=fuzz/dict/display.dict" ;;
  esac
}

failed=()
for target in "${targets[@]}"; do
  log=$out/$target.log
  mkdir -p "$corpus/$target"
  # The committed seeds are read only; what the run adds goes to the
  # generated corpus.
  if "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$target")" \
      $(dictionary "$target") -print_final_stats=1 -artifact_prefix="$findings/$target-" \
      "$corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
    echo "$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)"
  else
    echo "$target: FAILED, see $log"
    grep -E '^==[0-9]+== ?ERROR|^SUMMARY|runtime error|invariant broken|^terminate called|Test unit written' "$log" | head -5
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets, ${seconds} s each, no faults"
