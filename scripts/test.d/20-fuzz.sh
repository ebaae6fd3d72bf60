#!/usr/bin/env bash
# Each fuzz target for 30 seconds, starting from the inputs that once failed (scripts/fuzz).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/fuzz 30
