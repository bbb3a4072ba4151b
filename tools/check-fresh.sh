#!/usr/bin/env bash
# Runs the README's test command as a new user would: on a fresh minimal Debian 12 (debootstrap
# minbase with only git, sudo and ca-certificates added), in a clean copy of the committed tree,
# as an ordinary user who may use sudo. The base system is built once and kept in a cache folder;
# each run works in a throwaway copy of it, inside private mount and process namespaces, so nothing
# it mounts or starts outlives it. Exits with the test command's status.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || exec sudo bash "$0" "$@"

cache=${VEDRIN_FRESH_CACHE:-/var/cache/vedrin-check-fresh}
# The machine's own way to Debian's packages, as apt knows it: the repositories whose release
# says it comes from Debian.
debian_repositories=$(apt-get indextargets --format '$(REPO_URI)' 'Origin: Debian' | sed 's:/$::' | sort -u)
mirror=${VEDRIN_DEBIAN_MIRROR:-$(apt-get indextargets --format '$(REPO_URI)' 'Origin: Debian' \
    'Codename: bookworm' 'Component: main' | head -n 1)}
[ -n "$mirror" ] || { echo "check-fresh: apt knows no Debian 12 repository here" >&2; exit 1; }
base=$cache/bookworm-minbase
command -v debootstrap >/dev/null || "$source_dir/tools/install-packages.sh" debootstrap

# One run at a time: runs share the base and the downloaded packages.
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9
if [ ! -d "$base" ]; then
    rm -rf "$base.partial"
    # debootstrap mounts /proc and /sys inside the new system while it works.
    unshare --mount debootstrap --variant=minbase --include=git,sudo,ca-certificates bookworm \
        "$base.partial" "$mirror"
    chroot "$base.partial" useradd --create-home --shell /bin/bash user
    echo 'user ALL=(ALL) NOPASSWD: ALL' >"$base.partial/etc/sudoers.d/user"
    chmod 0440 "$base.partial/etc/sudoers.d/user"
    mv "$base.partial" "$base"
fi

run=$(mktemp -d "$cache/run.XXXXXX")
trap 'rm -rf "$run"' EXIT
root=$run/root
cp -a "$base" "$root"

# The machine's way to Debian's mirrors: its Debian sources, proxy and validity settings, and DNS.
rm -f "$root/etc/apt/sources.list"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    if [ -f "$list" ] && grep -qF "$debian_repositories" "$list"; then
        cp "$list" "$root$list"
    fi
done
apt-config dump | grep -E '^Acquire::((https?|ftp)::Proxy|Check-Valid-Until|Check-Date)' \
    >"$root/etc/apt/apt.conf.d/99machine" || true
cp -L /etc/resolv.conf /etc/hosts "$root/etc/"

commit=$(git -C "$source_dir" rev-parse HEAD)
[ -z "$(git -C "$source_dir" status --porcelain)" ] \
    || echo "check-fresh: uncommitted changes are left out; checking $commit" >&2
mkdir "$root/home/user/vedrin"
git -C "$source_dir" archive HEAD | tar -x -C "$root/home/user/vedrin"
chroot "$root" chown -R user:user /home/user/vedrin
user=$(chroot "$root" id -u user):$(chroot "$root" id -g user)

# Downloaded packages are kept between runs; the system they go into is not.
mkdir -p "$cache/archives/partial"
start=$(date +%s)
status=0
unshare --mount --pid --fork --kill-child --propagation private bash -euo pipefail -c '
    root=$1
    cache=$2
    user=$3
    mount -t proc proc "$root/proc"
    mount -t sysfs -o ro sysfs "$root/sys"
    mount -t tmpfs -o mode=755 dev "$root/dev"
    for node in null zero full random urandom tty; do
        touch "$root/dev/$node"
        mount --bind "/dev/$node" "$root/dev/$node"
    done
    mkdir "$root/dev/pts" "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=620,gid=5 devpts "$root/dev/pts"
    ln -s pts/ptmx "$root/dev/ptmx"
    ln -s /proc/self/fd "$root/dev/fd"
    ln -s /proc/self/fd/0 "$root/dev/stdin"
    ln -s /proc/self/fd/1 "$root/dev/stdout"
    ln -s /proc/self/fd/2 "$root/dev/stderr"
    mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
    mount --bind "$cache/archives" "$root/var/cache/apt/archives"
    env -i HOME=/home/user USER=user LOGNAME=user LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin \
        chroot --userspec="$user" "$root" bash -c "cd /home/user/vedrin && bash tools/test.sh"
' check-fresh "$root" "$cache" "$user" 9>&- || status=$?
echo "check-fresh: tools/test.sh on $commit exited with $status after $(( ($(date +%s) - start) / 60 )) minutes"
exit "$status"
