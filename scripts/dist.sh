#!/bin/sh
# Packs the source into vaultrix-VERSION.tar.gz, with one top folder
# vaultrix-VERSION, the way source releases are unpacked: in a git checkout
# the committed tree (HEAD); in an unpacked release, that tree without its
# build folders.
#   scripts/dist.sh [output dir]   (default: build-dist beside this script)
# Prints the path of the tarball.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out_dir=${1:-$source_dir/build-dist}
version=$(sed -n 's/^project(Vaultrix VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
mkdir -p "$out_dir"
tarball=$(cd "$out_dir" && pwd)/vaultrix-$version.tar.gz
if git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null 2>&1; then
    if [ -n "$(git -C "$source_dir" status --porcelain)" ]; then
        echo "dist: note: uncommitted changes are not in the tarball" >&2
    fi
    git -C "$source_dir" archive --format=tar --prefix="vaultrix-$version/" HEAD | gzip -9n >"$tarball"
else
    tar -C "$source_dir" --exclude='./build*' --sort=name --owner=0 --group=0 \
        --transform="s,^\.,vaultrix-$version," -cf - . | gzip -9n >"$tarball.part"
    mv "$tarball.part" "$tarball"
fi
echo "$tarball"
