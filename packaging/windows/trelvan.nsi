; Trelvan's Windows installer: for the current user only, without administrator
; rights, into %LOCALAPPDATA%\Programs\Trelvan, with a Start-menu entry and an
; uninstaller that removes everything the installer put there.
; makensis -DVERSION=1.0.0 -DEXE=trelvan.exe -DICON=trelvan.ico -DOUTFILE=setup.exe trelvan.nsi

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Trelvan"

Name "Trelvan"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Trelvan"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Trelvan"
VIAddVersionKey /LANG=1033 "FileDescription" "Trelvan installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 The Trelvan developers, MIT License"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Trelvan"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "/oname=trelvan.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Trelvan.lnk" "$INSTDIR\trelvan.exe" "" "$INSTDIR\trelvan.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Trelvan"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\trelvan.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Trelvan developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Trelvan.lnk"
    Delete "$INSTDIR\trelvan.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
