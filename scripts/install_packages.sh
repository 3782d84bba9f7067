#!/usr/bin/env bash
# install_packages.sh WHO PACKAGE...: installs the Debian packages that are
# missing (as root), or prints the apt-get line that would install them and
# fails. WHO names the caller in its messages.
set -eu
who=$1
shift
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "$who: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" > /dev/null
else
  echo "$who: missing packages; install them with:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
