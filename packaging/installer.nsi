; Nimbrel's per-user installer. Built by the `dist` target (packaging/CMakeLists.txt), which
; passes the inputs on the command line:
;   makensis -DVERSION=0.21 -DPROGRAM=<Nimbrel.exe> -DLICENSE_TXT=<LICENSE.txt>
;            -DICON=<nimbrel.ico> -DOUTFILE=<setup.exe> installer.nsi
; What it does and the silent switches are described in packaging/README.md.

!macro REQUIRE_DEFINE name
    !ifndef ${name}
        !error "pass ${name} with -D${name}=... (see the top of this file)"
    !endif
!macroend
!insertmacro REQUIRE_DEFINE VERSION
!insertmacro REQUIRE_DEFINE PROGRAM
!insertmacro REQUIRE_DEFINE LICENSE_TXT
!insertmacro REQUIRE_DEFINE ICON
!insertmacro REQUIRE_DEFINE OUTFILE

Unicode true
; Nimbrel.exe is a 64-bit program, so a 64-bit setup loses nobody and needs no 32-bit Wine.
Target amd64-unicode
; No administrator rights asked and none needed: everything goes into the user's own profile
; and HKCU. Nimbrel needs rights only to change autoconfig, and it asks for them itself.
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
; Files get the time they were installed instead of the build time, so two builds of the same
; program give the same setup.exe.
SetDateSave off

!define PRODUCT "Nimbrel"
!define PUBLISHER "The Nimbrel developers"
!define WINDOW_CLASS "Nimbrel.Form1"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nimbrel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Nimbrel .NET"
; How long a running Nimbrel gets to end after being asked: its shutdown pass talks to every
; adapter once, which takes well under a second; 10 s leaves room for a slow Wi-Fi service.
!define END_WAIT_STEPS 40
!define END_WAIT_STEP_MS 250

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
; The per-user programs folder Windows itself uses for per-user installs; an upgrade goes where
; the previous version went.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails hide
; The uninstaller's components page would show "Space required: 0.0 KB", which says nothing.
SpaceTexts none
ShowUninstDetails hide

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

; The MIT license asks for nothing to be accepted: the page informs and moves on with Next.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "${PRODUCT} is free software under the MIT license."
!insertmacro MUI_PAGE_LICENSE "${LICENSE_TXT}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Nimbrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION} Alpha"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "(c) 2026 ${PUBLISHER}"

; Ends every running Nimbrel the way another program is expected to: WM_CLOSE to its window.
; Nimbrel takes a close it did not get from its own user as a request to end and runs its
; shutdown pass, which switches autoconfig back on; killing the process would skip that and
; could leave an adapter without autoconfig. Afterwards the program file is free to be replaced
; or deleted, because the wait is for the process, not only for its window.
; Used by both the installer and the uninstaller, hence a macro for the two copies.
!macro DEFINE_END_RUNNING_NIMBREL prefix
Function ${prefix}EndRunningNimbrel
    Push $0 ; window
    Push $1 ; process id
    Push $2 ; process handle, 0 when it could not be opened
    Push $3 ; wait steps left
    Push $4 ; wait result

    find:
    FindWindow $0 "${WINDOW_CLASS}" ""
    ${If} $0 = 0
        Goto done
    ${EndIf}
    DetailPrint "Asking the running ${PRODUCT} to end"
    ; The process handle is taken before the close, while the process surely still exists.
    System::Call "user32::GetWindowThreadProcessId(p r0, *i 0 r1) i"
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2" ; SYNCHRONIZE
    ; A timeout, so that a program that hangs cannot hang the setup too.
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000

    StrCpy $3 ${END_WAIT_STEPS}
    wait:
    ${If} $2 P<> 0
        System::Call "kernel32::WaitForSingleObject(p r2, i ${END_WAIT_STEP_MS}) i .r4"
        ${If} $4 = 0 ; WAIT_OBJECT_0: the process has ended
            System::Call "kernel32::CloseHandle(p r2)"
            Goto find ; there may be a second copy running
        ${EndIf}
    ${Else}
        ; No handle (another user's process, say): the window going away is all we can see.
        Sleep ${END_WAIT_STEP_MS}
        IsWindow $0 0 find
    ${EndIf}
    IntOp $3 $3 - 1
    ${If} $3 > 0
        Goto wait
    ${EndIf}

    ${If} $2 P<> 0
        System::Call "kernel32::CloseHandle(p r2)"
    ${EndIf}
    ; Still there: most likely it runs with administrator rights, and Windows does not let a
    ; program without them send it messages. Only the user can end it then.
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is still running and did not end when asked.$\r$\n$\r$\nIf it runs with administrator rights, close it from its tray icon, then choose Retry." \
        /SD IDCANCEL IDRETRY find
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
    Abort "${PRODUCT} is still running."

    done:
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_NIMBREL ""
!insertmacro DEFINE_END_RUNNING_NIMBREL "un."

Section "${PRODUCT}" SecProgram
    SectionIn RO
    SetShellVarContext current
    ; A running copy holds Nimbrel.exe open; an upgrade could not replace it.
    Call EndRunningNimbrel

    SetOutPath "$INSTDIR"
    ; A file that cannot be written is skipped without a word in a silent install; a setup that
    ; then reports success would leave the old program in place. So it fails instead.
    ClearErrors
    File "/oname=Nimbrel.exe" "${PROGRAM}"
    File "/oname=LICENSE.txt" "${LICENSE_TXT}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    ${If} ${Errors}
        Abort "Could not write the program files to $INSTDIR."
    ${EndIf}

    ; Straight in the Start menu's Programs list, as Windows 10 and 11 prefer, not in a folder.
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Nimbrel.exe" "" "$INSTDIR\Nimbrel.exe" 0 \
        SW_SHOWNORMAL "" "Keeps Wi-Fi background scanning off"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Nimbrel.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller's components page: the program always goes, the saved choices only when
; asked, so that a reinstall (or an upgrade done as uninstall + install) finds them again.
Section "un.${PRODUCT}" UnSecProgram
    SectionIn RO
    SetShellVarContext current
    ; Before anything is deleted: the program must run its shutdown pass while it still can.
    Call un.EndRunningNimbrel

    ; A program file that stays (still running after all) keeps its Uninstall entry, so that
    ; the uninstall can be run again; nothing is removed before that is known.
    ClearErrors
    Delete "$INSTDIR\Nimbrel.exe"
    ${If} ${Errors}
        Abort "Could not remove $INSTDIR\Nimbrel.exe."
    ${EndIf}

    ; The autostart entry would otherwise start a program that is gone.
    DeleteRegValue HKCU "${RUN_KEY}" "Nimbrel"

    ; Only what the installer put there, and the folder only if that leaves it empty: the user
    ; may have chosen a folder that holds other things.
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Saved choices" UnSecSettings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecProgram} "The program, its Start menu shortcut and its autostart entry."
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "Your choices for autoconfig, background scan, streaming mode and the window. Kept unless ticked, for a later install."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
    ; /REMOVESETTINGS ticks "Saved choices": the way to ask for it in a silent (/S) uninstall.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UnSecSettings}
    ${EndIf}
FunctionEnd
