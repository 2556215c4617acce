; SPDX-License-Identifier: MIT
; The Windows setup program: vantro.exe and vantro-cli.exe under Program Files,
; two Start menu shortcuts (the programmer, the emulated one), and an uninstaller
; in the list of installed programs. In Portuguese, or in English where Windows
; speaks English. /S installs silently.
; Built by the build's `setup` target from the files the ZIP holds (stripped alike):
;   makensis -DVERSION=... -DFILES=FOLDER_OF_THE_ZIPS_FILES -DSOURCE=TREE -DURL=HOME_PAGE
;            -DOUTPUT=vantro-VERSION-setup.exe vantro.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantro"
!define EMULATED_SHORTCUT "$SMPROGRAMS\Vantro (gravador emulado).lnk"

Name "Vantro ${VERSION}"
OutFile "${OUTPUT}"
InstallDir "$PROGRAMFILES64\Vantro"
RequestExecutionLevel admin
BrandingText "Vantro ${VERSION}"

!define MUI_ICON "${SOURCE}/app/resources/vantro.ico"
!define MUI_UNICON "${SOURCE}/app/resources/vantro.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vantro.exe"
!insertmacro MUI_PAGE_LICENSE "${SOURCE}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first is the default, for any language but English.
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "English"

LangString OldWindows ${LANG_PORTUGUESEBR} \
    "O Vantro precisa do Windows 10 versão 1607 ou mais novo."
LangString OldWindows ${LANG_ENGLISH} "Vantro needs Windows 10 version 1607 or later."
LangString VantroRunning ${LANG_PORTUGUESEBR} \
    "O Vantro está aberto (vantro.exe ou vantro-cli.exe). Feche-o e tente de novo."
LangString VantroRunning ${LANG_ENGLISH} \
    "Vantro is running (vantro.exe or vantro-cli.exe). Close it and try again."
LangString FilesLeft ${LANG_PORTUGUESEBR} \
    "Alguns arquivos do Vantro não puderam ser removidos. Feche o Vantro e desinstale de novo."
LangString FilesLeft ${LANG_ENGLISH} \
    "Some of Vantro's files could not be removed. Close Vantro and uninstall again."

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductName" "Vantro"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileDescription" "Vantro ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "LegalCopyright" "MIT licence, The Vantro developers"

; Windows refuses to replace or delete the file of a running program, so a setup
; or an uninstaller that went on would end with the old files left. A program's
; file opens for writing only while no process runs it. Sets the error flag when
; the user (or /S) gives up while one runs.
!macro REFUSE_WHILE_RUNNING PREFIX
Function ${PREFIX}RefuseWhileRunning
    retry:
    ClearErrors
    ${If} ${FileExists} "$INSTDIR\vantro.exe"
        FileOpen $0 "$INSTDIR\vantro.exe" a
        FileClose $0
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\vantro-cli.exe"
        FileOpen $0 "$INSTDIR\vantro-cli.exe" a
        FileClose $0
    ${EndIf}
    ${If} ${Errors}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(VantroRunning)" /SD IDCANCEL IDRETRY retry
        SetErrors
    ${EndIf}
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Function .onInit
    SetRegView 64
    ; The window asks Windows for its DPI per window, which came with version 1607.
    ${IfNot} ${AtLeastWaaS} 1607
        MessageBox MB_OK|MB_ICONSTOP "$(OldWindows)" /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    Call un.RefuseWhileRunning
    ${If} ${Errors}
        SetErrorLevel 2
        Abort
    ${EndIf}
FunctionEnd

Section
    Call RefuseWhileRunning
    ${If} ${Errors}
        SetErrorLevel 2
        Abort
    ${EndIf}
    SetOutPath "$INSTDIR"
    File "${FILES}/vantro.exe"
    File "${FILES}/vantro-cli.exe"
    File "${FILES}/README.md"
    File "${FILES}/LICENSE"
    File "${FILES}/LEIA-ME.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\Vantro.lnk" "$INSTDIR\vantro.exe"
    CreateShortcut "${EMULATED_SHORTCUT}" "$INSTDIR\vantro.exe" "--emulator"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vantro"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Vantro developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantro.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "${URL}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${URL}"
    ; In KiB, as the list of installed programs reads it.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The programs go first: if one cannot, nothing else is removed and the key stays,
; so the list of installed programs still offers to finish the job.
Section "Uninstall"
    SetShellVarContext all
    ClearErrors
    Delete "$INSTDIR\vantro.exe"
    Delete "$INSTDIR\vantro-cli.exe"
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "$(FilesLeft)" /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
    Delete "$SMPROGRAMS\Vantro.lnk"
    Delete "${EMULATED_SHORTCUT}"
    Delete "$INSTDIR\README.md"
    Delete "$INSTDIR\LICENSE"
    Delete "$INSTDIR\LEIA-ME.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
