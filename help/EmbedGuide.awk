# Copies the help page, putting the plug-in kit's guide in place of its marker
# line, turned from Markdown into the page's plain HTML:
#   awk -v guide=sdk/PLUGINS.md -v anchor=pluginkit -f EmbedGuide.awk Help.htm
# The guide keeps to the Markdown the help page needs: "#" and "##" headings,
# paragraphs, "- " and "1. " lists (a continued item is indented), tables,
# ``` blocks, `code` and **bold**. Its first heading gets the anchor.

function escape(s) {
  gsub(/&/, "\\&amp;", s)
  gsub(/</, "\\&lt;", s)
  gsub(/>/, "\\&gt;", s)
  return s
}

function inline(s) {
  s = escape(s)
  while (match(s, /`[^`]*`/))
    s = substr(s, 1, RSTART - 1) "<tt>" substr(s, RSTART + 1, RLENGTH - 2) "</tt>" substr(s, RSTART + RLENGTH)
  while (match(s, /\*\*[^*]+\*\*/))
    s = substr(s, 1, RSTART - 1) "<b>" substr(s, RSTART + 2, RLENGTH - 4) "</b>" substr(s, RSTART + RLENGTH)
  return s
}

# Ends whatever block is open: a paragraph, a list item and its list, a table.
function close_block() {
  if (block == "p") print "</p>"
  else if (block == "ul" || block == "ol") print "</li>\n</" block ">"
  else if (block == "table") print "</table>"
  block = ""
}

function row(line, cell,    n, i, cells, out) {
  sub(/^[ \t]*\|/, "", line)
  sub(/\|[ \t]*$/, "", line)
  n = split(line, cells, "|")
  out = "<tr>"
  for (i = 1; i <= n; i++) {
    gsub(/^[ \t]+|[ \t]+$/, "", cells[i])
    out = out "<" cell " align=\"left\">" inline(cells[i]) "</" cell ">"
  }
  return out "</tr>"
}

function convert(line,    text) {
  if (code) {
    if (line ~ /^```/) { print "</pre>"; code = 0 } else print escape(line)
    return
  }
  if (line ~ /^```/) { close_block(); print "<pre>"; code = 1; return }
  if (line ~ /^[ \t]*$/) { close_block(); return }
  if (line ~ /^# /) {
    close_block()
    print "<h2><a name=\"" anchor "\"></a>" inline(substr(line, 3)) "</h2>"
    return
  }
  if (line ~ /^## /) { close_block(); print "<h3>" inline(substr(line, 4)) "</h3>"; return }
  if (line ~ /^\|/) {
    if (block != "table") {
      close_block()
      print "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
      print row(line, "th")
      block = "table"
    } else if (line !~ /^\|[-| :]+\|[ \t]*$/) {
      print row(line, "td")
    }
    return
  }
  if (line ~ /^- / || line ~ /^[0-9]+\. /) {
    kind = line ~ /^- / ? "ul" : "ol"
    text = line
    sub(/^(- |[0-9]+\. )/, "", text)
    if (block == kind) print "</li>"
    else { close_block(); print "<" kind ">"; block = kind }
    printf "<li>%s", inline(text)
    return
  }
  if (block == "ul" || block == "ol") {  # an item continued on an indented line
    sub(/^[ \t]+/, "", line)
    printf "\n%s", inline(line)
    return
  }
  if (block != "p") { close_block(); print "<p>"; block = "p" }
  print inline(line)
}

$0 ~ /^<!-- The plug-in kit's guide/ {
  while ((getline line < guide) > 0) convert(line)
  close_block()
  close(guide)
  next
}
{ print }
