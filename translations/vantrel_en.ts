<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CatalogView</name>
    <message numerus="yes">
        <source>%n product(s)</source>
        <translation><numerusform>%n product</numerusform><numerusform>%n products</numerusform></translation>
    </message>
</context>
<context>
    <name>DocumentPdf</name>
    <message numerus="yes">
        <source>%n page(s)</source>
        <translation><numerusform>%n page</numerusform><numerusform>%n pages</numerusform></translation>
    </message>
</context>
<context>
    <name>Format</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation><numerusform>%n day</numerusform><numerusform>%n days</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation><numerusform>%n hour</numerusform><numerusform>%n hours</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation><numerusform>%n minute</numerusform><numerusform>%n minutes</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation><numerusform>%n second</numerusform><numerusform>%n seconds</numerusform></translation>
    </message>
</context>
<context>
    <name>QuoteEditor</name>
    <message numerus="yes">
        <source>%n line(s)</source>
        <translation><numerusform>%n line</numerusform><numerusform>%n lines</numerusform></translation>
    </message>
</context>
</TS>
