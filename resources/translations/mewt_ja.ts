<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>mewt</name>
    <message>
        <source>mewt timer complete</source>
        <translation>mewt タイマー完了</translation>
    </message>
    <message>
        <source>mewt timer</source>
        <translation>mewt タイマー</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>残り %1</translation>
    </message>
    <message>
        <source>paused · %1 left</source>
        <translation>一時停止中 · 残り %1</translation>
    </message>
    <message>
        <source>phase ended %1 ago</source>
        <translation>フェーズは %1 前に終了</translation>
    </message>
</context>
</TS>
