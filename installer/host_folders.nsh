; Finding the host applications' plug-ins folders, and the page that offers them.
;
; Hosts are found through the places Windows programs record themselves in,
; listed in FindHostFolders: each source is a registry key whose subkeys are
; programs, the value of each subkey that names the program, and what that value
; is ("program": the program file; "folder": the program's folder). A program is
; a host when its folder holds a plug-ins folder (one of the names in
; ConsiderHostFolder) with filter plug-ins (.8bf files) in it or one level below.
; The build a host gets is its program file's architecture, read from the file's
; PE header; where only a folder is known, the registry view it was found in
; tells (32-bit programs record themselves in the 32-bit view).
;
; Found hosts are written to $PLUGINSDIR\hosts.ini: [Hosts] Count, and for each
; [HostN] Folder, Arch (x86 or x64), Selected (1: copy the plug-in there).

!define APP_PATHS_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths"
!define PROGRAMS_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
; The page has room for this many; more are not offered.
!define MAX_HOSTS 6
!define HOSTS_FILE "$PLUGINSDIR\hosts.ini"

Var HostCount
Var HostScanView
Var HostScanKey
Var HostScanValue
Var HostScanKind

!macro ScanHostSource VIEW KEY VALUE KIND
  StrCpy $HostScanView "${VIEW}"
  StrCpy $HostScanKey "${KEY}"
  StrCpy $HostScanValue "${VALUE}"
  StrCpy $HostScanKind "${KIND}"
  Call ScanHostSource
!macroend

Function FindHostFolders
  StrCpy $HostCount 0
  ${If} ${RunningX64}
    !insertmacro ScanHostSource 64 "${APP_PATHS_KEY}" "" program
    !insertmacro ScanHostSource 64 "${PROGRAMS_KEY}" "InstallLocation" folder
  ${EndIf}
  !insertmacro ScanHostSource 32 "${APP_PATHS_KEY}" "" program
  !insertmacro ScanHostSource 32 "${PROGRAMS_KEY}" "InstallLocation" folder
  WriteINIStr "${HOSTS_FILE}" "Hosts" "Count" $HostCount
  !insertmacro UseNativeRegistryView
FunctionEnd

Function ScanHostSource
  ${If} $HostScanView == 64
    SetRegView 64
  ${Else}
    SetRegView 32
  ${EndIf}
  StrCpy $R9 0
  ${Do}
    ${IfThen} $HostCount >= ${MAX_HOSTS} ${|} ${ExitDo} ${|}
    EnumRegKey $R8 HKLM $HostScanKey $R9
    ${IfThen} $R8 == "" ${|} ${ExitDo} ${|}
    IntOp $R9 $R9 + 1
    ReadRegStr $R7 HKLM "$HostScanKey\$R8" $HostScanValue
    ${If} $R7 != ""
      Call ConsiderHost
    ${EndIf}
  ${Loop}
FunctionEnd

; $R7: what the source's value holds (a program file or a folder).
Function ConsiderHost
  ExpandEnvStrings $R7 $R7
  ; A program file may be quoted, with arguments after the closing quote.
  StrCpy $R6 $R7 1
  ${If} $R6 == '"'
    StrCpy $R7 $R7 "" 1
    StrCpy $R5 0
    ${Do}
      StrCpy $R6 $R7 1 $R5
      ${IfThen} $R6 == '"' ${|} ${ExitDo} ${|}
      ${IfThen} $R6 == "" ${|} ${ExitDo} ${|}
      IntOp $R5 $R5 + 1
    ${Loop}
    StrCpy $R7 $R7 $R5
  ${EndIf}
  StrCpy $R6 $R7 "" -1
  ${If} $R6 == "\"
    StrCpy $R7 $R7 -1
  ${EndIf}

  ${If} $HostScanKind == program
    ${GetParent} $R7 $R6
    Push $R7
    Call ProgramArchitecture
    Pop $R4
  ${Else}
    StrCpy $R6 $R7
    StrCpy $R4 "x86"
    ${If} $HostScanView == 64
      StrCpy $R4 "x64"
    ${EndIf}
  ${EndIf}
  ${IfThen} $R4 == "" ${|} Return ${|}
  ${IfNot} ${RunningX64}
    ${IfThen} $R4 == "x64" ${|} Return ${|}
  ${EndIf}
  ${IfThen} $R6 == "" ${|} Return ${|}

  Push "$R6\Plug-ins"
  Call HoldsFilterPlugins
  Pop $R3
  ${If} $R3 == 1
    Push "$R6\Plug-ins"
    Push $R4
    Call AddHost
    Return
  ${EndIf}
  Push "$R6\Plugins"
  Call HoldsFilterPlugins
  Pop $R3
  ${If} $R3 == 1
    Push "$R6\Plugins"
    Push $R4
    Call AddHost
  ${EndIf}
FunctionEnd

; In: a program file. Out: "x64", "x86", or "" when it is not a PE program of either.
Function ProgramArchitecture
  Exch $0
  Push $1
  Push $2
  Push $3
  ClearErrors
  FileOpen $1 $0 r
  StrCpy $0 ""
  ${IfNot} ${Errors}
    ; The PE header's offset is at byte 60 (0x3C); headers lie within the first 64 KiB.
    FileSeek $1 60 SET
    FileReadByte $1 $2
    FileReadByte $1 $3
    IntOp $3 $3 << 8
    IntOp $2 $2 | $3
    FileSeek $1 $2 SET
    FileReadByte $1 $3
    ${If} $3 == 80
      FileReadByte $1 $3
      ${If} $3 == 69
        FileSeek $1 2 CUR
        FileReadByte $1 $2
        FileReadByte $1 $3
        IntOp $3 $3 << 8
        IntOp $2 $2 | $3
        ${If} $2 == 34404 ; 0x8664
          StrCpy $0 "x64"
        ${ElseIf} $2 == 332 ; 0x014C
          StrCpy $0 "x86"
        ${EndIf}
      ${EndIf}
    ${EndIf}
    FileClose $1
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; In: a folder. Out: 1 when it holds a .8bf file, or a folder directly inside it does.
Function HoldsFilterPlugins
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $4 0
  FindFirst $1 $2 "$0\*.8bf"
  FindClose $1
  ${If} $2 != ""
    StrCpy $4 1
  ${ElseIf} ${FileExists} "$0\*.*"
    FindFirst $1 $2 "$0\*.*"
    ${DoWhile} $2 != ""
      ${If} $2 != "."
      ${AndIf} $2 != ".."
      ${AndIf} ${FileExists} "$0\$2\*.*"
        FindFirst $3 $2 "$0\$2\*.8bf"
        FindClose $3
        ${If} $2 != ""
          StrCpy $4 1
          ${ExitDo}
        ${EndIf}
      ${EndIf}
      FindNext $1 $2
    ${Loop}
    FindClose $1
  ${EndIf}
  StrCpy $0 $4
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; In: folder, architecture (pushed in that order). A folder already found is not added again.
Function AddHost
  Exch $1
  Exch
  Exch $0
  Push $2
  Push $3
  StrCpy $2 1
  ${DoWhile} $2 <= $HostCount
    ReadINIStr $3 "${HOSTS_FILE}" "Host$2" "Folder"
    ${If} $3 == $0
      Goto done
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  IntOp $HostCount $HostCount + 1
  WriteINIStr "${HOSTS_FILE}" "Host$HostCount" "Folder" $0
  WriteINIStr "${HOSTS_FILE}" "Host$HostCount" "Arch" $1
  WriteINIStr "${HOSTS_FILE}" "Host$HostCount" "Selected" $CopyIntoHosts
  done:
  Pop $3
  Pop $2
  Pop $0
  Pop $1
FunctionEnd

; ---- The page: found hosts to tick, and a folder of the user's choice ----------------

Var OtherFolderField
Var OtherArchX64Button

Function HostsPageCreate
  !insertmacro MUI_HEADER_TEXT "Host applications" "Where the plug-in is copied to"
  nsDialogs::Create 1018
  Pop $0
  ${If} $HostCount == 0
    ${NSD_CreateLabel} 0 0 100% 30u "No host application with a plug-ins folder was found. Name the plug-ins folder of your host below, or copy the plug-in from the installation folder by hand later (INSTALL.txt says how)."
    Pop $0
  ${Else}
    ${NSD_CreateLabel} 0 0 100% 20u "The plug-in is copied into the plug-ins folder of each host application ticked here, in the build of the host's own architecture:"
    Pop $0
  ${EndIf}
  StrCpy $1 1
  ${DoWhile} $1 <= $HostCount
    ReadINIStr $2 "${HOSTS_FILE}" "Host$1" "Folder"
    ReadINIStr $3 "${HOSTS_FILE}" "Host$1" "Arch"
    IntOp $4 $1 * 13
    IntOp $4 $4 + 10
    ${NSD_CreateCheckbox} 0 $4u 100% 12u "$2  ($3)"
    Pop $5
    WriteINIStr "${HOSTS_FILE}" "Host$1" "Control" $5
    ReadINIStr $6 "${HOSTS_FILE}" "Host$1" "Selected"
    ${If} $6 == 1
      ${NSD_Check} $5
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}

  ${NSD_CreateLabel} 0 100u 100% 10u "Another plug-ins folder (optional):"
  Pop $0
  ${NSD_CreateDirRequest} 0 112u 78% 12u "$OtherFolder"
  Pop $OtherFolderField
  ${NSD_CreateBrowseButton} 80% 111u 20% 14u "Browse..."
  Pop $0
  ${NSD_OnClick} $0 OnBrowseOtherFolder
  ${If} ${RunningX64}
    ${NSD_CreateRadioButton} 0 128u 45% 10u "for a 64-bit host"
    Pop $OtherArchX64Button
    ${NSD_CreateRadioButton} 50% 128u 45% 10u "for a 32-bit host"
    Pop $0
    ${If} $OtherArch == "x64"
      ${NSD_Check} $OtherArchX64Button
    ${Else}
      ${NSD_Check} $0
    ${EndIf}
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function OnBrowseOtherFolder
  ${NSD_GetText} $OtherFolderField $0
  nsDialogs::SelectFolderDialog "The host application's plug-ins folder" $0
  Pop $0
  ${If} $0 != "error"
    ${NSD_SetText} $OtherFolderField $0
  ${EndIf}
FunctionEnd

Function HostsPageLeave
  StrCpy $1 1
  ${DoWhile} $1 <= $HostCount
    ReadINIStr $2 "${HOSTS_FILE}" "Host$1" "Control"
    ${NSD_GetState} $2 $3
    StrCpy $4 0
    ${If} $3 == ${BST_CHECKED}
      StrCpy $4 1
    ${EndIf}
    WriteINIStr "${HOSTS_FILE}" "Host$1" "Selected" $4
    IntOp $1 $1 + 1
  ${Loop}
  ${NSD_GetText} $OtherFolderField $OtherFolder
  ${If} $OtherFolder != ""
  ${AndIfNot} ${FileExists} "$OtherFolder\*.*"
    MessageBox MB_OK|MB_ICONEXCLAMATION "The folder $OtherFolder does not exist."
    Abort
  ${EndIf}
  StrCpy $OtherArch "x86"
  ${If} ${RunningX64}
    ${NSD_GetState} $OtherArchX64Button $3
    ${If} $3 == ${BST_CHECKED}
      StrCpy $OtherArch "x64"
    ${EndIf}
  ${EndIf}
FunctionEnd
