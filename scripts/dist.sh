#!/bin/sh
# Packs the committed tree (HEAD) into vaultrix-VERSION.tar.gz, with one
# top folder vaultrix-VERSION, the way source releases are unpacked.
#   scripts/dist.sh [output dir]   (default: build-dist beside this script)
# Prints the path of the tarball.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out_dir=${1:-$source_dir/build-dist}
git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null ||
    { echo "dist: $source_dir is not a git checkout with a commit" >&2; exit 1; }
version=$(sed -n 's/^project(Vaultrix VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
if [ -n "$(git -C "$source_dir" status --porcelain)" ]; then
    echo "dist: note: uncommitted changes are not in the tarball" >&2
fi
mkdir -p "$out_dir"
tarball=$(cd "$out_dir" && pwd)/vaultrix-$version.tar.gz
git -C "$source_dir" archive --format=tar --prefix="vaultrix-$version/" HEAD | gzip -9n >"$tarball"
echo "$tarball"
