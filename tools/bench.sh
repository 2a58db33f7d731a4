#!/usr/bin/env bash
# Builds the benchmarks (optimised, in build-bench/) and runs each one; OpenGL
# benchmarks run on a virtual X server. Figures go to build-bench/results/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_BENCH=ON -DOSTREL_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)"
mkdir -p build-bench/results
for bench in build-bench/bench/bench_*; do
  [[ -x "$bench" ]] || continue
  name=$(basename "$bench")
  echo "== $name"
  bash tools/with-xvfb.sh "$bench" --benchmark_out="build-bench/results/$name.json" --benchmark_out_format=json
done
