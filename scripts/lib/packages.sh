# Installs the Debian packages named, those that are missing only.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Everything the build, the tests and the demo need.
SHEETPUSH_PACKAGES=(cmake make g++ libgtest-dev clang clang-format
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
    wine wine64 libwine-dev xvfb xauth zip libclang-rt-14-dev python3 wixl msitools)
