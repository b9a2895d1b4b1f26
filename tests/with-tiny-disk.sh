#!/usr/bin/env bash
# Runs a command in a mount namespace of its own, with a tiny tmpfs (TINY_DISK_KIB, 256 by
# default) mounted on a fresh folder that TINY_DISK names: a disk to fill up that no one else sees,
# gone with the namespace. The machine's mounts are left alone. As another user than root nothing
# is mounted and the command is run as it is (its tests of a full disk skip).
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  exec "$@"
fi
if [ -z "${AMBREL_IN_OWN_MOUNTS:-}" ]; then
  exec env AMBREL_IN_OWN_MOUNTS=1 unshare --mount --propagation private "$0" "$@"
fi
unset AMBREL_IN_OWN_MOUNTS
disk=$(mktemp -d "${TMPDIR:-/tmp}/ambrel-tiny-disk-XXXXXX")
trap 'umount "$disk" 2>/dev/null || true; rmdir "$disk"' EXIT
mount -t tmpfs -o "size=${TINY_DISK_KIB:-256}k,mode=0755" tmpfs "$disk"
status=0
TINY_DISK=$disk "$@" || status=$?
exit $status
