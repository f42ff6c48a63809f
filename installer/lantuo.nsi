; The installer and its uninstaller (makensis, run by scripts/package.sh with
; -DVERSION=X.Y.Z -DPROGRAM=lantuo.exe -DICON=lantuo.ico -DOUTFILE=setup.exe).
;
; Per user by default, without administrator rights, into the user's local
; programs folder; /ALLUSERS installs for every user (needs an administrator).
; /S is silent, /D=folder chooses the folder. Installing again over an earlier
; version reuses its folder and replaces its files.
Unicode true
!ifndef VERSION
    !error "makensis -DVERSION=X.Y.Z -DPROGRAM=... -DICON=... -DOUTFILE=... lantuo.nsi"
!endif

!define PRODUCT "岚拓食品销售管理系统"
!define PUBLISHER "岚拓软件"
!define EXE "lantuo.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINST_LIST "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINST_KEY "${UNINST_LIST}\lantuo"
; The browser host's user-agent value (the key's default value, an empty
; string) that the program removes when it ends normally.
!define UA_PARENT "Software\Microsoft\Windows\CurrentVersion\Internet Settings\User Agent"
!define UA_KEY "${UA_PARENT}\Post Platform"
; The program's main window, found to tell whether the program runs.
!define MAIN_CLASS "TForm_Main"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the one used where the system's is not among them.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString RunningText ${LANG_ENGLISH} "${PRODUCT} is running. Close it, then choose Retry."
LangString RunningText ${LANG_SIMPCHINESE} "${PRODUCT}正在运行。请先关闭它，然后单击“重试”。"
LangString AdminText ${LANG_ENGLISH} "Installing for all users needs administrator rights."
LangString AdminText ${LANG_SIMPCHINESE} "为所有用户安装需要管理员权限。"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

Var AllUsers

; Waits until the program no longer runs: asks the user to close it (Retry),
; or ends with exit code 2 (Cancel; the only answer when silent).
!macro WaitProgramClosed
    ${Do}
        FindWindow $0 "${MAIN_CLASS}" ""
        ${IfThen} $0 = 0 ${|} ${Break} ${|}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(RunningText)" /SD IDCANCEL IDRETRY`
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${Loop}
!macroend

; /ALLUSERS (found by the caller: the error flag clear): the shell folders
; and the registry root of every user.
!macro ChooseUsers
    StrCpy $AllUsers 0
    ${IfNot} ${Errors}
        StrCpy $AllUsers 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
!macroend

Function .onInit
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/ALLUSERS" $R1
    !insertmacro ChooseUsers
    ${If} $AllUsers = 1
        UserInfo::GetAccountType
        Pop $0
        ${If} $0 != "Admin"
            MessageBox MB_OK|MB_ICONSTOP "$(AdminText)" /SD IDOK
            SetErrorLevel 740
            Quit
        ${EndIf}
    ${EndIf}
    ; No /D=: the folder of an earlier installation, else the default.
    ${If} $INSTDIR == ""
        ReadRegStr $INSTDIR SHCTX "${UNINST_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $INSTDIR == ""
        ${If} $AllUsers = 1
            StrCpy $INSTDIR "$PROGRAMFILES\lantuo"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\lantuo"
        ${EndIf}
    ${EndIf}
    !insertmacro WaitProgramClosed
FunctionEnd

Section "lantuo"
    ; The parent folder, when this installation makes it, goes with it.
    ${GetParent} "$INSTDIR" $1
    StrCpy $2 ""
    ${IfNot} ${FileExists} "$1\*.*"
        StrCpy $2 $1
    ${EndIf}
    ReadRegStr $3 SHCTX "${UNINST_KEY}" "CreatedParent"
    ${If} $3 != ""
        StrCpy $2 $3
    ${EndIf}

    SetOutPath "$INSTDIR"
    File "/oname=${EXE}" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
    CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

    StrCpy $0 ""
    ${If} $AllUsers = 1
        StrCpy $0 " /ALLUSERS"
    ${EndIf}
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"$0'
    WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}"$0 /S'
    WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
    ${If} $2 != ""
        WriteRegStr SHCTX "${UNINST_KEY}" "CreatedParent" "$2"
    ${EndIf}
    ${GetSize} "$INSTDIR" "/S=0K" $4 $5 $6
    WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" $4
SectionEnd

Function un.onInit
    ${un.GetParameters} $R0
    ClearErrors
    ${un.GetOptions} $R0 "/ALLUSERS" $R1
    !insertmacro ChooseUsers
    !insertmacro WaitProgramClosed
FunctionEnd

; Removes exactly what the installer made; a folder only when it is empty.
Section "Uninstall"
    ReadRegStr $2 SHCTX "${UNINST_KEY}" "CreatedParent"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$DESKTOP\${PRODUCT}.lnk"
    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    ${If} $2 != ""
        RMDir "$2"
    ${EndIf}
    DeleteRegKey SHCTX "${UNINST_KEY}"
    ; Its parent too when nothing else is registered there (a per-user list
    ; this installation began).
    DeleteRegKey /ifempty SHCTX "${UNINST_LIST}"
    ; The user-agent value a program that did not end normally left behind:
    ; still the empty string the program writes, so nobody else's.
    ClearErrors
    ReadRegStr $0 HKCU "${UA_KEY}" ""
    ${IfNot} ${Errors}
    ${AndIf} $0 == ""
        DeleteRegValue HKCU "${UA_KEY}" ""
    ${EndIf}
    ; The key the program made for it, and its parent, when nothing is in them.
    DeleteRegKey /ifempty HKCU "${UA_KEY}"
    DeleteRegKey /ifempty HKCU "${UA_PARENT}"
SectionEnd
