; The Dorvane installer for Windows, made with makensis by packaging/windows/CMakeLists.txt:
;   makensis -DVERSION=0.1 -DEXE=dorvane.exe -DREADME=README.md -DLICENCE=copyright -DOUTFILE=setup.exe dorvane.nsi
; It installs for the user who runs it, without administrator rights, into
; %LOCALAPPDATA%\Programs\Dorvane: that folder is the user's own and writable, so the clock keeps
; its ClockSettings.ini beside the program there. A Start-menu entry, an uninstaller and its entry
; in the list of installed programs come with it. Uninstalling removes what was installed, the
; settings file and the clock's start at logon (the Run value "Dorvane").
; /S installs or uninstalls silently; /D=FOLDER (last on the command line) installs elsewhere.

; A 64-bit installer for the 64-bit program (Wine as Debian installs it runs no 32-bit program).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"

!define PRODUCT "Dorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Dorvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 the Dorvane developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\dorvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Dorvane"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Dorvane"
    SetOutPath "$INSTDIR"
    File "/oname=dorvane.exe" "${EXE}"
    File "/oname=README.md" "${README}"
    File "/oname=LICENCE.txt" "${LICENCE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\Dorvane.lnk" "$INSTDIR\dorvane.exe" "" "$INSTDIR\dorvane.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "the Dorvane developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dorvane.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    ; A running clock would keep its file open and save its settings again as it ends.
    nsExec::Exec 'taskkill /IM dorvane.exe'
    Sleep 1000
    DeleteRegValue HKCU "${RUN_KEY}" "Dorvane"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    Delete "$SMPROGRAMS\Dorvane.lnk"
    Delete "$INSTDIR\dorvane.exe"
    Delete "$INSTDIR\README.md"
    Delete "$INSTDIR\LICENCE.txt"
    Delete "$INSTDIR\ClockSettings.ini"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
