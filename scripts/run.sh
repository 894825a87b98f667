#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor from the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
cd build && exec ./zembrik-gamemaker
