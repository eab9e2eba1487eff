#!/usr/bin/env bash
# The real viewer opens the right topics: F1 in the frame the manual's first
# page, F1 in the options dialog the options topic (context 3700).
#   check_viewer.sh WINE_RUN TEST_APP.exe
# Wine's viewer keeps the manual's title in its caption whatever the topic,
# so the pages it goes to are read from its own trace; the test it runs
# checks the window itself.
set -uo pipefail
wine_run=$1
test_app=$2
trace=$(mktemp)
trap 'rm -f "$trace"' EXIT
WINEDEBUG=trace+htmlhelp "$wine_run" "$test_app" --gtest_filter='HelpViewer.*' 2>"$trace"
status=$?
if [ "$status" -ne 0 ]; then
  echo "check_viewer: the viewer's test failed ($status)"
  exit 1
fi
pages=$(grep -o 'navigate_url L"[^"]*"' "$trace" | grep -io 'VLM\.chm::/[^"]*' | sed 's/.*::\///' | tr '\n' ' ')
echo "pages shown: $pages"
if [ "$pages" != "index.htm options.htm " ]; then
  echo "check_viewer: expected the pages index.htm, then options.htm"
  exit 1
fi
echo "help_viewer: 2 passed, 0 failed"
