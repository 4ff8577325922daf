; The Windows installer (made by scripts/package-windows): installs Quillmap for the current user,
; without administrator rights, into %LOCALAPPDATA%\Programs\Quillmap, with a Start-menu entry,
; the .qmp file type and an uninstaller listed in Apps. The uninstaller removes the installed files
; and our registry keys, and leaves projects and other files the user put anywhere alone.
;   makensis -DVERSION=2.0 -DFILES=files.nsh -DREMOVE=remove.nsh -DOUTFILE=setup.exe quillmap.nsi
; A 64-bit installer: the program is 64-bit, and so is the wine that tests it.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Quillmap"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmap"
!define CLASSES "Software\Classes"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quillmap"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillmap.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Quillmap"
  SetShellVarContext current
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quillmap.lnk" "$INSTDIR\quillmap.exe"

  ; The .qmp file type, as the program's own association question writes it.
  WriteRegStr HKCU "${CLASSES}\.qmp" "" "QMAPFile"
  WriteRegStr HKCU "${CLASSES}\QMAPFile" "" "Quillmap Project"
  WriteRegStr HKCU "${CLASSES}\QMAPFile\DefaultIcon" "" "$INSTDIR\quillmap.exe,0"
  WriteRegStr HKCU "${CLASSES}\QMAPFile\shell\open\command" "" '"$INSTDIR\quillmap.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillmap.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Zentavo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Quillmap.lnk"
  !include "${REMOVE}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The file type only while it is still ours: another program may have taken .qmp since.
  ReadRegStr $0 HKCU "${CLASSES}\.qmp" ""
  StrCmp $0 "QMAPFile" 0 +2
    DeleteRegKey HKCU "${CLASSES}\.qmp"
  DeleteRegKey HKCU "${CLASSES}\QMAPFile"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ; The program's settings and its never-ask marks.
  DeleteRegKey HKCU "Software\Zentavo\Quillmap"
  DeleteRegKey HKCU "Software\Zentavo\Quillmap_${VERSION}"
  DeleteRegKey /ifempty HKCU "Software\Zentavo"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
