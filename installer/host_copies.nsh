; The copies of the plug-in put into host applications' plug-ins folders, and
; their record in the installation folder (InstalledCopies.ini: [Copies] Count,
; and for each [CopyN] Folder and Arch), which the uninstaller works through and
; a later installation refreshes.

Var CopyCount

!define COPIES_FILE "$INSTDIR\${COPIES_RECORD}"
!define PREVIOUS_COPIES_FILE "$PLUGINSDIR\previous-copies.ini"

; The earlier installation's copies (refreshed with this build), the ticked
; hosts, then the folder the user named.
Function CopyIntoPluginFolders
  StrCpy $CopyCount 0
  Delete "${COPIES_FILE}"
  ReadINIStr $R0 "${PREVIOUS_COPIES_FILE}" "Copies" "Count"
  StrCpy $R1 1
  ${DoWhile} $R1 <= $R0
    ReadINIStr $R2 "${PREVIOUS_COPIES_FILE}" "Copy$R1" "Folder"
    ReadINIStr $R3 "${PREVIOUS_COPIES_FILE}" "Copy$R1" "Arch"
    ; A host that has gone since keeps no copy.
    ${If} ${FileExists} "$R2\*.*"
      Push $R2
      Push $R3
      Call CopyPluginInto
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}

  StrCpy $R1 1
  ${DoWhile} $R1 <= $HostCount
    ReadINIStr $R4 "${HOSTS_FILE}" "Host$R1" "Selected"
    ${If} $R4 == 1
      ReadINIStr $R2 "${HOSTS_FILE}" "Host$R1" "Folder"
      ReadINIStr $R3 "${HOSTS_FILE}" "Host$R1" "Arch"
      Push $R2
      Push $R3
      Call CopyPluginInto
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}

  ${If} $OtherFolder != ""
    Push $OtherFolder
    Push $OtherArch
    Call CopyPluginInto
  ${EndIf}
  WriteINIStr "${COPIES_FILE}" "Copies" "Count" $CopyCount
FunctionEnd

; In: folder, architecture (pushed in that order). A folder holds one copy: the
; first build named for it.
Function CopyPluginInto
  Exch $1
  Exch
  Exch $0
  Push $2
  Push $3
  StrCpy $2 $0 "" -1
  ${If} $2 == "\"
    StrCpy $0 $0 -1
  ${EndIf}
  StrCpy $2 1
  ${DoWhile} $2 <= $CopyCount
    ReadINIStr $3 "${COPIES_FILE}" "Copy$2" "Folder"
    ${If} $3 == $0
      Goto done
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  ${IfNot} ${RunningX64}
  ${AndIf} $1 == "x64"
    Goto done
  ${EndIf}
  ClearErrors
  CopyFiles /SILENT "$INSTDIR\$1\${PLUGIN_FILE}" "$0\${PLUGIN_FILE}"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} "$0\${PLUGIN_FILE}"
    DetailPrint "Could not copy the plug-in into $0"
    MessageBox MB_OK|MB_ICONEXCLAMATION "The plug-in could not be copied into $0." /SD IDOK
    Goto done
  ${EndIf}
  DetailPrint "Copied the $1 plug-in into $0"
  IntOp $CopyCount $CopyCount + 1
  WriteINIStr "${COPIES_FILE}" "Copy$CopyCount" "Folder" $0
  WriteINIStr "${COPIES_FILE}" "Copy$CopyCount" "Arch" $1
  WriteINIStr "${COPIES_FILE}" "Copies" "Count" $CopyCount
  done:
  Pop $3
  Pop $2
  Pop $0
  Pop $1
FunctionEnd

Function un.RemovePluginCopies
  ReadINIStr $R0 "${COPIES_FILE}" "Copies" "Count"
  StrCpy $R1 1
  ${DoWhile} $R1 <= $R0
    ReadINIStr $R2 "${COPIES_FILE}" "Copy$R1" "Folder"
    ${If} $R2 != ""
      ; A host that is running holds the file: it goes when Windows restarts.
      Delete /REBOOTOK "$R2\${PLUGIN_FILE}"
      DetailPrint "Removed the plug-in from $R2"
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}
FunctionEnd
