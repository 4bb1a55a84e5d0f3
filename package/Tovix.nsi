; The installer of the VORNAX TX-LM70RDV Utility: Tovix.exe with its adapter control
; library, the scenario of the simulated card and the read-me, into Program Files, with a
; Start menu folder, an optional start-up entry and a full uninstaller.
;
; makensis -DVERSION=1.2.3.4 -DSTAGE=folder -DOUTFILE=Setup.exe -DEXIT_COMMAND=id Tovix.nsi
;
; Silent use, for administrators:
;   Setup.exe /S [/STARTUP] [/D=C:\path]   a Data.cfg (and a Tovix.ini) beside Setup.exe
;                                          is installed with the program
;   Uninstall.exe /S [/REMOVEDATA]          the user's profiles and settings are kept
;                                          unless /REMOVEDATA is given

; ANSI, so that the installer runs on every Windows the program runs on.
Unicode false
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "VORNAX TX-LM70RDV Utility"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tovix"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Tovix"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "VORNAX"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "VORNAX"

!define MUI_ICON "${STAGE}\Tovix.ico"
!define MUI_UNICON "${STAGE}\Tovix.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tovix.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\ReadMe.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks a running copy of the program to exit as its tray menu's Exit does (it saves its
; profiles first) and waits for it; aborts when it stays.
!macro CLOSE_PROGRAM un
Function ${un}closeProgram
    FindWindow $0 "#32770" "${PRODUCT}"
    ${If} $0 == 0
        Return
    ${EndIf}
    ; Posted, as the tray menu posts it.
    System::Call "user32::PostMessage(p r0, i ${WM_COMMAND}, i ${EXIT_COMMAND}, i 0)"
    StrCpy $1 0
    wait:
        Sleep 250
        FindWindow $0 "#32770" "${PRODUCT}"
        IntOp $1 $1 + 1
        ${If} $0 != 0
        ${AndIf} $1 < 40
            Goto wait
        ${EndIf}
    ; The window goes before the process: it saves the profiles and lets the card go.
    ${If} $0 == 0
        ${IfNot} ${FileExists} "$INSTDIR\Tovix.exe"
            Return
        ${EndIf}
        released:
            ClearErrors
            FileOpen $2 "$INSTDIR\Tovix.exe" a
            ${IfNot} ${Errors}
                FileClose $2
                Return
            ${EndIf}
            Sleep 250
            IntOp $1 $1 + 1
            ${If} $1 < 80
                Goto released
            ${EndIf}
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is still running. Exit it from its tray icon and run this program again." /SD IDOK
    SetErrorLevel 2
    Quit
FunctionEnd
!macroend
!insertmacro CLOSE_PROGRAM ""
!insertmacro CLOSE_PROGRAM "un."

Section "${PRODUCT}" SecProgram
    SectionIn RO
    Call closeProgram
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${STAGE}\Tovix.exe"
    File "${STAGE}\Tovix.dll"
    File "${STAGE}\Tovix.scn"
    File "${STAGE}\ReadMe.txt"
    ; Profiles and settings prepared by an administrator, beside the installer.
    ${If} ${FileExists} "$EXEDIR\Data.cfg"
        CopyFiles /SILENT "$EXEDIR\Data.cfg" "$INSTDIR\Data.cfg"
    ${EndIf}
    ${If} ${FileExists} "$EXEDIR\Tovix.ini"
        CopyFiles /SILENT "$EXEDIR\Tovix.ini" "$INSTDIR\Tovix.ini"
    ${EndIf}

    CreateDirectory "${MENU_FOLDER}"
    CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\Tovix.exe"
    CreateShortcut "${MENU_FOLDER}\Read Me.lnk" "$INSTDIR\ReadMe.txt"
    CreateShortcut "${MENU_FOLDER}\Uninstall.lnk" "$INSTDIR\Uninstall.exe"

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "VORNAX"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tovix.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Start with Windows in the notification area" SecStartup
    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Tovix.exe"'
SectionEnd

Function .onInit
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/STARTUP" $R1
    ${IfNot} ${Errors}
        SectionSetFlags ${SecStartup} ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Section "un.${PRODUCT}" UnSecProgram
    SectionIn RO
    Call un.closeProgram
    SetShellVarContext all
    Delete "$INSTDIR\Tovix.exe"
    Delete "$INSTDIR\Tovix.dll"
    Delete "$INSTDIR\Tovix.scn"
    Delete "$INSTDIR\ReadMe.txt"
    ; What a save cut short leaves: "Data.cfg.tmp", "Data.cfg.tmp2", ...
    Delete "$INSTDIR\Data.cfg.tmp*"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
    Delete "${MENU_FOLDER}\Read Me.lnk"
    Delete "${MENU_FOLDER}\Uninstall.lnk"
    RMDir "${MENU_FOLDER}"
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.My profiles and settings (Data.cfg, Tovix.ini)" UnSecData
    Delete "$INSTDIR\Data.cfg"
    Delete "$INSTDIR\Data.cfg.bad"
    Delete "$INSTDIR\Tovix.ini"
SectionEnd

Section "-un.folder"
    ; Gone unless the user's files are kept in it.
    RMDir "$INSTDIR"
SectionEnd

Function un.onInit
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/REMOVEDATA" $R1
    ${IfNot} ${Errors}
        SectionSetFlags ${UnSecData} ${SF_SELECTED}
    ${EndIf}
FunctionEnd
