<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ca">
<context>
    <name>mewt</name>
    <message>
        <source>mewt timer complete</source>
        <translation>temporitzador de mewt completat</translation>
    </message>
    <message>
        <source>mewt timer</source>
        <translation>temporitzador de mewt</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>queden %1</translation>
    </message>
    <message>
        <source>paused · %1 left</source>
        <translation>en pausa · queden %1</translation>
    </message>
    <message>
        <source>phase ended %1 ago</source>
        <translation>la fase ha acabat fa %1</translation>
    </message>
</context>
</TS>
