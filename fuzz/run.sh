#!/usr/bin/env sh
# Runs one fuzz target for a while from its seed corpus:
#   fuzz/run.sh FUZZER SEEDS WORKDIR SECONDS
# New inputs it finds go into WORKDIR/corpus, inputs that crash into WORKDIR/crashes.
set -eu
fuzzer=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus" "$work/crashes"
exec "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2560 -print_final_stats=1 \
  -artifact_prefix="$work/crashes/" "$work/corpus" "$seeds"
