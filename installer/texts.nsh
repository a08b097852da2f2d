; The setup program's and the uninstaller's own texts, in Korean and English.
; Included by orlimo.nsi after its MUI_LANGUAGE lines.

LangString WelcomeText ${LANG_KOREAN} "Orlimo ${VERSION}을(를) 설치합니다.$\r$\n$\r$\nOrlimo는 부모님이 정한 하루 사용 시간만큼만 아이들이 컴퓨터를 쓰도록 지켜 줍니다. 설치가 끝나면 다음 로그온부터 모든 사용자의 세션에서 Orlimo가 실행됩니다.$\r$\n$\r$\n설치하려면 관리자 권한이 필요합니다. 계속하려면 [다음]을 누르십시오."
LangString WelcomeText ${LANG_ENGLISH} "This will install Orlimo ${VERSION}.$\r$\n$\r$\nOrlimo keeps children's daily PC time within what their parents allow. Once it is installed, Orlimo starts in every user's session from the next log-on.$\r$\n$\r$\nInstalling needs administrator rights. Click Next to continue."

LangString FinishText ${LANG_KOREAN} "Orlimo를 설치했습니다. 다음 로그온부터 모든 사용자의 세션에서 Orlimo가 실행됩니다.$\r$\n$\r$\nOrlimo 창의 [Setup] 단추로 아이들의 이름과 하루 사용 시간을 정하십시오. 처음 부모 암호는 5927이니 꼭 바꾸어 두십시오."
LangString FinishText ${LANG_ENGLISH} "Orlimo has been installed. It starts in every user's session from the next log-on.$\r$\n$\r$\nUse the Setup button of Orlimo's window to name the children and set their daily minutes. The first parent password is 5927: change it."

LangString StoppingText ${LANG_KOREAN} "실행 중인 Orlimo를 멈춥니다..."
LangString StoppingText ${LANG_ENGLISH} "Stopping Orlimo where it runs..."
LangString PermissionFailedText ${LANG_KOREAN} "경고: 폴더 권한을 정하지 못했습니다 (icacls 결과 $0)."
LangString PermissionFailedText ${LANG_ENGLISH} "Warning: the rights of a folder could not be set (icacls result $0)."
LangString LinkRemovedText ${LANG_KOREAN} "다른 곳을 가리키는 링크를 지웁니다: $R0"
LangString LinkRemovedText ${LANG_ENGLISH} "Removing a link that points elsewhere: $R0"
LangString MovedText ${LANG_KOREAN} "가족 설정 파일을 옮겼습니다: $INSTDIR\$R0 -> $R1"
LangString MovedText ${LANG_ENGLISH} "Moved the family's file: $INSTDIR\$R0 -> $R1"
LangString MoveFailedText ${LANG_KOREAN} "경고: $INSTDIR\$R0 을(를) $R1 (으)로 옮기지 못해 그대로 둡니다."
LangString MoveFailedText ${LANG_ENGLISH} "Warning: $INSTDIR\$R0 could not be copied to $R1 and stays where it is."

LangString UnPageTitle ${LANG_KOREAN} "Orlimo 제거"
LangString UnPageTitle ${LANG_ENGLISH} "Remove Orlimo"
LangString UnPageSubtitle ${LANG_KOREAN} "컴퓨터에서 Orlimo를 제거합니다."
LangString UnPageSubtitle ${LANG_ENGLISH} "Orlimo will be removed from this computer."
LangString UnPageText ${LANG_KOREAN} "다음 폴더에서 Orlimo를 제거하고, 로그온할 때 Orlimo가 실행되지 않게 합니다. 실행 중인 Orlimo는 멈춥니다."
LangString UnPageText ${LANG_ENGLISH} "Orlimo will be removed from the folder below and will no longer start at log-on. Orlimo is stopped where it runs."
LangString UnFamilyDataText ${LANG_KOREAN} "가족 설정과 사용 기록도 삭제합니다 (Setup.ini, Logs.txt)"
LangString UnFamilyDataText ${LANG_ENGLISH} "Also delete the family's settings and usage log (Setup.ini, Logs.txt)"
LangString UnFamilyDataNote ${LANG_KOREAN} "선택하지 않으면 아이들의 이름, 사용 시간, 암호와 사용 기록이 $DataFolder 폴더에 남아, 다시 설치하면 그대로 쓰입니다."
LangString UnFamilyDataNote ${LANG_ENGLISH} "Left unticked, the children's names, minutes, passwords and the usage log stay in $DataFolder and are used again by a new installation."
LangString UnKeptText ${LANG_KOREAN} "가족 설정과 사용 기록은 남겨 둡니다: $DataFolder"
LangString UnKeptText ${LANG_ENGLISH} "The family's settings and usage log are kept in $DataFolder"
