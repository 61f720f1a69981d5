#!/usr/bin/env bash
# RAVEK set-up, build and test.
#
#   ./build.sh run [FILE]   install what is missing, build, start the viewer on
#                           FILE or on the sample peptide the build makes
#   ./build.sh test         install what is missing, build, run every test;
#                           without ../shared/testdata the run fails, unless
#                           RAVEK_WITHOUT_TESTDATA=1 is set
#   ./build.sh bench        build in release mode and run the benchmarks
#   ./build.sh package      build the Debian package (CPack) into build/package/
#   ./build.sh sanitize     build the Qt-free layers and their unit tests with
#                           AddressSanitizer and UndefinedBehaviorSanitizer
#                           (folder build-sanitize/) and run those tests, then
#                           the whole program and its GUI tests the same way
#                           (build-sanitize-gui/)
set -euo pipefail
cd "$(dirname "$0")"

# Debian packages the build and the tests need: the tool chain, Qt 6 with
# OpenGL and GLU from Mesa, a virtual display for the GUI tests, the Japanese
# and serif fonts, Qt's Japanese texts and the icon theme of the toolbar;
# X11's headers for the keyboard's lock keys;
# gemmi (its headers for PDBx/mmCIF with the parser library they need, its
# program to make mmCIF twins of the test PDB files) and zlib for compressed
# files; Qt's SVG module for the installed icon, Qt Linguist's tools for the
# English translation; the validators of the
# desktop entry and the AppStream metainfo, and dpkg's tools for the package;
# giflib for GIF movies and the ffmpeg program, whose MP4 movies the tests
# check; Psi4 (with NumPy, which it runs on), whose orbitals and densities
# the tests compare with this program's; cclib, which reads Gaussian outputs
# for the tests to check this program's readings against.
# Debian's dssp (mkdssp), whose secondary structure the tests compare with
# this program's.
PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev locales python3
    qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins qt6-translations-l10n qt6-image-formats-plugins
    qt6-svg-dev qt6-tools-dev qt6-l10n-tools libgl-dev libglu1-mesa-dev libx11-dev libgl1-mesa-dri xvfb xauth
    fonts-ipafont-gothic fonts-liberation adwaita-icon-theme
    gemmi-dev tao-pegtl-dev gemmi zlib1g-dev libstb-dev
    desktop-file-utils appstream dpkg-dev
    libgif-dev ffmpeg psi4 python3-numpy python3-cclib dssp python3-pymol python3-gemmi
    libclipper-dev)
# A locale whose decimal separator is a comma: number parsing and printing
# must not depend on it.
TEST_LOCALE=de_DE.UTF-8

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
    fi
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        echo "Generating the $TEST_LOCALE locale for the tests"
        as_root sed -i "s/^# *\($TEST_LOCALE UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$TEST_LOCALE UTF-8" /etc/locale.gen \
            || echo "$TEST_LOCALE UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen >/dev/null
    fi
}

cores() { nproc 2>/dev/null || echo 2; }

# Runs a command on the display there is, or on a virtual one when there is
# none.
with_display() {
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}

# The tests need the shared test data folder (../shared/testdata, or the
# CMake variable RAVEK_TESTDATA_DIR) and fail without it;
# RAVEK_WITHOUT_TESTDATA=1 runs them without it on purpose. Given on every
# configure, so that a build folder never keeps an earlier run's choice.
testdata_option() {
    if [ "${RAVEK_WITHOUT_TESTDATA:-0}" = 1 ]; then
        echo -DRAVEK_WITHOUT_TESTDATA=ON
    else
        echo -DRAVEK_WITHOUT_TESTDATA=OFF
    fi
}

build() { # folder, extra CMake arguments...
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$(testdata_option)" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(cores)"
}

command=${1:-}
case "$command" in
run)
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    shift
    file=${1:-build/sample/sample-peptide.pdb}
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display: RAVEK runs on a virtual one (xvfb-run) until it is ended (Ctrl+C)."
    fi
    with_display build/app/ravek "$file"
    ;;
test)
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    with_display ctest --test-dir build --output-on-failure --parallel "$(cores)"
    ;;
package)
    # The build the tests use, packed: the installed tree of `cmake --install`
    # under /usr, stripped, its dependencies from dpkg-shlibdeps.
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cpack --config build/CPackConfig.cmake -B build/package >/dev/null
    ls build/package/*.deb
    ;;
bench)
    install_missing
    build build-release -DCMAKE_BUILD_TYPE=Release
    shift
    # The drawing benchmark draws with OpenGL: it needs a display.
    for program in build-release/bench/ravek_bench_*; do
        with_display "$program" "$@"
    done
    ;;
sanitize)
    install_missing
    build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRAVEK_SANITIZE=ON -DRAVEK_STD_ONLY=ON \
        -DRAVEK_BUILD_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-sanitize --output-on-failure --parallel "$(cores)"
    # The windows too, on a display; leaks are not checked there, since Qt,
    # fontconfig and Mesa keep allocations for the life of the process.
    build build-sanitize-gui -DCMAKE_BUILD_TYPE=Debug -DRAVEK_SANITIZE=ON -DRAVEK_BUILD_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        with_display ctest --test-dir build-sanitize-gui --output-on-failure \
        --parallel "$(cores)" --label-regex gui --label-exclude alone
    ;;
fuzz)
    # Fuzzes each reader (or the one named) for the given seconds (default
    # 600) with libFuzzer and the reader's dictionary; new inputs collect in
    # build-fuzz/corpus-*, crashes in build-fuzz/.
    PACKAGES+=(clang libclang-rt-14-dev)
    install_missing
    CC=clang CXX=clang++ build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVEK_FUZZ=ON \
        -DRAVEK_STD_ONLY=ON -DRAVEK_BUILD_TESTS=OFF -DRAVEK_BUILD_BENCH=OFF -DRAVEK_WERROR=OFF
    seconds=${2:-600}
    for reader in ${3:-gaussian pdb mmcif xyz orbital}; do
        mkdir -p "build-fuzz/corpus-$reader"
        seeds=(fuzz/corpus/$reader)
        [ -d "../shared/testdata/$reader" ] && seeds+=("../shared/testdata/$reader")
        [ "$reader" = orbital ] && [ -d ../shared/testdata/orbitals ] &&
            seeds+=("../shared/testdata/orbitals")
        dict=()
        [ -f "fuzz/$reader.dict" ] && dict=(-dict="fuzz/$reader.dict")
        "build-fuzz/fuzz/ravek_fuzz_$reader" -max_total_time="$seconds" -max_len=16384 \
            -print_final_stats=1 -artifact_prefix="build-fuzz/$reader-" "${dict[@]}" \
            "build-fuzz/corpus-$reader" "${seeds[@]}"
    done
    ;;
*)
    echo "usage: $0 run [FILE] | test | package | bench [benchmark options] | sanitize | fuzz [seconds [reader]]" >&2
    exit 2
    ;;
esac
