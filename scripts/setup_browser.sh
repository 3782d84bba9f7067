#!/usr/bin/env bash
# Installs what the browser test of capview needs: Debian's chromium and
# xmllint (as root, when they are missing) and the playwright-core Node
# package, into .tools/ inside the source tree (left out of git).
# playwright-core drives the system's chromium and never downloads a browser
# of its own.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
tools=$root/.tools
playwright_version=1.57.0

bash "$root/scripts/install_packages.sh" setup_browser chromium fonts-dejavu-core libxml2-utils

if ! command -v npm > /dev/null; then
  echo "setup_browser: npm is missing; install it with: sudo apt-get install -y npm"
  exit 1
fi
if [ ! -f "$tools/node_modules/playwright-core/package.json" ] ||
   ! grep -q "\"version\": \"$playwright_version\"" "$tools/node_modules/playwright-core/package.json"; then
  echo "setup_browser: installing playwright-core $playwright_version into .tools/"
  mkdir -p "$tools"
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm install --silent --no-audit --no-fund \
    --prefix "$tools" "playwright-core@$playwright_version" > /dev/null
fi
