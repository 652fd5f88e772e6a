#!/usr/bin/env bash
# Runs the README's test command on a fresh minimal Debian root: test-on.sh RELEASE (trixie, bookworm).
# The root is made once with mmdebstrap and kept as a tarball in ${SPLINES_CACHE:-/var/cache/splines-roots};
# every run unpacks a clean copy into a temporary directory, clones this work tree's HEAD into it and
# runs ./scripts/test.sh there as root, in namespaces of its own: a network reached through slirp4netns
# (apt and npm reach their registries, the X servers inside and outside never meet), its own /tmp,
# /proc and process tree. SPLINES_SKIP_* variables are passed in; SPLINES_SKIP_TRIXIE=1 always is, so
# the command inside does not start this again. Needs root: exits 77 after saying SKIP without it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-}
case "$release" in
  trixie | bookworm) ;;
  *) echo "usage: $0 trixie|bookworm" >&2; exit 2 ;;
esac
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: test-on.sh needs root (mmdebstrap, unshare, chroot): the $release root did not run" >&2
  exit 77
fi
start=$(date +%s)
"$root/scripts/install-deps.sh" roots

mirror=http://deb.debian.org/debian
cache=${SPLINES_CACHE:-/var/cache/splines-roots}
tarball=$cache/debian-$release-minbase.tar
if [ ! -e "$tarball" ]; then
  mkdir -p "$cache"
  echo "test-on.sh: making the $release root into $tarball" >&2
  mmdebstrap --quiet --variant=minbase --format=tar --include=ca-certificates "$release" "$tarball.new" \
    "deb $mirror $release main" "deb $mirror $release-updates main" \
    "deb http://deb.debian.org/debian-security $release-security main"
  mv "$tarball.new" "$tarball"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/splines-$release-XXXXXX")
namespace=
slirp=
# Ends what runs in the namespace, then removes the copy. unshare ignores SIGTERM while its child runs,
# so it is killed outright: its --kill-child then ends the namespace's first process, and with it every
# process of the namespace. The mounts inside live in the namespace alone and go with it;
# --one-file-system guards the rest.
clean_up() {
  [ -z "$namespace" ] || kill -KILL "$namespace" 2>/dev/null || true
  [ -z "$slirp" ] || kill "$slirp" 2>/dev/null || true
  wait
  rm -rf --one-file-system "$work"
}
trap clean_up EXIT
trap 'exit 143' TERM INT HUP
mkdir "$work/root"
tar -xf "$tarball" -C "$work/root" --numeric-owner
git clone --quiet "$root" "$work/root/src/splines"
git -C "$work/root/src/splines" log -1 --format='test-on.sh: testing %h %s' >&2
# The host's resolver, unless it is one on the host's loopback, which the namespace cannot reach:
# then slirp4netns's own.
if grep -Eq '^nameserver +127\.' /etc/resolv.conf; then
  echo "nameserver 10.0.2.3" >"$work/root/etc/resolv.conf"
else
  cp /etc/resolv.conf "$work/root/etc/resolv.conf"
fi
# The host's certificate authorities, also those added here, which the root's own update keeps.
[ ! -d /usr/local/share/ca-certificates ] ||
  cp -rT /usr/local/share/ca-certificates "$work/root/usr/local/share/ca-certificates"
cat /etc/ssl/certs/ca-certificates.crt >>"$work/root/etc/ssl/certs/ca-certificates.crt"

passed=()
while IFS='=' read -r name _; do passed+=("$name=${!name}"); done < <(env | grep -E '^(SPLINES_SKIP_[A-Z_]*|CI)=' || true)
passed+=(SPLINES_SKIP_TRIXIE=1)

# Inside the namespaces: wait until slirp4netns has set up the network, mount, and run the test
# command in the root.
mkfifo "$work/ready"
inner='
  set -e
  read -r _ <"$0/ready"
  ip link set lo up
  # The root a mount point of its own, as tools inside expect of / (unshare -m changes its propagation).
  mount --bind "$0/root" "$0/root"
  mount -t proc proc "$0/root/proc"
  mount --rbind /dev "$0/root/dev"
  mount -t tmpfs tmpfs "$0/root/tmp"
  shift
  exec chroot "$0/root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 "$@" bash -c "cd /src/splines && ./scripts/test.sh"'
unshare --net --mount --pid --fork --kill-child bash -c "$inner" "$work" - "${passed[@]}" &
namespace=$!
slirp_log=$work/slirp4netns.log
mkfifo "$work/slirp.ready"
slirp4netns --configure --mtu=65520 --disable-host-loopback --ready-fd=3 "$namespace" tap0 \
  3>"$work/slirp.ready" >"$slirp_log" 2>&1 &
slirp=$!
# slirp4netns writes a byte to its ready descriptor once the interface is configured; an end of file
# instead means it stopped.
if ! read -r -n 1 _ <"$work/slirp.ready"; then
  cat "$slirp_log" >&2
  echo "test-on.sh: slirp4netns could not give the namespace a network" >&2
  exit 1
fi
echo go >"$work/ready"
status=0
wait "$namespace" || status=$?
namespace=
echo "test-on.sh: $release: test.sh exited $status after $(($(date +%s) - start)) s" >&2
exit $status
