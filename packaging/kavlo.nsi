; The Windows installer, made by cmake/windows-packages.cmake with makensis.
; It installs for the current user alone, without administrator rights, into
; %LOCALAPPDATA%\Programs\Kavlo, with a Start-menu shortcut and an entry in
; Apps & features. /S installs, and uninstalls, silently. The uninstaller
; removes the files it installed and leaves the settings in the registry.
Unicode true
; A 64-bit installer for a 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
; Signed, the installer and the uninstaller it writes, when the packages are.
!ifdef SIGN
    !finalize 'sh "${SIGN}" "%1"' = 0
    !uninstfinalize 'sh "${SIGN}" "%1"' = 0
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavlo"

Name "Kavlo"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kavlo"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "Kavlo ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "Kavlo"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Kavlo ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "The Kavlo developers"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 The Kavlo developers. MIT License."

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
; Asked as the folder page is left, before anything is installed.
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE waitForCopies
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\kavlo.exe"
!insertmacro MUI_PAGE_FINISH
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE un.waitForCopy
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The pages speak the user's language: Japanese on a Japanese Windows.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
LangString running ${LANG_ENGLISH} "Kavlo is running. Close it, then choose Retry."
LangString running ${LANG_JAPANESE} "Kavlo が起動しています。Kavlo を終了してから [再試行] を選んでください。"
LangString notRemoved ${LANG_ENGLISH} "The earlier copy of Kavlo in $R0 could not be removed."
LangString notRemoved ${LANG_JAPANESE} "$R0 にある以前の Kavlo を削除できませんでした。"

; Windows neither replaces nor deletes a program file while it runs, so a copy
; that runs from the folder on the stack (if any) would be left half replaced,
; or orphaned by its own uninstaller. Such a file cannot be opened for writing
; either, which tells it apart without touching it. The user may close Kavlo
; and retry; otherwise, and when silent, this ends with error level 2 before
; anything has changed.
!macro DEFINE_WAIT_FOR_KAVLO prefix
Function ${prefix}waitForKavlo
    Exch $0
    Push $1
  retry:
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\kavlo.exe"
        ClearErrors
        FileOpen $1 "$0\kavlo.exe" a
        ${If} ${Errors}
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(running)" /SD IDCANCEL IDRETRY retry
            SetErrorLevel 2
            Quit
        ${EndIf}
        FileClose $1
    ${EndIf}
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_FOR_KAVLO ""
!insertmacro DEFINE_WAIT_FOR_KAVLO "un."

; The copy in the folder chosen, and an earlier one wherever it was installed,
; whose folder it leaves in $R0.
Function waitForCopies
    Push $INSTDIR
    Call waitForKavlo
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    Push $R0
    Call waitForKavlo
FunctionEnd

Function un.waitForCopy
    Push $INSTDIR
    Call un.waitForKavlo
FunctionEnd

Section
    ; Asked again, as a silent install shows no pages. An earlier copy is
    ; removed by its own uninstaller first, so that no file it had and this
    ; one lacks outlives it, and Apps & features keeps one entry. The settings
    ; stay, as on any uninstall.
    Call waitForCopies
    ${If} $R0 != ""
    ${AndIf} ${FileExists} "$R0\uninstall.exe"
        ClearErrors
        ExecWait '"$R0\uninstall.exe" /S _?=$R0' $0
        ${If} ${Errors}
        ${OrIf} $0 <> 0
            MessageBox MB_ICONSTOP "$(notRemoved)" /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        ; Run in place, it cannot delete itself.
        Delete "$R0\uninstall.exe"
        RMDir "$R0"
    ${EndIf}
    !include "${FILES}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Kavlo.lnk" "$INSTDIR\kavlo.exe" "" "$INSTDIR\kavlo.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kavlo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kavlo.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Kavlo developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Call un.waitForCopy
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when nothing else was put there.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Kavlo.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
