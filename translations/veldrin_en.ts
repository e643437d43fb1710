<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ArchiveCommands</name>
    <message>
        <source>导入到档案库</source>
        <translation>Import into the Archive</translation>
    </message>
    <message>
        <source>数据文件 (*.Vdr *.vdr)</source>
        <translation>Data files (*.Vdr *.vdr)</translation>
    </message>
    <message>
        <source>档案库打不开：</source>
        <translation>The archive cannot be opened: </translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>新存入档案库 %1 个文件，已在档案库中 %2 个。</source>
        <translation>%1 files newly archived, %2 already in the archive.</translation>
    </message>
    <message>
        <source>
未能导入 %1 个：
</source>
        <translation>
%1 could not be imported:
</translation>
    </message>
    <message>
        <source>档案 %1</source>
        <translation>Archive entry %1</translation>
    </message>
</context>
<context>
    <name>CurvePageDrawing</name>
    <message>
        <source>温度°C</source>
        <translation>Temp. °C</translation>
    </message>
    <message>
        <source>温度上限°C</source>
        <translation>Temp. high °C</translation>
    </message>
    <message>
        <source>温度下限°C</source>
        <translation>Temp. low °C</translation>
    </message>
    <message>
        <source>湿度%RH</source>
        <translation>Humidity %RH</translation>
    </message>
    <message>
        <source>湿度%</source>
        <translation>Humidity %</translation>
    </message>
    <message>
        <source>湿度上限%</source>
        <translation>Hum. high %</translation>
    </message>
    <message>
        <source>湿度下限%</source>
        <translation>Hum. low %</translation>
    </message>
    <message>
        <source>温度I°C</source>
        <translation>Temp. I °C</translation>
    </message>
    <message>
        <source>温度II°C</source>
        <translation>Temp. II °C</translation>
    </message>
    <message>
        <source>温度I上限°C</source>
        <translation>Temp. I high °C</translation>
    </message>
    <message>
        <source>温度I下限°C</source>
        <translation>Temp. I low °C</translation>
    </message>
    <message>
        <source>温度II上限°C</source>
        <translation>Temp. II high °C</translation>
    </message>
    <message>
        <source>温度II下限°C</source>
        <translation>Temp. II low °C</translation>
    </message>
</context>
<context>
    <name>DataTabs</name>
    <message>
        <source>数据趋势</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>数据列表</source>
        <translation>Data list</translation>
    </message>
    <message>
        <source>报警列表</source>
        <translation>Alarm list</translation>
    </message>
</context>
<context>
    <name>EntryDetailsText</name>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>档案</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>时段</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>间隔</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>读数</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>（不完整）</source>
        <translation> (incomplete)</translation>
    </message>
    <message>
        <source>超限</source>
        <translation>Excursions</translation>
    </message>
    <message>
        <source>限值</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>%1 … %2，%3 … %4%5</source>
        <translation>%1 … %2, %3 … %4%5</translation>
    </message>
    <message>
        <source>（报警开）</source>
        <translation> (alarm on)</translation>
    </message>
    <message>
        <source>（报警关）</source>
        <translation> (alarm off)</translation>
    </message>
    <message>
        <source>来源</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>用户</source>
        <translation>User</translation>
    </message>
    <message>
        <source>程序版本</source>
        <translation>Program version</translation>
    </message>
    <message>
        <source>存档时间</source>
        <translation>Archived at</translation>
    </message>
    <message>
        <source>
事件：
</source>
        <translation>
Events:
</translation>
    </message>
</context>
<context>
    <name>EntryExport</name>
    <message>
        <source>数据文件 (*.Vdr)</source>
        <translation>Data file (*.Vdr)</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
    <message>
        <source>报告 PDF (*.pdf)</source>
        <translation>PDF report (*.pdf)</translation>
    </message>
    <message>
        <source>不认识的文件类型：.%1（可用 .Vdr、.txt、.csv、.xlsx、.pdf）</source>
        <translation>Unknown file type: .%1 (use .Vdr, .txt, .csv, .xlsx or .pdf)</translation>
    </message>
</context>
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
    <message>
        <source>%1 已存在。
要替换它吗？</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>已保存 %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>；保存记录未存入档案库：</source>
        <translation>; the save was not recorded in the archive: </translation>
    </message>
    <message>
        <source>导出记录未存入档案库：</source>
        <translation>The export was not recorded in the archive: </translation>
    </message>
    <message>
        <source>找不到文件 %1。
它已从最近的文件列表中去掉。</source>
        <translation>The file %1 cannot be found.
It has been removed from the recent files.</translation>
    </message>
    <message>
        <source>报告保存出错</source>
        <translation>The report could not be saved</translation>
    </message>
</context>
<context>
    <name>FleetSettings</name>
    <message>
        <source>冷库 1</source>
        <translation>Cold room 1</translation>
    </message>
</context>
<context>
    <name>HistoryArchiving</name>
    <message>
        <source>档案 %lld · SHA-256 %s</source>
        <translation>Archive entry %lld · SHA-256 %s</translation>
    </message>
</context>
<context>
    <name>LoggerAudit</name>
    <message>
        <source>记录未存入档案库：</source>
        <translation>Not recorded in the archive: </translation>
    </message>
</context>
<context>
    <name>PageDrawing</name>
    <message>
        <source>无数据</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>PrintSelection</name>
    <message>
        <source>最小值：%1</source>
        <translation>Minimum: %1</translation>
    </message>
    <message>
        <source>最大值：%1</source>
        <translation>Maximum: %1</translation>
    </message>
    <message>
        <source>平均值：%1</source>
        <translation>Average: %1</translation>
    </message>
    <message>
        <source>通道号：%1</source>
        <translation>Channel number: %1</translation>
    </message>
    <message>
        <source>通道名称：%1</source>
        <translation>Channel name: %1</translation>
    </message>
    <message>
        <source>通道单位：%1</source>
        <translation>Channel unit: %1</translation>
    </message>
    <message>
        <source>标题：%1</source>
        <translation>Title: %1</translation>
    </message>
    <message>
        <source>仪表名称：%1</source>
        <translation>Instrument: %1</translation>
    </message>
    <message>
        <source>启用通道数：%1</source>
        <translation>Channels enabled: %1</translation>
    </message>
    <message>
        <source>数据长度：%1</source>
        <translation>Data length: %1</translation>
    </message>
    <message>
        <source>开始时间： %1</source>
        <translation>Start time: %1</translation>
    </message>
    <message>
        <source>停止时间： %1</source>
        <translation>Stop time: %1</translation>
    </message>
    <message>
        <source>间隔时间：%1</source>
        <translation>Interval: %1</translation>
    </message>
    <message>
        <source>记录仪描述：%1</source>
        <translation>Description: %1</translation>
    </message>
</context>
<context>
    <name>ReportChart</name>
    <message>
        <source>限值</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>超限</source>
        <translation>Beyond limit</translation>
    </message>
</context>
<context>
    <name>ReportPages</name>
    <message>
        <source>数据记录报告</source>
        <translation>Data logging report</translation>
    </message>
    <message>
        <source>读数</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>标题：%1</source>
        <translation>Title: %1</translation>
    </message>
    <message>
        <source>仪表名称：%1</source>
        <translation>Instrument: %1</translation>
    </message>
    <message>
        <source>记录仪描述：%1</source>
        <translation>Description: %1</translation>
    </message>
    <message>
        <source>记录时段：%1 至 %2（跨度%3）</source>
        <translation>Period: %1 to %2 (span %3)</translation>
    </message>
    <message>
        <source>记录间隔：%1s    读数：%2条    记录时长：%3</source>
        <translation>Interval: %1s    Readings: %2    Recorded: %3</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>报告范围：全部%1条读数中的第%2至%3条</source>
        <translation>Report range: readings %2 to %3 of %1</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>%1%2 %3次（%4）</source>
        <translation>%1 %2: %3 times (%4)</translation>
    </message>
    <message>
        <source>结论：%1</source>
        <translation>Verdict: %1</translation>
    </message>
    <message>
        <source>统计</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>超限记录（%1次）</source>
        <translation>Excursions (%1)</translation>
    </message>
    <message>
        <source>无超限。</source>
        <translation>No excursions.</translation>
    </message>
    <message>
        <source>报警未启用，未按限值判定。</source>
        <translation>Alarm off: the readings were not judged against limits.</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>超限</source>
        <translation>Limit crossed</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>持续</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>极值</source>
        <translation>Extreme</translation>
    </message>
    <message>
        <source>……另有%1次超限未列出，完整列表见统计页或 veldrin-cli info --stats</source>
        <translation>… and %1 more excursions not listed; the full list is on the statistics page and in veldrin-cli info --stats</translation>
    </message>
    <message>
        <source>Veldrin 生成于 %1</source>
        <translation>Generated by Veldrin on %1</translation>
    </message>
    <message>
        <source>MKT：ΔH = 83.14472 kJ/mol，R = 8.314472 J/(mol·K)；读数等于限值不算超限</source>
        <translation>MKT: ΔH = 83.14472 kJ/mol, R = 8.314472 J/(mol·K); a reading equal to a limit is not beyond it</translation>
    </message>
</context>
<context>
    <name>ReportReadings</name>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>TextPageRenderer</name>
    <message>
        <source>温度I</source>
        <translation>Temp. I</translation>
    </message>
    <message>
        <source>温度II</source>
        <translation>Temp. II</translation>
    </message>
    <message>
        <source>温度I报警</source>
        <translation>Temp. I alarm</translation>
    </message>
    <message>
        <source>温度II报警</source>
        <translation>Temp. II alarm</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>湿度</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>温度报警</source>
        <translation>Temp. alarm</translation>
    </message>
    <message>
        <source>湿度报警</source>
        <translation>Humidity alarm</translation>
    </message>
    <message>
        <source>小于%.2f</source>
        <translation>Below %.2f</translation>
    </message>
    <message>
        <source>大于%.2f</source>
        <translation>Above %.2f</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>Workbook</name>
    <message>
        <source>汇总</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>数据</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>没有安装Excel!
请先安装Excel软件才能使用导出功能!</source>
        <translation>Excel is not installed.
Install Excel to use the export.</translation>
    </message>
    <message>
        <source>文件保存出错</source>
        <translation>The file could not be saved</translation>
    </message>
</context>
<context>
    <name>Workspace</name>
    <message>
        <source>历史数据已存入档案库：档案 %1</source>
        <translation>History archived: entry %1</translation>
    </message>
    <message>
        <source>历史数据未存入档案库：</source>
        <translation>History not archived: </translation>
    </message>
</context>
<context>
    <name>XlsxExport</name>
    <message>
        <source>读数%1</source>
        <translation>Readings %1</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>统计</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>工作表的行数必须在 2 到 1048576 之间</source>
        <translation>A sheet&apos;s row count must lie between 2 and 1048576</translation>
    </message>
    <message>
        <source>无法解析符号链接：%1</source>
        <translation>Cannot follow the symbolic link %1</translation>
    </message>
    <message>
        <source>无法创建工作簿 %1</source>
        <translation>Cannot create the workbook %1</translation>
    </message>
    <message>
        <source>汇总</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>无法添加工作表 %1</source>
        <translation>Cannot add the sheet %1</translation>
    </message>
    <message>
        <source>索引</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>工作簿写入出错：%1</source>
        <translation>The workbook could not be written: %1</translation>
    </message>
    <message>
        <source>工作簿保存出错：%1</source>
        <translation>The workbook could not be saved: %1</translation>
    </message>
</context>
<context>
    <name>veldrin::AlarmText</name>
    <message>
        <source>报警：%s</source>
        <translation>Alarm: %s</translation>
    </message>
    <message>
        <source>%s小于%s</source>
        <translation>%s below %s</translation>
    </message>
    <message>
        <source>%s大于%s</source>
        <translation>%s above %s</translation>
    </message>
</context>
<context>
    <name>veldrin::ArchiveBrowser</name>
    <message>
        <source>不限</source>
        <translation>Any</translation>
    </message>
    <message>
        <source>档案库</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>全部型号</source>
        <translation>All models</translation>
    </message>
    <message>
        <source>标题或说明中的文字</source>
        <translation>Words of the title or description</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>仅超限</source>
        <translation>Excursions only</translation>
    </message>
    <message>
        <source>从</source>
        <translation>From</translation>
    </message>
    <message>
        <source>到</source>
        <translation>To</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>叠加比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1 个档案</source>
        <translation>%1 entries</translation>
    </message>
    <message>
        <source>档案库打不开：</source>
        <translation>The archive cannot be opened: </translation>
    </message>
    <message>
        <source>请选择一个档案。</source>
        <translation>Choose one entry.</translation>
    </message>
    <message>
        <source>档案 %1 打不开。</source>
        <translation>Entry %1 cannot be opened.</translation>
    </message>
    <message>
        <source>档案%1</source>
        <translation>entry%1</translation>
    </message>
    <message>
        <source>档案 %1 未能导出。</source>
        <translation>Entry %1 could not be exported.</translation>
    </message>
    <message>
        <source>已导出 %1</source>
        <translation>Exported %1</translation>
    </message>
    <message>
        <source>请选择 2 到 12 个档案。</source>
        <translation>Choose 2 to 12 entries.</translation>
    </message>
    <message>
        <source>最多只能叠加比较 %1 个档案，已选择 %2 个。</source>
        <translation>At most %1 entries can be compared; %2 are chosen.</translation>
    </message>
    <message>
        <source>叠加比较的档案读不出来。</source>
        <translation>The entries to compare cannot be read.</translation>
    </message>
</context>
<context>
    <name>veldrin::ArchiveEntryModel</name>
    <message>
        <source>导入文件</source>
        <translation>Imported file</translation>
    </message>
    <message>
        <source>（不完整）</source>
        <translation> (incomplete)</translation>
    </message>
    <message>
        <source>档案号</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>下载时间</source>
        <translation>Downloaded</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>时段</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>读数</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>超限</source>
        <translation>Excursions</translation>
    </message>
    <message>
        <source>来源</source>
        <translation>Source</translation>
    </message>
</context>
<context>
    <name>veldrin::CAboutDlg</name>
    <message>
        <source>关于 Veldrin</source>
        <translation>About Veldrin</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>veldrin::CDlgHistory</name>
    <message>
        <source>统计</source>
        <translation>Statistics</translation>
    </message>
</context>
<context>
    <name>veldrin::CDlgPrintPreview</name>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>页数：</source>
        <translation>Pages:</translation>
    </message>
    <message>
        <source>打印模式：</source>
        <translation>Print mode:</translation>
    </message>
    <message>
        <source>曲线</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>开始时间：</source>
        <translation>Start time:</translation>
    </message>
    <message>
        <source>停止时间：</source>
        <translation>Stop time:</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>适合页面</source>
        <translation>Fit page</translation>
    </message>
    <message>
        <source>没有安装打印机。
要把这些页写成 PDF 文件吗？</source>
        <translation>No printer is installed.
Write these pages to a PDF file instead?</translation>
    </message>
    <message>
        <source>文件保存出错</source>
        <translation>The file could not be saved</translation>
    </message>
    <message>
        <source>已写入 %1 页：
%2</source>
        <translation>%1 pages written:
%2</translation>
    </message>
</context>
<context>
    <name>veldrin::CFormDialog</name>
    <message>
        <source>记录仪状况</source>
        <translation>Logger Status</translation>
    </message>
    <message>
        <source>标   题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>仪表名称</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>工作状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>电源电压</source>
        <translation>Supply voltage</translation>
    </message>
    <message>
        <source>记录仪设置</source>
        <translation>Logger Settings</translation>
    </message>
    <message>
        <source>记满即停</source>
        <translation>Stop when full</translation>
    </message>
    <message>
        <source>启动时间</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>时间间隔</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>记录停止方式</source>
        <translation>Stop mode</translation>
    </message>
    <message>
        <source>已记录数据量</source>
        <translation>Readings recorded</translation>
    </message>
    <message>
        <source>可记录总数据量</source>
        <translation>Capacity</translation>
    </message>
    <message>
        <source>记录仪描述</source>
        <translation>Logger Description</translation>
    </message>
    <message>
        <source>启动记录</source>
        <translation>Start Recording</translation>
    </message>
    <message>
        <source>停止记录</source>
        <translation>Stop Recording</translation>
    </message>
</context>
<context>
    <name>veldrin::CInsExchangeDialog</name>
    <message>
        <source>仪器不匹配</source>
        <translation>Wrong instrument</translation>
    </message>
    <message>
        <source>仪器不匹配!  是否重新连接仪器?</source>
        <translation>The instrument does not match!  Connect again?</translation>
    </message>
</context>
<context>
    <name>veldrin::CLinkDlg</name>
    <message>
        <source>  （无权限，需加入 %1 组）</source>
        <translation>  (no access: join the %1 group)</translation>
    </message>
    <message>
        <source>连接仪器</source>
        <translation>Connect Instrument</translation>
    </message>
    <message>
        <source>自动搜索</source>
        <translation>Search automatically</translation>
    </message>
    <message>
        <source>单温度记录仪</source>
        <translation>Temperature logger</translation>
    </message>
    <message>
        <source>双温度记录仪</source>
        <translation>Dual temperature logger</translation>
    </message>
    <message>
        <source>温湿度记录仪</source>
        <translation>Temperature and humidity logger</translation>
    </message>
    <message>
        <source>自动识别</source>
        <translation>Identify automatically</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>仪器</source>
        <translation>Instrument</translation>
    </message>
</context>
<context>
    <name>veldrin::CMainFrame</name>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>打开...	Ctrl+O(&amp;O)</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>保存	Ctrl+S(&amp;S)</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>打印历史数据	(&amp;P)</source>
        <translation>&amp;Print History	</translation>
    </message>
    <message>
        <source>导出报告(PDF)…</source>
        <translation>Export Report (PDF)…</translation>
    </message>
    <message>
        <source>连接仪器</source>
        <translation>Connect Instrument</translation>
    </message>
    <message>
        <source>断开仪器</source>
        <translation>Disconnect Instrument</translation>
    </message>
    <message>
        <source>即时数据界面</source>
        <translation>Live Readings</translation>
    </message>
    <message>
        <source>历史数据界面</source>
        <translation>History</translation>
    </message>
    <message>
        <source>读取历史数据</source>
        <translation>Read History</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>关于 Veldrin(&amp;A)...</source>
        <translation>&amp;About Veldrin...</translation>
    </message>
    <message>
        <source>导入到档案库</source>
        <translation>Import into the Archive</translation>
    </message>
    <message>
        <source>档案库…</source>
        <translation>Archive…</translation>
    </message>
    <message>
        <source>使用说明</source>
        <translation>User Guide</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>设备(&amp;E)</source>
        <translation>D&amp;evice</translation>
    </message>
    <message>
        <source>数据(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>显示露点(计算)</source>
        <translation>Show Dew Point (computed)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>打开此文档</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>报警无声：没有音频输出设备</source>
        <translation>Alarm silent: no audio output device</translation>
    </message>
</context>
<context>
    <name>veldrin::CMyDialog</name>
    <message>
        <source>启动记录</source>
        <translation>Start Recording</translation>
    </message>
    <message>
        <source>启动记录,将导致历史数据丢失</source>
        <translation>Starting a recording erases the history in the logger</translation>
    </message>
    <message>
        <source>是否把</source>
        <translation>Make</translation>
    </message>
    <message>
        <source>设置为启动时间</source>
        <translation>the start time?</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>veldrin::CVeldrinView</name>
    <message>
        <source>未启动记录</source>
        <translation>Not recording</translation>
    </message>
    <message>
        <source>历史数据（不完整）</source>
        <translation>History (incomplete)</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>History</translation>
    </message>
    <message>
        <source>即时数据</source>
        <translation>Live readings</translation>
    </message>
</context>
<context>
    <name>veldrin::CheckHistory</name>
    <message>
        <source>读取历史数据</source>
        <translation>Read History</translation>
    </message>
    <message>
        <source>停止记录并读取历史数据？</source>
        <translation>Stop recording and read the history?</translation>
    </message>
    <message>
        <source>请选择通道</source>
        <translation>Choose the channels</translation>
    </message>
    <message>
        <source>温度I</source>
        <translation>Temperature I</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>温度II</source>
        <translation>Temperature II</translation>
    </message>
    <message>
        <source>湿度</source>
        <translation>Humidity</translation>
    </message>
</context>
<context>
    <name>veldrin::CipherFile</name>
    <message>
        <source>文件不存在：%s</source>
        <translation>The file does not exist: %s</translation>
    </message>
    <message>
        <source>没有读取这个文件的权限：%s</source>
        <translation>No permission to read this file: %s</translation>
    </message>
    <message>
        <source>无法打开 %s：%s</source>
        <translation>Cannot open %s: %s</translation>
    </message>
    <message>
        <source>这是一个文件夹，不是数据文件</source>
        <translation>This is a folder, not a data file</translation>
    </message>
    <message>
        <source>不是普通文件（是管道或设备），所以不是数据文件</source>
        <translation>Not a regular file (a pipe or a device), so not a data file</translation>
    </message>
</context>
<context>
    <name>veldrin::CommandFrames</name>
    <message>
        <source>设置时间间隔</source>
        <translation>Set interval</translation>
    </message>
    <message>
        <source>启动记录</source>
        <translation>Start recording</translation>
    </message>
    <message>
        <source>结束记录</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>设置循环方式</source>
        <translation>Set recording mode</translation>
    </message>
    <message>
        <source>设置启动时间</source>
        <translation>Set start time</translation>
    </message>
    <message>
        <source>读取历史数据</source>
        <translation>Read history data</translation>
    </message>
    <message>
        <source>读取即时数据</source>
        <translation>Read realtime data</translation>
    </message>
    <message>
        <source>结束即时数据</source>
        <translation>End realtime data</translation>
    </message>
    <message>
        <source>设置芯片时间</source>
        <translation>Set clock</translation>
    </message>
    <message>
        <source>读取芯片时间</source>
        <translation>Read clock</translation>
    </message>
    <message>
        <source>读取时间间隔</source>
        <translation>Read interval</translation>
    </message>
    <message>
        <source>读取循环方式</source>
        <translation>Read recording mode</translation>
    </message>
    <message>
        <source>报警设置</source>
        <translation>Set alarm</translation>
    </message>
    <message>
        <source>读取报警设置</source>
        <translation>Read alarm settings</translation>
    </message>
    <message>
        <source>写入备注信息</source>
        <translation>Write description</translation>
    </message>
    <message>
        <source>读取备注信息</source>
        <translation>Read description</translation>
    </message>
    <message>
        <source>读取芯片启动时间</source>
        <translation>Read start time</translation>
    </message>
    <message>
        <source>读取记录状态电压状态</source>
        <translation>Read recording and voltage state</translation>
    </message>
    <message>
        <source>读取记录数量</source>
        <translation>Read record count</translation>
    </message>
    <message>
        <source>同步</source>
        <translation>Synchronise</translation>
    </message>
    <message>
        <source>识别仪器</source>
        <translation>Identify logger</translation>
    </message>
    <message>
        <source>设置通道2报警</source>
        <translation>Set channel 2 alarm</translation>
    </message>
    <message>
        <source>读取通道2报警</source>
        <translation>Read channel 2 alarm</translation>
    </message>
    <message>
        <source>读取全部参数</source>
        <translation>Read all settings</translation>
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
    <name>veldrin::ConnectMessages</name>
    <message>
        <source>没有访问这个设备的权限</source>
        <translation>No permission to access this device</translation>
    </message>
    <message>
        <source>设备不存在（没有插上，或者串口号对应的设备路径不对）</source>
        <translation>The device does not exist (not plugged in, or the port&apos;s device path is wrong)</translation>
    </message>
    <message>
        <source>设备不存在或已被拔出</source>
        <translation>The device does not exist or was unplugged</translation>
    </message>
    <message>
        <source>设备正被其他程序使用</source>
        <translation>The device is in use by another program</translation>
    </message>
    <message>
        <source>这不是串口设备</source>
        <translation>This is not a serial device</translation>
    </message>
    <message>
        <source>%s（%s）</source>
        <translation>%s (%s)</translation>
    </message>
    <message>
        <source>%s：%s</source>
        <translation>%s: %s</translation>
    </message>
    <message>
        <source>com%d（%s）</source>
        <translation>com%d (%s)</translation>
    </message>
    <message>
        <source>设备：%s</source>
        <translation>Device: %s</translation>
    </message>
    <message>
        <source>原因：%s</source>
        <translation>Reason: %s</translation>
    </message>
    <message>
        <source>自动搜索没有找到仪器。试过的串口：</source>
        <translation>The auto search found no logger. Ports tried:</translation>
    </message>
    <message>
        <source>已打开，但没有仪器应答</source>
        <translation>opened, but no logger answered</translation>
    </message>
</context>
<context>
    <name>veldrin::CsvExport</name>
    <message>
        <source>索引</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>低于下限</source>
        <translation>Below lower limit</translation>
    </message>
    <message>
        <source>高于上限</source>
        <translation>Above upper limit</translation>
    </message>
</context>
<context>
    <name>veldrin::CurvePage</name>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom in</translation>
    </message>
</context>
<context>
    <name>veldrin::DataFile</name>
    <message>
        <source>文件错误!</source>
        <translation>File error!</translation>
    </message>
    <message>
        <source>文件保存出错</source>
        <translation>The file could not be saved</translation>
    </message>
    <message>
        <source>不是 Veldrin 数据文件</source>
        <translation>Not a Veldrin data file</translation>
    </message>
    <message>
        <source>文件不完整</source>
        <translation>The file is incomplete</translation>
    </message>
    <message>
        <source>文件已损坏</source>
        <translation>The file is damaged</translation>
    </message>
</context>
<context>
    <name>veldrin::DataFileReader</name>
    <message>
        <source>%s：%s</source>
        <translation>%s: %s</translation>
    </message>
    <message>
        <source>开头的密钥种子不成立（第三个种子为 0）</source>
        <translation>the key seeds at its start are invalid (the third seed is 0)</translation>
    </message>
    <message>
        <source>文件头解密后不是数字</source>
        <translation>the deciphered header is not numeric</translation>
    </message>
    <message>
        <source>只有 %lld 字节，少于它的 223 字节文件头</source>
        <translation>only %lld bytes, less than its 223-byte header</translation>
    </message>
    <message>
        <source>文件头无法读取</source>
        <translation>the header cannot be read</translation>
    </message>
    <message>
        <source>结束时间不是有效的日期时间</source>
        <translation>the end time is not a valid date and time</translation>
    </message>
    <message>
        <source>记录间隔 %d 秒是负数</source>
        <translation>the recording interval of %d s is negative</translation>
    </message>
    <message>
        <source>某通道的统计值不是 0，却四舍五入为 0.00，无法再次保存</source>
        <translation>a channel&apos;s statistic is not 0 but rounds to 0.00, so the file could not be saved again</translation>
    </message>
    <message>
        <source>未知的仪器类型代码 %d</source>
        <translation>unknown logger type code %d</translation>
    </message>
    <message>
        <source>文件头说有 %d 个数值（%lld 字节），其后却有 %lld 字节</source>
        <translation>the header announces %d values (%lld bytes), but %lld bytes follow it</translation>
    </message>
    <message>
        <source>两个通道都未启用，文件却有数值</source>
        <translation>neither channel is enabled, yet the file holds values</translation>
    </message>
    <message>
        <source>两个通道，数值的个数却是奇数</source>
        <translation>two channels, yet an odd number of values</translation>
    </message>
    <message>
        <source>%d 条读数，超过一个历史最多的 %d 条</source>
        <translation>%d readings, more than the %d a history holds at most</translation>
    </message>
    <message>
        <source>开始时间不是有效的日期时间</source>
        <translation>the start time is not a valid date and time</translation>
    </message>
    <message>
        <source>文件没有打开</source>
        <translation>the file is not open</translation>
    </message>
    <message>
        <source>文件长度无法读取</source>
        <translation>the file&apos;s length cannot be read</translation>
    </message>
    <message>
        <source>只有 %lld 字节，少于最短的 194 字节文件头</source>
        <translation>only %lld bytes, less than the shortest header of 194 bytes</translation>
    </message>
    <message>
        <source>记录区无法读取</source>
        <translation>the readings cannot be read</translation>
    </message>
    <message>
        <source>从第 %d 个数值起的记录段含有不是数字的字符</source>
        <translation>the readings from value %d on hold characters that are not digits</translation>
    </message>
</context>
<context>
    <name>veldrin::DewPoint</name>
    <message>
        <source>露点(计算)</source>
        <translation>Dew point (computed)</translation>
    </message>
</context>
<context>
    <name>veldrin::ExcursionListModel</name>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>超限</source>
        <translation>Excursion</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>持续</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>极值</source>
        <translation>Extreme</translation>
    </message>
</context>
<context>
    <name>veldrin::FleetDownload</name>
    <message>
        <source>下载的数据未存档：%s</source>
        <translation>the download was not archived: %s</translation>
    </message>
    <message>
        <source>文件保存出错: %s: %s</source>
        <translation>Cannot save the file: %s: %s</translation>
    </message>
    <message>
        <source>没有仪器应答</source>
        <translation>no logger answered</translation>
    </message>
    <message>
        <source>没有读到历史数据</source>
        <translation>the history was not read</translation>
    </message>
    <message>
        <source>下载的数据未存档</source>
        <translation>the download was not archived</translation>
    </message>
    <message>
        <source>有一次保存未记入档案库</source>
        <translation>a save was not recorded in the archive</translation>
    </message>
    <message>
        <source>历史数据不完整</source>
        <translation>the history is incomplete</translation>
    </message>
    <message>
        <source>；已收到的数据已保存</source>
        <translation>; what arrived is saved</translation>
    </message>
    <message>
        <source>完整</source>
        <translation>complete</translation>
    </message>
    <message>
        <source>未重新启动：%s</source>
        <translation>not restarted: %s</translation>
    </message>
    <message>
        <source>设置没有写入</source>
        <translation>the settings were not written</translation>
    </message>
    <message>
        <source>完整，已重新启动</source>
        <translation>complete, restarted</translation>
    </message>
</context>
<context>
    <name>veldrin::FleetSettingsDialog</name>
    <message>
        <source>{title} 标题&#x3000;{model} 型号&#x3000;{start:%Y%m%d} 首个读数&#x3000;{end:%Y%m%d} 末个读数
{count} 读数个数&#x3000;{port} 端口&#x3000;{device} 设备名&#x3000;{date:%Y%m%d-%H%M} 下载时间</source>
        <translation>{title} title   {model} model   {start:%Y%m%d} first reading   {end:%Y%m%d} last reading
{count} number of readings   {port} port   {device} device name   {date:%Y%m%d-%H%M} download time</translation>
    </message>
    <message>
        <source>下载后重新启动记录</source>
        <translation>Restart recording after the download</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>浏览…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>文件夹:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>文件名模板:</source>
        <translation>File name template:</translation>
    </message>
    <message>
        <source>下一个文件名:</source>
        <translation>Next file name:</translation>
    </message>
    <message>
        <source>格式:</source>
        <translation>Formats:</translation>
    </message>
    <message>
        <source>选择文件夹</source>
        <translation>Choose a folder</translation>
    </message>
</context>
<context>
    <name>veldrin::HistorySummary</name>
    <message>
        <source>数据测试</source>
        <translation>Data test</translation>
    </message>
    <message>
        <source>温度记录仪</source>
        <translation>Temperature logger</translation>
    </message>
</context>
<context>
    <name>veldrin::HistoryText</name>
    <message>
        <source>不完整：收到%d条，共%d条</source>
        <translation>Incomplete: %d of %d readings received</translation>
    </message>
    <message>
        <source>完整性</source>
        <translation>Completeness</translation>
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
<context>
    <name>veldrin::ListColumns</name>
    <message>
        <source>报警</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>%s报警</source>
        <translation>%s alarm</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>veldrin::LoggerJobs</name>
    <message>
        <source>正在读取 %1%</source>
        <translation>Reading %1%</translation>
    </message>
    <message>
        <source>已保存 %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>已重新启动</source>
        <translation>Restarted</translation>
    </message>
    <message>
        <source>等待仪器</source>
        <translation>Waiting for an instrument</translation>
    </message>
    <message>
        <source>正在连接</source>
        <translation>Connecting</translation>
    </message>
</context>
<context>
    <name>veldrin::LoggerListModel</name>
    <message>
        <source>空闲</source>
        <translation>Idle</translation>
    </message>
    <message>
        <source>忙 (实时面板)</source>
        <translation>Busy (live panel)</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
</context>
<context>
    <name>veldrin::LoggerListPanel</name>
    <message>
        <source>仪器列表</source>
        <translation>Instrument List</translation>
    </message>
    <message>
        <source>全部下载</source>
        <translation>Download All</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>设置…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>插入即下载</source>
        <translation>Download when plugged in</translation>
    </message>
</context>
<context>
    <name>veldrin::LoggerModel</name>
    <message>
        <source>单温度记录仪</source>
        <translation>Temperature logger</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>温度°C</source>
        <translation>Temperature °C</translation>
    </message>
    <message>
        <source>温湿度记录仪</source>
        <translation>Temperature/humidity logger</translation>
    </message>
    <message>
        <source>湿度</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>湿度 %</source>
        <translation>Humidity %</translation>
    </message>
    <message>
        <source>双温度记录仪</source>
        <translation>Dual temperature logger</translation>
    </message>
    <message>
        <source>温度I</source>
        <translation>Temperature I</translation>
    </message>
    <message>
        <source>温度II</source>
        <translation>Temperature II</translation>
    </message>
    <message>
        <source>温度I°C</source>
        <translation>Temperature I °C</translation>
    </message>
    <message>
        <source>温度II°C</source>
        <translation>Temperature II °C</translation>
    </message>
</context>
<context>
    <name>veldrin::QuestionDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>veldrin::RealtimeMonitor</name>
    <message>
        <source>报警：%1</source>
        <translation>Alarm: %1</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>veldrin::SettingsCheck</name>
    <message>
        <source>%s不是数字：“%s”。请输入整数。</source>
        <translation>%s is not a number: &quot;%s&quot;. Please enter a whole number.</translation>
    </message>
    <message>
        <source>%s超出范围：%d。湿度报警限须在 %d 到 %d 之间。</source>
        <translation>%s is out of range: %d. Humidity alarm limits must lie between %d and %d.</translation>
    </message>
    <message>
        <source>%s超出范围：%s。温度报警限须在 -%d 到 %d 之间。</source>
        <translation>%s is out of range: %s. Temperature alarm limits must lie between -%d and %d.</translation>
    </message>
    <message>
        <source>%s太长：%zu 字节，最多 %zu 字节（一个汉字占 2 字节）。</source>
        <translation>%s is too long: %zu bytes, at most %zu bytes (a Chinese character takes 2 bytes).</translation>
    </message>
    <message>
        <source>%s下限值</source>
        <translation>%s lower limit</translation>
    </message>
    <message>
        <source>%s上限值</source>
        <translation>%s upper limit</translation>
    </message>
    <message>
        <source>启动时间不是有效的日期：%d-%02d-%02d %02d:%02d:%02d。</source>
        <translation>The start time is not a valid date: %d-%02d-%02d %02d:%02d:%02d.</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
</context>
<context>
    <name>veldrin::StatisticsListModel</name>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>veldrin::StatisticsPage</name>
    <message>
        <source>超限记录</source>
        <translation>Excursions</translation>
    </message>
    <message>
        <source>超限记录（%1次）</source>
        <translation>Excursions (%1)</translation>
    </message>
</context>
<context>
    <name>veldrin::StatisticsText</name>
    <message>
        <source>下限</source>
        <translation>Lower limit</translation>
    </message>
    <message>
        <source>低于下限次数</source>
        <translation>Excursions below lower limit</translation>
    </message>
    <message>
        <source>低于下限累计时长</source>
        <translation>Total time below lower limit</translation>
    </message>
    <message>
        <source>最长一次低于下限</source>
        <translation>Longest time below lower limit</translation>
    </message>
    <message>
        <source>首次低于下限</source>
        <translation>First time below lower limit</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Upper limit</translation>
    </message>
    <message>
        <source>高于上限次数</source>
        <translation>Excursions above upper limit</translation>
    </message>
    <message>
        <source>高于上限累计时长</source>
        <translation>Total time above upper limit</translation>
    </message>
    <message>
        <source>最长一次高于上限</source>
        <translation>Longest time above upper limit</translation>
    </message>
    <message>
        <source>首次高于上限</source>
        <translation>First time above upper limit</translation>
    </message>
    <message>
        <source>%d次</source>
        <translation>%d</translation>
    </message>
    <message>
        <source>%s，%s起</source>
        <translation>%s, from %s</translation>
    </message>
    <message>
        <source>%lld天</source>
        <translation>%lld d </translation>
    </message>
    <message>
        <source>%lld小时</source>
        <translation>%lld h </translation>
    </message>
    <message>
        <source>%lld分</source>
        <translation>%lld min </translation>
    </message>
    <message>
        <source>%lld秒</source>
        <translation>%lld s</translation>
    </message>
    <message>
        <source>低于下限</source>
        <translation>Below lower limit</translation>
    </message>
    <message>
        <source>高于上限</source>
        <translation>Above upper limit</translation>
    </message>
    <message>
        <source>读数</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>结束时间</source>
        <translation>End time</translation>
    </message>
    <message>
        <source>时间跨度</source>
        <translation>Time span</translation>
    </message>
    <message>
        <source>记录时长</source>
        <translation>Recording duration</translation>
    </message>
    <message>
        <source>记录间隔</source>
        <translation>Recording interval</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>最小值时间</source>
        <translation>Time of minimum</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>最大值时间</source>
        <translation>Time of maximum</translation>
    </message>
    <message>
        <source>平均值</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>标准差</source>
        <translation>Standard deviation</translation>
    </message>
    <message>
        <source>平均动力学温度(MKT)</source>
        <translation>Mean kinetic temperature (MKT)</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>未启用</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>没有读数</source>
        <translation>No readings</translation>
    </message>
    <message>
        <source>报警未启用，未按限值判定</source>
        <translation>Alarm off; not judged against limits</translation>
    </message>
    <message>
        <source>全部读数均在限值内</source>
        <translation>All readings within the limits</translation>
    </message>
    <message>
        <source>超限%d次，累计超限%s</source>
        <translation>%d excursions, %s beyond the limits in total</translation>
    </message>
</context>
<context>
    <name>veldrin::SummaryRows</name>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>仪表名称</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>启用通道数</source>
        <translation>Channels enabled</translation>
    </message>
    <message>
        <source>数据长度</source>
        <translation>Data length</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>停止时间</source>
        <translation>Stop time</translation>
    </message>
    <message>
        <source>间隔时间</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>通道号</source>
        <translation>Channel number</translation>
    </message>
    <message>
        <source>通道名称</source>
        <translation>Channel name</translation>
    </message>
    <message>
        <source>通道单位</source>
        <translation>Channel unit</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>平均值</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>记录仪描述</source>
        <translation>Logger description</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>veldrin::UnitMenu</name>
    <message>
        <source>温度单位</source>
        <translation>Temperature Unit</translation>
    </message>
</context>
<context>
    <name>veldrin::UserGuideDialog</name>
    <message>
        <source>使用说明</source>
        <translation>User Guide</translation>
    </message>
    <message>
        <source>找不到使用说明。</source>
        <translation>The user guide cannot be found.</translation>
    </message>
</context>
<context>
    <name>veldrin::WarnDialog</name>
    <message>
        <source>启动报警</source>
        <translation>Alarm on</translation>
    </message>
    <message>
        <source>上限值</source>
        <translation>Upper limit</translation>
    </message>
    <message>
        <source>下限值</source>
        <translation>Lower limit</translation>
    </message>
</context>
<context>
    <name>veldrin::texts</name>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>打开com%d失败</source>
        <translation>Cannot open com%d</translation>
    </message>
    <message>
        <source>打开%s失败</source>
        <translation>Cannot open %s</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>No logger found</translation>
    </message>
    <message>
        <source>仪器不匹配</source>
        <translation>Logger model mismatch</translation>
    </message>
    <message>
        <source>选择的是%1，连接的是%2</source>
        <translation>Chosen: %1; connected: %2</translation>
    </message>
    <message>
        <source>重新连接为%1</source>
        <translation>Reconnect as %1</translation>
    </message>
    <message>
        <source>自动搜索找到仪器，位于COM%d</source>
        <translation>The auto search found a logger on COM%d</translation>
    </message>
    <message>
        <source>自动搜索找到仪器，位于%s</source>
        <translation>The auto search found a logger on %s</translation>
    </message>
    <message>
        <source>仪器不匹配!  是否重新连接仪器?</source>
        <translation>Logger model mismatch! Reconnect the logger?</translation>
    </message>
    <message>
        <source>通信超时</source>
        <translation>Communication timeout</translation>
    </message>
    <message>
        <source>设备未连接</source>
        <translation>Device not connected</translation>
    </message>
    <message>
        <source>设备通讯正常</source>
        <translation>Communication normal</translation>
    </message>
    <message>
        <source>正在连接</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>正在设置仪器</source>
        <translation>Configuring the logger</translation>
    </message>
    <message>
        <source>设置完成</source>
        <translation>Settings done</translation>
    </message>
    <message>
        <source>正在读取历史数据</source>
        <translation>Reading history data</translation>
    </message>
    <message>
        <source>已启动记录</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>未启动记录</source>
        <translation>Not recording</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>不正常</source>
        <translation>Abnormal</translation>
    </message>
    <message>
        <source>停止记录并读取历史数据？</source>
        <translation>Stop recording and read the history data?</translation>
    </message>
    <message>
        <source>需要有访问串口设备的权限：在 Debian 上把用户加入 dialout 组（sudo adduser 用户名 dialout），然后注销并重新登录。</source>
        <translation>You need access to serial devices: on Debian add the user to the dialout group (sudo adduser USERNAME dialout), then log out and log in again.</translation>
    </message>
    <message>
        <source>通信超时，%d秒后断开连接</source>
        <translation>Communication timeout, disconnecting in %d s</translation>
    </message>
    <message>
        <source>通信中断，连接未完成。</source>
        <translation>Communication lost; the connection was not completed.</translation>
    </message>
    <message>
        <source>通信中断，历史数据未读完：收到%d块，共%d块。</source>
        <translation>Communication lost; the history download is unfinished: %d of %d blocks received.</translation>
    </message>
    <message>
        <source>历史数据不完整：%d条记录，共%d条。</source>
        <translation>The history is incomplete: %d of %d readings.</translation>
    </message>
    <message>
        <source>通信中断，仪器设置未完成：设置未全部写入仪器。</source>
        <translation>Communication lost; the logger&apos;s settings are unfinished: not all settings were written to the logger.</translation>
    </message>
    <message>
        <source>通信中断，停止记录未完成。</source>
        <translation>Communication lost; stopping the recording did not finish.</translation>
    </message>
</context>
</TS>
