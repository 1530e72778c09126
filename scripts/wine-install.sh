# Sourced after tests/harness/wine-env.sh has selected a Wine prefix.
#   cvl_install SETUP   runs the setup program silently in $WINEPREFIX, as a
#                       user's installation would go: the default folder (or
#                       the one an earlier setup chose), and on a first
#                       installation the panels and warning it seeds. Sets
#                       cvl_installed_dir to the installation folder
#                       (Windows form, with its trailing backslash).
cvl_installed_dir=

cvl_install() {
  local setup=$1 rc=0
  [ -f "$setup" ] || { echo "missing $setup: build first" >&2; return 1; }
  timeout 180 wine "$setup" /S >/dev/null 2>&1 || rc=$?
  if [ $rc -ne 0 ]; then
    echo "The setup program failed (exit code $rc)." >&2
    return 1
  fi
  cvl_installed_dir=$(timeout 60 wine reg query 'HKLM\Software\Veltrop\Corvella\Settings' \
      /v InstalledDir 2>/dev/null | tr -d '\r' | sed -n 's/^.*REG_SZ[[:space:]]*//p' || true)
  if [ -z "$cvl_installed_dir" ]; then
    echo "The setup program left no installation folder in the settings." >&2
    return 1
  fi
}
