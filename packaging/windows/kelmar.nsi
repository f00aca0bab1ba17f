; Kelmar installer for 64-bit Windows, made by scripts/package-windows with makensis:
;   makensis -DVERSION=x.y.z -DSTAGE=<folder with the program files> -DOUTFILE=<setup.exe> kelmar.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Kelmar"
!define PUBLISHER "VARNOSTIK"
!define SETTINGS_KEY "SOFTWARE\VARNOSTIK\KELMAR\Settings"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelmar"
; The well-known SID of the local Users group: names differ between languages.
!define USERS_SID "*S-1-5-32-545"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "C:\Kelmar"
; A second installation goes where the first one is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${STAGE}\kelmar.ico"
!define MUI_UNICON "${STAGE}\kelmar.ico"
!define MUI_FINISHPAGE_TITLE "${PRODUCT} is installed"
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} is installed in $INSTDIR.$\r$\n$\r$\nThe folders TempData and PartData and the log files in the program folder hold measurements and counters; they were made writable for all users, so operators without administrator rights can run automatic measurements.$\r$\n$\r$\nThe output folder is chosen in Setup at the first start."
!define MUI_FINISHPAGE_RUN "$INSTDIR\kelmar.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Writes a setting of a ready installation unless an earlier installation left one.
!macro SettingIfMissing NAME VALUE
  ClearErrors
  ReadRegStr $0 HKLM "${SETTINGS_KEY}" "${NAME}"
  ${If} ${Errors}
    WriteRegStr HKLM "${SETTINGS_KEY}" "${NAME}" "${VALUE}"
  ${EndIf}
!macroend

; Only the log file itself, not the folder of the executable, so nobody can put a DLL beside it.
!macro WritableLog NAME
  ${IfNot} ${FileExists} "$INSTDIR\${NAME}"
    FileOpen $1 "$INSTDIR\${NAME}" w
    FileClose $1
  ${EndIf}
  nsExec::Exec 'icacls "$INSTDIR\${NAME}" /grant ${USERS_SID}:M'
  Pop $0
!macroend

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Kelmar" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\kelmar.exe"
  File "${STAGE}\kelmar.ico"
  File "${STAGE}\ReadMe.txt"
  SetOutPath "$INSTDIR\Languages"
  File "${STAGE}\Languages\*.*"
  ; A plant may have edited its catalogs: an update keeps them.
  SetOutPath "$INSTDIR\Catalogs"
  SetOverwrite off
  File "${STAGE}\Catalogs\*.*"
  SetOverwrite on
  SetOutPath "$INSTDIR\licenses"
  File "${STAGE}\licenses\*.*"

  ; Measurements, counters and logs are written by operators, who are no administrators.
  CreateDirectory "$INSTDIR\TempData"
  CreateDirectory "$INSTDIR\PartData"
  nsExec::Exec 'icacls "$INSTDIR\TempData" /grant ${USERS_SID}:(OI)(CI)M'
  Pop $0
  nsExec::Exec 'icacls "$INSTDIR\PartData" /grant ${USERS_SID}:(OI)(CI)M'
  Pop $0
  ; Only the log files themselves, not the folder of the executable, so nobody can put a DLL beside it.
  SetOutPath "$INSTDIR"
  !insertmacro WritableLog "UploadDebug.txt"
  !insertmacro WritableLog "Kelmar.log"

  !insertmacro SettingIfMissing "CatalogPathName" "$INSTDIR\Catalogs\MyCatalog.dfd"
  !insertmacro SettingIfMissing "ValueFilePath" "$INSTDIR\Catalogs\"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kelmar.exe" "" "$INSTDIR\kelmar.ico"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kelmar.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "un.Kelmar" UnSecProgram
  SectionIn RO
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\kelmar.exe"
  Delete "$INSTDIR\kelmar.ico"
  Delete "$INSTDIR\ReadMe.txt"
  RMDir /r "$INSTDIR\Languages"
  RMDir /r "$INSTDIR\licenses"
  Delete "$INSTDIR\Uninstall.exe"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; TempData, PartData, the logs and the catalogs stay: they hold measurements and a plant's configuration.
  RMDir "$INSTDIR"
SectionEnd

; The catalogs belong to the plant's configuration: they stay with the settings.
Section /o "un.Measurements, waiting files, logs, catalogs and settings" UnSecData
  RMDir /r "$INSTDIR\TempData"
  RMDir /r "$INSTDIR\PartData"
  Delete "$INSTDIR\UploadDebug.txt"
  Delete "$INSTDIR\Kelmar.log"
  Delete "$INSTDIR\*.cfg"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\VARNOSTIK\KELMAR"
  DeleteRegKey /ifempty HKLM "SOFTWARE\VARNOSTIK"
  RMDir /r "$INSTDIR\Catalogs"
  RMDir "$INSTDIR"
SectionEnd
