#!/bin/sh
# Lets apt-get fetch Debian's source packages: adds a deb-src entry for each Debian entry of the
# machine's package sources (same addresses, suites and components), once.
set -eu
list=/etc/apt/sources.list.d/zoltrek-deb-src.sources
sudo=$([ "$(id -u)" = 0 ] && echo || echo sudo)

has_sources() {
  grep -rqsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}
has_sources && exit 0

entries=$(
  # The one-line form: "deb [options] URI SUITE COMPONENTS...".
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" && /debian/ { $1 = "deb-src"; print }'
)
stanzas=$(
  # The deb822 form: stanzas split by blank lines, each with a Types: field.
  for f in /etc/apt/sources.list.d/*.sources; do [ -f "$f" ] && { cat "$f"; echo; }; done |
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ {
           sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }'
)
if [ -z "$entries$stanzas" ]; then
  echo "No Debian package source found to add a deb-src entry for" >&2
  exit 1
fi
echo "Adding deb-src entries for Debian's source packages to /etc/apt/sources.list.d"
if [ -n "$stanzas" ]; then
  printf '%s\n' "$stanzas" | $sudo tee "$list" >/dev/null
fi
if [ -n "$entries" ]; then
  printf '%s\n' "$entries" | $sudo tee /etc/apt/sources.list.d/zoltrek-deb-src.list >/dev/null
fi
$sudo apt-get update
