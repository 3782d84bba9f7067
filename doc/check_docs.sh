#!/usr/bin/env bash
# check_docs.sh PAGE...: checks Markdown pages as a Markdown renderer with
# tables reads them, and prints one line per fault, "PAGE:LINE: what":
#   - every row of a table has as many cells as its header (and the header
#     as many as the separator line under it): a cell is what lies between
#     two pipes that no backslash escapes, code spans included, as the
#     renderer splits them;
#   - every relative link or image, [text](target), ![alt](target) or a
#     reference "[name]: target", names a file or folder that exists, taken
#     from the page's own folder ("#anchor" and "?query" left off).
# Fenced and indented code blocks and code spans are passed over. Exits 1
# when it printed a fault, 2 when a page cannot be read.
set -u
[ $# -gt 0 ] || { echo "usage: check_docs.sh PAGE..." >&2; exit 2; }
faults=0
for page in "$@"; do
  [ -r "$page" ] || { echo "$page: cannot be read" >&2; exit 2; }
  dir=$(dirname "$page")
  # awk finds the table faults itself and hands every relative target back
  # as "LINK<TAB>LINE<TAB>KIND<TAB>TARGET" for the test of the file system.
  while IFS= read -r found; do
    case $found in
      LINK$'\t'*)
        IFS=$'\t' read -r _ line kind target <<< "$found"
        [ -e "$dir/$target" ] && continue
        echo "$page:$line: the $kind $target names no file"
        ;;
      *) echo "$found" ;;
    esac
    faults=$((faults + 1))
  done < <(awk -v page="$page" '
    # The cells of a table line: its unescaped pipes, less a leading and a
    # trailing one.
    function cells(text,   n, i, c, count) {
      sub(/^[ \t]+/, "", text); sub(/[ \t]+$/, "", text)
      n = length(text)
      count = 1
      for (i = 1; i <= n; i++) {
        c = substr(text, i, 1)
        if (c == "\\") { i++; continue }
        if (c == "|" && i != 1 && i != n) count++
      }
      return count
    }
    function is_separator(text) {
      return text ~ /^[ \t]*\|?[ \t]*:?-+:?[ \t]*(\|[ \t]*:?-+:?[ \t]*)*\|?[ \t]*$/ && text ~ /-/
    }
    # The text with its code spans left out.
    function without_code(text,   out, start, ticks, rest, end_at) {
      out = ""
      while (match(text, /`+/)) {
        ticks = substr(text, RSTART, RLENGTH)
        out = out substr(text, 1, RSTART - 1)
        rest = substr(text, RSTART + RLENGTH)
        end_at = index(rest, ticks)
        if (end_at == 0) return out ticks rest
        text = substr(rest, end_at + length(ticks))
      }
      return out text
    }
    function check_target(target, kind) {
      sub(/^[ \t]+/, "", target)
      if (target ~ /^</) { sub(/^</, "", target); sub(/>.*$/, "", target) }
      else sub(/[ \t].*$/, "", target)
      sub(/#.*$/, "", target); sub(/\?.*$/, "", target)
      # Empty (an anchor of the page itself), absolute or with a scheme
      # (http:, mailto:): not a relative link.
      if (target == "" || target ~ /^\// || target ~ /^[A-Za-z][A-Za-z0-9+.-]*:/) return
      printf "LINK\t%d\t%s\t%s\n", NR, kind, target
    }
    function check_links(text,   kind, target) {
      text = without_code(text)
      if (match(text, /^ ? ? ?\[[^]]+\]:[ \t]+/)) {
        check_target(substr(text, RSTART + RLENGTH), "link")
        return
      }
      while (match(text, /\]\([^)]*\)/)) {
        kind = RSTART > 1 && substr(text, 1, RSTART - 1) ~ /!\[[^]]*$/ ? "image" : "link"
        target = substr(text, RSTART + 2, RLENGTH - 3)
        text = substr(text, RSTART + RLENGTH)
        check_target(target, kind)
      }
    }
    function blank(text) { return text ~ /^[ \t]*$/ }
    {
      line = $0
      # A fenced code block runs to a fence of the same character.
      if (fence != "") {
        if (line ~ ("^ ? ? ?" fence)) fence = ""
        previous_blank = 0; next
      }
      if (match(line, /^ ? ? ?(```|~~~)/)) { fence = substr(line, RSTART + RLENGTH - 3, 3); in_table = 0; next }
      # An indented code block starts after a blank line (not within a table).
      if (!in_table && (line ~ /^(    |\t)/) && (previous_blank || in_indented)) { in_indented = 1; next }
      if (!blank(line)) in_indented = 0
      previous_blank = blank(line)
      if (in_table) {
        if (blank(line) || line !~ /\|/) in_table = 0
        else if (cells(line) != header_cells)
          printf "%s:%d: a row of %d cells under a header of %d (line %d)\n", page, NR, cells(line), header_cells, header_line
      }
      if (!in_table && line ~ /\|/ && NR > 1 && is_separator(line) && last ~ /\|/ && !last_in_table) {
        in_table = 1; header_cells = cells(last); header_line = NR - 1
        if (cells(line) != header_cells)
          printf "%s:%d: a separator of %d cells under a header of %d\n", page, NR, cells(line), header_cells
      }
      check_links(line)
      last = line; last_in_table = in_table
    }
  ' "$page")
done
[ "$faults" -eq 0 ]
