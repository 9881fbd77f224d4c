; The installer a teacher runs, or a technician runs silently (/S) on every computer of a lab.
;
; Run by an administrator, or with /AllUsers, it installs for all users under Program Files. Run by a user
; without administrator rights, or with /CurrentUser, it installs for that user alone under
; %LOCALAPPDATA%\Programs, with no elevation prompt, and keeps its shortcuts and uninstall entry in that
; user's part of the registry. /D=<folder>, last on the command line, chooses another folder.
;
; A version already installed in the same mode is removed first, by its own uninstaller, silently: an
; upgrade leaves one Contalino and none of the old version's files. A newer version is left alone. While
; the installed Contalino is running, installer and uninstaller ask to close it and change nothing.
; The uninstaller removes exactly the files that the installer wrote: their list is made from the program
; folder when the installer is built.
;
; Exit codes, for deployment tools:
!define ESITO_FALLITO 2                ; anything else that stopped it (NSIS's own code for an abort)
!define ESITO_SERVE_AMMINISTRATORE 740 ; /AllUsers without administrator rights (ERROR_ELEVATION_REQUIRED)
!define ESITO_IN_USO 1618              ; Contalino is running: try again later (Intune retries by itself)
!define ESITO_PIU_RECENTE 1638         ; a newer version, or the .msi, is installed (ERROR_PRODUCT_VERSION)
!define ESITO_WINDOWS_VECCHIO 1150     ; older than Windows 10 (ERROR_OLD_WIN_VERSION)
!define ESITO_NON_INSTALLATO 1605      ; /Disinstalla: not installed in this mode (ERROR_UNKNOWN_PRODUCT)
;
; makensis -INPUTCHARSET UTF8 -DVERSIONE=1.0 -DVERSIONE4=1.0.0.0 -DCARTELLA=<program folder>
;          -DELENCO=<files.nsh> -DRIMOZIONE=<removal.nsh> -DLICENZA=<LICENSE> -DDIMENSIONE_KB=<size>
;          -DUSCITA=<setup.exe> contalino.nsi

; A 64-bit installer for a 64-bit program: Windows 10 and 11 on every school computer.
Target amd64-unicode
; -DCOMPRESSORE=zlib makes a larger installer in a tenth of the time (the install test's older version).
!ifdef COMPRESSORE
SetCompressor ${COMPRESSORE}
!else
SetCompressor /SOLID lzma
!endif
ManifestDPIAware true
; An administrator is asked to elevate, a user without administrator rights is not.
RequestExecutionLevel highest

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!include "WinVer.nsh"

!define PROGRAMMA "Contalino"
; The teacher's guide in the program folder, and its Start-menu entry.
!define GUIDA "Guida di Contalino"
; The Start-menu entry that starts the program with its voice, which says what the focus reaches.
!define CON_VOCE "${PROGRAMMA} con voce"
; The one that starts it with automatic scanning, for a child who can press only one switch.
!define UN_SENSORE "${PROGRAMMA} a un sensore"
!define CHIAVE_DISINSTALLA "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PROGRAMMA}"
; The .msi's UpgradeCode (contalino.wxs): the .exe and the .msi would share one folder, so neither
; installs over the other.
!define CODICE_AGGIORNAMENTO_MSI "{6FF66D0C-2D00-4F4D-8D15-F67CE28F9D5C}"

Name "${PROGRAMMA}"
Caption "Installazione di ${PROGRAMMA} ${VERSIONE}"
OutFile "${USCITA}"
BrandingText "${PROGRAMMA} ${VERSIONE}"

VIProductVersion "${VERSIONE4}"
VIFileVersion "${VERSIONE4}"
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

; /Disinstalla (with /AllUsers or /CurrentUser, as for an install) uninstalls the copy installed in
; that mode and ends with the uninstaller's own exit code, once everything is removed: Disinstalla.exe
; /S copies itself away and returns at once, so it cannot tell a deployment tool how it went.

; The folder and version of the copy installed in this mode, if any.
Var Precedente
Var VersionePrecedente

; Quits with an exit code after a message, which silent mode only writes to no one.
!macro ESCI MESSAGGIO ESITO
    MessageBox MB_OK|MB_ICONSTOP "${MESSAGGIO}" /SD IDOK
    SetErrorLevel ${ESITO}
    Quit
!macroend

; Whether the Contalino installed in folder $0 is running: Windows lets no one write to a program file
; while it runs. Asks to close it and try again; cancelled, or in silent mode, it quits and nothing has
; been changed.
!macro CONTROLLA_CHIUSO PREFISSO
Function ${PREFISSO}ControllaChiuso
    riprova:
    ${If} ${FileExists} "$0\contalino.exe"
        ClearErrors
        FileOpen $1 "$0\contalino.exe" a
        ${If} ${Errors}
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                "${PROGRAMMA} è aperto su questo computer.$\r$\n$\r$\nChiudere ${PROGRAMMA}, poi scegliere Riprova." \
                /SD IDCANCEL IDRETRY riprova
            SetErrorLevel ${ESITO_IN_USO}
            Quit
        ${EndIf}
        FileClose $1
    ${EndIf}
FunctionEnd
!macroend
!insertmacro CONTROLLA_CHIUSO ""
!insertmacro CONTROLLA_CHIUSO "un."

; /Disinstalla: the installed uninstaller, run from a copy on the installed folder as an upgrade runs
; it, so that it removes itself and its folder too; its exit code is this program's.
Function Disinstalla
    ${If} $Precedente == ""
    ${OrIfNot} ${FileExists} "$Precedente\Disinstalla.exe"
        SetErrorLevel ${ESITO_NON_INSTALLATO}
        Quit
    ${EndIf}
    InitPluginsDir
    CopyFiles /SILENT "$Precedente\Disinstalla.exe" "$PLUGINSDIR\Disinstalla.exe"
    ClearErrors
    ExecWait '"$PLUGINSDIR\Disinstalla.exe" /S _?=$Precedente' $1
    ${If} ${Errors}
        StrCpy $1 ${ESITO_FALLITO}
    ${EndIf}
    SetErrorLevel $1
    Quit
FunctionEnd

Function .onInit
    SetRegView 64
    ; Windows 10 is build 10240; the build number is the real one, whatever compatibility mode says.
    ${IfNot} ${AtLeastBuild} 10240
        !insertmacro ESCI "${PROGRAMMA} richiede Windows 10 o Windows 11." ${ESITO_WINDOWS_VECCHIO}
    ${EndIf}
    ${GetParameters} $R0
    UserInfo::GetAccountType
    Pop $R1
    ${If} $R1 == "Admin"
        StrCpy $R2 "tutti"
    ${Else}
        StrCpy $R2 "utente"
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $R3
    ${IfNot} ${Errors}
        StrCpy $R2 "utente"
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/AllUsers" $R3
    ${IfNot} ${Errors}
        ${If} $R1 != "Admin"
            !insertmacro ESCI "Per installare ${PROGRAMMA} per tutti gli utenti del computer serve un amministratore.$\r$\n$\r$\nSenza /AllUsers ${PROGRAMMA} si installa solo per questo utente." ${ESITO_SERVE_AMMINISTRATORE}
        ${EndIf}
        StrCpy $R2 "tutti"
    ${EndIf}

    ${If} $R2 == "tutti"
        SetShellVarContext all
        StrCpy $R4 "$PROGRAMFILES64\${PROGRAMMA}"
    ${Else}
        SetShellVarContext current
        GetKnownFolderPath $R4 {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; the user's own programs folder
        ${If} $R4 == ""
            StrCpy $R4 "$LOCALAPPDATA\Programs"
        ${EndIf}
        StrCpy $R4 "$R4\${PROGRAMMA}"
    ${EndIf}

    ; SHCTX is HKLM for all users, HKCU for one.
    ReadRegStr $Precedente SHCTX "${CHIAVE_DISINSTALLA}" "InstallLocation"
    ReadRegStr $VersionePrecedente SHCTX "${CHIAVE_DISINSTALLA}" "DisplayVersion"
    ClearErrors
    ${GetOptions} $R0 "/Disinstalla" $R3
    ${IfNot} ${Errors}
        Call Disinstalla
    ${EndIf}

    System::Call 'msi::MsiEnumRelatedProductsW(w "${CODICE_AGGIORNAMENTO_MSI}", i 0, i 0, w .r1) i .r0'
    ${If} $0 == 0
        !insertmacro ESCI "${PROGRAMMA} è già installato su questo computer con il pacchetto Windows Installer (.msi).$\r$\n$\r$\nPer aggiornarlo usare il nuovo .msi; per passare a questo programma di installazione, disinstallare prima ${PROGRAMMA} dalle Impostazioni di Windows (App)." ${ESITO_PIU_RECENTE}
    ${EndIf}
    ${If} $VersionePrecedente != ""
        ${VersionCompare} $VersionePrecedente ${VERSIONE} $R5
        ${If} $R5 == 1
            !insertmacro ESCI "Su questo computer è già installato ${PROGRAMMA} $VersionePrecedente, più recente di questo (${VERSIONE}).$\r$\n$\r$\nPer tornare a ${PROGRAMMA} ${VERSIONE}, disinstallare prima la versione $VersionePrecedente." ${ESITO_PIU_RECENTE}
        ${EndIf}
    ${EndIf}
    ; No /D: the folder of the installed copy, which the upgrade replaces, or the mode's own.
    ${If} $INSTDIR == ""
        ${If} $Precedente != ""
            StrCpy $INSTDIR $Precedente
        ${Else}
            StrCpy $INSTDIR $R4
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "${PROGRAMMA}"
    StrCpy $0 $INSTDIR
    Call ControllaChiuso
    ${If} $Precedente != ""
        StrCpy $0 $Precedente
        Call ControllaChiuso
        ; The uninstaller of the installed version, copied away and run on its folder, so that it can
        ; remove itself too.
        ${If} ${FileExists} "$Precedente\Disinstalla.exe"
            InitPluginsDir
            CopyFiles /SILENT "$Precedente\Disinstalla.exe" "$PLUGINSDIR\Disinstalla-precedente.exe"
            ClearErrors
            ExecWait '"$PLUGINSDIR\Disinstalla-precedente.exe" /S _?=$Precedente' $1
            ${If} ${Errors}
            ${OrIf} $1 != 0
                !insertmacro ESCI "Non è stato possibile togliere ${PROGRAMMA} $VersionePrecedente da $Precedente prima di installare questa versione." ${ESITO_FALLITO}
            ${EndIf}
        ${EndIf}
    ${EndIf}

    !include "${ELENCO}"
    WriteUninstaller "$INSTDIR\Disinstalla.exe"

    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${PROGRAMMA}.lnk" "$INSTDIR\contalino.exe" "" "$INSTDIR\contalino.ico" 0 \
        SW_SHOWNORMAL "" "Tavole della moltiplicazione"
    CreateShortcut "$DESKTOP\${PROGRAMMA}.lnk" "$INSTDIR\contalino.exe" "" "$INSTDIR\contalino.ico" 0 \
        SW_SHOWNORMAL "" "Tavole della moltiplicazione"
    CreateShortcut "$SMPROGRAMS\${CON_VOCE}.lnk" "$INSTDIR\contalino.exe" "--voce" "$INSTDIR\contalino.ico" 0 \
        SW_SHOWNORMAL "" "Tavole della moltiplicazione con la voce"
    CreateShortcut "$SMPROGRAMS\${UN_SENSORE}.lnk" "$INSTDIR\contalino.exe" "--scansione" "$INSTDIR\contalino.ico" \
        0 SW_SHOWNORMAL "" "Tavole della moltiplicazione con la scansione automatica"
    CreateShortcut "$SMPROGRAMS\${GUIDA}.lnk" "$INSTDIR\${GUIDA}.html" "" "" 0 SW_SHOWNORMAL "" \
        "Guida per l'insegnante"

    WriteRegStr SHCTX "${CHIAVE_DISINSTALLA}" "DisplayName" "${PROGRAMMA}"
    WriteRegStr SHCTX "${CHIAVE_DISINSTALLA}" "DisplayVersion" "${VERSIONE}"
    WriteRegStr SHCTX "${CHIAVE_DISINSTALLA}" "DisplayIcon" "$INSTDIR\contalino.exe,0"
    WriteRegStr SHCTX "${CHIAVE_DISINSTALLA}" "Publisher" "${PROGRAMMA}"
    WriteRegStr SHCTX "${CHIAVE_DISINSTALLA}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${CHIAVE_DISINSTALLA}" "UninstallString" '"$INSTDIR\Disinstalla.exe"'
    WriteRegStr SHCTX "${CHIAVE_DISINSTALLA}" "QuietUninstallString" '"$INSTDIR\Disinstalla.exe" /S'
    WriteRegDWORD SHCTX "${CHIAVE_DISINSTALLA}" "NoModify" 1
    WriteRegDWORD SHCTX "${CHIAVE_DISINSTALLA}" "NoRepair" 1
    WriteRegDWORD SHCTX "${CHIAVE_DISINSTALLA}" "EstimatedSize" ${DIMENSIONE_KB}
SectionEnd

; The uninstaller knows its mode by its folder: the one that the all-users entry names is for all users.
Function un.onInit
    SetRegView 64
    ReadRegStr $R0 HKLM "${CHIAVE_DISINSTALLA}" "InstallLocation"
    ${If} $R0 == $INSTDIR
        UserInfo::GetAccountType
        Pop $R1
        ${If} $R1 != "Admin"
            !insertmacro ESCI "${PROGRAMMA} è installato per tutti gli utenti del computer: per disinstallarlo serve un amministratore." ${ESITO_SERVE_AMMINISTRATORE}
        ${EndIf}
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Section "Uninstall"
    StrCpy $0 $INSTDIR
    Call un.ControllaChiuso
    Delete "$SMPROGRAMS\${PROGRAMMA}.lnk"
    Delete "$DESKTOP\${PROGRAMMA}.lnk"
    Delete "$SMPROGRAMS\${CON_VOCE}.lnk"
    Delete "$SMPROGRAMS\${UN_SENSORE}.lnk"
    Delete "$SMPROGRAMS\${GUIDA}.lnk"
    !include "${RIMOZIONE}"
    Delete "$INSTDIR\Disinstalla.exe"
    ; Only when empty: whatever else someone put in the folder stays.
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${CHIAVE_DISINSTALLA}"
SectionEnd
