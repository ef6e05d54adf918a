<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>mewt</name>
    <message>
        <source>mewt timer complete</source>
        <translation>mewt 计时器完成</translation>
    </message>
    <message>
        <source>mewt timer</source>
        <translation>mewt 计时器</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>剩余 %1</translation>
    </message>
    <message>
        <source>paused · %1 left</source>
        <translation>已暂停 · 剩余 %1</translation>
    </message>
    <message>
        <source>phase ended %1 ago</source>
        <translation>阶段已于 %1 前结束</translation>
    </message>
</context>
</TS>
