; Corvella setup. Installs the bar into its own folder, records that folder in
; the settings, registers the two shipped plug-ins, gives a fresh
; configuration a useful set of panels and a disk-space warning, creates the
; Start-menu shortcuts and, when chosen, starts Corvella with Windows.
;
; Built by installer/CMakeLists.txt:
;   makensis -DOUT_FILE=... -DBIN_DIR=<build>/win/bin -DHELP_NSH=HelpFiles.nsh
;            -DHAVE_MAIN_EXE -DHAVE_CVL_DLL ... Corvella.nsi
; Each shipped file is packed only when its HAVE_ define is given.
;
; Command line (besides the usual /S for silent and /D=folder, which comes last):
;   /STARTWITHWINDOWS  tick "Start Corvella with Windows" (off by default,
;                      unless an earlier installation had it on)
;   /PLUGINKIT         tick "Plug-in kit" (off by default, unless the folder
;                      already holds the kit)
;   /RUNTIMEFILE=name  look for this file instead of msvcrt.dll in the system
;                      folder (the tests name a missing one: under Wine the
;                      real one cannot go, Wine's own libraries need it)
; Exit codes: 0 installed, 2 folder too long (silent), 3 msvcrt.dll missing.
; Uninstaller:
;   /REMOVESETTINGS    also remove the user's settings; without it a silent
;                      uninstall keeps them (an interactive one asks)

Unicode false                 ; the ANSI installer runs on Windows 95 and 98
SetCompressor /SOLID lzma
RequestExecutionLevel admin   ; the settings live under HKEY_LOCAL_MACHINE

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"
!include "${HELP_NSH}"

!define PRODUCT "Corvella"
!define VERSION "1.6"
!define MAKER "Veltrop"
!define APP_KEY "Software\Veltrop\Corvella"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvella"
!define MENU_FOLDER "$SMPROGRAMS\Corvella"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES\Corvella"
; A later setup goes where the earlier one went.
InstallDirRegKey HKLM "${APP_KEY}\Settings" "InstalledDir"
ShowInstDetails show
ShowUninstDetails show
BrandingText "Corvella ${VERSION}"

VIProductVersion "1.6.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright ${MAKER}"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!ifdef HAVE_LAUNCHER_EXE
  !define MUI_FINISHPAGE_RUN "$INSTDIR\Launcher.exe"
  !define MUI_FINISHPAGE_RUN_TEXT "Start Corvella now"
!endif
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Help\Help.htm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the Corvella help"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---- A running bar ---------------------------------------------------------
; Its hidden application window (class "TApplication", title "CVL") closes the
; bar when it gets WM_CLOSE. Files in use could be neither replaced nor
; removed, so setup and uninstaller close it first and wait up to 10 s.
!macro CloseRunningBar un
Function ${un}CloseRunningBar
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    FindWindow $0 "TApplication" "CVL"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    ${If} $1 == 0
      DetailPrint "Closing the running Corvella bar"
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
    Sleep 200
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 50
  Sleep 300   ; the window goes just before the program ends
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CloseRunningBar ""
!insertmacro CloseRunningBar "un."

; ---- Settings --------------------------------------------------------------
; A count stored as text, read as the bar reads it: leading digits, else 0.
; Negative counts mean an empty list.
!macro ReadCount var subkey name
  ReadRegStr ${var} HKLM "${APP_KEY}\${subkey}" "${name}"
  IntOp ${var} ${var} + 0
  ${If} ${var} < 0
    StrCpy ${var} 0
  ${EndIf}
!macroend

; Registers a plug-in file in the Plugins list unless a value 1 ... NoOfPlugins
; already holds exactly that name (the bar compares names case-sensitively).
; Call with the file name on the stack; leaves its position there.
Function RegisterPlugin
  Exch $0   ; file name
  Push $1   ; count
  Push $2   ; position
  Push $3
  !insertmacro ReadCount $1 "Plugins" "NoOfPlugins"
  StrCpy $2 1
  ${Do}
    ${If} $2 > $1
      ; Not listed: append it. The entry goes in before the count grows.
      WriteRegStr HKLM "${APP_KEY}\Plugins" "$2" "$0"
      WriteRegStr HKLM "${APP_KEY}\Plugins" "NoOfPlugins" "$2"
      DetailPrint "Registered the plug-in $0"
      ${Break}
    ${EndIf}
    ReadRegStr $3 HKLM "${APP_KEY}\Plugins" "$2"
    ${If} $3 S== $0
      ${Break}
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  StrCpy $0 $2
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

Var PanelCount

!macro AddPanel plugin number width
  IntOp $PanelCount $PanelCount + 1
  WriteRegStr HKLM "${APP_KEY}\Panels\$PanelCount\General" "Plugin" "${plugin}"
  WriteRegStr HKLM "${APP_KEY}\Panels\$PanelCount\General" "Number" "${number}"
  WriteRegStr HKLM "${APP_KEY}\Panels\$PanelCount\General" "Width" "${width}"
!macroend

; A configuration without a panel list gets processor usage, memory, running
; time, the two plug-ins, time and date. $R8 and $R9 hold the positions of
; Dialtally.cvl and Resource.cvl in the Plugins list. A list that exists (even
; one the user emptied, "0") is the user's and is left alone.
Function SeedPanels
  ReadRegStr $0 HKLM "${APP_KEY}\Panels" "NoOfPanels"
  ${If} $0 != ""
    DetailPrint "Keeping the existing panel list"
    Return
  ${EndIf}
  StrCpy $PanelCount 0
  !insertmacro AddPanel "FALSE" "1" "40"     ; processor usage
  !insertmacro AddPanel "FALSE" "2" "73"     ; memory free and load
  !insertmacro AddPanel "FALSE" "6" "55"     ; Windows running time
  ; Resource.cvl loads only where the resource meter's rsrc32.dll exists; a
  ; panel for it elsewhere would only bring a "could not be loaded" message
  ; at every start.
  ${If} ${FileExists} "$SYSDIR\rsrc32.dll"
    !insertmacro AddPanel "TRUE" "$R9" "103"
  ${EndIf}
  !insertmacro AddPanel "TRUE" "$R8" "80"    ; dial-up connections this month
  !insertmacro AddPanel "FALSE" "10" "73"    ; time
  !insertmacro AddPanel "FALSE" "12" "58"    ; date
  ; The count last: a list with a count always has its entries.
  WriteRegStr HKLM "${APP_KEY}\Panels" "NoOfPanels" "$PanelCount"
  DetailPrint "Added $PanelCount panels"
FunctionEnd

; A configuration without a warning list is warned when the Windows drive has
; less than 100 Mb free.
Function SeedWarnings
  ReadRegStr $0 HKLM "${APP_KEY}\Warnings" "NoOfWarnings"
  ${If} $0 != ""
    DetailPrint "Keeping the existing warning list"
    Return
  ${EndIf}
  WriteRegStr HKLM "${APP_KEY}\Warnings\1\General" "Plugin" "FALSE"
  WriteRegStr HKLM "${APP_KEY}\Warnings\1\General" "Number" "1"
  WriteRegStr HKLM "${APP_KEY}\Warnings\1\General" "WarnVal" "100"
  WriteRegStr HKLM "${APP_KEY}\Warnings" "NoOfWarnings" "1"
  DetailPrint "Added the disk space warning"
FunctionEnd

; ---- Sections --------------------------------------------------------------
Section "Corvella" SecCorvella
  SectionIn RO
  Call CloseRunningBar

  SetOutPath "$INSTDIR"
  !ifdef HAVE_MAIN_EXE
    File "${BIN_DIR}/Main.exe"
  !endif
  !ifdef HAVE_LAUNCHER_EXE
    File "${BIN_DIR}/Launcher.exe"
  !endif
  !ifdef HAVE_CVL_DLL
    File "${BIN_DIR}/cvl.dll"
  !endif
  !ifdef HAVE_CHIPWATCH_DLL
    File "${BIN_DIR}/Chipwatch.dll"
  !endif
  !ifdef HAVE_COREPROBE_DLL
    File "${BIN_DIR}/Coreprobe.dll"
  !endif
  !ifdef HAVE_SCREENSPAN_DLL
    File "${BIN_DIR}/Screenspan.dll"
  !endif
  !ifdef HAVE_DIALTALLY_CVL
    File "${BIN_DIR}/Dialtally.cvl"
  !endif
  !ifdef HAVE_RESOURCE_CVL
    File "${BIN_DIR}/Resource.cvl"
  !endif
  !insertmacro CvlInstallHelp
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The bar finds its help, log and plug-ins by appending to this folder.
  WriteRegStr HKLM "${APP_KEY}\Settings" "InstalledDir" "$INSTDIR\"
  Push "Dialtally.cvl"
  Call RegisterPlugin
  Pop $R8
  Push "Resource.cvl"
  Call RegisterPlugin
  Pop $R9
  Call SeedPanels
  Call SeedWarnings

  ; Shortcuts for everyone, like the settings (Windows 9x without user
  ; profiles puts them in the one Start menu).
  SetShellVarContext all
  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\Corvella.lnk" "$INSTDIR\Launcher.exe"
  CreateShortCut "${MENU_FOLDER}\Corvella Help.lnk" "$INSTDIR\Help\Help.htm"
  CreateShortCut "${MENU_FOLDER}\Uninstall Corvella.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Written without quotes, exactly as the settings dialog writes and compares
; it: the installation folder followed by Launcher.exe.
Section /o "Start Corvella with Windows" SecStartup
  WriteRegStr HKLM "${RUN_KEY}" "Corvella" "$INSTDIR\Launcher.exe"
SectionEnd

Section "-StartupOff"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    DeleteRegValue HKLM "${RUN_KEY}" "Corvella"
  ${EndIf}
SectionEnd

; ---- Plug-in kit -----------------------------------------------------------
; For people who write plug-ins: the header, the .def file, the guide, the
; template and the checker CvlCheck.exe, in the SDK subfolder. Unticked, setup
; removes a kit an earlier setup installed (the user's own files stay).
!ifdef HAVE_PLUGIN_KIT
!include "${KIT_NSH}"
Section /o "Plug-in kit" SecKit
  !insertmacro CvlInstallKit
  SetOutPath "$INSTDIR"
SectionEnd

Section "-KitOff"
  ${IfNot} ${SectionIsSelected} ${SecKit}
    !insertmacro CvlRemoveKit
  ${EndIf}
SectionEnd

; Ticked by /PLUGINKIT, and when the chosen folder already has the kit, so
; that a later setup keeps it and brings it up to date.
Function PreselectKit
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/PLUGINKIT" $2
  ${IfNot} ${Errors}
  ${OrIf} ${FileExists} "$INSTDIR\SDK\CvlCheck.exe"
    !insertmacro SelectSection ${SecKit}
  ${EndIf}
FunctionEnd
!endif

; The bar and its settings dialog build "InstalledDir" + "Help\Help.htm" and
; the start-up entry (the folder + "\Launcher.exe") in 80-byte buffers, so the
; folder may hold at most 65 characters. A longer one cannot be chosen, and a
; silent setup given one fails without installing anything.
!define MAX_FOLDER_LENGTH 65
Function .onVerifyInstDir
  StrLen $0 $INSTDIR
  ${If} $0 > ${MAX_FOLDER_LENGTH}
    Abort
  ${EndIf}
FunctionEnd

; Every program and library of Corvella needs the C runtime library
; msvcrt.dll, which the first release of Windows 95 does not have (programs
; built with Visual C++ 4.2 and later, and later Windows updates, brought it).
; Without it nothing of Corvella could start: setup says so and installs
; nothing.
!define MSVCRT_MISSING "Corvella needs the file msvcrt.dll in the Windows system folder ($SYSDIR), and this computer does not have it.$\r$\n$\r$\nThe first release of Windows 95 does not include it; Windows updates and many programs install it. Install it, then run this setup again. Nothing has been installed."

Function .onInit
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/RUNTIMEFILE=" $2
  ${If} ${Errors}
    StrCpy $2 "msvcrt.dll"
  ${EndIf}
  ${IfNot} ${FileExists} "$SYSDIR\$2"
    MessageBox MB_OK|MB_ICONSTOP "${MSVCRT_MISSING}" /SD IDOK
    SetErrorLevel 3
    Abort
  ${EndIf}
  ; The directory page enforces the length; a silent setup checks here.
  StrLen $0 $INSTDIR
  ${If} ${Silent}
  ${AndIf} $0 > ${MAX_FOLDER_LENGTH}
    SetErrorLevel 2
    Abort
  ${EndIf}
  ; Start with Windows stays on for a user who has it on (a non-empty entry);
  ; the switch turns it on for silent installations.
  ReadRegStr $0 HKLM "${RUN_KEY}" "Corvella"
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/STARTWITHWINDOWS" $2
  ${If} $0 != ""
  ${OrIfNot} ${Errors}
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
  !ifdef HAVE_PLUGIN_KIT
    Call PreselectKit
  !endif
FunctionEnd

; ---- Uninstaller -----------------------------------------------------------
; Always removed: the program files, the help, the shortcuts, the Run entry,
; "InstalledDir" and the Add/Remove Programs entry. The rest of
; Software\Veltrop\Corvella (panels, warnings, plug-in list, position and
; every other setting), the monthly dial-up totals and the hardware monitor's
; scale factors are the user's own: they stay, so that installing again brings
; the bar back as it was, unless the user asks for them to go. Then the log
; file and the plug-in files listed in the Plugins list go as well.
Var RemoveSettings

Function un.onInit
  StrCpy $RemoveSettings "no"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings "yes"
  ${ElseIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Do you also want to remove your Corvella settings (panels, warnings, plug-ins you installed, bar position and the log file)?$\r$\n$\r$\nKeep them to have the bar back as it is when you install Corvella again." \
      IDNO keepSettings
    StrCpy $RemoveSettings "yes"
    keepSettings:
  ${EndIf}
FunctionEnd

; Leaves "yes" on the stack when the name on the stack is a plain plug-in
; file name: ending in ".cvl", with no folder and no wildcard in it.
Function un.IsPluginFileName
  Exch $0
  Push $1
  Push $2
  StrCpy $1 $0 "" -4
  ${If} $1 S!= ".cvl"
    StrCpy $0 "no"
  ${Else}
    StrCpy $2 0
    ${Do}
      StrCpy $1 $0 1 $2
      ${If} $1 == ""
        StrCpy $0 "yes"
        ${Break}
      ${ElseIf} $1 == "\"
      ${OrIf} $1 == "/"
      ${OrIf} $1 == ":"
      ${OrIf} $1 == "*"
      ${OrIf} $1 == "?"
        StrCpy $0 "no"
        ${Break}
      ${EndIf}
      IntOp $2 $2 + 1
    ${Loop}
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Deletes the plug-in files named in the Plugins list (the settings dialog
; copies installed plug-ins into the installation folder).
Function un.RemoveListedPlugins
  !insertmacro ReadCount $1 "Plugins" "NoOfPlugins"
  StrCpy $2 1
  ${While} $2 <= $1
    ReadRegStr $3 HKLM "${APP_KEY}\Plugins" "$2"
    Push $3
    Call un.IsPluginFileName
    Pop $4
    ${If} $4 == "yes"
      Delete "$INSTDIR\$3"
    ${EndIf}
    IntOp $2 $2 + 1
  ${EndWhile}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningBar

  ; A file still in use goes when Windows next starts.
  Delete /REBOOTOK "$INSTDIR\Main.exe"
  Delete /REBOOTOK "$INSTDIR\Launcher.exe"
  Delete /REBOOTOK "$INSTDIR\cvl.dll"
  Delete /REBOOTOK "$INSTDIR\Chipwatch.dll"
  Delete /REBOOTOK "$INSTDIR\Coreprobe.dll"
  Delete /REBOOTOK "$INSTDIR\Screenspan.dll"
  Delete /REBOOTOK "$INSTDIR\Dialtally.cvl"
  Delete /REBOOTOK "$INSTDIR\Resource.cvl"
  !insertmacro CvlRemoveHelp
  !ifdef HAVE_PLUGIN_KIT
    !insertmacro CvlRemoveKit
  !endif
  Delete "$INSTDIR\Uninstall.exe"

  ${If} $RemoveSettings == "yes"
    Call un.RemoveListedPlugins
    Delete "$INSTDIR\cvllog.txt"
    DeleteRegKey HKLM "${APP_KEY}"
    DeleteRegKey HKLM "Software\Veltrop\DialtallyPlugin"
    DeleteRegKey HKLM "Software\Veltrop\Chipwatch"
    DeleteRegKey /ifempty HKLM "Software\Veltrop"
  ${Else}
    DeleteRegValue HKLM "${APP_KEY}\Settings" "InstalledDir"
  ${EndIf}
  ; Only an empty folder goes: files the user keeps there stay.
  RMDir /REBOOTOK "$INSTDIR"

  SetShellVarContext all
  Delete "${MENU_FOLDER}\Corvella.lnk"
  Delete "${MENU_FOLDER}\Corvella Help.lnk"
  Delete "${MENU_FOLDER}\Uninstall Corvella.lnk"
  RMDir "${MENU_FOLDER}"

  DeleteRegValue HKLM "${RUN_KEY}" "Corvella"
  ; Last, so that its absence means the uninstaller has finished.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
