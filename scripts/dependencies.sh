# Installs the Debian packages that building and testing Tolvane need, where they are missing.
tolvane_install_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

tolvane_install_dependencies() {
    tolvane_install_packages g++ cmake ninja-build qt6-base-dev libgtest-dev desktop-file-utils appstream dpkg-dev
}

# Builds the given targets, or everything.
tolvane_build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    if [ $# -gt 0 ]; then
        cmake --build build --target "$@"
    else
        cmake --build build
    fi
}
