#!/usr/bin/env bash
# Installs the Debian packages the toolkit needs when they are missing (as
# root), or prints the apt-get line that would install them.
set -eu
packages=(g++ cmake make libgtest-dev libbenchmark-dev liblemon-dev clang libclang-rt-14-dev groff-base coinor-libcbc-dev libglpk-dev pkg-config)
bash "$(dirname "$0")/install_packages.sh" setup "${packages[@]}"
