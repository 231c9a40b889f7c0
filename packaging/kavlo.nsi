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
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The pages speak the user's language: Japanese on a Japanese Windows.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

Section
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
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when nothing else was put there.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Kavlo.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
