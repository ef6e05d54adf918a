<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>mewt</name>
    <message numerus="yes">
        <source>%1 duration, %n minutes</source>
        <translation>
            <numerusform>%1 duration, %n minute</numerusform>
            <numerusform>%1 duration, %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
</context>
</TS>
