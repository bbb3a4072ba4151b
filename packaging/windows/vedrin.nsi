; The Windows installer: the release folder's files into Program Files, a Start-menu entry that
; keeps the files in the user's data folder, and an uninstaller that takes out what it put in.
; makensis -DVERSION=1.2.4 -DFILE_VERSION=1.2.0.4 -DRELEASE=<folder> -DOUTFILE=<setup.exe>
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; The release name says setup; the manifest asks for admin rights itself, so Windows applies no
; installer guesswork to it.
!pragma warning disable 9000

Name "Vedrin"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vedrin"
InstallDirRegKey HKLM "Software\Vedrin" "InstallDir"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "Vedrin"
VIAddVersionKey /LANG=1041 "FileDescription" "Vedrin ${VERSION} のセットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Vedrin developers"

!include "MUI2.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vedrin"

Section "Vedrin"
    SetRegView 64
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${RELEASE}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; As the Linux menu entry: the roster in %LOCALAPPDATA%\vedrin, not in a program folder.
    CreateShortcut "$SMPROGRAMS\Vedrin.lnk" "$INSTDIR\vedrin.exe" "--user-data-folder" \
        "$INSTDIR\vedrin.exe" 0
    WriteRegStr HKLM "Software\Vedrin" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vedrin"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Vedrin developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vedrin.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

; The users' rosters live in their own folders and stay.
Section "Uninstall"
    SetRegView 64
    SetShellVarContext all
    Delete "$SMPROGRAMS\Vedrin.lnk"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\Vedrin"
SectionEnd
