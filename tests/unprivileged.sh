#!/bin/sh
# unprivileged.sh COMMAND [ARGS...]: runs the command as the user nobody when
# the tests run as root, so that file permissions apply to it (root reads and
# writes past them). Cases that test an unreadable input or a folder that is
# not writable run their program through it: sh "$CASE/../../unprivileged.sh" ...
if [ "$(id -u)" = 0 ]; then
  exec setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
fi
exec "$@"
