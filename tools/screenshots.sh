#!/usr/bin/env bash
# Takes the README's screenshots from the game's own frames: the demo test's screenshot scenario
# plays the built demo headless (title, story, a stage) and saves the frames it reads back as
# BMPs; ImageMagick turns them into the PNGs under docs/. Run after ./setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VELUNNA_HEADLESS=1 VELUNNA_SCREENSHOT_DIR="$shots" \
  build/tests/velunna_tests --gtest_filter='DemoTest.Screenshots*' --gtest_brief=1
for bmp in "$shots"/*.bmp; do
  /usr/bin/convert "$bmp" -strip -define png:compression-level=9 "docs/$(basename "${bmp%.bmp}").png"
done
ls -l docs/*.png
