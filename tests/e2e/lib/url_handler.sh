# A desktop of the test's own for the whole-program tests (sourced, not run): private XDG
# folders under $work, so the launcher's GIO finds only the handlers and entries a test
# registers, never the machine's.
#
#   source "$(dirname "$0")/lib/url_handler.sh"
#   private_desktop                              # sets and exports the XDG_* folders
#   register_url_handler steam "$work/client.sh"  # steam: URLs now open with that script
#   write_desktop_entry game.desktop 'Exec=...'   # an entry in the private applications folder
#
# The handler script gets the URL as its first argument (Exec=<script> %u).

private_desktop() {
  export XDG_DATA_HOME=$work/xdg/data XDG_CONFIG_HOME=$work/xdg/config
  export XDG_DATA_DIRS=$work/xdg/system XDG_CACHE_HOME=$work/xdg/cache
  applications=$XDG_DATA_HOME/applications
  mkdir -p "$applications" "$XDG_CONFIG_HOME" "$XDG_DATA_DIRS" "$XDG_CACHE_HOME"
}

# An entry in the private applications folder; the lines after the name are its keys.
write_desktop_entry() {  # file name, key lines...
  local file=$applications/$1
  shift
  printf '[Desktop Entry]\nType=Application\n' >"$file"
  printf '%s\n' "$@" >>"$file"
}

# Makes `program` the default handler of `scheme:` URLs.
register_url_handler() {  # scheme, program
  local scheme=$1 program=$2 id="zarn2-test-$1-handler.desktop"
  write_desktop_entry "$id" "Name=Test $scheme client" "Exec=\"$program\" %u" \
    "MimeType=x-scheme-handler/$scheme;" "NoDisplay=true"
  local list=$XDG_CONFIG_HOME/mimeapps.list
  [ -e "$list" ] || printf '[Default Applications]\n' >"$list"
  printf 'x-scheme-handler/%s=%s\n' "$scheme" "$id" >>"$list"
  command -v update-desktop-database >/dev/null 2>&1 && update-desktop-database "$applications" 2>/dev/null
  return 0
}
