; SPDX-License-Identifier: MIT
; The Windows setup program: vantro.exe and vantro-cli.exe under Program Files,
; a Start menu shortcut, and an uninstaller in the list of installed programs.
; In Portuguese, or in English where Windows speaks English. /S installs silently.
; Built by the build's `setup` target:
;   makensis -DVERSION=... -DWINDOW=vantro.exe -DCLI=vantro-cli.exe -DSOURCE=TREE
;            -DTEXTS=FOLDER_OF_THE_WINDOWS_TEXTS -DOUTPUT=vantro-VERSION-setup.exe vantro.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantro"

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

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductName" "Vantro"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileDescription" "Vantro ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "LegalCopyright" "MIT licence, The Vantro developers"

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "${WINDOW}"
    File "${CLI}"
    File "${TEXTS}/README.md"
    File "${SOURCE}/LICENSE"
    File "${TEXTS}/LEIA-ME.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\Vantro.lnk" "$INSTDIR\vantro.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vantro"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Vantro developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantro.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Vantro.lnk"
    Delete "$INSTDIR\vantro.exe"
    Delete "$INSTDIR\vantro-cli.exe"
    Delete "$INSTDIR\README.md"
    Delete "$INSTDIR\LICENSE"
    Delete "$INSTDIR\LEIA-ME.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
