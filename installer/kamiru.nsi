; The Kamiru installer. One script makes both installers:
;   ARCH=x86  for 32-bit Windows: the 32-bit programs.
;   ARCH=x64  for 64-bit Windows (NSIS's amd64-unicode target): the 64-bit
;             editor, filters and visualization, plus the 32-bit
;             visualization (KMWMP32) for 32-bit players.
; Both install the Winamp plug-in (always 32-bit: Winamp is a 32-bit program)
; into Winamp's plug-in folder when the user wants it.
;
; Defines given by the build (installer/CMakeLists.txt):
;   ARCH, VERSION, OUTFILE, KMEDIT, KMWMP, KMWMP32 (x64 only), GEN_KMRU,
;   HELPFILE, LICENCE, ICON, and KMFILTERS when the build has the filters.
;
; What it writes, all removed again by the uninstaller:
;   the files below in $INSTDIR, gen_kmru.dll in the Winamp plug-in folder,
;   the COM registrations of kmwmp.dll and kmfilters.dll (by regsvr32),
;   the Start menu folder "Kamiru", the uninstall entry, and the default value
;   of HKCU\Software\Kamiru (the installation folder, where the plug-ins find
;   the help file). The user's settings beside it ("LP", "EP", "APP") and
;   lyrics files are never touched.

!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define DISPLAY_NAME "Kamiru (64-bit)"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  !define DISPLAY_NAME "Kamiru"
!else
  !error "ARCH must be x86 or x64"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kamiru"
!define SETTINGS_KEY "Software\Kamiru"
; The editor holds this mutex while it runs.
!define EDITOR_MUTEX "SingleKMEditInstance"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

Name "Kamiru"
Caption "Kamiru ${VERSION} Setup"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
!if "${ARCH}" == "x64"
  InstallDir "$PROGRAMFILES64\Kamiru"
!else
  InstallDir "$PROGRAMFILES\Kamiru"
!endif
; A new version goes where the last one went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Kamiru"
VIAddVersionKey "FileDescription" "Kamiru Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "See licence.txt"

Var WinampPlugins       ; the folder that receives gen_kmru.dll
Var RegistrationFailed  ; the servers that regsvr32 could not register
Var ProgramFilesX86     ; where 32-bit programs such as Winamp go

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY

!define MUI_PAGE_HEADER_TEXT "Winamp Plug-in Folder"
!define MUI_PAGE_HEADER_SUBTEXT "Choose the folder that holds Winamp's plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_TOP "The Kamiru plug-in for Winamp (gen_kmru.dll) goes into Winamp's Plugins folder. Setup proposes the folder of the Winamp it found; choose another folder if you use a Winamp installed elsewhere."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Winamp's Plugins folder"
!define MUI_DIRECTORYPAGE_VARIABLE $WinampPlugins
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWinampPageUnlessChosen
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------
; regsvr32 runs DllRegisterServer or DllUnregisterServer in a process of the
; DLL's own bitness: System32's regsvr32 for native DLLs, SysWOW64's for
; 32-bit DLLs on 64-bit Windows.

!macro RegisterServer REGSVR32 DLL
  ClearErrors
  ExecWait '"${REGSVR32}" /s "${DLL}"' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    DetailPrint "Could not register ${DLL}"
    StrCpy $RegistrationFailed "$RegistrationFailed$\r$\n${DLL}"
  ${Else}
    DetailPrint "Registered ${DLL}"
  ${EndIf}
!macroend

!macro UnregisterServer REGSVR32 DLL
  ${If} ${FileExists} "${DLL}"
    ExecWait '"${REGSVR32}" /u /s "${DLL}"'
  ${EndIf}
!macroend

; Waits until Kamiru Editor is closed, asking the user; a silent run, or a
; user who cancels, ends the (un)installer with error level 2.
!macro WaitForEditorToClose
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${EDITOR_MUTEX}") p .r0'
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Kamiru Editor is running. Close it, then press Retry." /SD IDCANCEL IDRETRY +3
    SetErrorLevel 2
    Quit
  ${Loop}
!macroend

; ---------------------------------------------------------------------------
; Finding Winamp: the folder Winamp recorded for the user, the folder of its
; uninstaller (Winamp is 32-bit, so its entry is in the 32-bit registry view),
; and the Winamp folder in the 32-bit Program Files folder. A folder counts when it
; holds winamp.exe.

; $R0: a folder that may hold Winamp; sets $WinampPlugins when it does.
Function TakeWinampFolder
  ${If} $WinampPlugins == ""
  ${AndIf} $R0 != ""
  ${AndIf} ${FileExists} "$R0\winamp.exe"
    StrCpy $WinampPlugins "$R0\Plugins"
  ${EndIf}
FunctionEnd

Function FindWinamp
  StrCpy $WinampPlugins ""
  ReadRegStr $R0 HKCU "Software\Winamp" ""
  Call TakeWinampFolder

  SetRegView 32
  ReadRegStr $R1 HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp" "UninstallString"
  SetRegView lastused
  ; The uninstaller's path, quoted or not, possibly followed by options.
  StrCpy $R2 $R1 1
  ${If} $R2 == '"'
    StrCpy $R1 $R1 "" 1
    StrCpy $R3 0
    ${Do}
      StrCpy $R2 $R1 1 $R3
      ${If} $R2 == '"'
      ${OrIf} $R2 == ""
        ${Break}
      ${EndIf}
      IntOp $R3 $R3 + 1
    ${Loop}
    StrCpy $R1 $R1 $R3
  ${EndIf}
  ${If} $R1 != ""
    ${GetParent} $R1 $R0
    Call TakeWinampFolder
  ${EndIf}

  StrCpy $R0 "$ProgramFilesX86\Winamp"
  Call TakeWinampFolder
FunctionEnd

; The Program Files folder of 32-bit programs. (A 64-bit installer's
; $PROGRAMFILES32 names the 64-bit one.)
Function FindProgramFilesX86
  StrCpy $ProgramFilesX86 ""
  !if "${ARCH}" == "x64"
    ReadEnvStr $ProgramFilesX86 "ProgramFiles(x86)"
  !endif
  ${If} $ProgramFilesX86 == ""
    StrCpy $ProgramFilesX86 $PROGRAMFILES
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------

Section "Kamiru Editor and Windows Media Player plug-in" SecMain
  SectionIn RO
  SetShellVarContext all
  StrCpy $RegistrationFailed ""

  SetOutPath "$INSTDIR"
  File "/oname=kmedit.exe" "${KMEDIT}"
  File "/oname=kmwmp.dll" "${KMWMP}"
  !ifdef KMFILTERS
    File "/oname=kmfilters.dll" "${KMFILTERS}"
  !endif
  File "/oname=kmhelp.chm" "${HELPFILE}"
  File "/oname=licence.txt" "${LICENCE}"
  !if "${ARCH}" == "x64"
    SetOutPath "$INSTDIR\x86"
    File "/oname=kmwmp.dll" "${KMWMP32}"
    SetOutPath "$INSTDIR"
  !endif
  WriteUninstaller "$INSTDIR\uninstall.exe"

  !insertmacro RegisterServer "$SYSDIR\regsvr32.exe" "$INSTDIR\kmwmp.dll"
  !ifdef KMFILTERS
    !insertmacro RegisterServer "$SYSDIR\regsvr32.exe" "$INSTDIR\kmfilters.dll"
  !endif
  !if "${ARCH}" == "x64"
    ; For the 32-bit Windows Media Player. Windows without its 32-bit
    ; subsystem cannot start 32-bit programs at all: then there is no 32-bit
    ; player either, and nothing is missing.
    ClearErrors
    ExecWait '"$WINDIR\SysWOW64\regsvr32.exe" /s "$INSTDIR\x86\kmwmp.dll"' $0
    ${If} ${Errors}
      DetailPrint "32-bit programs do not run here: the 32-bit visualization is not registered"
    ${ElseIf} $0 != 0
      DetailPrint "Could not register $INSTDIR\x86\kmwmp.dll"
      StrCpy $RegistrationFailed "$RegistrationFailed$\r$\n$INSTDIR\x86\kmwmp.dll"
    ${Else}
      DetailPrint "Registered $INSTDIR\x86\kmwmp.dll"
    ${EndIf}
  !endif

  ; The plug-ins find the help file through this value.
  WriteRegStr HKCU "${SETTINGS_KEY}" "" "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\Kamiru"
  CreateShortcut "$SMPROGRAMS\Kamiru\Kamiru Editor.lnk" "$INSTDIR\kmedit.exe"
  CreateShortcut "$SMPROGRAMS\Kamiru\Kamiru Help.lnk" "$INSTDIR\kmhelp.chm"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kmedit.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  ${If} $RegistrationFailed != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "These plug-ins could not be registered with Windows:$RegistrationFailed$\r$\n$\r$\nRun Setup again as an administrator." /SD IDOK
    SetErrorLevel 2
  ${EndIf}
SectionEnd

Section "Winamp plug-in" SecWinamp
  ; A plug-in installed before into another folder is replaced, not left behind.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "WinampPlugin"
  ${If} $0 != ""
  ${AndIf} $0 != "$WinampPlugins\gen_kmru.dll"
    Delete "$0"
  ${EndIf}
  SetOutPath "$WinampPlugins"
  File "/oname=gen_kmru.dll" "${GEN_KMRU}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "WinampPlugin" "$WinampPlugins\gen_kmru.dll"
  SetOutPath "$INSTDIR"
SectionEnd

Function SkipWinampPageUnlessChosen
  ${IfNot} ${SectionIsSelected} ${SecWinamp}
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  !if "${ARCH}" == "x86"
    ${If} ${RunningX64}
      MessageBox MB_YESNO|MB_ICONQUESTION "This is the installer for 32-bit Windows. On 64-bit Windows, kamiru-setup-x64.exe installs Kamiru for 64-bit and 32-bit players.$\r$\n$\r$\nInstall the 32-bit Kamiru anyway?" /SD IDYES IDYES +3
      SetErrorLevel 1
      Quit
    ${EndIf}
  !endif
  !insertmacro WaitForEditorToClose
  Call FindProgramFilesX86
  Call FindWinamp
  ${If} $WinampPlugins == ""
    ; Not found: the part starts unticked, with Winamp's usual folder proposed.
    !insertmacro UnselectSection ${SecWinamp}
    StrCpy $WinampPlugins "$ProgramFilesX86\Winamp\Plugins"
  ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} "Kamiru Editor, its audio filters, the Windows Media Player visualization, the help file and the licence."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecWinamp} "The Kamiru window for Winamp 5, in Winamp's Plugins folder."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; ---------------------------------------------------------------------------

Function un.onInit
  !insertmacro WaitForEditorToClose
FunctionEnd

Section "Uninstall"
  SetShellVarContext all

  !insertmacro UnregisterServer "$SYSDIR\regsvr32.exe" "$INSTDIR\kmwmp.dll"
  !insertmacro UnregisterServer "$SYSDIR\regsvr32.exe" "$INSTDIR\kmfilters.dll"
  !if "${ARCH}" == "x64"
    !insertmacro UnregisterServer "$WINDIR\SysWOW64\regsvr32.exe" "$INSTDIR\x86\kmwmp.dll"
  !endif

  ; A player that still holds a plug-in lets it go at the next restart.
  Delete "$INSTDIR\kmedit.exe"
  Delete /REBOOTOK "$INSTDIR\kmwmp.dll"
  Delete /REBOOTOK "$INSTDIR\kmfilters.dll"
  Delete "$INSTDIR\kmhelp.chm"
  Delete "$INSTDIR\licence.txt"
  ; The editor's work file, left by a decoding that did not finish.
  Delete "$INSTDIR\wav.tmp"
  !if "${ARCH}" == "x64"
    Delete /REBOOTOK "$INSTDIR\x86\kmwmp.dll"
    RMDir "$INSTDIR\x86"
  !endif
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: lyrics the user kept here stay.
  RMDir "$INSTDIR"

  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "WinampPlugin"
  ${If} $0 != ""
    Delete /REBOOTOK "$0"
  ${EndIf}

  Delete "$SMPROGRAMS\Kamiru\Kamiru Editor.lnk"
  Delete "$SMPROGRAMS\Kamiru\Kamiru Help.lnk"
  RMDir "$SMPROGRAMS\Kamiru"

  ; The installation folder, unless another installation has set it since.
  ReadRegStr $0 HKCU "${SETTINGS_KEY}" ""
  ${If} $0 == "$INSTDIR"
    DeleteRegValue HKCU "${SETTINGS_KEY}" ""
  ${EndIf}
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
