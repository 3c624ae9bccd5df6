#!/usr/bin/env bash
# Poll rate with recording on and off, measured in one run against the paced simulator,
# and their ratio.
# usage: bench/recording_poll_rate.sh [polls]
exec "$(dirname "$0")/paced_link.sh" bench_recording_poll_rate "${1:-400}"
