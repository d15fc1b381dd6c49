# Shared by the tools: installing what is missing, building, and Wine.
# Source it; it sets no shell options of its own.

VELKORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELKORA_BUILD=${VELKORA_BUILD:-$VELKORA_ROOT/build}

# Debian packages the build, the tests and the run need. The :i386 ones are
# the 32-bit Wine.
VELKORA_PACKAGES=(cmake make g++ clang libclang-rt-14-dev libgtest-dev googletest
    g++-mingw-w64-i686 g++-mingw-w64-i686-win32 mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick xdotool
    fonts-wine fonts-ipafont-gothic fonts-liberation locales python3
    g++-multilib qemu-user-static)

velkora_sudo() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

velkora_missing_packages() {
    local p missing=()
    for p in "${VELKORA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    echo "${missing[@]}"
}

# Installs the missing packages and the Japanese locale; silent when all is
# there already.
velkora_install() {
    local missing
    missing=$(velkora_missing_packages)
    if [ -n "$missing" ]; then
        echo "Installing: $missing"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            velkora_sudo dpkg --add-architecture i386
        fi
        velkora_sudo apt-get update -qq
        # shellcheck disable=SC2086
        DEBIAN_FRONTEND=noninteractive velkora_sudo apt-get install -y -qq $missing >/dev/null
    fi
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        echo "Generating the ja_JP.UTF-8 locale"
        velkora_sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
            echo 'ja_JP.UTF-8 UTF-8' | velkora_sudo tee -a /etc/locale.gen >/dev/null
        velkora_sudo locale-gen >/dev/null
    fi
}

# Whether this machine runs 32-bit programs, and so 32-bit Wine. Some
# virtual machines cannot (their kernel refuses i386 executables); there the
# Windows tests and the unattended run use the 64-bit build of the same
# sources under 64-bit Wine, and the shipped 32-bit program is only built.
# VELKORA_WINDOWS_BUILD=win32 or win64 chooses by hand.
velkora_runs_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Configures (once) and builds the portable core and its tests as a 32-bit
# x87 Linux program (build/native-i386), run natively where the machine runs
# 32-bit programs and under qemu-i386-static where it does not.
velkora_build_i386() {
    local emulator=
    velkora_runs_32bit || emulator=qemu-i386-static
    velkora_build native-i386 -DCMAKE_TOOLCHAIN_FILE="$VELKORA_ROOT/cmake/linux-i386.cmake" \
        -DVELKORA_I386_EMULATOR="$emulator" "$@"
}

# The Windows build that runs on this machine: win32 or win64.
velkora_windows_build() {
    if [ -n "${VELKORA_WINDOWS_BUILD:-}" ]; then
        echo "$VELKORA_WINDOWS_BUILD"
    elif velkora_runs_32bit; then
        echo win32
    else
        echo win64
    fi
}

# Configures (once) and builds one build folder under build/: native, win32,
# win64, shipped (see velkora_build_shipped), or a variant of the native
# build named native-SOMETHING. Arguments are CMake options for the first
# configuration (later ones win, so a variant can set CMAKE_BUILD_TYPE again); `--target NAME` builds only that target.
# Shows the errors and warnings, and returns non-zero when configuring or
# building fails, so that no caller goes on with binaries of an older build.
velkora_build() {
    local kind=$1 dir=$VELKORA_BUILD/$1
    shift
    local args=(-S "$VELKORA_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release)
    local build=(--build "$dir" -j "$(nproc)")
    [ "$kind" = win32 ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$VELKORA_ROOT/cmake/mingw-i686.cmake")
    [ "$kind" = win64 ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$VELKORA_ROOT/cmake/mingw-x86_64.cmake")
    [ "${kind%%-*}" = shipped ] &&
        args+=(-DCMAKE_TOOLCHAIN_FILE="$VELKORA_ROOT/cmake/mingw-i686-shipped.cmake")
    while [ $# -gt 0 ]; do
        if [ "$1" = --target ] && [ $# -ge 2 ]; then
            build+=(--target "$2")
            shift 2
        else
            args+=("$1")
            shift
        fi
    done
    mkdir -p "$VELKORA_BUILD"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake "${args[@]}" >"$VELKORA_BUILD/$kind-configure.log" 2>&1 || {
            cat "$VELKORA_BUILD/$kind-configure.log"
            rm -f "$dir/CMakeCache.txt" # configure again next time
            echo "Configuring the $kind build FAILED" >&2
            return 1
        }
    fi
    local log=$VELKORA_BUILD/$kind-build.log status=0
    cmake "${build[@]}" >"$log" 2>&1 || status=$?
    grep -E 'error|warning:|Error' "$log" || true
    if [ "$status" != 0 ]; then
        echo "Building $kind FAILED (exit status $status); the whole output is in $log" >&2
    elif grep -q 'warning:' "$log"; then
        # A warning is a fault to mend, for every architecture we build.
        echo "Building $kind gave warnings (above); the whole output is in $log" >&2
        status=1
    fi
    return "$status"
}

# Builds the programs users download, velkora.exe and velkora-driver.exe,
# into build/$1 (shipped, or shipped-SOMETHING for another copy): the 32-bit
# build with the win32 thread model, stripped, which runs on Windows XP.
velkora_build_shipped() {
    velkora_build "${1:-shipped}" --target velkora --target velkora-driver
}

# Wine's own fonts (Marlett for the caption buttons and frame controls,
# Tahoma, MS Sans Serif, Symbol, Wingdings, the System and other bitmap
# faces). Debian's Wine does not find the data folder it keeps them in, and
# a new prefix's Fonts folder is empty, so without copies the caption
# buttons show the letters "0", "1" and "r" instead of their symbols.
velkora_wine_font_dir() {
    local wine dir
    wine=$(command -v wine 2>/dev/null) || true
    for dir in /usr/share/wine/fonts /usr/local/share/wine/fonts \
        ${wine:+"$(dirname "$wine")/../share/wine/fonts"}; do
        if [ -f "$dir/marlett.ttf" ]; then
            echo "$dir"
            return 0
        fi
    done
    return 1
}

# Copies into the prefix's Fonts folder each of Wine's fonts it lacks.
velkora_wine_fonts() {
    local from to=$WINEPREFIX/drive_c/windows/Fonts file
    from=$(velkora_wine_font_dir) || {
        echo "Wine's own fonts (marlett.ttf) were not found; is fonts-wine installed?" >&2
        return 1
    }
    mkdir -p "$to"
    for file in "$from"/*; do
        [ -e "$to/$(basename "$file")" ] || cp "$file" "$to/"
    done
}

# Marks a prefix as set up; a new name sets existing prefixes up again.
VELKORA_WINE_READY=.velkora-ready-4

# The 32-bit Wine prefix of the project, made on first use, with Japanese
# text settings (the ANSI code page 932 from the locale, the IPA Gothic fonts
# standing in for the MS Gothic family), Wine's own fonts, and a virtual
# desktop: windows then have their captions without a window manager, and
# hiding a window does not wait for one (two seconds a window otherwise).
# Returns non-zero when Wine cannot set the prefix up (a machine that cannot
# run 32-bit programs, for one).
velkora_wine_env() {
    if [ "$(velkora_windows_build)" = win64 ]; then
        # Every "wine" (and the tools that call it by name) is the 64-bit one.
        local shims=$VELKORA_BUILD/wine64-bin tool
        mkdir -p "$shims"
        for tool in wine wine-stable; do
            printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/$tool"
            chmod +x "$shims/$tool"
        done
        case ":$PATH:" in *":$shims:"*) ;; *) export PATH="$shims:$PATH" ;; esac
        export WINELOADER=/usr/lib/wine/wine64
        export WINEPREFIX=${VELKORA_WINEPREFIX:-$VELKORA_BUILD/wineprefix64}
        export WINEARCH=win64
    else
        export WINEPREFIX=${VELKORA_WINEPREFIX:-$VELKORA_BUILD/wineprefix}
        export WINEARCH=win32
    fi
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    if [ ! -f "$WINEPREFIX/$VELKORA_WINE_READY" ]; then
        mkdir -p "$VELKORA_BUILD"
        echo "Creating the Wine prefix $WINEPREFIX"
        wineboot -i >"$VELKORA_BUILD/wineboot.log" 2>&1 || true
        wineserver -w || true # the registry reaches the disk when the server ends
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            cat "$VELKORA_BUILD/wineboot.log" >&2
            echo "Wine could not set up $WINEPREFIX; can this machine run 32-bit programs?" >&2
            return 1
        fi
        local key='HKCU\Software\Wine\Fonts\Replacements' face
        for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic"; do
            wine reg add "$key" /v "$face" /d "IPAPGothic" /f >/dev/null 2>&1
        done
        for face in "ＭＳ ゴシック" "ＭＳゴシック" "MS Gothic"; do
            wine reg add "$key" /v "$face" /d "IPAGothic" /f >/dev/null 2>&1
        done
        # Metric-compatible stand-ins for the Western faces of the main window.
        wine reg add "$key" /v "Times New Roman" /d "Liberation Serif" /f >/dev/null 2>&1
        wine reg add "$key" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f \
            >/dev/null 2>&1
        wineserver -w
        velkora_wine_fonts || return 1
        touch "$WINEPREFIX/$VELKORA_WINE_READY"
    fi
}
