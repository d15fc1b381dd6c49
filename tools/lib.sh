# Shared by the tools: installing what is missing, building, and Wine.
# Source it; it sets no shell options of its own.

VELKORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELKORA_BUILD=${VELKORA_BUILD:-$VELKORA_ROOT/build}

# Debian packages the build, the tests and the run need. The :i386 ones are
# the 32-bit Wine.
VELKORA_PACKAGES=(cmake make g++ clang libclang-rt-14-dev libgtest-dev googletest
    g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick xdotool
    fonts-ipafont-gothic fonts-liberation locales python3)

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

# Configures (once) and builds one of the builds: native, win32 or win64.
velkora_build() {
    local kind=$1 dir=$VELKORA_BUILD/$1
    shift
    local args=(-S "$VELKORA_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release)
    [ "$kind" = win32 ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$VELKORA_ROOT/cmake/mingw-i686.cmake")
    [ "$kind" = win64 ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$VELKORA_ROOT/cmake/mingw-x86_64.cmake")
    mkdir -p "$VELKORA_BUILD"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake "${args[@]}" "$@" >"$VELKORA_BUILD/$kind-configure.log" 2>&1 ||
            { cat "$VELKORA_BUILD/$kind-configure.log"; return 1; }
    fi
    cmake --build "$dir" -j "$(nproc)" 2>&1 | grep -E 'error|warning:|Error' || true
    return "${PIPESTATUS[0]}"
}

# The 32-bit Wine prefix of the project, made on first use, with Japanese
# text settings (the ANSI code page 932 from the locale, the IPA Gothic fonts
# standing in for the MS Gothic family) and a virtual desktop: windows then
# have their captions without a window manager, and hiding a window does not
# wait for one (two seconds a window otherwise).
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
    if [ ! -f "$WINEPREFIX/.velkora-ready-3" ]; then
        mkdir -p "$VELKORA_BUILD"
        echo "Creating the Wine prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1
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
        touch "$WINEPREFIX/.velkora-ready-3"
    fi
}
