# Sourced by a GUI test written for the editor at 100 %, to run it at the
# scale SCALE (percent: 100, 150 or 200; 100 when unset): the user's
# settings in a fresh configuration folder name that scale, and xdotool's
# mousemove coordinates are multiplied by it, so every point lands on the
# same spot of the editor. `editor_size` is the window's size at that scale.
scale=${SCALE:-100}
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
mkdir -p "$XDG_CONFIG_HOME/Quaverlin"
echo "scale=$scale" >"$XDG_CONFIG_HOME/Quaverlin/settings.ini"
editor_size=$(((746 * scale + 50) / 100))x$(((321 * scale + 50) / 100))

xdotool() {
  local args=()
  while [ $# -gt 0 ]; do
    if [ "$1" = mousemove ] && [ $# -ge 3 ] && [[ $2 =~ ^[0-9]+$ && $3 =~ ^[0-9]+$ ]]; then
      args+=(mousemove $((($2 * scale + 50) / 100)) $((($3 * scale + 50) / 100)))
      shift 3
    else
      args+=("$1")
      shift
    fi
  done
  command xdotool "${args[@]}"
}
