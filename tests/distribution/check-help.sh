#!/usr/bin/env bash
# The help page is plain HTML an old browser shows as written: no scripts,
# frames, plug-ins or style sheets; ASCII text (other characters as entities);
# balanced tables; every picture and link present; and the build puts the page
# and its pictures where the setup packs them (<bin>/Help). The page checked is
# the built one, which holds the plug-in kit's guide (sdk/PLUGINS.md) in place
# of the source page's marker line.
set -u
src="$CVL_SOURCE/help"
page="$CVL_BIN/Help/Help.htm"
fail=0
bad() { echo "Help.htm: $*"; fail=1; }

[ -f "$page" ] || { echo "missing $page"; exit 1; }
expected=$(awk -v guide="$CVL_SOURCE/sdk/PLUGINS.md" -v anchor=pluginkit -f "$src/EmbedGuide.awk" "$src/Help.htm")
[ "$expected" = "$(cat "$page")" ] || bad "$page is not help/Help.htm with sdk/PLUGINS.md in place of its marker"
grep -q '<h2><a name="pluginkit"></a>' "$page" || bad "the kit's guide is missing"
lower=$(tr 'A-Z' 'a-z' < "$page")

for tag in '<script' 'javascript:' '<iframe' '<frame' '<object' '<embed' '<applet' '<style' ' style=' '<link'; do
  grep -qF -- "$tag" <<<"$lower" && bad "uses $tag"
done
LC_ALL=C grep -qP '[^\x09\x0A\x0D\x20-\x7E]' "$page" && bad "has characters beyond ASCII (use entities)"

count() { grep -oF -- "$1" <<<"$lower" | wc -l; }
for el in table tr td th ul ol p h1 h2 h3 a; do
  open=$(grep -oE "<$el( |>)" <<<"$lower" | wc -l)
  close=$(count "</$el>")
  [ "$open" = "$close" ] || bad "$open <$el> but $close </$el>"
done

# Pictures and pages it refers to, relative to the page.
for ref in $(grep -oE '(src|href)="[^"#:]+' <<<"$lower" | sed 's/^[a-z]*="//' | sort -u); do
  [ -f "$src/$ref" ] || bad "refers to $ref, which is not in help/"
done
# Anchors within the page.
for anchor in $(grep -oE 'href="#[^"]+"' <<<"$lower" | sed 's/href="#//; s/"$//' | sort -u); do
  grep -qE "(name|id)=\"$anchor\"" <<<"$lower" || bad "links to #$anchor, which it does not define"
done

# The built copies are what the setup packs.
for f in $(cd "$src" && find images -type f); do
  cmp -s "$src/$f" "$CVL_BIN/Help/$f" || bad "$CVL_BIN/Help/$f differs from help/$f or is missing"
done
[ $fail = 0 ] && echo "Help.htm: $(wc -c < "$page") bytes, $(grep -oE 'href="#' <<<"$lower" | wc -l) links, checks passed"
exit $fail
