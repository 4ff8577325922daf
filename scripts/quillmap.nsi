; The Windows installer (made by scripts/package-windows): installs Quillmap for the current user,
; without administrator rights, into %LOCALAPPDATA%\Programs\Quillmap, with a Start-menu entry,
; the .qmp file type and an uninstaller listed in Apps. The uninstaller removes the installed files,
; the settings and the file type while it opens this copy, and leaves projects and other files the
; user put anywhere alone. Neither replaces nor removes a program that is running: both ask to
; close it first.
;   makensis -DVERSION=2.0 -DVIVERSION=2.0.0.0 -DICON=quillmap.ico -DFILES=files.nsh
;            -DREMOVE=remove.nsh -DOUTFILE=setup.exe quillmap.nsi
; A 64-bit installer: the program is 64-bit, and so is the wine that tests it.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Quillmap"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmap"
!define CLASSES "Software\Classes"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quillmap"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VIVERSION}"
VIFileVersion "${VIVERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Zentavo"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 Zentavo"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "Setup installs ${PRODUCT} ${VERSION} for you alone, without administrator rights, with a Start-menu entry and the .qmp file type.$\r$\n$\r$\nIf Quillmap is running, close it before you go on.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillmap.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_WELCOME
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running program's files cannot be opened for writing (nor replaced, nor deleted): every .exe
; in the program folder is tried until none is in use, or the user gives up and nothing is changed.
!macro CLOSE_RUNNING_PROGRAM UN DOING
Function ${UN}closeRunningProgram
  retry:
  FindFirst $R0 $R1 "$INSTDIR\*.exe"
  next:
    StrCmp $R1 "" done
    StrCmp $R1 "uninstall.exe" skip
    ClearErrors
    FileOpen $R2 "$INSTDIR\$R1" a
    IfErrors running
    FileClose $R2
  skip:
    FindNext $R0 $R1
    Goto next
  running:
    FindClose $R0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Quillmap is running ($INSTDIR\$R1 is in use), so it cannot be ${DOING}.$\r$\n$\r$\nClose every Quillmap window and program, then choose Retry." \
      /SD IDCANCEL IDRETRY retry
    DetailPrint "Quillmap is running: nothing was changed."
    Abort
  done:
  FindClose $R0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_PROGRAM "" "replaced"
!insertmacro CLOSE_RUNNING_PROGRAM "un." "removed"

Section "Quillmap"
  SetShellVarContext current
  Call closeRunningProgram
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
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.closeRunningProgram
  Delete "$SMPROGRAMS\Quillmap.lnk"
  !include "${REMOVE}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The file type only while it opens this copy: the zip's program, or another, may own it since.
  ReadRegStr $0 HKCU "${CLASSES}\QMAPFile\shell\open\command" ""
  StrCmp $0 '"$INSTDIR\quillmap.exe" "%1"' 0 association_done
    ReadRegStr $1 HKCU "${CLASSES}\.qmp" ""
    StrCmp $1 "QMAPFile" 0 +2
      DeleteRegKey HKCU "${CLASSES}\.qmp"
    DeleteRegKey HKCU "${CLASSES}\QMAPFile"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  association_done:
  ; The program's settings (the recent projects among them) and its never-ask marks.
  DeleteRegKey HKCU "Software\Quillmap"
  DeleteRegKey HKCU "Software\Zentavo\Quillmap"
  DeleteRegKey HKCU "Software\Zentavo\Quillmap_${VERSION}"
  DeleteRegKey /ifempty HKCU "Software\Zentavo"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
