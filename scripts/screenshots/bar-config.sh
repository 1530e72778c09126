# Sourced: cvl_demo_config BIN prints a registry file (REGEDIT4) with the
# bar's demonstration configuration: the installation folder BIN, five
# built-in panels (processor, memory, running time, time, date) and a panel
# for each shipped plug-in found in BIN that can load there. Extra "Settings" values may follow
# as NAME=VALUE arguments.
cvl_demo_config() {
  local bin=$1
  shift
  local dir
  dir=$(cvl_winpath "$bin")
  local key='HKEY_LOCAL_MACHINE\Software\Veltrop\Corvella'
  local panels=("1 90" "2 110" "6 70" "10 80" "12 80")
  local plugins=()
  local p
  [ -f "$bin/Dialtally.cvl" ] && plugins+=(Dialtally.cvl)
  # The resource plug-in needs the Windows 95 resource meter, which Wine and
  # newer systems lack; without it the bar would only report it as unloadable.
  if [ -f "$bin/Resource.cvl" ] && { [ -f "$bin/rsrc32.dll" ] ||
      [ -f "${WINEPREFIX:-/nonexistent}/drive_c/windows/system32/rsrc32.dll" ]; }; then
    plugins+=(Resource.cvl)
  fi
  echo 'REGEDIT4'
  echo
  echo "[$key\\Settings]"
  echo "\"InstalledDir\"=\"${dir//\\/\\\\}\\\\\""
  local kv
  for kv in "$@"; do
    echo "\"${kv%%=*}\"=\"${kv#*=}\""
  done
  echo
  echo "[$key\\Position]"
  echo '"LEFT"="100"'
  echo '"TOP"="100"'
  echo '"WIDTH"="620"'
  echo
  echo "[$key\\Plugins]"
  echo "\"NoOfPlugins\"=\"${#plugins[@]}\""
  local i=0
  for p in "${plugins[@]}"; do
    i=$((i + 1))
    echo "\"$i\"=\"$p\""
  done
  echo
  local n=$(( ${#panels[@]} + ${#plugins[@]} ))
  echo "[$key\\Panels]"
  echo "\"NoOfPanels\"=\"$n\""
  i=0
  local entry
  for entry in "${panels[@]}"; do
    i=$((i + 1))
    echo
    echo "[$key\\Panels\\$i\\General]"
    echo '"Plugin"="FALSE"'
    echo "\"Number\"=\"${entry% *}\""
    echo "\"Width\"=\"${entry#* }\""
  done
  local j=0
  for p in "${plugins[@]}"; do
    i=$((i + 1))
    j=$((j + 1))
    echo
    echo "[$key\\Panels\\$i\\General]"
    echo '"Plugin"="TRUE"'
    echo "\"Number\"=\"$j\""
    echo '"Width"="110"'
  done
}
