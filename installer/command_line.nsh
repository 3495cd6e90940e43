; Reading the setup program's own options from its command line.

; In: the parameters, then the option with its equals sign ("/PLUGINDIR=").
; Out: the option's value, and the error flag when the option is absent. Takes
; /OPT=VALUE, /OPT="VALUE" and "/OPT=VALUE" (the form a shell that quotes whole
; arguments passes): a quoted value may hold spaces, an unquoted one ends at
; the first space. Option names are matched regardless of case.
Function ReadOption
  Exch $1
  Exch
  Exch $0
  Push $2
  Push $3
  Push $4
  Push $5
  StrLen $5 $1
  StrCpy $2 0
  ${Do}
    StrCpy $3 $0 $5 $2
    ${If} $3 == ""
      StrCpy $0 ""
      Pop $5
      Pop $4
      Pop $3
      Pop $2
      Pop $1
      Exch $0
      SetErrors
      Return
    ${EndIf}
    ${IfThen} $3 == $1 ${|} ${ExitDo} ${|}
    IntOp $2 $2 + 1
  ${Loop}
  StrCpy $4 0
  ${If} $2 > 0
    IntOp $3 $2 - 1
    StrCpy $3 $0 1 $3
    ${IfThen} $3 == '"' ${|} StrCpy $4 1 ${|}
  ${EndIf}
  IntOp $2 $2 + $5
  StrCpy $0 $0 "" $2
  StrCpy $3 $0 1
  ${If} $3 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $4 1
  ${EndIf}
  StrCpy $2 0
  ${Do}
    StrCpy $3 $0 1 $2
    ${IfThen} $3 == "" ${|} ${ExitDo} ${|}
    ${If} $4 == 1
      ${IfThen} $3 == '"' ${|} ${ExitDo} ${|}
    ${Else}
      ${IfThen} $3 == " " ${|} ${ExitDo} ${|}
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  StrCpy $0 $0 $2
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
  ClearErrors
FunctionEnd

!macro ReadOption PARAMETERS OPTION RESULT
  Push "${PARAMETERS}"
  Push "${OPTION}"
  Call ReadOption
  Pop ${RESULT}
!macroend
!define ReadOption "!insertmacro ReadOption"
