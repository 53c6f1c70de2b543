; The pilot's installer: finds Flight Simulator 2004, copies Skyvane.dll and the guide into its
; Modules folder and registers an uninstaller that keeps the pilot's settings unless told not to.
; Built by installer/CMakeLists.txt: makensis -DDLL=... -DGUIDE=... -DOUTFILE=... skyvane.nsi
; Silent: Skyvane-2.0-setup.exe /S [/D=simulator folder]; a silent run that cannot install writes
; the reason to standard error and ends with EXIT_REFUSED.
Unicode true
ManifestDPIAware true
; The simulator lives under Program Files and the uninstall entry under HKLM: both need rights.
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

; One version for the DLL and its installer: the DLL's own version resource.
!getdllversion "${DLL}" DLL_VERSION_
!define VERSION "${DLL_VERSION_1}.${DLL_VERSION_2}"
!define PRODUCT "Skyvane ${VERSION}"
; The simulator's setup writes its folder as "EXE Path" here (on 64-bit Windows a 32-bit setup's
; key lies under Wow6432Node, which this 32-bit installer reads by default).
!define SIM_KEY "SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\9.0"
!define SIM_EXE "fs9.exe"
!define SIM_WINDOW_CLASS "FS98MAIN"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Skyvane"
!define MODULE_FILE "Skyvane.dll"
!define GUIDE_FILE "Skyvane-guide.txt"
!define UNINSTALLER_FILE "Skyvane-uninstall.exe"
!define SETTINGS_FILE "Skyvane.ini"
!define EXIT_REFUSED 2
!define STD_ERROR_HANDLE -12

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT}"
VIProductVersion "${DLL_VERSION_1}.${DLL_VERSION_2}.${DLL_VERSION_3}.${DLL_VERSION_4}"
VIAddVersionKey ProductName "Skyvane"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} setup: pass-by camera for Flight Simulator 2004"
VIAddVersionKey LegalCopyright "Copyright (C) 2026 the Skyvane developers"

Var FolderNote ; the directory page's top text: whether the simulator was found
Var ModulesCreated

!define MUI_ABORTWARNING
!define MUI_PAGE_HEADER_TEXT "Flight Simulator 2004 folder"
!define MUI_PAGE_HEADER_SUBTEXT "Skyvane goes into the simulator's Modules folder."
!define MUI_DIRECTORYPAGE_TEXT_TOP "$FolderNote"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Flight Simulator 2004 folder (the one holding ${SIM_EXE})"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckSimulatorFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Skyvane is in the simulator's Modules folder.$\r$\n$\r$\nStart Flight Simulator 2004: the Modules menu has a Skyvane entry, and Shift+F switches the pass-by view on and off."
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Modules\${GUIDE_FILE}"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the pilot's guide"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_HEADER_TEXT "Uninstall ${PRODUCT}"
!define MUI_PAGE_HEADER_SUBTEXT "Your settings stay unless you choose to remove them."
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "Skyvane's module, guide and uninstaller are removed from the Modules folder. Your settings (${SETTINGS_FILE}) stay for a later installation unless you tick the box."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE English

; Tells the pilot why setup cannot go on: a message box, or in a silent run standard error and the
; exit code. $0 holds the reason.
!macro REFUSE_FUNCTION un
Function ${un}Refuse
    ${If} ${Silent}
        System::Call 'kernel32::GetStdHandle(i ${STD_ERROR_HANDLE}) p.r1'
        StrCpy $0 "$0$\r$\n"
        StrLen $2 $0
        System::Call 'kernel32::WriteFile(p r1, m r0, i r2, *i .r3, p 0)'
        SetErrorLevel ${EXIT_REFUSED}
        Quit
    ${EndIf}
    MessageBox MB_OK|MB_ICONEXCLAMATION "$0"
    Abort
FunctionEnd
!macroend
!insertmacro REFUSE_FUNCTION ""
!insertmacro REFUSE_FUNCTION "un."

; A running simulator holds the DLL open: setup says so and waits for it to close rather than fail
; to replace a file in use. Deleting the old DLL is the test; it goes anyway. $R0 is its folder.
!macro DELETE_MODULE_FUNCTION un
Function ${un}DeleteModuleWhenFree
    retry:
    FindWindow $0 "${SIM_WINDOW_CLASS}"
    ${If} $0 = 0
        ClearErrors
        Delete "$R0\${MODULE_FILE}"
        ${IfNot} ${Errors}
            Return
        ${EndIf}
    ${EndIf}
    ${If} ${Silent}
        StrCpy $0 "Flight Simulator 2004 is running: close it, then run setup again."
        Call ${un}Refuse
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Flight Simulator 2004 is running and uses Skyvane.$\r$\n$\r$\nClose the simulator, then click Retry." IDRETRY retry
    Abort
FunctionEnd
!macroend
!insertmacro DELETE_MODULE_FUNCTION ""
!insertmacro DELETE_MODULE_FUNCTION "un."

; The folder the simulator's setup registered, without a trailing backslash or executable name.
Function FindSimulatorFolder
    ReadRegStr $0 HKLM "${SIM_KEY}" "EXE Path"
    ${If} $0 == ""
    ${AndIf} ${RunningX64}
        SetRegView 64
        ReadRegStr $0 HKLM "${SIM_KEY}" "EXE Path"
        SetRegView 32
    ${EndIf}
    ${GetFileName} "$0" $1
    ${If} $1 == "${SIM_EXE}"
        ${GetParent} "$0" $0
    ${EndIf}
    StrCpy $1 "$0" 1 -1
    ${If} $1 == "\"
        StrCpy $0 "$0" -1
    ${EndIf}
    StrCpy $INSTDIR "$0"
FunctionEnd

Function .onInit
    ; /D= has set $INSTDIR already; otherwise the simulator's own key tells where it is.
    ${If} $INSTDIR == ""
        Call FindSimulatorFolder
    ${EndIf}
    ${If} $INSTDIR == ""
        StrCpy $FolderNote "Setup did not find Flight Simulator 2004 on this computer. Click Browse and choose the simulator's folder, the one holding ${SIM_EXE}."
    ${Else}
        StrCpy $FolderNote "Setup found Flight Simulator 2004 in the folder below. To install Skyvane for another copy of the simulator, click Browse and choose its folder."
    ${EndIf}
    ${If} ${Silent}
        Call CheckSimulatorFolder
    ${EndIf}
FunctionEnd

Function CheckSimulatorFolder
    ${If} $INSTDIR == ""
        StrCpy $0 "Flight Simulator 2004 is not registered on this computer: choose the folder that holds ${SIM_EXE} (silent setup: /D=folder)."
        Call Refuse
    ${ElseIfNot} ${FileExists} "$INSTDIR\${SIM_EXE}"
        StrCpy $0 "$INSTDIR does not hold Flight Simulator 2004 (${SIM_EXE}): choose the simulator's own folder."
        Call Refuse
    ${EndIf}
FunctionEnd

Section "Skyvane" MODULE_SECTION
    SectionIn RO
    StrCpy $R0 "$INSTDIR\Modules"
    ${IfNot} ${FileExists} "$R0\*.*"
        StrCpy $ModulesCreated 1
    ${EndIf}
    Call DeleteModuleWhenFree
    SetOutPath "$R0"
    File "/oname=${MODULE_FILE}" "${DLL}"
    File "/oname=${GUIDE_FILE}" "${GUIDE}"
    WriteUninstaller "$R0\${UNINSTALLER_FILE}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${PRODUCT} for Flight Simulator 2004"
    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" VersionMajor ${DLL_VERSION_1}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" VersionMinor ${DLL_VERSION_2}
    WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "The Skyvane developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$R0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$R0\${UNINSTALLER_FILE}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$R0\${UNINSTALLER_FILE}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
    ; An update keeps the mark of the first installation, which is the one that made the folder.
    ${If} $ModulesCreated = 1
        WriteRegDWORD HKLM "${UNINSTALL_KEY}" ModulesCreated 1
    ${EndIf}
    SectionGetSize ${MODULE_SECTION} $0
    ${GetSize} "$R0" "/M=${UNINSTALLER_FILE} /S=0K /G=0" $1 $2 $3
    IntOp $0 $0 + $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

; The uninstaller runs from the Modules folder, so there $INSTDIR is that folder.
Section "un.Skyvane: module, guide and uninstaller"
    SectionIn RO
    StrCpy $R0 "$INSTDIR"
    Call un.DeleteModuleWhenFree
    Delete "$INSTDIR\${GUIDE_FILE}"
    Delete "$INSTDIR\${UNINSTALLER_FILE}"
SectionEnd

Section /o "un.Also remove my settings (${SETTINGS_FILE})"
    Delete "$INSTDIR\${SETTINGS_FILE}"
SectionEnd

Section "-un.Uninstall entry"
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" ModulesCreated
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; Only a folder setup made, and only when empty: settings and other modules keep it.
    ${If} $0 = 1
        RMDir "$INSTDIR"
    ${EndIf}
SectionEnd
