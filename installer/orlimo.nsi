; Orlimo's setup program and uninstaller.
;
; The setup program puts Orlimo.exe, OrlimoGuard.exe, VarnRunCom.exe and the four sound cues into
; one folder with the system's default rights (Users may read and run, not change: a program that
; starts in the parent's log-on must not be replaceable from a child's account). The family's
; Setup.ini and Logs.txt live in a data folder, %ProgramData%\Orlimo, that only SYSTEM and
; Administrators may open: the guard, the service OrlimoGuard running as LocalSystem, is their one
; writer, and Orlimo.exe in each log-on session asks it over its pipe. The folder is recorded in
; HKLM\SOFTWARE\Orlimo, value DataFolder, beside Guarded = 1. The service starts automatically,
; also in Safe Mode, and is restarted by the system when it fails. Orlimo starts at every log-on
; through the machine-wide Run value VarnTime, and the guard starts it again where it is missing.
; Setup.ini and Logs.txt are never shipped. An upgrade from a version that kept them in the program
; folder moves them to the data folder unchanged and takes back the right to change the program
; folder that version gave to Users; an upgrade from one that let Users change the data folder
; takes that right back. Either leaves the mark ParentPasswordExposed in the data folder: children
; could read the parent password there, and the console asks the parent for a new one.
;
; Nothing a child made is adopted. The program folder and every entry in it are taken over by
; Administrators (takeown) before their rights are set explicitly, wherever the folder is: SYSTEM
; and Administrators full control, Users read and run, nothing inherited from the folder above.
; What the setup program did not ship is set aside into a new folder "Set aside <n>" in the data
; folder. The program folder must be new, empty or hold an Orlimo.exe: any other folder is refused.
; A data folder that no earlier installation recorded (HKLM\SOFTWARE\Orlimo, value DataFolder, or
; KeptDataFolder where the uninstaller kept the family's data) is not Orlimo's: it is renamed
; "<folder> (set aside <n>)", kept for the parent, and a new one is made. The finish page names
; whatever was set aside.
;
; Built by the Windows build:
;   makensis -DVERSION=<version> -DDIST=<build>/dist -DOUTFILE=<build>/Orlimo-<version>-setup.exe orlimo.nsi
; Silent use: Orlimo-<version>-setup.exe /S [/D=C:\folder]   uninstall.exe /S (keeps the family data)

Unicode true
; Orlimo is a 64-bit program: the setup program is one too, so it sees the same Program Files
; folder and registry view as the program that later deletes VarnTime.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!ifndef VERSION
  !error "define VERSION, the project's version: makensis -DVERSION=<major.minor.patch>"
!endif
!ifndef DIST
  !error "define DIST, the program folder holding Orlimo.exe, VarnRunCom.exe and the WAV files"
!endif
!ifndef OUTFILE
  !define OUTFILE "Orlimo-${VERSION}-setup.exe"
!endif

!define PRODUCT "Orlimo"
!define PUBLISHER "Orlimo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "VarnTime"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orlimo"
!define UNINSTALLER "uninstall.exe"
!define ORLIMO_KEY "Software\Orlimo"
!define DATA_FOLDER_VALUE "DataFolder"
; Where the uninstaller leaves the data folder it kept, so that a new installation takes it back.
!define KEPT_DATA_FOLDER_VALUE "KeptDataFolder"
!define GUARDED_VALUE "Guarded"
; The guard's service, and the keys that let it start in Safe Mode too.
!define SERVICE "OrlimoGuard"
!define SERVICE_DISPLAY_NAME "Orlimo 보호"
!define SAFE_BOOT_KEY "SYSTEM\CurrentControlSet\Control\SafeBoot"
; What the parent's console leaves in the data folder when it removes Orlimo for good; a new
; installation takes it away, so that the guard cares for the sessions again.
!define REMOVED_MARK "Removed"
; What an upgrade leaves in the data folder when the family's Setup.ini sat where children could
; read it: the parent's console then asks for a new parent password.
!define EXPOSED_MARK "ParentPasswordExposed"
; This installation's folder, in the data folder, for what it found and did not ship.
!define SET_ASIDE "Set aside"
; Groups named by their SIDs, so that the rights are right on Windows in any language.
!define SID_SYSTEM "*S-1-5-18"
!define SID_ADMINISTRATORS "*S-1-5-32-544"
!define SID_USERS "*S-1-5-32-545"
; The rights of the program folder and of the data folder, inherited by everything in them.
!define PROGRAM_FOLDER_RIGHTS "${SID_SYSTEM}:(OI)(CI)F ${SID_ADMINISTRATORS}:(OI)(CI)F ${SID_USERS}:(OI)(CI)RX"
!define DATA_FOLDER_RIGHTS "${SID_SYSTEM}:(OI)(CI)F ${SID_ADMINISTRATORS}:(OI)(CI)F"
; The parents' guide, one page, and its shortcut in the Start menu of every user.
!define GUIDE "사용설명서.html"
!define GUIDE_SHORTCUT "$SMPROGRAMS\Orlimo\사용 설명서.lnk"
; Paths are relative to this folder (makensis works from the script's folder).
!define ICON "../src/win32/resources/orlimo.ico"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Orlimo"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

; ---- Pages -------------------------------------------------------------------------------------
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The chosen language is kept with the registration, so the uninstaller speaks it too.
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${UNINST_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
!define MUI_LANGDLL_WINDOWTITLE "설치 언어 / Installer Language"
!define MUI_LANGDLL_INFO "설치에 쓸 언어를 고르십시오.$\r$\nPlease select a language."

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; No offer to start Orlimo: the setup program runs as an administrator, and whatever it started
; would too, in the name of whoever gave the consent. Orlimo starts at the next log-on.
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
; Room for the warning about the children's accounts above the offer to read the guide.
!define MUI_FINISHPAGE_TEXT_LARGE
; The offer to read the guide opens it through the desktop's own Explorer: explorer.exe started
; from this elevated program hands the page to the shell already running in the logged-on user's
; session and ends, so the browser runs as that user, not elevated.
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(OpenGuideText)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION OpenGuide
; Room for the lines that name what was set aside, when there are any.
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.RemovalPageCreate un.RemovalPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

; Korean first: it is the default, English is offered beside it.
!insertmacro MUI_LANGUAGE "Korean"
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_RESERVEFILE_LANGDLL

!include "texts.nsh"

; ---- Shared by the setup program and the uninstaller ------------------------------------------
; Sc <arguments>: runs the system's sc with the arguments; its result is on the stack.
!macro Sc arguments
  nsExec::ExecToLog '"$SYSDIR\sc.exe" ${arguments}'
!macroend

; StopOrlimo: stops the guard, which would start Orlimo.exe again, then ends every running
; VarnRunCom.exe and Orlimo.exe, and waits until the program files in $INSTDIR can be replaced.
; The companion goes before Orlimo.exe, because it would start Orlimo.exe again; it is stopped once
; more afterwards in case Orlimo.exe started it while being stopped.
!macro DEFINE_STOP_ORLIMO prefix
Function ${prefix}StopOrlimo
  DetailPrint "$(StoppingText)"
  !insertmacro Sc 'stop ${SERVICE}'
  Pop $0
  ${If} ${FileExists} "$INSTDIR\OrlimoGuard.exe"
    Push "$INSTDIR\OrlimoGuard.exe"
    Call ${prefix}WaitUntilReplaceable
    ; A guard that did not stop in time is ended.
    ClearErrors
    FileOpen $1 "$INSTDIR\OrlimoGuard.exe" a
    ${If} ${Errors}
      nsExec::ExecToLog '"$SYSDIR\taskkill.exe" /F /IM OrlimoGuard.exe'
      Pop $0
      Push "$INSTDIR\OrlimoGuard.exe"
      Call ${prefix}WaitUntilReplaceable
    ${Else}
      FileClose $1
    ${EndIf}
  ${EndIf}
  nsExec::ExecToLog '"$SYSDIR\taskkill.exe" /F /IM VarnRunCom.exe'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\taskkill.exe" /F /IM Orlimo.exe'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\taskkill.exe" /F /IM VarnRunCom.exe'
  Pop $0
  Push "$INSTDIR\VarnRunCom.exe"
  Call ${prefix}WaitUntilReplaceable
  Push "$INSTDIR\Orlimo.exe"
  Call ${prefix}WaitUntilReplaceable
FunctionEnd

; WaitUntilReplaceable <path>: a stopped program's file stays in use for a moment after taskkill
; returns; wait up to ten seconds until it can be opened for writing.
Function ${prefix}WaitUntilReplaceable
  Exch $R0
  Push $R1
  Push $R2
  StrCpy $R2 0
  ${DoWhile} ${FileExists} "$R0"
    ClearErrors
    FileOpen $R1 "$R0" a
    ${IfNot} ${Errors}
      FileClose $R1
      ${Break}
    ${EndIf}
    ${If} $R2 >= 40
      ${Break}
    ${EndIf}
    Sleep 250
    IntOp $R2 $R2 + 1
  ${Loop}
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro DEFINE_STOP_ORLIMO ""
!insertmacro DEFINE_STOP_ORLIMO "un."

Var DataFolder

; ---- Setup -------------------------------------------------------------------------------------
; 1 when an earlier installation recorded the data folder: it was made by a setup program.
Var DataFolderRecorded
; Where this installation sets aside what it found and did not ship; made at the first need.
Var SetAsideFolder
; The finish page's lines naming what was set aside; empty when nothing was.
Var SetAsideNote
; The path a set-aside text names.
Var SetAsidePath

; Icacls <arguments>: runs the system's icacls with the arguments; a failure leaves a warning in
; the details and the installation goes on.
!macro Icacls arguments
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" ${arguments}'
  Pop $0
  ${If} $0 != 0
    DetailPrint "$(PermissionFailedText)"
  ${EndIf}
!macroend

; TakeOwn <path>: Administrators become the owner of the path (a wildcard takes every entry of a
; folder), whatever its rights say: icacls /setowner cannot force that, takeown /A can. An owner
; may always rewrite the rights, so a child who owned an entry could give them back to itself.
!macro TakeOwn path
  nsExec::ExecToLog '"$SYSDIR\takeown.exe" /F "${path}" /A'
  Pop $0
  ${If} $0 != 0
    DetailPrint "$(OwnershipFailedText)"
  ${EndIf}
!macroend

; RemoveLink <path>: a junction or link at <path> is taken away (the link itself, not what it
; points to). Such a thing in the program or data folder was made by someone else, to turn the
; setup program's rights changes onto another folder.
Function RemoveLink
  Exch $R0
  Push $R1
  ${GetFileAttributes} "$R0" "REPARSE_POINT" $R1
  ${If} $R1 == 1
    DetailPrint "$(LinkRemovedText)"
    RMDir "$R0"
    Delete "$R0"
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd

; RemoveLinksIn <folder>: every junction or link directly in the folder is taken away.
Function RemoveLinksIn
  Exch $R2
  Push $R0
  Push $R1
  FindFirst $R0 $R1 "$R2\*"
  ${DoWhile} $R1 != ""
    ${If} $R1 != "."
    ${AndIf} $R1 != ".."
      Push "$R2\$R1"
      Call RemoveLink
    ${EndIf}
    FindNext $R0 $R1
  ${Loop}
  FindClose $R0
  Pop $R1
  Pop $R0
  Pop $R2
FunctionEnd

; TakeFolder <folder> <rights>: the folder and what is directly in it become Administrators' and
; get exactly the rights given, nothing inherited from above; first the folder itself, so that
; nobody else can add an entry (or a link) any more, then its entries, with the links among them
; taken away. Only one level: a walk through a tree could be turned by a link onto another folder.
!macro TakeFolder folder rights
  !insertmacro TakeOwn "${folder}"
  !insertmacro Icacls '"${folder}" /reset /L /C /Q'
  !insertmacro Icacls '"${folder}" /inheritance:r /grant:r ${rights} /L /C /Q'
  Push "${folder}"
  Call RemoveLinksIn
  !insertmacro TakeOwn "${folder}\*"
  !insertmacro Icacls '"${folder}\*" /reset /L /C /Q'
!macroend

; NoteSetAside: the finish page names $SetAsidePath.
Function NoteSetAside
  StrCpy $SetAsideNote "$SetAsideNote$\r$\n$(SetAsideNoteText)"
FunctionEnd

; SetAside <path>: the entry is moved into this installation's set-aside folder in the data
; folder, which nobody but SYSTEM and Administrators can change; it is left where it is, with a
; warning, when it cannot be moved.
Function SetAside
  Exch $R0
  Push $R1
  ${If} $SetAsideFolder == ""
    StrCpy $R1 1
    ${DoWhile} ${FileExists} "$DataFolder\${SET_ASIDE} $R1"
      IntOp $R1 $R1 + 1
    ${Loop}
    StrCpy $SetAsideFolder "$DataFolder\${SET_ASIDE} $R1"
    CreateDirectory "$SetAsideFolder"
    StrCpy $SetAsidePath "$SetAsideFolder"
    Call NoteSetAside
  ${EndIf}
  ${GetFileName} "$R0" $R1
  ClearErrors
  Rename "$R0" "$SetAsideFolder\$R1"
  ${If} ${Errors}
    DetailPrint "$(SetAsideFailedText)"
  ${Else}
    DetailPrint "$(SetAsideText)"
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd

; IsShipped <name>: 1 for what the setup program puts in the program folder, and for the family's
; files an earlier version kept there (MoveFamilyFile moves them); 0 for anything else.
Function IsShipped
  Exch $R0
  ${Switch} $R0
    ${Case} "Orlimo.exe"
    ${Case} "OrlimoGuard.exe"
    ${Case} "VarnRunCom.exe"
    ${Case} "CHIMES.WAV"
    ${Case} "BUTTON.WAV"
    ${Case} "CASHREG.WAV"
    ${Case} "GLASS.WAV"
    ${Case} "${GUIDE}"
    ${Case} "${UNINSTALLER}"
    ${Case} "Setup.ini"
    ${Case} "Logs.txt"
      StrCpy $R0 1
      ${Break}
    ${Default}
      StrCpy $R0 0
  ${EndSwitch}
  Exch $R0
FunctionEnd

; SetAsideAllIn <folder> <1: keep what is shipped>: every other entry of the folder is set aside
; (a shipped name that is a folder too).
Function SetAsideAllIn
  Exch $R3
  Exch
  Exch $R2
  Push $R0
  Push $R1
  Push $R4
  FindFirst $R0 $R1 "$R2\*"
  ${DoWhile} $R1 != ""
    ${If} $R1 != "."
    ${AndIf} $R1 != ".."
    ${AndIf} "$R2\$R1" != $SetAsideFolder
      StrCpy $R4 0
      ${If} $R3 == 1
      ${AndIfNot} ${FileExists} "$R2\$R1\*.*"
        Push $R1
        Call IsShipped
        Pop $R4
      ${EndIf}
      ${If} $R4 == 0
        Push "$R2\$R1"
        Call SetAside
      ${EndIf}
    ${EndIf}
    FindNext $R0 $R1
  ${Loop}
  FindClose $R0
  Pop $R4
  Pop $R1
  Pop $R0
  Pop $R2
  Pop $R3
FunctionEnd

; IsOrlimoFolder <folder>: 1 when the folder may be Orlimo's program folder: it does not exist
; yet, it is empty, or it holds an Orlimo.exe (an earlier Orlimo). Any other folder holds
; somebody's files, which the program folder's rights and set-aside must not reach.
Function IsOrlimoFolder
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R2 1
  StrLen $R1 "$R0"
  ${If} $R1 <= 3
    StrCpy $R2 0
  ${ElseIf} ${FileExists} "$R0\*.*"
  ${AndIfNot} ${FileExists} "$R0\Orlimo.exe"
    FindFirst $R3 $R1 "$R0\*"
    ${DoWhile} $R1 != ""
      ${If} $R1 != "."
      ${AndIf} $R1 != ".."
        StrCpy $R2 0
        ${Break}
      ${EndIf}
      FindNext $R3 $R1
    ${Loop}
    FindClose $R3
  ${EndIf}
  StrCpy $R0 $R2
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

; The folder page lets only such a folder be chosen.
Function .onVerifyInstDir
  Push "$INSTDIR"
  Call IsOrlimoFolder
  Pop $0
  ${If} $0 != 1
    Abort
  ${EndIf}
FunctionEnd

; The program folder, made when missing, and everything in it: Administrators' own, with the
; program folder's rights, whatever the folder above gives (outside Program Files too); the
; rights versions that kept the family's data there gave to Users are taken back. What the setup
; program did not ship is set aside.
Function PrepareProgramFolder
  Push "$INSTDIR"
  Call RemoveLink
  CreateDirectory "$INSTDIR"
  !insertmacro TakeFolder "$INSTDIR" "${PROGRAM_FOLDER_RIGHTS}"
  Push "$INSTDIR"
  Push 1
  Call SetAsideAllIn
FunctionEnd

; A data folder no installation recorded is not Orlimo's: a child may have made it, with a
; Setup.ini of its own, before the first installation. It is renamed "<folder> (set aside <n>)",
; beside it, for the parent; renaming never moves it into a folder of that name made meanwhile.
; When it cannot be renamed (a program holds a file in it open), the installation stops.
Function SetAsideDataFolder
  Push $R0
  Push $R1
  StrCpy $R1 1
  ${Do}
    StrCpy $R0 "$DataFolder (set aside $R1)"
    ${IfNot} ${FileExists} "$R0"
      ClearErrors
      Rename "$DataFolder" "$R0"
      ${IfNot} ${Errors}
        StrCpy $SetAsidePath "$R0"
        Call NoteSetAside
        DetailPrint "$(DataFolderSetAsideText)"
        ${Break}
      ${EndIf}
      ${IfNot} ${FileExists} "$R0"
        DetailPrint "$(DataFolderInUseText)"
        MessageBox MB_ICONSTOP "$(DataFolderInUseText)" /SD IDOK
        SetErrorLevel 2
        Quit
      ${EndIf}
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}
  Pop $R1
  Pop $R0
FunctionEnd

; The data folder: the recorded one kept, any other set aside and a new one made; owned by
; Administrators, SYSTEM and Administrators full control, Users nothing, no other rights,
; inherited or not, for the folder and each entry in it. In a folder just made, anything found
; once nobody else can write there any more is set aside.
Function PrepareDataFolder
  Push $R0
  Push "$DataFolder"
  Call RemoveLink
  ${If} $DataFolderRecorded != 1
  ${AndIf} ${FileExists} "$DataFolder"
    Call SetAsideDataFolder
  ${EndIf}
  StrCpy $R0 0
  ${IfNot} ${FileExists} "$DataFolder\*.*"
    Delete "$DataFolder"
    CreateDirectory "$DataFolder"
    StrCpy $R0 1
  ${EndIf}
  !insertmacro TakeFolder "$DataFolder" "${DATA_FOLDER_RIGHTS}"
  ${If} $R0 == 1
    Push "$DataFolder"
    Push 0
    Call SetAsideAllIn
  ${EndIf}
  Pop $R0
FunctionEnd

; The parent password sat where children could read it: the console asks for a new one.
Function MarkParentPasswordExposed
  FileOpen $0 "$DataFolder\${EXPOSED_MARK}" w
  FileWrite $0 "1"
  FileClose $0
FunctionEnd

; RegisterGuard: the service OrlimoGuard, as LocalSystem, started with Windows, restarted by the
; system when it fails, also in Safe Mode (with and without networking). An existing registration
; (an upgrade) is brought to the same settings.
Function RegisterGuard
  DetailPrint "$(RegisteringGuardText)"
  !insertmacro Sc 'create ${SERVICE} binPath= "\"$INSTDIR\OrlimoGuard.exe\"" DisplayName= "${SERVICE_DISPLAY_NAME}" start= auto obj= LocalSystem'
  Pop $0
  ${If} $0 != 0
    !insertmacro Sc 'config ${SERVICE} binPath= "\"$INSTDIR\OrlimoGuard.exe\"" DisplayName= "${SERVICE_DISPLAY_NAME}" start= auto obj= LocalSystem'
    Pop $0
    ${If} $0 != 0
      DetailPrint "$(GuardFailedText)"
    ${EndIf}
  ${EndIf}
  ; Restarted 5 s after each failure; the count of failures is forgotten after a day. A failure
  ; is also a stop the guard reports itself with an error.
  !insertmacro Sc 'failure ${SERVICE} reset= 86400 actions= restart/5000/restart/5000/restart/5000'
  Pop $0
  !insertmacro Sc 'failureflag ${SERVICE} 1'
  Pop $0
  WriteRegStr HKLM "${SAFE_BOOT_KEY}\Minimal\${SERVICE}" "" "Service"
  WriteRegStr HKLM "${SAFE_BOOT_KEY}\Network\${SERVICE}" "" "Service"
FunctionEnd

; MoveFamilyFile <name>: a Setup.ini or Logs.txt left in the program folder by an earlier version
; is copied byte for byte into the data folder and then deleted from the program folder; a
; Setup.ini moved so leaves the mark that the parent password was exposed. A file of
; that name the data folder holds already wins; the old one is kept beside it, ".old" added (a
; number after that when the name is taken). A copy that fails leaves the old file where it is.
Function MoveFamilyFile
  Exch $R0
  Push $R1
  Push $R2
  ${If} ${FileExists} "$INSTDIR\$R0"
    Push "$INSTDIR\$R0"
    Call RemoveLink
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\$R0"
    StrCpy $R1 "$DataFolder\$R0"
    ${If} ${FileExists} "$R1"
      StrCpy $R1 "$DataFolder\$R0.old"
      StrCpy $R2 1
      ${DoWhile} ${FileExists} "$R1"
        IntOp $R2 $R2 + 1
        StrCpy $R1 "$DataFolder\$R0.old$R2"
      ${Loop}
    ${EndIf}
    ClearErrors
    CopyFiles /SILENT "$INSTDIR\$R0" "$R1"
    ${If} ${Errors}
    ${OrIfNot} ${FileExists} "$R1"
      DetailPrint "$(MoveFailedText)"
    ${Else}
      DetailPrint "$(MovedText)"
      Delete "$INSTDIR\$R0"
      ${If} $R0 == "Setup.ini"
        Call MarkParentPasswordExposed
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

; The finish page's text grows by half when it names what was set aside, and the offer to read
; the guide moves down as much.
Function FinishPageShow
  ${If} $SetAsideNote != ""
    System::Call "*(i, i, i, i) p.r1"
    System::Call "user32::GetWindowRect(p $mui.FinishPage.Text, p r1)"
    System::Call "user32::MapWindowPoints(p 0, p $mui.FinishPage, p r1, i 2)"
    System::Call "*$1(i .r2, i .r3, i .r4, i .r5)"
    IntOp $6 $5 - $3
    IntOp $6 $6 / 2
    IntOp $7 $5 - $3
    IntOp $7 $7 + $6
    IntOp $8 $4 - $2
    ; SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE
    System::Call "user32::SetWindowPos(p $mui.FinishPage.Text, p 0, i 0, i 0, i r8, i r7, i 0x16)"
    System::Call "user32::GetWindowRect(p $mui.FinishPage.ShowReadme, p r1)"
    System::Call "user32::MapWindowPoints(p 0, p $mui.FinishPage, p r1, i 2)"
    System::Call "*$1(i .r2, i .r3)"
    IntOp $3 $3 + $6
    ; SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE
    System::Call "user32::SetWindowPos(p $mui.FinishPage.ShowReadme, p 0, i r2, i r3, i 0, i 0, i 0x15)"
    System::Free $1
  ${EndIf}
FunctionEnd

Function OpenGuide
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${GUIDE}"'
FunctionEnd

Function .onInit
  SetRegView 64
  SetShellVarContext all
  StrCpy $DataFolder "$APPDATA\${PRODUCT}"
  StrCpy $DataFolderRecorded 0
  ReadRegStr $0 HKLM "${ORLIMO_KEY}" "${DATA_FOLDER_VALUE}"
  ${If} $0 == ""
    ReadRegStr $0 HKLM "${ORLIMO_KEY}" "${KEPT_DATA_FOLDER_VALUE}"
  ${EndIf}
  ${If} $0 != ""
    StrCpy $DataFolder $0
    StrCpy $DataFolderRecorded 1
  ${EndIf}
  ; Korean is preselected whatever the language of Windows; a language chosen before wins.
  StrCpy $LANGUAGE ${LANG_KOREAN}
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Section "Orlimo" SecProgram
  SectionIn RO
  SetRegView 64
  SetShellVarContext all

  Push "$INSTDIR"
  Call IsOrlimoFolder
  Pop $0
  ${If} $0 != 1
    DetailPrint "$(NotOrlimoFolderText)"
    MessageBox MB_ICONSTOP "$(NotOrlimoFolderText)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  Call StopOrlimo

  ; An installation of the version before the guard whose data folder Users could change.
  ReadRegStr $1 HKLM "${ORLIMO_KEY}" "${DATA_FOLDER_VALUE}"
  ReadRegDWORD $2 HKLM "${ORLIMO_KEY}" "${GUARDED_VALUE}"
  Call PrepareDataFolder
  ${If} $1 != ""
  ${AndIf} $2 != 1
  ${AndIf} ${FileExists} "$DataFolder\Setup.ini"
    Call MarkParentPasswordExposed
  ${EndIf}
  Call PrepareProgramFolder

  SetOutPath "$INSTDIR"
  SetOverwrite on
  ; Setup.ini and Logs.txt are the family's: never shipped, never touched.
  File "${DIST}/Orlimo.exe"
  File "${DIST}/OrlimoGuard.exe"
  File "${DIST}/VarnRunCom.exe"
  File "${DIST}/CHIMES.WAV"
  File "${DIST}/BUTTON.WAV"
  File "${DIST}/CASHREG.WAV"
  File "${DIST}/GLASS.WAV"
  File "${DIST}/${GUIDE}"
  CreateDirectory "$SMPROGRAMS\Orlimo"
  CreateShortcut "${GUIDE_SHORTCUT}" "$INSTDIR\${GUIDE}"

  Push "Setup.ini"
  Call MoveFamilyFile
  Push "Logs.txt"
  Call MoveFamilyFile
  Delete "$DataFolder\${REMOVED_MARK}"
  ; Orlimo.exe and the guard take the data folder from here; without the value Orlimo.exe keeps
  ; its files beside itself. Guarded tells Orlimo.exe to ask the guard for everything.
  WriteRegStr HKLM "${ORLIMO_KEY}" "${DATA_FOLDER_VALUE}" "$DataFolder"
  DeleteRegValue HKLM "${ORLIMO_KEY}" "${KEPT_DATA_FOLDER_VALUE}"
  WriteRegDWORD HKLM "${ORLIMO_KEY}" "${GUARDED_VALUE}" 1

  ; Windows starts Orlimo at every log-on; the console's removal command deletes this value.
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Orlimo.exe"'

  ; Started by the service manager as LocalSystem, not in the parent's name; it starts Orlimo.exe
  ; in each log-on session as that session's user.
  Call RegisterGuard
  !insertmacro Sc 'start ${SERVICE}'
  Pop $0

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" '"$INSTDIR\Orlimo.exe",0'
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKLM "${UNINST_KEY}" "Installer Language" "$LANGUAGE"
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

; ---- Uninstaller -------------------------------------------------------------------------------
Var RemoveFamilyData
Var FamilyDataBox

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  ReadRegStr $DataFolder HKLM "${ORLIMO_KEY}" "${DATA_FOLDER_VALUE}"
  ${If} $DataFolder == ""
    ReadRegStr $DataFolder HKLM "${ORLIMO_KEY}" "${KEPT_DATA_FOLDER_VALUE}"
  ${EndIf}
  ${If} $DataFolder == ""
    StrCpy $DataFolder "$APPDATA\${PRODUCT}"
  ${EndIf}
  StrCpy $RemoveFamilyData ${BST_UNCHECKED}
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

; The one page before removal: what goes, and a box, unticked, to delete the family's data too.
Function un.RemovalPageCreate
  !insertmacro MUI_HEADER_TEXT "$(UnPageTitle)" "$(UnPageSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 24u "$(UnPageText)"
  Pop $0
  ${NSD_CreateText} 0 28u 100% 12u "$INSTDIR"
  Pop $0
  SendMessage $0 ${EM_SETREADONLY} 1 0
  ${NSD_CreateCheckbox} 0 52u 100% 12u "$(UnFamilyDataText)"
  Pop $FamilyDataBox
  ${NSD_SetState} $FamilyDataBox $RemoveFamilyData
  ${NSD_CreateLabel} 12u 66u -12u 24u "$(UnFamilyDataNote)"
  Pop $0
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.RemovalPageLeave
  ${NSD_GetState} $FamilyDataBox $RemoveFamilyData
FunctionEnd

Section "un.Orlimo"
  SetRegView 64
  SetShellVarContext all

  Call un.StopOrlimo
  DetailPrint "$(RemovingGuardText)"
  !insertmacro Sc 'delete ${SERVICE}'
  Pop $0
  DeleteRegKey HKLM "${SAFE_BOOT_KEY}\Minimal\${SERVICE}"
  DeleteRegKey HKLM "${SAFE_BOOT_KEY}\Network\${SERVICE}"
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"

  Delete "$INSTDIR\Orlimo.exe"
  Delete "$INSTDIR\OrlimoGuard.exe"
  Delete "$INSTDIR\VarnRunCom.exe"
  Delete "$INSTDIR\CHIMES.WAV"
  Delete "$INSTDIR\BUTTON.WAV"
  Delete "$INSTDIR\CASHREG.WAV"
  Delete "$INSTDIR\GLASS.WAV"
  Delete "$INSTDIR\${GUIDE}"
  Delete "${GUIDE_SHORTCUT}"
  RMDir "$SMPROGRAMS\Orlimo"
  Delete "$INSTDIR\${UNINSTALLER}"

  ; Only when asked: the settings, the log and the spare copies Orlimo keeps of them (a settings
  ; file it could not read, a replacement interrupted by a power cut, the ones an upgrade kept),
  ; in the data folder and any an earlier version left in the program folder. Silent removal
  ; keeps them.
  ${If} $RemoveFamilyData == ${BST_CHECKED}
    Push "$DataFolder"
    Call un.DeleteFamilyFiles
    Push "$INSTDIR"
    Call un.DeleteFamilyFiles
    RMDir "$DataFolder"
  ${Else}
    DetailPrint "$(UnKeptText)"
  ${EndIf}

  DeleteRegKey HKLM "${UNINST_KEY}"
  ; Kept family data stay recorded, so that a new installation takes them back as its own.
  ${If} $RemoveFamilyData == ${BST_CHECKED}
    DeleteRegKey HKLM "${ORLIMO_KEY}"
  ${Else}
    DeleteRegValue HKLM "${ORLIMO_KEY}" "${DATA_FOLDER_VALUE}"
    DeleteRegValue HKLM "${ORLIMO_KEY}" "${GUARDED_VALUE}"
    WriteRegStr HKLM "${ORLIMO_KEY}" "${KEPT_DATA_FOLDER_VALUE}" "$DataFolder"
  ${EndIf}
  ; The folder goes only when nothing is left in it.
  RMDir "$INSTDIR"
SectionEnd

; un.DeleteFamilyFiles <folder>
Function un.DeleteFamilyFiles
  Exch $R0
  Delete "$R0\Setup.ini"
  Delete "$R0\Setup.ini.bad*"
  Delete "$R0\Setup.ini.tmp"
  Delete "$R0\Setup.ini.old*"
  Delete "$R0\Logs.txt"
  Delete "$R0\Logs.txt.tmp"
  Delete "$R0\Logs.txt.old*"
  Delete "$R0\Family.ini"
  Delete "$R0\Family.ini.bad*"
  Delete "$R0\Family.ini.tmp"
  Delete "$R0\${REMOVED_MARK}"
  Delete "$R0\${EXPOSED_MARK}"
  Pop $R0
FunctionEnd
