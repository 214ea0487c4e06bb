#!/usr/bin/env bash
# The layer check passes on the tree as it is and fails on a copy with one forbidden include
# planted, for every rule; an allowed include planted the same way still passes.
set -uo pipefail
source_dir=$1
check="$source_dir/scripts/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$check" "$source_dir" >/dev/null || { echo "FAIL: the tree as it is fails the check"; exit 1; }

# file to plant into | include planted | expected exit status
cases=(
  'src/ui/editor/find_bar.h|#include "ui/map/map_window.h"|1'
  'src/ui/map/map_scene.cpp|  #  include "ui/tables/status_window.h"|1'
  'src/ui/tables/filter_row.cpp|#include <ui/start/startup.h>|1'
  'src/ui/editor/find_bar.cpp|#include "ui/start/startup.h"|1'
  'src/ui/common/dialogs.cpp|#include "ui/editor/editor_window.h"|1'
  'src/document/region_name.cpp|#include "ui/common/dialogs.h"|1'
  'src/settings/settings_store.cpp|#include "document/landmark_document.h"|1'
  'src/settings/settings_store.h|#include "ui/common/dialogs.h"|1'
  'src/data/region.h|#include "document/region_name.h"|1'
  'tools/cli/commands.cpp|#include "ui/editor/editor_window.h"|1'
  'tools/rasterize/map_image.cpp|#include "ui/map/map_window.h"|1'
  'tools/rasterize/rasterize.cpp|#include "ui/map/map_scene.h"|0'
  'src/ui/map/map_labels.h|#include "ui/map/map_window.h"|1'
  'src/ui/editor/find_bar.cpp|#include "ui/editor/path_label.h"|0'
  'src/ui/map/map_scene.cpp|// #include "ui/editor/editor_window.h" was here|0'
)
failed=0
for case in "${cases[@]}"; do
  IFS='|' read -r file include expected <<<"$case"
  rm -rf "$work/tree" && mkdir "$work/tree" && cp -r "$source_dir/src" "$source_dir/tools" "$work/tree/"
  echo "$include" >>"$work/tree/$file"
  "$check" "$work/tree" >"$work/out" 2>&1
  status=$?
  if [[ $status != "$expected" ]]; then
    echo "FAIL: $include in $file: exit $status, expected $expected"; cat "$work/out"; failed=1
  elif [[ $expected == 1 ]] && ! grep -q "^$file:[0-9]*: includes" "$work/out"; then
    echo "FAIL: $include in $file: the message does not name the file"; cat "$work/out"; failed=1
  fi
done
exit $failed
