<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko">
<context>
    <name>mewt</name>
    <message>
        <source>mewt timer complete</source>
        <translation>mewt 타이머 완료</translation>
    </message>
    <message>
        <source>mewt timer</source>
        <translation>mewt 타이머</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>%1 남음</translation>
    </message>
    <message>
        <source>paused · %1 left</source>
        <translation>일시정지됨 · %1 남음</translation>
    </message>
    <message>
        <source>phase ended %1 ago</source>
        <translation>단계가 %1 전에 끝남</translation>
    </message>
    <message>
        <source>timer ended</source>
        <translation>타이머 종료</translation>
    </message>
    <message>
        <source>timer ending in</source>
        <translation>타이머 종료까지</translation>
    </message>
    <message>
        <source>focus ended</source>
        <translation>집중 종료</translation>
    </message>
    <message>
        <source>focus ending in</source>
        <translation>집중 종료까지</translation>
    </message>
    <message>
        <source>break ended</source>
        <translation>휴식 종료</translation>
    </message>
    <message>
        <source>break ending in</source>
        <translation>휴식 종료까지</translation>
    </message>
    <message>
        <source>notification wasn&apos;t added. check your desktop&apos;s notification settings.</source>
        <translation>알림을 추가하지 못했어요. 데스크톱 알림 설정을 확인해 주세요.</translation>
    </message>
    <message>
        <source>notifications are allowed, but alerts and sounds are off in your desktop&apos;s notification settings.</source>
        <translation>알림은 허용되어 있지만 데스크톱 알림 설정에서 알림 표시와 소리가 꺼져 있어요.</translation>
    </message>
    <message>
        <source>couldn&apos;t request notifications: </source>
        <translation>알림 권한을 요청하지 못했어요: </translation>
    </message>
    <message>
        <source>%1 complete</source>
        <translation>%1 완료</translation>
    </message>
    <message>
        <source>time to stretch, rest, or pull the paw again.</source>
        <translation>스트레칭하거나 쉬거나, 발을 다시 당겨 보세요.</translation>
    </message>
    <message>
        <source>no notification service is running.</source>
        <translation>실행 중인 알림 서비스가 없어요.</translation>
    </message>
    <message>
        <source>the notification service didn&apos;t answer.</source>
        <translation>알림 서비스가 응답하지 않았어요.</translation>
    </message>
    <message>
        <source>there&apos;s no session bus to reach the notification service.</source>
        <translation>알림 서비스에 연결할 세션 버스가 없어요.</translation>
    </message>
    <message>
        <source>the notification service answered with an error.</source>
        <translation>알림 서비스가 오류로 응답했어요.</translation>
    </message>
    <message>
        <source>the notification has no identifier.</source>
        <translation>알림에 식별자가 없어요.</translation>
    </message>
    <message>
        <source>the notification&apos;s time interval is out of range.</source>
        <translation>알림 시간 간격이 허용 범위를 벗어났어요.</translation>
    </message>
    <message>
        <source>notifications aren&apos;t allowed for mewt.</source>
        <translation>mewt에 알림이 허용되어 있지 않아요.</translation>
    </message>
    <message>
        <source>the update feed couldn&apos;t be read.</source>
        <translation>업데이트 피드를 읽지 못했어요.</translation>
    </message>
    <message>
        <source>the update server didn&apos;t answer in time.</source>
        <translation>업데이트 서버가 제때 응답하지 않았어요.</translation>
    </message>
    <message>
        <source>the update feed is too large.</source>
        <translation>업데이트 피드가 너무 커요.</translation>
    </message>
    <message>
        <source>the update server answered with an error (%1).</source>
        <translation>업데이트 서버가 오류(%1)로 응답했어요.</translation>
    </message>
    <message>
        <source>couldn&apos;t reach the update server.</source>
        <translation>업데이트 서버에 연결하지 못했어요.</translation>
    </message>
    <message>
        <source>every %1</source>
        <translation>%1회마다</translation>
    </message>
    <message>
        <source>%1 sec</source>
        <translation>%1초</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1분</translation>
    </message>
    <message>
        <source>%1 min %2 sec</source>
        <translation>%1분 %2초</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1시간</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1시간 %2분</translation>
    </message>
    <message>
        <source>release to cancel</source>
        <translation>놓으면 취소</translation>
    </message>
    <message>
        <source>pull down to start the next phase</source>
        <translation>아래로 당겨 다음 단계 시작</translation>
    </message>
    <message>
        <source>start the next phase</source>
        <translation>다음 단계 시작</translation>
    </message>
    <message>
        <source>pull down to add focus</source>
        <translation>아래로 당겨 집중 시간 추가</translation>
    </message>
    <message>
        <source>%1 focus · %2</source>
        <translation>집중 %1회 · %2</translation>
    </message>
    <message>
        <source>pull down to add time</source>
        <translation>아래로 당겨 시간 추가</translation>
    </message>
    <message>
        <source>updates aren&apos;t configured in this build.</source>
        <translation>이 빌드에는 업데이트가 설정되어 있지 않아요.</translation>
    </message>
    <message>
        <source>mewt %1 is available.</source>
        <translation>mewt %1 버전을 사용할 수 있어요.</translation>
    </message>
    <message>
        <source>mewt is up to date.</source>
        <translation>mewt가 최신 버전이에요.</translation>
    </message>
    <message>
        <source>couldn&apos;t turn on open at login: %1.</source>
        <translation>로그인 시 열기를 켜지 못했어요: %1.</translation>
    </message>
    <message>
        <source>couldn&apos;t turn off open at login: %1.</source>
        <translation>로그인 시 열기를 끄지 못했어요: %1.</translation>
    </message>
    <message>
        <source>%1 can&apos;t be created</source>
        <translation>%1을(를) 만들 수 없음</translation>
    </message>
    <message>
        <source>%1 can&apos;t be written</source>
        <translation>%1에 쓸 수 없음</translation>
    </message>
    <message>
        <source>%1 can&apos;t be removed</source>
        <translation>%1을(를) 삭제할 수 없음</translation>
    </message>
    <message>
        <source>%1 wasn&apos;t made by mewt</source>
        <translation>%1은(는) mewt가 만든 파일이 아님</translation>
    </message>
    <message>
        <source>sending…</source>
        <translation>보내는 중…</translation>
    </message>
    <message>
        <source>send</source>
        <translation>보내기</translation>
    </message>
    <message>
        <source>send feedback</source>
        <translation>피드백 보내기</translation>
    </message>
    <message>
        <source>i read every note. bugs, ideas, or tiny joys all help.</source>
        <translation>모든 메모를 읽어요. 버그, 아이디어, 작은 기쁨 모두 도움이 돼요.</translation>
    </message>
    <message>
        <source>close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>kind</source>
        <translation>종류</translation>
    </message>
    <message>
        <source>feedback message</source>
        <translation>피드백 메시지</translation>
    </message>
    <message>
        <source>include email so i can reply</source>
        <translation>답장할 수 있도록 이메일 포함</translation>
    </message>
    <message>
        <source>reply email</source>
        <translation>답장받을 이메일</translation>
    </message>
    <message>
        <source>got it. thank you</source>
        <translation>잘 받았어요. 고마워요</translation>
    </message>
    <message>
        <source>i read these myself. if you left an email, i may write back.</source>
        <translation>제가 직접 읽어요. 이메일을 남겼다면 답장할 수도 있어요.</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>done</source>
        <translation>완료</translation>
    </message>
    <message>
        <source>search</source>
        <translation>검색</translation>
    </message>
    <message>
        <source>No Results for “%1”</source>
        <translation>“%1”에 대한 결과 없음</translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation>철자를 확인하거나 다른 검색어로 검색해 보세요.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>검색</translation>
    </message>
    <message>
        <source>Search settings</source>
        <translation>설정 검색</translation>
    </message>
    <message>
        <source>Open %1 in %2</source>
        <translation>%2에서 %1 열기</translation>
    </message>
    <message>
        <source>cancel timer</source>
        <translation>타이머 취소</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n분</numerusform>
        </translation>
    </message>
    <message>
        <source>starts the quick timer without pulling</source>
        <translation>당기지 않고 빠른 타이머를 시작해요</translation>
    </message>
    <message>
        <source>start %1 minute timer</source>
        <translation>%1분 타이머 시작</translation>
    </message>
    <message>
        <source>starts a continuous pomodoro without pulling</source>
        <translation>당기지 않고 연속 뽀모도로를 시작해요</translation>
    </message>
    <message>
        <source>start continuous focus</source>
        <translation>연속 집중 시작</translation>
    </message>
    <message>
        <source>starts one configured focus session without pulling</source>
        <translation>당기지 않고 설정한 집중 세션 하나를 시작해요</translation>
    </message>
    <message>
        <source>start one %1 minute focus session</source>
        <translation>%1분 집중 세션 한 번 시작</translation>
    </message>
    <message>
        <source>drag the top bar paw to start</source>
        <translation>상단 바의 발을 끌어서 시작</translation>
    </message>
    <message>
        <source>drag the top bar paw to start continuous focus</source>
        <translation>상단 바의 발을 끌어서 연속 집중 시작</translation>
    </message>
    <message>
        <source>drag the top bar paw to choose focus sessions</source>
        <translation>상단 바의 발을 끌어서 집중 세션 선택</translation>
    </message>
    <message>
        <source>click a duration to type · drag to adjust</source>
        <translation>시간을 클릭해 입력 · 드래그해 조절</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>모드</translation>
    </message>
    <message>
        <source>timer</source>
        <translation>타이머</translation>
    </message>
    <message>
        <source>pomodoro</source>
        <translation>뽀모도로</translation>
    </message>
    <message>
        <source>cancel pomodoro</source>
        <translation>뽀모도로 취소</translation>
    </message>
    <message>
        <source>yarn timer progress</source>
        <translation>털실 타이머 진행률</translation>
    </message>
    <message>
        <source>solid yarn is focus; split yarn is break</source>
        <translation>이어진 털실은 집중, 갈라진 털실은 휴식이에요</translation>
    </message>
    <message>
        <source>timer progress</source>
        <translation>타이머 진행률</translation>
    </message>
    <message>
        <source>this desktop has no notification settings to open.</source>
        <translation>이 데스크톱에는 열 수 있는 알림 설정이 없어요.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>mewt tour, step %1 of %2</source>
        <translation>mewt 둘러보기, %2단계 중 %1단계</translation>
    </message>
    <message>
        <source>skip</source>
        <translation>건너뛰기</translation>
    </message>
    <message>
        <source>back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <source>next</source>
        <translation>다음</translation>
    </message>
    <message>
        <source>resume timer</source>
        <translation>타이머 재개</translation>
    </message>
    <message>
        <source>pause timer</source>
        <translation>타이머 일시정지</translation>
    </message>
    <message>
        <source>cat</source>
        <translation>고양이</translation>
    </message>
    <message>
        <source>display</source>
        <translation>화면</translation>
    </message>
    <message>
        <source>layout</source>
        <translation>레이아웃</translation>
    </message>
    <message>
        <source>popover</source>
        <translation>팝오버</translation>
    </message>
    <message>
        <source>system</source>
        <translation>시스템</translation>
    </message>
    <message>
        <source>app</source>
        <translation>앱</translation>
    </message>
    <message>
        <source>help</source>
        <translation>도움말</translation>
    </message>
    <message>
        <source>made with ♥</source>
        <translation>♥을 담아 만들었어요</translation>
    </message>
    <message>
        <source>·</source>
        <translation>·</translation>
    </message>
    <message>
        <source>replay</source>
        <translation>다시 보기</translation>
    </message>
    <message>
        <source>This notice could not be loaded. Please contact %1.</source>
        <translation>이 고지를 불러오지 못했어요. %1에 문의해 주세요.</translation>
    </message>
    <message>
        <source>With thanks to the people whose work helps make mewt possible.</source>
        <translation>mewt를 만들 수 있게 도와준 모든 분들의 작업에 감사드려요.</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>라이브러리</translation>
    </message>
    <message>
        <source>Select a library to read its license.</source>
        <translation>라이브러리를 선택하면 라이선스를 읽을 수 있어요.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>완료</translation>
    </message>
    <message>
        <source>selected</source>
        <translation>선택됨</translation>
    </message>
    <message>
        <source>pomodoro flow</source>
        <translation>뽀모도로 흐름</translation>
    </message>
    <message>
        <source>sounds</source>
        <translation>소리</translation>
    </message>
    <message>
        <source>notifications</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>timer defaults</source>
        <translation>타이머 기본값</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>앞으로</translation>
    </message>
    <message>
        <source>mewt settings</source>
        <translation>mewt 설정</translation>
    </message>
    <message>
        <source>pull distance per step</source>
        <translation>한 칸당 당기는 거리</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1포인트</translation>
    </message>
    <message>
        <source>pull behavior</source>
        <translation>당기기 동작</translation>
    </message>
    <message>
        <source>%1 pt</source>
        <translation>%1pt</translation>
    </message>
    <message>
        <source>distance per step</source>
        <translation>칸당 거리</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>stop timer</source>
        <translation>타이머 정지</translation>
    </message>
    <message>
        <source>skip phase</source>
        <translation>단계 건너뛰기</translation>
    </message>
    <message>
        <source>more actions</source>
        <translation>더 많은 작업</translation>
    </message>
    <message>
        <source>next focus</source>
        <translation>다음 집중</translation>
    </message>
    <message>
        <source>next break</source>
        <translation>다음 휴식</translation>
    </message>
    <message>
        <source>settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>allow</source>
        <translation>허용</translation>
    </message>
    <message>
        <source>update</source>
        <translation>업데이트</translation>
    </message>
    <message>
        <source>shows update details</source>
        <translation>업데이트 세부 정보를 보여줘요</translation>
    </message>
    <message>
        <source>mewt %1 update available</source>
        <translation>mewt %1 업데이트 가능</translation>
    </message>
    <message>
        <source>mewt %1 is available</source>
        <translation>mewt %1 버전을 사용할 수 있어요</translation>
    </message>
    <message>
        <source>optional name</source>
        <translation>이름(선택)</translation>
    </message>
    <message>
        <source>shown while running and in the completion notification</source>
        <translation>실행 중과 완료 알림에 표시돼요</translation>
    </message>
    <message>
        <source>optional name shown while running and in the completion notification</source>
        <translation>실행 중과 완료 알림에 표시되는 이름(선택)</translation>
    </message>
    <message>
        <source>add name</source>
        <translation>이름 추가</translation>
    </message>
    <message>
        <source>edit session name</source>
        <translation>세션 이름 편집</translation>
    </message>
    <message>
        <source>edits the name shown while the timer runs</source>
        <translation>타이머가 도는 동안 표시되는 이름을 편집해요</translation>
    </message>
    <message>
        <source>session name</source>
        <translation>세션 이름</translation>
    </message>
    <message>
        <source>edit timer duration</source>
        <translation>타이머 시간 편집</translation>
    </message>
    <message>
        <source>changes the configured timer duration</source>
        <translation>설정된 타이머 시간을 바꿔요</translation>
    </message>
    <message>
        <source>type minutes or MM:00, then press return</source>
        <translation>분 또는 MM:00을 입력하고 리턴 키를 누르세요</translation>
    </message>
    <message>
        <source>timer duration</source>
        <translation>타이머 시간</translation>
    </message>
    <message>
        <source>close detached controls</source>
        <translation>분리된 컨트롤 닫기</translation>
    </message>
    <message>
        <source>reattaches controls to the top bar paw</source>
        <translation>컨트롤을 상단 바의 발에 다시 붙여요</translation>
    </message>
    <message>
        <source>reattach controls to top bar</source>
        <translation>컨트롤을 상단 바에 다시 붙이기</translation>
    </message>
    <message>
        <source>reattach controls</source>
        <translation>컨트롤 다시 붙이기</translation>
    </message>
    <message>
        <source>detach and pin controls</source>
        <translation>컨트롤 분리하고 고정하기</translation>
    </message>
    <message numerus="yes">
        <source>%1 duration, %n minutes</source>
        <translation>
            <numerusform>%1 시간, %n분</numerusform>
        </translation>
    </message>
    <message>
        <source>type exact minutes, then press return</source>
        <translation>정확한 분을 입력하고 리턴 키를 누르세요</translation>
    </message>
    <message>
        <source>m</source>
        <translation>분</translation>
    </message>
    <message>
        <source>long break interval</source>
        <translation>긴 휴식 간격</translation>
    </message>
    <message>
        <source>every %1 focus sessions</source>
        <translation>집중 세션 %1번마다</translation>
    </message>
    <message>
        <source>long break every %1 focus sessions · </source>
        <translation>집중 세션 %1번마다 긴 휴식 · </translation>
    </message>
    <message>
        <source>type the number of focus sessions, then press return</source>
        <translation>집중 세션 수를 입력하고 리턴 키를 누르세요</translation>
    </message>
    <message>
        <source>long break every</source>
        <translation>긴 휴식 주기</translation>
    </message>
    <message>
        <source>focus sessions</source>
        <translation>집중 세션</translation>
    </message>
    <message>
        <source>settings can&apos;t be saved</source>
        <translation>설정을 저장할 수 없어요</translation>
    </message>
    <message>
        <source>mewt keeps your changes and saves them as soon as the disk allows.</source>
        <translation>mewt가 변경 사항을 보관했다가 디스크가 허용하는 대로 바로 저장해요.</translation>
    </message>
    <message>
        <source>clear search</source>
        <translation>검색 지우기</translation>
    </message>
    <message>
        <source>allow notifications to hear when time is up.</source>
        <translation>시간이 다 되면 알 수 있도록 알림을 허용해 주세요.</translation>
    </message>
    <message>
        <source>notification alerts and sounds are off.</source>
        <translation>알림 배너와 소리가 꺼져 있어요.</translation>
    </message>
    <message>
        <source>open your desktop&apos;s notification settings.</source>
        <translation>데스크톱의 알림 설정을 열어 주세요.</translation>
    </message>
    <message>
        <source>this build has no feedback service, so notes go nowhere.</source>
        <translation>이 빌드에는 피드백 서비스가 없어서 메모가 어디로도 가지 않아요.</translation>
    </message>
    <message>
        <source>too long to paste. a note sends up to %1 characters.</source>
        <translation>붙여 넣기에는 너무 길어요. 메모는 최대 %1자까지 보낼 수 있어요.</translation>
    </message>
    <message>
        <source>download…</source>
        <translation>다운로드…</translation>
    </message>
    <message>
        <source>opens the new version&apos;s page in your browser</source>
        <translation>새 버전의 페이지를 브라우저에서 열어요</translation>
    </message>
    <message>
        <source>the download page couldn&apos;t be opened.</source>
        <translation>다운로드 페이지를 열지 못했어요.</translation>
    </message>
</context>
</TS>
