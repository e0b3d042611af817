#!/bin/bash
# Folders depend one way. Fails when a folder includes one it may not, or when two
# folders include each other. Run from anywhere: the source tree is $1 or the parent
# of this script's folder.
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
folders=(platform markup help app editor cli)

# What each folder may include besides itself.
declare -A allowed=(
    [platform]=""
    [markup]="platform"
    [help]="platform markup"
    [app]="platform markup help"
    [editor]="platform markup help app"
    [cli]="platform markup"
)

declare -A edge=()
status=0
for from in "${folders[@]}"; do
    [ -d "$root/$from" ] || continue
    while IFS= read -r line; do
        file=${line%%:*}
        to=$(sed -E 's/^[^:]*:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$line")
        [ "$to" = "$from" ] && continue
        case " ${folders[*]} " in *" $to "*) ;; *) continue ;; esac
        edge[$from,$to]=1
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

for a in "${folders[@]}"; do
    for b in "${folders[@]}"; do
        if [[ "$a" < "$b" && -n "${edge[$a,$b]:-}" && -n "${edge[$b,$a]:-}" ]]; then
            echo "$a/ and $b/ include each other"
            status=1
        fi
    done
done
exit $status
