<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ca">
<context>
    <name>mewt</name>
    <message>
        <source>mewt timer complete</source>
        <translation>temporitzador de mewt completat</translation>
    </message>
</context>
</TS>
