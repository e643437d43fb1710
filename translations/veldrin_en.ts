<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>FileCommands</name>
    <message>
        <source>没有历史数据，无法打印</source>
        <translation>No history to print</translation>
    </message>
    <message>
        <source>没有历史数据，无法导出报告</source>
        <translation>No history to report</translation>
    </message>
</context>
<context>
    <name>veldrin::ComparisonChart</name>
    <message>
        <source>湿度(%)</source>
        <translation>Humidity (%)</translation>
    </message>
    <message>
        <source>温度(°C)</source>
        <translation>Temperature (°C)</translation>
    </message>
</context>
<context>
    <name>veldrin::ComparisonWindow</name>
    <message>
        <source>叠加比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>复位</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>平移</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>按下时用左键拖动平移；也可随时用右键拖动平移</source>
        <translation>While pressed, drag with the left button to pan; the right button always pans</translation>
    </message>
    <message>
        <source>显示限值</source>
        <translation>Show limits</translation>
    </message>
    <message>
        <source>滚轮缩放时间轴，左键拖出矩形放大</source>
        <translation>The wheel zooms the time axis; drag a rectangle with the left button to zoom in</translation>
    </message>
    <message>
        <source>光标：—</source>
        <translation>Cursor: —</translation>
    </message>
    <message>
        <source>曲线</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
    <message>
        <source>图例</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>光标：%1</source>
        <translation>Cursor: %1</translation>
    </message>
    <message>
        <source>请选择要比较的历史数据。</source>
        <translation>Choose the histories to compare.</translation>
    </message>
    <message>
        <source>最多可同时比较%1条历史数据，已选择%2条。</source>
        <translation>At most %1 histories can be compared at once; %2 are chosen.</translation>
    </message>
</context>
<context>
    <name>veldrin::LanguageMenu</name>
    <message>
        <source>跟随系统设置</source>
        <translation>As the system</translation>
    </message>
    <message>
        <source>语言 / Language</source>
        <translation>语言 / Language</translation>
    </message>
    <message>
        <source>Veldrin 下次启动时使用所选的语言。</source>
        <translation>Veldrin uses the chosen language from its next start.</translation>
    </message>
</context>
</TS>
