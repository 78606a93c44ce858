# Builds Debian's own qt6-base source, with Debian's patches, as a static Qt for 64-bit Windows,
# once: the result is kept in a cache folder outside the work tree, keyed by the Qt version and
# the build options. Sourced by build-windows.sh; prints nothing when the cache is there.

tolvane_static_qt_options=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    # The bundled libraries of the source, so nothing more is needed for MinGW.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_jpeg=OFF
    # Debian's source has no wintab, which tablet events need; Tolvane draws with no OpenGL,
    # and INPUT_opengl=no also turns off the dynamic GL that the Windows plugin cannot build
    # without it. Direct2D stays on: the Windows plugin needs the DirectWrite font database.
    -DFEATURE_tabletevent=OFF -DINPUT_opengl=no
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
)

tolvane_static_qt() {
    local version
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/+.*//')
    local key
    key=$(printf '%s\n' "$version" "${tolvane_static_qt_options[@]}" | sha256sum | cut -c1-12)
    local cache="${XDG_CACHE_HOME:-$HOME/.cache}/tolvane/qt-$version-mingw64-static-$key"
    TOLVANE_STATIC_QT="$cache/install"
    [ -f "$TOLVANE_STATIC_QT/lib/cmake/Qt6/Qt6Config.cmake" ] && return 0

    echo "Building a static Qt $version for Windows into $cache (about half an hour, once)"
    tolvane_install_packages dpkg-dev
    mkdir -p "$cache"
    rm -rf "$cache/source" "$cache/build"
    mkdir -p "$cache/source"
    if ! (cd "$cache/source" && apt-get source --download-only qt6-base="$(dpkg-query -W -f='${Version}' qt6-base-dev)" >/dev/null 2>&1); then
        tolvane_add_source_entries
        (cd "$cache/source" && apt-get source --download-only qt6-base="$(dpkg-query -W -f='${Version}' qt6-base-dev)")
    fi
    # Unpacking applies Debian's patches, its security fixes among them.
    (cd "$cache/source" && dpkg-source -x --no-check ./*.dsc qt6-base >/dev/null)

    cmake -S "$cache/source/qt6-base" -B "$cache/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$TOLVANE_STATIC_QT" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        "${tolvane_static_qt_options[@]}" >"$cache/configure.log"
    cmake --build "$cache/build" >"$cache/build.log"
    cmake --install "$cache/build" >"$cache/install.log"
    rm -rf "$cache/build"
}

# The machine's package sources list no source packages: add them for the same archive, suite
# and key as its binary packages.
tolvane_add_source_entries() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    local entries=/etc/apt/sources.list.d/tolvane-source.sources
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo tee "$entries" >/dev/null
    else
        grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
            $sudo tee /etc/apt/sources.list.d/tolvane-source.list >/dev/null
    fi
    $sudo apt-get update -qq
}

# Copies the licence texts that the static Qt and the libraries bundled into it require: Qt's
# LGPL (and the GPL it builds on), and each bundled library's own.
tolvane_static_qt_licences() {
    local into="$1"
    local source
    source="$(dirname "$TOLVANE_STATIC_QT")/source/qt6-base"
    cp "$source/LICENSES/LGPL-3.0-only.txt" "$source/LICENSES/GPL-3.0-only.txt" "$into/"
    cp "$source/debian/copyright" "$into/qt6-base-debian-copyright.txt"
    dpkg-query -W -f='qt6-base ${Version}\n' qt6-base-dev >"$into/QT-VERSION"
    for library in zlib libpng freetype harfbuzz-ng pcre2 double-conversion md4c libjpeg \
        pixman easing forkfd blake2 sha3 rfc6234 tinycbor; do
        for file in "$source/src/3rdparty/$library"/{LICENSE,LICENSE.*,LICENCE,COPYING,*LICENSE*.txt}; do
            [ -f "$file" ] && cp "$file" "$into/$library-$(basename "$file")"
        done
    done
    return 0
}
