; The Mendwright installer. It writes the programs, README and LICENSE to
; their folder, a Start menu shortcut, the uninstall entry and, when
; ticked, the .wad association, and nothing else; its uninstaller takes all
; of them back and leaves the user's settings, undo records and mods
; ledger unless the user, asked, chooses to remove them too.
; The folder is one of its own, so that it never overwrites, and its
; uninstaller never deletes, a file it did not put there: a chosen folder
; that holds anything but an earlier install gets a "Mendwright" folder
; below it, and where that one holds something too, nothing is installed.
; For the current user by default, needing no administrator rights; for all
; users when started as administrator and chosen. windows/CMakeLists.txt
; builds it and names the packaged files in PACKAGE_NSH.
; Silent: /S, with /D=FOLDER (last), /AllUsers or /CurrentUser, and
; /OpenWadFiles to tick the association.
!include "${PACKAGE_NSH}"

; A 32-bit installer would not run where only 64-bit programs do.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
Name "Mendwright"
OutFile "${OUTFILE}"
BrandingText "Mendwright ${VERSION}"

!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mendwright"
!define SHORTCUT "$SMPROGRAMS\Mendwright.lnk"
!define PROG_ID "Mendwright.wad"
!define CLASSES "Software\Classes"
!define SETTINGS_KEY "Software\Vosk's Mendwright"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Mendwright"
; A second install goes to the folder, and in the mode, of the first.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION KeepGivenFolder
!define MULTIUSER_INSTALLMODE_UNFUNCTION un.KeepUninstallerFolder
!include MultiUser.nsh
!include MUI2.nsh
!include Sections.nsh
; MultiUser's Highest would have Windows ask an administrator's consent at
; every start. The installer asks for none: started as administrator it
; also offers to install for every user.
RequestExecutionLevel user

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The list as wide as the page, so that the association's name shows whole,
; and the description below it.
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!ifdef WINDOWED_PROGRAM
  !define MUI_PAGE_CUSTOMFUNCTION_SHOW FitComponentsPage
  !insertmacro MUI_PAGE_COMPONENTS
!endif
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!ifdef WINDOWED_PROGRAM
  ; Ticked; a silent install shows no page and so starts nothing.
  !define MUI_FINISHPAGE_RUN "$INSTDIR\${WINDOWED_PROGRAM}"
!endif
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey "ProductName" "Mendwright"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Mendwright ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!macro InstallFile NAME
  File "${STAGE}\${NAME}"
!macroend
!macro RemoveFile NAME
  Delete "$INSTDIR\${NAME}"
!macroend

Var GivenFolder
Var UninstallerFolder

; $0: 1 when $INSTDIR is missing, empty or the folder of the earlier
; install in this mode, whose files are the installer's own.
Function IsFolderOfOurOwn
  StrCpy $0 1
  ${DirState} "$INSTDIR" $1
  ${If} $1 == 1
    ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $1 != $INSTDIR
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
FunctionEnd

Function TakeFolderOfOurOwn
  Call IsFolderOfOurOwn
  ${If} $0 == 1
    Return
  ${EndIf}
  StrCpy $INSTDIR "$INSTDIR\Mendwright"
  Call IsFolderOfOurOwn
  ${If} $0 == 1
    Return
  ${EndIf}
  MessageBox MB_ICONSTOP "$INSTDIR already holds other files. Choose an empty folder to install Mendwright in." /SD IDOK
  SetErrorLevel 2
  Quit
FunctionEnd

Section "Mendwright" Programs
  SectionIn RO
  Call TakeFolderOfOurOwn
  SetOutPath "$INSTDIR"
  !insertmacro ForEachPackagedFile InstallFile
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The shortcut starts in the programs' folder.
  !ifdef WINDOWED_PROGRAM
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${WINDOWED_PROGRAM}"
  !else
    CreateShortcut "${SHORTCUT}" "$SYSDIR\cmd.exe" "/k ${CONSOLE_PROGRAM} --help" \
      "$INSTDIR\${CONSOLE_PROGRAM}" 0 SW_SHOWNORMAL "" "Mendwright's command-line tool"
  !endif

  ; The uninstaller takes the mode it was installed in.
  StrCpy $0 "/$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Mendwright"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${UNINSTALLER},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" $0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" $0 /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

!ifdef WINDOWED_PROGRAM
; The space after the name is room for its last letter where the list draws
; the name wider than it measures it (Wine, lacking the dialog's own face).
Section /o "Open .wad files with Mendwright " WadFiles
  ; The type's previous program is kept, to be given back on uninstall.
  ReadRegStr $0 SHCTX "${CLASSES}\.wad" ""
  ${If} $0 != "${PROG_ID}"
  ${AndIf} $0 != ""
    WriteRegStr SHCTX "${CLASSES}\${PROG_ID}" "PreviousDefault" $0
  ${EndIf}
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}" "" "GP4 archive"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\${WINDOWED_PROGRAM},0"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\${WINDOWED_PROGRAM}" "%1"'
  WriteRegStr SHCTX "${CLASSES}\.wad" "" "${PROG_ID}"
  WriteRegStr SHCTX "${CLASSES}\.wad\OpenWithProgids" "${PROG_ID}" ""
  ; SHCNE_ASSOCCHANGED: Explorer shows the new icon and program at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
!endif

!ifdef WINDOWED_PROGRAM
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${Programs} "The programs, README and LICENSE, a Start menu shortcut and an entry in the list of installed programs."
  !insertmacro MUI_DESCRIPTION_TEXT ${WadFiles} "A double click on a .wad file opens it in Mendwright. Uninstalling gives .wad files back to the program they had."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

!define TVM_GETCOUNT 0x1105
!define TVM_GETITEMHEIGHT 0x111C
!define SWP_NOZORDER_NOACTIVATE 0x14

; $R5 to $R8: the left, top, right and bottom of a control of the page, in
; the page's coordinates.
!macro PlaceOnPage CONTROL
  System::Call "*(i,i,i,i)p.r9"
  System::Call "user32::GetWindowRect(p ${CONTROL}, p r9)"
  System::Call "user32::MapWindowPoints(p 0, p $mui.ComponentsPage, p r9, i 2)"
  System::Call "*$9(i.R5,i.R6,i.R7,i.R8)"
  System::Free $9
!macroend
!macro MoveOnPage CONTROL LEFT TOP RIGHT BOTTOM
  IntOp $9 ${RIGHT} - ${LEFT}
  IntOp $8 ${BOTTOM} - ${TOP}
  System::Call "user32::SetWindowPos(p ${CONTROL}, p 0, i ${LEFT}, i ${TOP}, i r9, i r8, i ${SWP_NOZORDER_NOACTIVATE})"
!macroend

; The page leaves the list room for six rows and the description two
; lines, and where its font is taller than the one it was laid out for
; (Wine, lacking the dialog's own face) the description runs past the
; page's end and loses its last line. The list keeps room for its rows and
; one more; the description takes the rest, down to the page's end.
Function FitComponentsPage
  GetDlgItem $R0 $mui.ComponentsPage 1032
  SendMessage $R0 ${TVM_GETCOUNT} 0 0 $0
  SendMessage $R0 ${TVM_GETITEMHEIGHT} 0 0 $1
  System::Call "*(i,i,i,i)p.r9"
  System::Call "user32::GetClientRect(p R0, p r9)"
  System::Call "*$9(i,i,i,i.r2)"
  System::Call "user32::GetClientRect(p $mui.ComponentsPage, p r9)"
  System::Call "*$9(i,i,i,i.r3)"
  System::Free $9
  !insertmacro PlaceOnPage $R0
  ; The list: its frame and its rows, one more than it has.
  IntOp $4 $R8 - $R6
  IntOp $4 $4 - $2
  IntOp $0 $0 + 1
  IntOp $0 $0 * $1
  IntOp $4 $4 + $0
  IntOp $4 $R6 + $4
  ${If} $4 >= $R8
    Return
  ${EndIf}
  IntOp $R1 $R8 - $4
  !insertmacro MoveOnPage $R0 $R5 $R6 $R7 $4
  ; What stands below it moves up as much, the description growing down
  ; to the page's end.
  !insertmacro PlaceOnPage $mui.ComponentsPage.SpaceRequired
  IntOp $R6 $R6 - $R1
  IntOp $R8 $R8 - $R1
  !insertmacro MoveOnPage $mui.ComponentsPage.SpaceRequired $R5 $R6 $R7 $R8
  !insertmacro PlaceOnPage $mui.ComponentsPage.DescriptionTitle
  StrCpy $R2 $R5
  IntOp $R6 $R6 - $R1
  ${If} $R8 > $3
    StrCpy $R8 $3
  ${EndIf}
  StrCpy $R3 $R8
  !insertmacro MoveOnPage $mui.ComponentsPage.DescriptionTitle $R5 $R6 $R7 $R8
  ; The text keeps its margin inside the frame at the bottom as at the sides.
  !insertmacro PlaceOnPage $mui.ComponentsPage.DescriptionText
  IntOp $R6 $R6 - $R1
  IntOp $R8 $R5 - $R2
  IntOp $R8 $R3 - $R8
  !insertmacro MoveOnPage $mui.ComponentsPage.DescriptionText $R5 $R6 $R7 $R8
FunctionEnd
!endif

Function .onInit
  ; /D= sets the folder before MultiUser picks its own.
  StrCpy $GivenFolder $INSTDIR
  !insertmacro MULTIUSER_INIT
  !ifdef WINDOWED_PROGRAM
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/OpenWadFiles" $1
    ${IfNot} ${Errors}
      !insertmacro SelectSection ${WadFiles}
    ${EndIf}
  !endif
FunctionEnd

Function KeepGivenFolder
  ${If} $GivenFolder != ""
    StrCpy $INSTDIR $GivenFolder
  ${EndIf}
FunctionEnd

Function un.onInit
  StrCpy $UninstallerFolder $INSTDIR
  ; An install for all users is taken back with administrator rights:
  ; started without them, the uninstaller asks Windows for them.
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      StrCpy $1 "/AllUsers"
      IfSilent 0 +2
        StrCpy $1 "/AllUsers /S"
      ExecShell "runas" "$UninstallerFolder\${UNINSTALLER}" $1
      Quit
    ${EndIf}
  ${EndIf}
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; The uninstaller removes the folder it sits in, not one the registry names.
Function un.KeepUninstallerFolder
  StrCpy $INSTDIR $UninstallerFolder
FunctionEnd

Section "Uninstall"
  !insertmacro ForEachPackagedFile RemoveFile
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Whatever else the user put in the folder stays, and so does the folder.
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  ReadRegStr $0 SHCTX "${CLASSES}\.wad" ""
  ${If} $0 == "${PROG_ID}"
    ReadRegStr $1 SHCTX "${CLASSES}\${PROG_ID}" "PreviousDefault"
    ${If} $1 == ""
      DeleteRegValue SHCTX "${CLASSES}\.wad" ""
    ${Else}
      WriteRegStr SHCTX "${CLASSES}\.wad" "" $1
    ${EndIf}
  ${EndIf}
  DeleteRegValue SHCTX "${CLASSES}\.wad\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.wad\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.wad"
  DeleteRegKey SHCTX "${CLASSES}\${PROG_ID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; The entry of another install of Mendwright in the same mode stays.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}

  Call un.OfferToRemoveUserData
SectionEnd

; What the programs keep for the user who runs them: the window's settings,
; the undo records and the mods ledger. They stay unless the user says
; otherwise (in silence they stay): a later install takes them up again.
Function un.OfferToRemoveUserData
  ; The user's own folder, also in an uninstall for all users.
  SetShellVarContext current
  StrCpy $1 $LOCALAPPDATA
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetShellVarContext all
  ${EndIf}
  ${If} $1 == ""
    Return
  ${EndIf}
  StrCpy $0 "$1\mendwright"
  ; The key in short, so that it shows on one line.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Mendwright keeps your settings (in the registry), undo records and mods ledger for a later install:$\r$\n$\r$\nHKCU\${SETTINGS_KEY}$\r$\n$0\undo$\r$\n$0\mods$\r$\n$\r$\nRemove them too? The archives stay as they are, but the updates made so far can then no longer be undone or taken out." \
    /SD IDNO IDYES remove
  Return
remove:
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  RMDir /r "$0\undo"
  RMDir /r "$0\mods"
  ; The lock files made for archives on shares that keep no locks go too.
  RMDir /r "$0\locks"
  RMDir "$0"
FunctionEnd
