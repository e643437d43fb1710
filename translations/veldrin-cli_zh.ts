<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>veldrin-cli</name>
    <message>
        <source>%s: the archive %s holds no entry %lld
</source>
        <translation>%s: 档案库 %s 中没有第 %lld 条
</translation>
    </message>
    <message>
        <source>the list</source>
        <translation>列表</translation>
    </message>
    <message>
        <source>the entry</source>
        <translation>档案条目</translation>
    </message>
    <message>
        <source>archive export: no writer for %s; known: %s
</source>
        <translation>archive export: 无法写出 %s 这种格式；可用的格式：%s
</translation>
    </message>
    <message>
        <source> (archived before)</source>
        <translation>（以前已存档）</translation>
    </message>
    <message>
        <source>%s: entry %lld%s
</source>
        <translation>%s: 第 %lld 条%s
</translation>
    </message>
    <message>
        <source>the archive %s is intact: %lld records checked
</source>
        <translation>档案库 %s 完好：已检查 %lld 条记录
</translation>
    </message>
    <message>
        <source>the archive %s is NOT intact: %s
</source>
        <translation>档案库 %s 已被改动：%s
</translation>
    </message>
    <message>
        <source>the trail</source>
        <translation>审计记录</translation>
    </message>
    <message>
        <source>%s: archive %s: %s
</source>
        <translation>%s: 档案库 %s：%s
</translation>
    </message>
    <message>
        <source> (seen before)</source>
        <translation>（以前已下载过）</translation>
    </message>
    <message>
        <source>%s: archived as entry %lld%s
</source>
        <translation>%s: 已存档为第 %lld 条%s
</translation>
    </message>
    <message>
        <source>the download was not archived in %s: %s</source>
        <translation>下载的数据未能存入档案库 %s：%s</translation>
    </message>
    <message>
        <source>%s: the %s event was not recorded in %s: %s
</source>
        <translation>%s: %s 事件未能记入 %s：%s
</translation>
    </message>
    <message>
        <source>configure: --interval takes HH:MM:SS
</source>
        <translation>configure: --interval 的格式为 HH:MM:SS
</translation>
    </message>
    <message>
        <source>configure: --start takes &quot;YYYY-MM-DD HH:MM:SS&quot;
</source>
        <translation>configure: --start 的格式为 &quot;YYYY-MM-DD HH:MM:SS&quot;
</translation>
    </message>
    <message>
        <source>configure: --limits takes L1,U1 or L1,U1,L2,U2
</source>
        <translation>configure: --limits 的格式为 L1,U1 或 L1,U1,L2,U2
</translation>
    </message>
    <message>
        <source> (the logger starts by itself)</source>
        <translation>（仪器到时自行启动）</translation>
    </message>
    <message>
        <source>%s: interval %ds, start %s%s
</source>
        <translation>%s：记录间隔 %d 秒，启动时间 %s%s
</translation>
    </message>
    <message>
        <source>download: the history was not read completely
</source>
        <translation>download: 历史数据没有读完
</translation>
    </message>
    <message>
        <source>download: cannot write %s
</source>
        <translation>download: 无法写入 %s
</translation>
    </message>
    <message>
        <source>%zu bytes</source>
        <translation>%zu 字节</translation>
    </message>
    <message>
        <source>, channel %d: %d samples</source>
        <translation>，通道 %d：%d 个数据</translation>
    </message>
    <message>
        <source>download: the logger holds no readings, so there is nothing to save; %s was not written
</source>
        <translation>download: 仪器中没有记录数据，无可保存；未写入 %s
</translation>
    </message>
    <message>
        <source>; what arrived is saved</source>
        <translation>；已收到的数据已保存</translation>
    </message>
    <message>
        <source>download: the history is incomplete: %d of %d blocks arrived%s
</source>
        <translation>download: 历史数据不完整：收到 %d 块，共 %d 块%s
</translation>
    </message>
    <message>
        <source>download: --raw and --trace take one logger (one --port)
</source>
        <translation>download: --raw 和 --trace 只能用于一台仪器（一个 --port）
</translation>
    </message>
    <message>
        <source>download: no serial devices found
</source>
        <translation>download: 没有找到串口设备
</translation>
    </message>
    <message>
        <source>download: no logger answered on any serial device
</source>
        <translation>download: 所有串口设备上都没有仪器应答
</translation>
    </message>
    <message>
        <source>download: --channels takes 1, 2 or 1,2
</source>
        <translation>download: --channels 的取值为 1、2 或 1,2
</translation>
    </message>
    <message>
        <source>download: name the loggers with --port, or take every device with --all
</source>
        <translation>download: 请用 --port 指定仪器，或用 --all 读取所有设备
</translation>
    </message>
    <message>
        <source>download: --restart-at takes &quot;YYYY-MM-DD HH:MM:SS&quot;
</source>
        <translation>download: --restart-at 的格式为 &quot;YYYY-MM-DD HH:MM:SS&quot;
</translation>
    </message>
    <message>
        <source>the samples</source>
        <translation>数据</translation>
    </message>
    <message>
        <source>export: no writer for %s; known: %s
</source>
        <translation>export: 无法写出 %s 这种格式；可用的格式：%s
</translation>
    </message>
    <message>
        <source>%s: cannot write %s to standard output: %s
</source>
        <translation>%s: 无法把%s写到标准输出：%s
</translation>
    </message>
    <message>
        <source>saved %s</source>
        <translation>已保存 %s</translation>
    </message>
    <message>
        <source>restarted</source>
        <translation>已重新启动</translation>
    </message>
    <message>
        <source>waiting for a logger</source>
        <translation>等待仪器</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>正在连接</translation>
    </message>
    <message>
        <source>done, take it out</source>
        <translation>完成，请取下仪器</translation>
    </message>
    <message>
        <source>%s; take it out</source>
        <translation>%s；请取下仪器</translation>
    </message>
    <message>
        <source>reading a logger&apos;s history stops its recording (the protocol ends it before the download); --restart starts it again</source>
        <translation>读取仪器的历史数据会停止记录（通讯协议在下载前结束记录）；--restart 可重新启动记录</translation>
    </message>
    <message>
        <source>the header</source>
        <translation>文件头</translation>
    </message>
    <message>
        <source>monitor: cannot write the readings to standard output: %s
</source>
        <translation>monitor: 无法把实时数据写到标准输出：%s
</translation>
    </message>
    <message>
        <source>not a time of the form YYYY-MM-DD HH:MM:SS: %s</source>
        <translation>不是 YYYY-MM-DD HH:MM:SS 格式的时间：%s</translation>
    </message>
    <message>
        <source>	no permission (group %s)</source>
        <translation>	无权限（需属于用户组 %s）</translation>
    </message>
    <message>
        <source>ports: cannot write the list to standard output: %s
</source>
        <translation>ports: 无法把列表写到标准输出：%s
</translation>
    </message>
    <message>
        <source>ports: no serial devices found
</source>
        <translation>ports: 没有找到串口设备
</translation>
    </message>
    <message>
        <source>%s left</source>
        <translation>剩余 %s</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>MODEL</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>TITLE</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>READINGS</source>
        <translation>数据个数</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>trace: %d writes, %d bursts received, %zu replies accepted
</source>
        <translation>跟踪记录：发送 %d 次，接收 %d 批，有效应答 %zu 个
</translation>
    </message>
    <message>
        <source>model: %s
</source>
        <translation>型号：%s
</translation>
    </message>
    <message>
        <source>recording: %s, voltage %s
</source>
        <translation>记录状态：%s，电压 %s
</translation>
    </message>
    <message>
        <source>interval: %d s
</source>
        <translation>记录间隔：%d 秒
</translation>
    </message>
    <message>
        <source>start: %s
</source>
        <translation>启动时间：%s
</translation>
    </message>
    <message>
        <source>record memory: %u bytes in %d blocks
</source>
        <translation>记录存储：%u 字节，共 %d 块
</translation>
    </message>
    <message>
        <source>title: %s
description: %s
</source>
        <translation>标题：%s
说明：%s
</translation>
    </message>
    <message>
        <source>realtime readings: %zu
</source>
        <translation>实时数据：%zu 个
</translation>
    </message>
    <message>
        <source>realtime frames of another model: %d
</source>
        <translation>其他型号的实时数据帧：%d 个
</translation>
    </message>
    <message>
        <source>replay: cannot read %s
</source>
        <translation>replay: 无法读取 %s
</translation>
    </message>
    <message>
        <source>replay: no logger identifies itself in the trace; name it with --model
</source>
        <translation>replay: 跟踪记录中没有仪器的型号应答；请用 --model 指定型号
</translation>
    </message>
    <message>
        <source>history requests sent otherwise than this program would: %d
</source>
        <translation>与本程序发法不同的历史数据请求：%d 个
</translation>
    </message>
    <message>
        <source>history: no download in the trace
</source>
        <translation>历史数据：跟踪记录中没有下载
</translation>
    </message>
    <message>
        <source>complete</source>
        <translation>完整</translation>
    </message>
    <message>
        <source>incomplete</source>
        <translation>不完整</translation>
    </message>
    <message>
        <source>history: %d of %d blocks, %s
</source>
        <translation>历史数据：收到 %d 块，共 %d 块，%s
</translation>
    </message>
    <message>
        <source>history readings: %d
</source>
        <translation>历史数据个数：%d
</translation>
    </message>
    <message>
        <source>replay: no reading to save in %s
</source>
        <translation>replay: 没有数据可保存到 %s
</translation>
    </message>
    <message>
        <source>simulate: cannot open a pseudo-terminal: %s
</source>
        <translation>simulate: 无法打开伪终端：%s
</translation>
    </message>
    <message>
        <source>simulated %s logger (%s) on %s; Ctrl+C ends it
</source>
        <translation>模拟的 %s 仪器（%s）在 %s 上；按 Ctrl+C 结束
</translation>
    </message>
    <message>
        <source>watch: name the ports with --port, or watch every device with --all
</source>
        <translation>watch: 请用 --port 指定端口，或用 --all 监视所有设备
</translation>
    </message>
    <message>
        <source>watch: %s; Ctrl+C ends the station
</source>
        <translation>watch: %s；按 Ctrl+C 结束下载站
</translation>
    </message>
</context>
</TS>
