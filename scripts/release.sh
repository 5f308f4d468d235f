#!/bin/sh
# Makes a release of the commit checked out, in dist/:
#   dist/tarnwick-VERSION.zip  one folder tarnwick-VERSION/ with tarnwick.exe
#                              (32-bit), tarnwick64.exe, README.txt,
#                              LICENSE.txt, SHA256SUMS and BUILDINFO.txt
#   dist/tarnwick.exe, dist/tarnwick64.exe  the same two programs
#   dist/SHA256SUMS            checksums of the two programs and the zip
# Both programs are built from the committed sources alone (git archive), in
# a fresh temporary folder, and pass the import, instruction, version and
# build-path checks before they are packed. The same commit gives the same
# zip, byte for byte, in any clone: its times are the commit's time.
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)

if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "release.sh: tracked files have uncommitted changes; a release is built" >&2
    echo "from the commit alone, so commit or stash them first:" >&2
    git status --short --untracked-files=no >&2
    exit 1
fi

scripts/setup.sh

commit=$(git rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
export SOURCE_DATE_EPOCH
# Flags from the environment would change the programs.
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS RCFLAGS

work=$(mktemp -d)
# An interrupt ends the script; the work folder goes on every way out.
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
src="$work/tarnwick"
mkdir "$src"
git archive --format=tar HEAD | tar -x -C "$src"
version=$(cat "$src/VERSION")
name="tarnwick-$version"

# Runs a step with its output in a log, shown only when the step fails.
step() {
    description=$1
    shift
    echo "$description"
    if ! "$@" >"$work/step.log" 2>&1; then
        cat "$work/step.log" >&2
        echo "release.sh: failed: $description" >&2
        exit 1
    fi
}

cd "$src"
for preset in win32 win64; do
    step "Building the $preset program of $commit" \
        sh -c "cmake --preset $preset && cmake --build --preset $preset"
done

# The checks of the test command, on exactly these programs: the tests
# preset of this folder reads build/win32 and build/win64.
checks="imports_win32 imports_win64 instructions_win32 version_win32 version_win64"
checks="$checks build_path_win32 build_path_win64"
step "Configuring the checks" cmake --preset tests
pattern="^($(echo $checks | tr ' ' '|'))\$"
found=$(ctest --test-dir build/tests -N -R "$pattern" | sed -n 's/^Total Tests: //p')
if [ "$found" != "$(echo $checks | wc -w)" ]; then
    echo "release.sh: of the checks $checks, only $found exist" >&2
    exit 1
fi
echo "Checking imports, instructions, version and build paths"
if ! ctest --test-dir build/tests -R "$pattern" --output-on-failure; then
    echo "release.sh: the programs failed the checks; nothing was released" >&2
    exit 1
fi

# The folder inside the zip.
stage="$work/stage/$name"
mkdir -p "$stage"
cp build/win32/tarnwick.exe "$stage/tarnwick.exe"
cp build/win64/tarnwick.exe "$stage/tarnwick64.exe"
crlf() {
    sed -e 's/\r$//' -e 's/$/\r/' "$1"
}
crlf README.md >"$stage/README.txt"
crlf LICENSE >"$stage/LICENSE.txt"
(cd "$stage" && sha256sum tarnwick.exe tarnwick64.exe >SHA256SUMS)

package_versions() {
    dpkg-query -W -f='  ${Package} ${Version}\n' "$@"
}
{
    echo "Tarnwick $version"
    echo "commit $commit"
    echo
    echo "Built with:"
    echo "  $(i686-w64-mingw32-g++-win32 --version | head -n 1)"
    echo "  $(x86_64-w64-mingw32-g++-win32 --version | head -n 1)"
    echo "  i686 $(i686-w64-mingw32-ld --version | head -n 1)"
    echo "  x86_64 $(x86_64-w64-mingw32-ld --version | head -n 1)"
    echo "  $(cmake --version | head -n 1)"
    echo "  $(/usr/bin/python3 --version) with zlib $(/usr/bin/python3 -c 'import zlib; print(zlib.ZLIB_RUNTIME_VERSION)'), which write the zip"
    echo
    echo "Debian packages:"
    package_versions gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
    package_versions gcc-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
    package_versions cmake python3-minimal zlib1g:amd64
} >"$work/buildinfo"
crlf "$work/buildinfo" >"$stage/BUILDINFO.txt"

zip="$work/$name.zip"
/usr/bin/python3 scripts/lib/reproducible-zip.py "$zip" "$stage" "$SOURCE_DATE_EPOCH"

mkdir -p "$top/dist"
cp "$zip" "$top/dist/$name.zip"
cp "$stage/tarnwick.exe" "$stage/tarnwick64.exe" "$top/dist/"
cd "$top/dist"
sha256sum tarnwick.exe tarnwick64.exe "$name.zip" >SHA256SUMS

echo
echo "Release $version of $commit:"
for file in "$name.zip" tarnwick.exe tarnwick64.exe SHA256SUMS; do
    echo "  dist/$file"
done
echo "SHA-256 of the zip: $(sha256sum "$name.zip" | cut -d ' ' -f 1)"
