#!/usr/bin/env bash
# Installs the Debian packages the toolkit needs when they are missing (as
# root), or prints the apt-get line that would install them.
set -eu
packages=(g++ cmake make libgtest-dev libbenchmark-dev liblemon-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
bash "$(dirname "$0")/setup_browser.sh"  # chromium and playwright-core for the browser test
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" > /dev/null
else
  echo "setup: missing packages; install them with:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
