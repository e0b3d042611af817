#!/bin/bash
# Folders depend one way. Fails when a folder includes one it may not (so no two folders
# can include each other), or when a core folder includes a widget header. Run
# from anywhere: the source tree is $1 or the parent of this script's folder.
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
# In the order they may depend on each other: each folder only on those before it.
core=(platform geometry map tavlofile html export session)
widgets=(help app editor)
folders=("${core[@]}" "${widgets[@]}" cli)

declare -A allowed=()
before=""
for f in "${core[@]}" "${widgets[@]}"; do
    allowed[$f]=$before
    before="$before $f"
done
# tavlo-map links the core alone.
allowed[cli]="${core[*]}"

status=0
for from in "${folders[@]}"; do
    [ -d "$root/$from" ] || continue
    while IFS= read -r line; do
        file=${line%%:*}
        to=$(sed -E 's/^[^:]*:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$line")
        [ "$to" = "$from" ] && continue
        case " ${folders[*]} " in *" $to "*) ;; *) continue ;; esac
        case " ${allowed[$from]} " in
        *" $to "*) ;;
        *)
            echo "${file#"$root"/}: $from/ may not include $to/"
            status=1
            ;;
        esac
    done < <(grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$root/$from" \
        --include='*.h' --include='*.cpp')
done

# A core folder includes no widget: Qt Widgets headers, generated window layouts.
for f in "${core[@]}"; do
    [ -d "$root/$f" ] || continue
    if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](QtWidgets/|Q(Widget|Dialog|MainWindow|Label|Application|MessageBox|FileDialog|ToolButton|PushButton|LineEdit|Menu|MenuBar|ScrollBar|AbstractButton|Frame)\b|ui_)' \
        "$root/$f" --include='*.h' --include='*.cpp'; then
        echo "$f/ is core: no widget headers"
        status=1
    fi
done

exit $status
