#!/usr/bin/env bash
# protected_folder.sh mount DIR PROGRAM | unmount DIR
# A folder nobody may write, for the end-to-end test of a saver installed where its settings cannot
# be kept beside it, with an administrator's Spindlewave.ini beside it (twist speed 23) as the
# defaults for every user. Wine runs as root here, so permissions do not stop it; a read-only
# mount does. Where mounting is not allowed DIR stays an ordinary folder without the program, and
# the test skips, saying so.
set -u
action=$1 dir=$2

unmount() {
  mountpoint -q "$dir" || return 0
  # Wine may hold the program a moment longer after its process ended.
  for _ in 1 2 3 4 5; do umount "$dir" 2>/dev/null && return 0; sleep 1; done
  umount -l "$dir"
}

# The keys are Shift-JIS on disk, as the saver writes them.
machine_defaults() {
  printf '[Section]\r\n回転の速さ= 23\r\nBGM区分= 0\r\nBGMﾘﾋﾟｰﾄ= 0\r\nBGMﾌｧｲﾙ=\r\n' \
    | iconv -f UTF-8 -t SHIFT_JIS >"$dir/Spindlewave.ini"
}

case $action in
  mount)
    unmount  # left over from an interrupted run
    rm -rf "$dir" && mkdir -p "$dir"
    if mount -t tmpfs -o size=8m tmpfs "$dir" 2>/dev/null && cp "$3" "$dir/" && machine_defaults \
       && mount -o remount,ro "$dir"; then
      echo "read-only folder with the saver: $dir"
    else
      unmount
      echo "no read-only mount here: the protected-folder test will skip"
    fi
    ;;
  unmount) unmount; rmdir "$dir" 2>/dev/null ;;
esac
exit 0
