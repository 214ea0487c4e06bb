#!/usr/bin/env bash
# Fails when a file includes a header of a layer it must not see. The window libraries share
# one include root and are static, so the linker lets a call from one window into another
# through; this check is what keeps the layers apart.
#
#   scripts/check-layers.sh [ROOT]    ROOT defaults to the repository this script lives in
#
# Prints one line per forbidden include (file:line: the include, and the rule it breaks) and
# exits 1 when there is any, 0 when there is none.
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"

windows=(editor map tables)
found=0

# forbid FOLDER PATTERN REASON [ALLOWED]: no file under FOLDER includes a header whose path
# matches the extended regular expression PATTERN, except headers matching ALLOWED.
forbid() {
  local folder=$1 pattern=$2 reason=$3 allowed=${4:-}
  [[ -e $folder ]] || return 0
  local hit file line header
  while IFS= read -r hit; do
    file=${hit%%:*}
    hit=${hit#*:}
    line=${hit%%:*}
    header=$(sed -E 's/^[^"<]*["<]([^">]*)[">].*$/\1/' <<<"${hit#*:}")
    if [[ -n $allowed && $header =~ ^($allowed)$ ]]; then
      continue
    fi
    echo "$file:$line: includes $header: $reason"
    found=1
  done < <(grep -rnHE --include='*.h' --include='*.cpp' \
             "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($pattern)" "$folder" || true)
}

for window in "${windows[@]}"; do
  others=()
  for other in "${windows[@]}" start; do
    [[ $other == "$window" ]] || others+=("$other")
  done
  forbid "src/ui/$window" "ui/($(IFS='|'; echo "${others[*]}"))/" \
    "a window sees the document and ui/common, never another window or start-up"
done
forbid src/ui/common "ui/(editor|map|tables|start)/" "what the windows share sees no window"
forbid src/document "ui/" "the document sees no window"
forbid src/settings "(ui|document)/" "the settings see neither the document nor a window"
forbid src/data "(ui|document|settings)/" "the data layer sees only itself"
# The rasterizer draws with the map's own scene code (markers, names, comparison rings,
# background picture), which is free of the map window.
scene='ui/map/map_(scene|labels|comparison|background)\.h'
forbid tools "ui/(editor|map|tables|start)/" "a command-line tool sees no window" "$scene"
for header in src/ui/map/map_{scene,labels,comparison,background}.h; do
  forbid "$header" "ui/map/map_window" "the map's scene code, which the rasterizer draws with, sees no window"
done

if ((found)); then
  echo "check-layers: a layer includes a header it must not see" >&2
  exit 1
fi
