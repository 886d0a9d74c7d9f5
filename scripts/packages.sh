# The Debian packages the build, the tests and the demo need, and a function that installs
# the missing ones (apt-get update first, only when something must be installed).
ORVALE_PACKAGES=(
  cmake ninja-build g++ python3 clang libclang-rt-dev
  libgtest-dev libgmock-dev
  libncurses-dev tmux
  libsqlite3-dev
)

ensure_packages() {
  local missing=()
  for p in "${ORVALE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}
