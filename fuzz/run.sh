#!/bin/sh
# Builds the fuzz targets with clang (libFuzzer, address and undefined-
# behaviour sanitizers) and runs each in turn for SECONDS (default 60) with
# its seed corpus and dictionary. New corpus entries go to a scratch folder,
# never into the repository; a crashing input is left in the scratch folder
# under the target's name, to be added to fuzz/regressions/<target>/ once
# fixed.
#
#   fuzz/run.sh [SECONDS] [TARGET...]
#
# KBX_FUZZ_BUILD names the build folder (default build-fuzz in the source
# tree), KBX_FUZZ_SCRATCH the scratch folder (default a new folder in /tmp).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-"compiler layout_reader image_reader serial_reply capture_reply hook display profile legend_picture"}
build=${KBX_FUZZ_BUILD:-$root/build-fuzz}
scratch=${KBX_FUZZ_SCRATCH:-$(mktemp -d /tmp/kbx-fuzz.XXXXXX)}
jobs=${KBX_FUZZ_BUILD_JOBS:-2}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DKBX_FUZZ=ON -DKBX_TESTS=OFF -DKBX_BENCHMARKS=OFF >/dev/null

built=""
for target in $targets; do
  if ninja -C "$build" -t targets all | grep -q "^fuzz_$target:"; then
    built="$built $target"
  else
    echo "fuzz_$target is not part of this build (the legend picture target needs Qt 6); skipped"
  fi
done
# shellcheck disable=SC2086
[ -n "$built" ] && ninja -C "$build" -j "$jobs" $(for t in $built; do printf 'fuzz_%s ' "$t"; done)

failed=0
for target in $built; do
  corpus="$scratch/$target/corpus"
  artifacts="$scratch/$target/artifacts/"
  mkdir -p "$corpus" "$artifacts"
  dict="$root/fuzz/dict/$target.dict"
  set -- -max_total_time="$seconds" -jobs=1 -workers=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts" -print_final_stats=1
  [ -f "$dict" ] && set -- "$@" -dict="$dict"
  seeds="$root/fuzz/corpus/$target"
  regressions="$root/fuzz/regressions/$target"
  [ -d "$regressions" ] || regressions=""
  echo "== $target: $seconds s"
  start=$(date +%s)
  # The scratch corpus comes first: new entries are written there.
  if (cd "$scratch/$target" && "$build/bin/fuzz_$target" "$@" "$corpus" "$seeds" $regressions \
      >"$scratch/$target/log" 2>&1); then
    result=ok
  else
    result=FAILED
  fi
  # With -jobs the fuzzing runs in a child whose output is fuzz-0.log.
  if ls "$artifacts" | grep -q .; then result=FAILED; fi
  [ "$result" = ok ] || { result="FAILED (see $scratch/$target and $artifacts)"; failed=1; }
  cat "$scratch/$target"/fuzz-*.log "$scratch/$target/log" 2>/dev/null |
    grep -E "^stat::number_of_executed_units|DONE" | tail -2 || true
  echo "== $target: $result after $(( $(date +%s) - start )) s"
done
echo "scratch folder: $scratch"
exit $failed
