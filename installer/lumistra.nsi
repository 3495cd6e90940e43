; The LUMISTRA setup program (NSIS 3). Built by cmake/WindowsInstaller.cmake:
;
;   makensis -DLUMISTRA_VERSION=1.1.4 -DLUMISTRA_X86_MODULE=... -DLUMISTRA_X64_MODULE=...
;            -DLUMISTRA_HELP_DIR=... -DLUMISTRA_INSTALL_TEXT=... -DLUMISTRA_OUTFILE=...
;            [-DLUMISTRA_TARGET_AMD64] installer/lumistra.nsi
;
; The program users get is the 32-bit one: it runs on 32- and 64-bit Windows and
; installs the 64-bit plug-in only where Windows is 64-bit. LUMISTRA_TARGET_AMD64
; makes the same script into a 64-bit program, for machines (and Wine set-ups)
; that cannot run 32-bit programs; it behaves exactly as the 32-bit one does on
; 64-bit Windows.
;
; Installed: <Program Files>\LUMISTRA\ with x64\Lumistra.8bf (64-bit Windows only),
; x86\Lumistra.8bf, Help\ (the help page), INSTALL.txt, Uninstall.exe and
; InstalledCopies.ini (the copies put into host applications' plug-in folders,
; which the uninstaller takes back). "HelpFile" goes into both registry views,
; because the 32-bit and the 64-bit plug-in each read their own.
;
; Command line: /S silent; /D=FOLDER the installation folder (last, unquoted);
; /PLUGINDIR=FOLDER a further plug-ins folder to copy the plug-in into (it must
; exist), /PLUGINARCH=x86|x64 which build goes there (by default the one of
; Windows' own architecture); /NOHOSTS copies into no found host folder.
; Exit codes: 0 installed, 1 cancelled, 2 refused (a folder given that cannot
; be used).

Unicode true
!ifdef LUMISTRA_TARGET_AMD64
  Target amd64-unicode
  ; A 64-bit program knows at compile time that Windows is 64-bit, which leaves
  ; the other branch of every such test unused.
  !pragma warning disable 6012
!endif

!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "MUI2.nsh"

!define PRODUCT_NAME "LUMISTRA"
!define PUBLISHER "Lumistra developers"
!define PLUGIN_FILE "Lumistra.8bf"
; The key the plug-in reads its help folder from.
!define HELP_KEY "SOFTWARE\MORVANE\TRX Plug-Ins\QNT\10"
!define HELP_VALUE "HelpFile"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LUMISTRA"
!define COPIES_RECORD "InstalledCopies.ini"
; The plug-in composes "file://" + folder + "LumistraHelp.htm" in 256 bytes:
; 7 + (folder + 6 for "\Help\") + 16 + 1, so the folder may have this many.
!define MAX_INSTALL_DIR_LENGTH 226

Name "${PRODUCT_NAME} ${LUMISTRA_VERSION}"
OutFile "${LUMISTRA_OUTFILE}"
RequestExecutionLevel admin
BrandingText "${PRODUCT_NAME} ${LUMISTRA_VERSION}"
ShowInstDetails show
ShowUninstDetails show
SetCompressor /SOLID lzma

VIProductVersion "${LUMISTRA_VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT_NAME} ${LUMISTRA_VERSION} Setup"
VIAddVersionKey "FileVersion" "${LUMISTRA_VERSION}"
VIAddVersionKey "ProductVersion" "${LUMISTRA_VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

Var PreviousInstallDir
Var OtherFolder
Var OtherArch
Var CopyIntoHosts

!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "The plug-in (both builds), its help page and the uninstaller go into this folder. Copies go into the host applications' plug-ins folders chosen on the next page."
!insertmacro MUI_PAGE_DIRECTORY
Page custom HostsPageCreate HostsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The installer's own records live in the 64-bit view on 64-bit Windows,
; whichever build of the installer runs.
!macro UseNativeRegistryView
  ${If} ${RunningX64}
    SetRegView 64
  ${Else}
    SetRegView 32
  ${EndIf}
!macroend

!macro RefuseAndQuit TEXT
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  SetErrorLevel 2
  Quit
!macroend

!include "${__FILEDIR__}\command_line.nsh"
!include "${__FILEDIR__}\host_folders.nsh"
!include "${__FILEDIR__}\host_copies.nsh"

Function .onInit
  InitPluginsDir
  !insertmacro UseNativeRegistryView
  ReadRegStr $PreviousInstallDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ; $INSTDIR is set here only by /D=.
  ${If} $INSTDIR == ""
    ${If} $PreviousInstallDir != ""
      StrCpy $INSTDIR $PreviousInstallDir
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT_NAME}"
    ${EndIf}
  ${EndIf}

  ${GetParameters} $R0
  StrCpy $CopyIntoHosts 1
  ${ReadOption} $R0 "/NOHOSTS" $R1
  ${IfNot} ${Errors}
    StrCpy $CopyIntoHosts 0
  ${EndIf}
  ${ReadOption} $R0 "/PLUGINDIR=" $OtherFolder
  ${ReadOption} $R0 "/PLUGINARCH=" $OtherArch
  ${If} $OtherArch == ""
    ${If} ${RunningX64}
      StrCpy $OtherArch "x64"
    ${Else}
      StrCpy $OtherArch "x86"
    ${EndIf}
  ${EndIf}
  ${If} $OtherArch != "x86"
  ${AndIf} $OtherArch != "x64"
    !insertmacro RefuseAndQuit "/PLUGINARCH= takes x86 or x64, not $OtherArch."
  ${EndIf}
  ${IfNot} ${RunningX64}
  ${AndIf} $OtherArch == "x64"
    !insertmacro RefuseAndQuit "This is 32-bit Windows: it runs no 64-bit host application."
  ${EndIf}
  ${If} $OtherFolder != ""
  ${AndIfNot} ${FileExists} "$OtherFolder\*.*"
    !insertmacro RefuseAndQuit "The plug-ins folder $OtherFolder does not exist."
  ${EndIf}

  Call FindHostFolders
FunctionEnd

Function .onVerifyInstDir
  StrLen $R0 $INSTDIR
  ${If} $R0 > ${MAX_INSTALL_DIR_LENGTH}
    Abort
  ${EndIf}
FunctionEnd

Section "LUMISTRA" SectionMain
  SectionIn RO
  ; Silent installs do not pass through .onVerifyInstDir.
  StrLen $R0 $INSTDIR
  ${If} $R0 > ${MAX_INSTALL_DIR_LENGTH}
    !insertmacro RefuseAndQuit "The folder $INSTDIR is too long for the plug-in to find its help page (at most ${MAX_INSTALL_DIR_LENGTH} characters)."
  ${EndIf}
  !insertmacro UseNativeRegistryView

  ; Copies made by an earlier installation are kept, and refreshed with this build.
  ${If} $PreviousInstallDir != ""
    CopyFiles /SILENT "$PreviousInstallDir\${COPIES_RECORD}" "$PLUGINSDIR\previous-copies.ini"
  ${EndIf}
  ; An earlier installation in another folder is removed first, so that nothing
  ; of it is left without an uninstaller.
  ${If} $PreviousInstallDir != ""
  ${AndIf} $PreviousInstallDir != $INSTDIR
  ${AndIf} ${FileExists} "$PreviousInstallDir\Uninstall.exe"
    DetailPrint "Removing the earlier installation in $PreviousInstallDir"
    ExecWait '"$PreviousInstallDir\Uninstall.exe" /S _?=$PreviousInstallDir'
    Delete "$PreviousInstallDir\Uninstall.exe"
    RMDir "$PreviousInstallDir"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "/oname=INSTALL.txt" "${LUMISTRA_INSTALL_TEXT}"
  SetOutPath "$INSTDIR\x86"
  File "/oname=${PLUGIN_FILE}" "${LUMISTRA_X86_MODULE}"
  ${If} ${RunningX64}
    SetOutPath "$INSTDIR\x64"
    File "/oname=${PLUGIN_FILE}" "${LUMISTRA_X64_MODULE}"
  ${EndIf}
  SetOutPath "$INSTDIR\Help"
  File "${LUMISTRA_HELP_DIR}/LumistraHelp.htm"
  File "${LUMISTRA_HELP_DIR}/LumistraHelp.css"
  SetOutPath "$INSTDIR\Help\images"
  File "${LUMISTRA_HELP_DIR}/images/*.png"
  SetOutPath "$INSTDIR"

  ; Each plug-in reads the view of its own architecture.
  SetRegView 32
  WriteRegStr HKLM "${HELP_KEY}" "${HELP_VALUE}" "$INSTDIR\Help\"
  ${If} ${RunningX64}
    SetRegView 64
    WriteRegStr HKLM "${HELP_KEY}" "${HELP_VALUE}" "$INSTDIR\Help\"
  ${EndIf}
  !insertmacro UseNativeRegistryView

  Call CopyIntoPluginFolders

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME} ${LUMISTRA_VERSION} (filter plug-in)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${LUMISTRA_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $R0 $R1 $R2
  IntFmt $R0 "0x%08X" $R0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $R0
SectionEnd

Function un.onInit
  !insertmacro UseNativeRegistryView
FunctionEnd

Section "Uninstall"
  Call un.RemovePluginCopies
  Delete "$INSTDIR\${COPIES_RECORD}"

  ; A host may hold the modules: they, and their folders, go when Windows restarts.
  Delete /REBOOTOK "$INSTDIR\x86\${PLUGIN_FILE}"
  RMDir /REBOOTOK "$INSTDIR\x86"
  Delete /REBOOTOK "$INSTDIR\x64\${PLUGIN_FILE}"
  RMDir /REBOOTOK "$INSTDIR\x64"
  Delete "$INSTDIR\Help\images\*.png"
  RMDir "$INSTDIR\Help\images"
  Delete "$INSTDIR\Help\LumistraHelp.htm"
  Delete "$INSTDIR\Help\LumistraHelp.css"
  RMDir "$INSTDIR\Help"
  Delete "$INSTDIR\INSTALL.txt"

  ; The help value goes only where it still names this installation's folder;
  ; the keys above it only when nothing else is left in them.
  SetRegView 32
  Call un.RemoveHelpValue
  ${If} ${RunningX64}
    SetRegView 64
    Call un.RemoveHelpValue
  ${EndIf}
  !insertmacro UseNativeRegistryView

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
SectionEnd

Function un.RemoveHelpValue
  ReadRegStr $R0 HKLM "${HELP_KEY}" "${HELP_VALUE}"
  ${If} $R0 == "$INSTDIR\Help\"
    DeleteRegValue HKLM "${HELP_KEY}" "${HELP_VALUE}"
  ${EndIf}
  DeleteRegKey /ifempty HKLM "${HELP_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\MORVANE\TRX Plug-Ins\QNT"
  DeleteRegKey /ifempty HKLM "SOFTWARE\MORVANE\TRX Plug-Ins"
  DeleteRegKey /ifempty HKLM "SOFTWARE\MORVANE"
FunctionEnd
