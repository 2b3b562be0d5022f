; The Mendwright installer. It writes the programs, README and LICENSE to
; their folder, a Start menu shortcut, the uninstall entry and, when
; ticked, the .wad association, and nothing else; its uninstaller takes all
; of them back and leaves the user's settings and undo records alone.
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
; The list as wide as the page, so that the association's name shows whole.
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!ifdef WINDOWED_PROGRAM
  !insertmacro MUI_PAGE_COMPONENTS
!endif
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
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
Section /o "Open .wad files with Mendwright" WadFiles
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
SectionEnd
