#!/usr/bin/env bash
# The link cycle's poll rate against the paced simulator.
# usage: bench/poll_rate.sh [polls]
exec "$(dirname "$0")/paced_link.sh" bench_poll_rate "${1:-250}"
