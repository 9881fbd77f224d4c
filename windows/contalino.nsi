; The installer a teacher runs, or a technician runs silently (/S) on every computer of a lab. It installs
; the program folder for all users under Program Files, a Start-menu entry and a desktop shortcut, and
; an uninstaller listed among the installed programs. The uninstaller removes exactly the files that the
; installer wrote: their list is made from the program folder when the installer is built.
;
; makensis -INPUTCHARSET UTF8 -DVERSIONE=1.0 -DCARTELLA=<program folder> -DELENCO=<files.nsh>
;          -DRIMOZIONE=<removal.nsh> -DLICENZA=<LICENSE> -DUSCITA=<setup.exe> contalino.nsi

; A 64-bit installer for a 64-bit program: Windows 10 and 11 on every school computer.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"

!define PROGRAMMA "Contalino"
!define CHIAVE_DISINSTALLA "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PROGRAMMA}"

Name "${PROGRAMMA}"
Caption "Installazione di ${PROGRAMMA} ${VERSIONE}"
OutFile "${USCITA}"
InstallDir "$PROGRAMFILES64\${PROGRAMMA}"
BrandingText "${PROGRAMMA} ${VERSIONE}"

VIProductVersion "${VERSIONE}.0.0"
VIFileVersion "${VERSIONE}.0.0"
VIAddVersionKey /LANG=1040 "ProductName" "${PROGRAMMA}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSIONE}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSIONE}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${PROGRAMMA}, le tavole della moltiplicazione"
VIAddVersionKey /LANG=1040 "CompanyName" "${PROGRAMMA}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "Software libero: GNU GPL 3 o successiva"

!define MUI_ICON "${CARTELLA}\contalino.ico"
!define MUI_UNICON "${CARTELLA}\contalino.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\contalino.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Avvia ${PROGRAMMA}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENZA}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "${PROGRAMMA}"
    !include "${ELENCO}"
    WriteUninstaller "$INSTDIR\Disinstalla.exe"

    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${PROGRAMMA}.lnk" "$INSTDIR\contalino.exe" "" "$INSTDIR\contalino.ico" 0 \
        SW_SHOWNORMAL "" "Tavole della moltiplicazione"
    CreateShortcut "$DESKTOP\${PROGRAMMA}.lnk" "$INSTDIR\contalino.exe" "" "$INSTDIR\contalino.ico" 0 \
        SW_SHOWNORMAL "" "Tavole della moltiplicazione"

    WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "DisplayName" "${PROGRAMMA}"
    WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "DisplayVersion" "${VERSIONE}"
    WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "DisplayIcon" "$INSTDIR\contalino.exe,0"
    WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "Publisher" "${PROGRAMMA}"
    WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "UninstallString" '"$INSTDIR\Disinstalla.exe"'
    WriteRegStr HKLM "${CHIAVE_DISINSTALLA}" "QuietUninstallString" '"$INSTDIR\Disinstalla.exe" /S'
    WriteRegDWORD HKLM "${CHIAVE_DISINSTALLA}" "NoModify" 1
    WriteRegDWORD HKLM "${CHIAVE_DISINSTALLA}" "NoRepair" 1
    WriteRegDWORD HKLM "${CHIAVE_DISINSTALLA}" "EstimatedSize" ${DIMENSIONE_KB}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${PROGRAMMA}.lnk"
    Delete "$DESKTOP\${PROGRAMMA}.lnk"
    !include "${RIMOZIONE}"
    Delete "$INSTDIR\Disinstalla.exe"
    ; Only when empty: whatever else someone put in the folder stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${CHIAVE_DISINSTALLA}"
SectionEnd
