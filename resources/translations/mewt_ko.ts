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
</context>
</TS>
