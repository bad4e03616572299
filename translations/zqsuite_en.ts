<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AddressXref</name>
    <message>
        <source>画面%1</source>
        <translation>Screen %1</translation>
    </message>
    <message>
        <source>读</source>
        <translation>read</translation>
    </message>
    <message>
        <source>写</source>
        <translation>write</translation>
    </message>
    <message>
        <source>读写</source>
        <translation>read/write</translation>
    </message>
    <message>
        <source>寄存器</source>
        <translation>register</translation>
    </message>
    <message>
        <source>线圈</source>
        <translation>coil</translation>
    </message>
    <message>
        <source>%1：%2 (%3)</source>
        <translation>%1: %2 (%3)</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>站号</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>线路地址</source>
        <translation>Line address</translation>
    </message>
    <message>
        <source>线路地址(十六进制)</source>
        <translation>Line address (hex)</translation>
    </message>
    <message>
        <source>使用者</source>
        <translation>Used by</translation>
    </message>
</context>
<context>
    <name>AttributePane</name>
    <message>
        <source>此组中没有可用的属性。</source>
        <translation>No attributes in this group.</translation>
    </message>
    <message>
        <source>·当前页面</source>
        <translation>·Current screen</translation>
    </message>
    <message>
        <source>·当前页面（选择多个控件）</source>
        <translation>·Current screen (multiple)</translation>
    </message>
    <message>
        <source>宽度%22d
高度%22d
控件数%20d
选中控件数%16d

液晶屏%20s
PLC%23s

设备重新设置%14s</source>
        <translation>Width%21d
Height%20d
Controls%18d
Selected%18d

Panel%21s
PLC%23s

Change devices</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Set...</translation>
    </message>
    <message>
        <source>页面名称</source>
        <translation>Screen name</translation>
    </message>
    <message>
        <source>有效范围：%1 - %2</source>
        <translation>Valid range: %1 - %2</translation>
    </message>
    <message>
        <source>此值不被接受，属性保持原值。</source>
        <translation>This value is not accepted; the attribute keeps its value.</translation>
    </message>
    <message>
        <source>此值超出有效范围，请改正；项目检查也会报告它。</source>
        <translation>This value lies outside the valid range: correct it. The project check reports it too.</translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>%1: [%2] %3=%4 is beyond the largest value the formats hold, %5; %5 is used</source>
        <translation>%1: [%2] %3=%4 is beyond the largest value the formats hold, %5; %5 is used</translation>
    </message>
    <message>
        <source>(no file)</source>
        <translation>(no file)</translation>
    </message>
</context>
<context>
    <name>Download</name>
    <message>
        <source>the folder for download images cannot be created: %1</source>
        <translation>the folder for download images cannot be created: %1</translation>
    </message>
    <message>
        <source>the project could not be compiled</source>
        <translation>the project could not be compiled</translation>
    </message>
    <message>
        <source>no free image file name in %1</source>
        <translation>no free image file name in %1</translation>
    </message>
    <message>
        <source>cannot write the programmer&apos;s settings %1</source>
        <translation>cannot write the programmer&apos;s settings %1</translation>
    </message>
    <message>
        <source>COM%1 is not a port from COM1 to COM256</source>
        <translation>COM%1 is not a port from COM1 to COM256</translation>
    </message>
    <message>
        <source>the download image would take %1 bytes; its 16-bit length and offsets hold at most 65535: use fewer or shorter static texts, or fewer different characters</source>
        <translation>the download image would take %1 bytes; its 16-bit length and offsets hold at most 65535: use fewer or shorter static texts, or fewer different characters</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>关于 ZQEditor</source>
        <translation>About ZQEditor</translation>
    </message>
    <message>
        <source>找不到下载程序 %1，无法下载！</source>
        <translation>The programmer %1 is missing; cannot download!</translation>
    </message>
    <message>
        <source>不能写入下载文件：
%1</source>
        <translation>Cannot write the download file:
%1</translation>
    </message>
    <message>
        <source>不能启动下载程序 %1！</source>
        <translation>Cannot start the programmer %1!</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>建立新项目
新建</source>
        <translation>Create a new project
New</translation>
    </message>
    <message>
        <source>打开(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>打开一个现有项目
打开</source>
        <translation>Open an existing project
Open</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关闭当前项目
关闭</source>
        <translation>Close the current project
Close</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存当前项目
保存</source>
        <translation>Save the current project
Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>用新名称保存当前项目
另存为</source>
        <translation>Save the current project under a new name
Save As</translation>
    </message>
    <message>
        <source>编译(P)</source>
        <translation>Com&amp;pile</translation>
    </message>
    <message>
        <source>编译当前项目
编译</source>
        <translation>Compile the current project
Compile</translation>
    </message>
    <message>
        <source>下载串口设置</source>
        <translation>Download port...</translation>
    </message>
    <message>
        <source>选择下载程序使用的串口
下载串口设置</source>
        <translation>Choose the serial port the programmer uses
Download port</translation>
    </message>
    <message>
        <source>下载程序</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>编译当前项目并下载到显示器
下载程序</source>
        <translation>Compile the current project and download it into the panel
Download</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出程序，提示保存项目
退出</source>
        <translation>Quit the program, offering to save the project
Exit</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>剪切选择的控件并放到剪贴板上
剪切</source>
        <translation>Cut the selected controls to the clipboard
Cut</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>复制选择的控件并放到剪贴板上
复制</source>
        <translation>Copy the selected controls to the clipboard
Copy</translation>
    </message>
    <message>
        <source>粘帖(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>插入剪贴板中的控件
粘帖</source>
        <translation>Insert the controls from the clipboard
Paste</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>删除选择的控件
删除</source>
        <translation>Delete the selected controls
Delete</translation>
    </message>
    <message>
        <source>撤消上一个操作
撤消</source>
        <translation>Undo the last action
Undo</translation>
    </message>
    <message>
        <source>重做已撤消的操作
重做</source>
        <translation>Redo the undone action
Redo</translation>
    </message>
    <message>
        <source>设置寄存器输入顺序
寄存器输入顺序</source>
        <translation>Set the register input order
Register input order</translation>
    </message>
    <message>
        <source>文本(&amp;W)</source>
        <translation>Te&amp;xt</translation>
    </message>
    <message>
        <source>插入文本控件
文本</source>
        <translation>Insert a text control
Text</translation>
    </message>
    <message>
        <source>寄存器(&amp;R)</source>
        <translation>&amp;Register</translation>
    </message>
    <message>
        <source>插入寄存器控件
寄存器</source>
        <translation>Insert a register control
Register</translation>
    </message>
    <message>
        <source>指示灯(&amp;L)</source>
        <translation>&amp;Lamp</translation>
    </message>
    <message>
        <source>插入指示灯控件
指示灯</source>
        <translation>Insert a lamp control
Lamp</translation>
    </message>
    <message>
        <source>功能键(&amp;F)</source>
        <translation>&amp;Function key</translation>
    </message>
    <message>
        <source>插入功能键控件
功能键</source>
        <translation>Insert a function key control
Function key</translation>
    </message>
    <message>
        <source>趋势图(&amp;V)</source>
        <translation>Trend &amp;view</translation>
    </message>
    <message>
        <source>插入趋势图控件
趋势图</source>
        <translation>Insert a trend chart control
Trend chart</translation>
    </message>
    <message>
        <source>棒状图(&amp;B)</source>
        <translation>&amp;Bar graph</translation>
    </message>
    <message>
        <source>插入棒状图控件
棒状图</source>
        <translation>Insert a bar graph control
Bar graph</translation>
    </message>
    <message>
        <source>图片(&amp;P)</source>
        <translation>&amp;Picture</translation>
    </message>
    <message>
        <source>插入图片控件
图片</source>
        <translation>Insert a picture control
Picture</translation>
    </message>
    <message>
        <source>动态文本(&amp;A)</source>
        <translation>Dyn&amp;amic text</translation>
    </message>
    <message>
        <source>插入动态文本控件
动态文本</source>
        <translation>Insert a dynamic text control
Dynamic text</translation>
    </message>
    <message>
        <source>新建画面(&amp;N)</source>
        <translation>&amp;New screen</translation>
    </message>
    <message>
        <source>在项目中新建一个画面
新建画面</source>
        <translation>Add a new screen to the project
New screen</translation>
    </message>
    <message>
        <source>复制画面(&amp;C)</source>
        <translation>&amp;Copy screen</translation>
    </message>
    <message>
        <source>复制当前画面
复制画面</source>
        <translation>Copy the current screen
Copy screen</translation>
    </message>
    <message>
        <source>删除画面(&amp;D)</source>
        <translation>&amp;Delete screen</translation>
    </message>
    <message>
        <source>删除当前画面
删除画面</source>
        <translation>Delete the current screen
Delete screen</translation>
    </message>
    <message>
        <source>上一个画面(&amp;P)</source>
        <translation>&amp;Previous screen</translation>
    </message>
    <message>
        <source>显示上一个画面
上一个画面</source>
        <translation>Show the previous screen
Previous screen</translation>
    </message>
    <message>
        <source>下一个画面(&amp;E)</source>
        <translation>N&amp;ext screen</translation>
    </message>
    <message>
        <source>显示下一个画面
下一个画面</source>
        <translation>Show the next screen
Next screen</translation>
    </message>
    <message>
        <source>画面属性(&amp;A)</source>
        <translation>Screen &amp;attributes...</translation>
    </message>
    <message>
        <source>设置背景灯与功能画面
画面属性</source>
        <translation>Set the backlight and the function screens
Screen attributes</translation>
    </message>
    <message>
        <source>选择的控件左对齐
左对齐</source>
        <translation>Align the selected controls on the left
Align left</translation>
    </message>
    <message>
        <source>选择的控件顶端对齐
顶端对齐</source>
        <translation>Align the selected controls on the top
Align top</translation>
    </message>
    <message>
        <source>选择的控件底端对齐
底端对齐</source>
        <translation>Align the selected controls on the bottom
Align bottom</translation>
    </message>
    <message>
        <source>选择的控件垂直居中对齐
垂直居中</source>
        <translation>Centre the selected controls vertically
Centre vertically</translation>
    </message>
    <message>
        <source>选择的控件水平居中对齐
水平居中</source>
        <translation>Centre the selected controls horizontally
Centre horizontally</translation>
    </message>
    <message>
        <source>选择的控件垂直等间距
垂直等间距</source>
        <translation>Space the selected controls evenly, top to bottom
Space vertically</translation>
    </message>
    <message>
        <source>选择的控件水平等间距
水平等间距</source>
        <translation>Space the selected controls evenly, left to right
Space horizontally</translation>
    </message>
    <message>
        <source>选择的控件右对齐
右对齐</source>
        <translation>Align the selected controls on the right
Align right</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏
显隐状态栏</source>
        <translation>Show or hide the status bar
Toggle status bar</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>打开用户手册
帮助</source>
        <translation>Open the user manual
Help</translation>
    </message>
    <message>
        <source>关于 ZQEditor...(&amp;A)</source>
        <translation>&amp;About ZQEditor...</translation>
    </message>
    <message>
        <source>显示程序信息、版本号和版权
关于</source>
        <translation>Show the program information, version and copyright
About</translation>
    </message>
    <message>
        <source>切换到下一个窗格
下一窗格</source>
        <translation>Switch to the next pane
Next pane</translation>
    </message>
    <message>
        <source>切换回上一个窗格
前一窗格</source>
        <translation>Switch back to the previous pane
Previous pane</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>插入(&amp;I)</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>画面(&amp;S)</source>
        <translation>&amp;Screen</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>标准</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>控件</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>对齐</source>
        <translation>Align</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Screens</translation>
    </message>
    <message>
        <source>画面列表</source>
        <translation>Screen list</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>背景颜色</source>
        <translation>Background colour</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Attributes</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>控件: %1</source>
        <translation>Controls: %1</translation>
    </message>
    <message>
        <source>是否保存对 %1 的更改?</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source>查找地址，如 D100、264 或 0x108</source>
        <translation>Find an address: D100, 264 or 0x108</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>站号</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>线路地址</source>
        <translation>Line address</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>读写</source>
        <translation>Access</translation>
    </message>
    <message>
        <source>使用者</source>
        <translation>Used by</translation>
    </message>
    <message>
        <source>项目检查发现 %1 个错误，不能下载！
请在“问题”窗口中查看并改正。</source>
        <translation>The project check found %1 error(s): the project cannot be downloaded!
See the &quot;Problems&quot; window and correct them.</translation>
    </message>
    <message>
        <source>检查项目</source>
        <translation>Check Project</translation>
    </message>
    <message>
        <source>检查项目中会被下载拒绝或在面板上出错的地方
检查项目</source>
        <translation>Check the project for what the download would refuse or the panel would show wrong
Check Project</translation>
    </message>
    <message>
        <source>导出报告(&amp;R)...</source>
        <translation>Export &amp;Report...</translation>
    </message>
    <message>
        <source>把项目的画面、控件、地址表和检查结果导出为 PDF 或 HTML 文档
导出报告</source>
        <translation>Export the project&apos;s screens, controls, addresses and check findings as a PDF or HTML document
Export Report</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>地址表</source>
        <translation>Addresses</translation>
    </message>
    <message>
        <source>严重性</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>%1 个错误，%2 个警告，%3 个提示</source>
        <translation>%1 error(s), %2 warning(s), %3 note(s)</translation>
    </message>
    <message>
        <source>PDF 文档 (*.pdf);;HTML 网页 (*.html *.htm)</source>
        <translation>PDF documents (*.pdf);;HTML pages (*.html *.htm)</translation>
    </message>
    <message>
        <source>撤消(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>全选(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>选择画面中的全部控件
全选</source>
        <translation>Select every control of the screen
Select All</translation>
    </message>
    <message>
        <source>寄存器输入顺序(&amp;O)</source>
        <translation>Register Input &amp;Order</translation>
    </message>
    <message>
        <source>对齐(&amp;G)</source>
        <translation>Ali&amp;gn</translation>
    </message>
    <message>
        <source>无法打开用户手册（没有找到手册或阅读 PDF 文件的程序）：
%1</source>
        <translation>Cannot open the user manual (the manual or a program that shows PDF files is missing):
%1</translation>
    </message>
    <message>
        <source>撤消%1(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>重做%1(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>插入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>属性修改</source>
        <translation>Attribute Change</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>粘帖</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>不能写入 %1，下载串口未改变。</source>
        <translation>Cannot write %1; the download port is unchanged.</translation>
    </message>
    <message>
        <source>离线模拟</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>在电脑上运行当前项目，PLC 由内存中的模拟代替，旁边的表格可修改其寄存器和线圈
离线模拟</source>
        <translation>Run the project on this computer against a PLC in memory, with a table beside it to edit its registers and coils
Offline</translation>
    </message>
    <message>
        <source>在线模拟</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>在电脑上运行当前项目，连接串口或 Modbus TCP 上的 PLC
在线模拟</source>
        <translation>Run the project on this computer against the PLC on a serial port or over Modbus TCP
Online</translation>
    </message>
    <message>
        <source>模拟(&amp;M)</source>
        <translation>Si&amp;mulate</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>连接方式</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>串口（按项目的通信设置）</source>
        <translation>Serial port (with the project&apos;s line settings)</translation>
    </message>
    <message>
        <source>主机</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>项目检查发现错误，不能模拟：</source>
        <translation>The project check found errors; cannot simulate:</translation>
    </message>
    <message>
        <source>不能模拟：%1</source>
        <translation>Cannot simulate: %1</translation>
    </message>
    <message>
        <source>不能启动模拟程序 %1！</source>
        <translation>Cannot start the emulator %1!</translation>
    </message>
    <message>
        <source>模拟已结束：%1</source>
        <translation>The simulation ended: %1</translation>
    </message>
    <message>
        <source>模拟程序意外退出</source>
        <translation>the emulator stopped unexpectedly</translation>
    </message>
    <message>
        <source>以下按键和功能页指向%1：
%2

删除后它们仍按画面号指向其后的画面或不存在的画面。仍要删除这个画面吗？</source>
        <translation>These keys and function pages lead to %1:
%2

They keep the screen number after the delete, so they lead to the screen after it or to none. Delete this screen anyway?</translation>
    </message>
    <message>
        <source>文本显示面板组态软件</source>
        <translation>Text panel configuration</translation>
    </message>
    <message>
        <source>画面 · 控件 · 编译 · 下载</source>
        <translation>Screens · Controls · Compile · Download</translation>
    </message>
    <message>
        <source>画面 1</source>
        <translation>Screen 1</translation>
    </message>
    <message>
        <source>温度   25.6℃</source>
        <translation>Temp.  25.6℃</translation>
    </message>
    <message>
        <source>压力  1.20MPa</source>
        <translation>Press. 1.20MPa</translation>
    </message>
    <message>
        <source>ZQ 面板配置套件</source>
        <translation>ZQ panel configuration suite</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>EditorDialogs</name>
    <message>
        <source>当前画面</source>
        <translation>current screen</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>White</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>确 定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取 消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>串口通讯设置</source>
        <translation>Serial line settings</translation>
    </message>
    <message>
        <source>串口名称</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>数据位</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>奇偶校验</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>停止位</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>流控制</source>
        <translation>Flow control</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>标志</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>空格</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>硬件</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>无效的设备名称或无效的PLC名称！</source>
        <translation>Invalid panel model or PLC name!</translation>
    </message>
    <message>
        <source>设备选择</source>
        <translation>Device selection</translation>
    </message>
    <message>
        <source>选择液晶屏设备</source>
        <translation>Panel model</translation>
    </message>
    <message>
        <source>选择PLC</source>
        <translation>PLC</translation>
    </message>
    <message>
        <source>液晶屏和PLC通信设置</source>
        <translation>PLC communication</translation>
    </message>
    <message>
        <source>设 置</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>页面属性</source>
        <translation>Screen attributes</translation>
    </message>
    <message>
        <source>背景灯延时时间（秒）</source>
        <translation>Backlight delay (s)</translation>
    </message>
    <message>
        <source>背景灯常开</source>
        <translation>Always on</translation>
    </message>
    <message>
        <source>背景灯定时</source>
        <translation>Timed</translation>
    </message>
    <message>
        <source>不使用</source>
        <translation>Not used</translation>
    </message>
    <message>
        <source>功能页号%1</source>
        <translation>Function screen %1</translation>
    </message>
    <message>
        <source>画面选择</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>缩放比例</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>无校验</source>
        <translation>no parity</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>odd parity</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>even parity</translation>
    </message>
    <message>
        <source>下载串口设置</source>
        <translation>Download Port</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>（未连接）</source>
        <translation> (not connected)</translation>
    </message>
    <message>
        <source>（无权限）</source>
        <translation> (no permission)</translation>
    </message>
    <message>
        <source>下载程序使用的线路设置（来自 MD_DLL.DFT，仅供参考）：%1 波特，%2 位数据，%3，%4 位停止</source>
        <translation>Line settings the programmer uses (from MD_DLL.DFT, for information only): %1 baud, %2 data bits, %3, %4 stop bits</translation>
    </message>
    <message>
        <source>串口 %1 未连接：请插上适配器，或选择另一个串口。</source>
        <translation>Port %1 is not connected: plug the adapter in, or choose another port.</translation>
    </message>
    <message>
        <source>没有打开 %1 的权限：串口属于 dialout 组，请执行 sudo usermod -aG dialout $USER 后重新登录。</source>
        <translation>You may not open %1: serial ports belong to the group dialout; run sudo usermod -aG dialout $USER and log in again.</translation>
    </message>
</context>
<context>
    <name>EditorStrings</name>
    <message>
        <source>无法识别的文件格式或文件已经损坏，请打开ZQEditor专用的&quot;.ZQE&quot;文件！</source>
        <translation>Unknown file format or damaged file. Please open a ZQEditor &quot;.ZQE&quot; project file!</translation>
    </message>
    <message>
        <source>请先关闭一体机电源，按确定继续，再开一体机电源！</source>
        <translation>Switch the panel off, press OK to continue, then switch the panel on again!</translation>
    </message>
    <message>
        <source>不能编译、下载当前程序！
程序中至少存在一个参数控件(指示灯或寄存器)！
程序中控件的最大数量不能超过255个！</source>
        <translation>Cannot compile or download this project!
It needs at least one data control (lamp or register)!
It may hold at most 255 controls!</translation>
    </message>
    <message>
        <source>画面中不存在寄存器控件！</source>
        <translation>This screen has no register control!</translation>
    </message>
    <message>
        <source>确定不保存就关闭当前项目吗？</source>
        <translation>Close the current project without saving?</translation>
    </message>
    <message>
        <source>ZQEditor 文件(*.ZQE)|*.zqe|所有文件 (*.*)|*.*||</source>
        <translation>ZQEditor projects (*.ZQE)|*.zqe|All files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>不能删除最后一个画面！</source>
        <translation>The last screen cannot be deleted!</translation>
    </message>
    <message>
        <source>确实要删除当前画面 [%s] 吗？
删除画面将无法撤消，请谨慎操作！</source>
        <translation>Delete the current screen [%s]?
Deleting a screen cannot be undone!</translation>
    </message>
    <message>
        <source>画面数已经达到最大允许数量！</source>
        <translation>The project already has the largest number of screens allowed!</translation>
    </message>
</context>
<context>
    <name>Emulator</name>
    <message>
        <source>cannot use the serial line %1: %2</source>
        <translation>cannot use the serial line %1: %2</translation>
    </message>
    <message>
        <source>cannot use %1:%2: %3</source>
        <translation>cannot use %1:%2: %3</translation>
    </message>
    <message>
        <source>cannot connect (%1): %2</source>
        <translation>cannot connect (%1): %2</translation>
    </message>
    <message>
        <source>station %1 cannot be addressed</source>
        <translation>station %1 cannot be addressed</translation>
    </message>
    <message>
        <source>cannot read %1 registers in one request</source>
        <translation>cannot read %1 registers in one request</translation>
    </message>
    <message>
        <source>cannot read %1 coils in one request</source>
        <translation>cannot read %1 coils in one request</translation>
    </message>
    <message>
        <source>the download image cannot be read</source>
        <translation>the download image cannot be read</translation>
    </message>
    <message>
        <source>the download image cannot be read: %1</source>
        <translation>the download image cannot be read: %1</translation>
    </message>
    <message>
        <source>the download image has no screen</source>
        <translation>the download image has no screen</translation>
    </message>
    <message>
        <source>link recovered</source>
        <translation>link recovered</translation>
    </message>
    <message>
        <source>link lost: %1</source>
        <translation>link lost: %1</translation>
    </message>
    <message>
        <source>no line to the PLC</source>
        <translation>no line to the PLC</translation>
    </message>
    <message>
        <source>%1: the download image could not be made</source>
        <translation>%1: the download image could not be made</translation>
    </message>
    <message>
        <source>%1 baud, %2 data bits, parity %3, stop bits %4</source>
        <translation>%1 baud, %2 data bits, parity %3, stop bits %4</translation>
    </message>
    <message>
        <source>line error (%1): %2</source>
        <translation>line error (%1): %2</translation>
    </message>
    <message>
        <source>the line does not fall quiet (%1)</source>
        <translation>the line does not fall quiet (%1)</translation>
    </message>
    <message>
        <source>no answer in time (%1): %2 ms</source>
        <translation>no answer in time (%1): %2 ms</translation>
    </message>
    <message>
        <source>the PLC refused the request (%1): exception %2</source>
        <translation>the PLC refused the request (%1): exception %2</translation>
    </message>
    <message>
        <source>an answer that is not the request&apos;s (%1)</source>
        <translation>an answer that is not the request&apos;s (%1)</translation>
    </message>
    <message>
        <source>the PLC closed the line (%1)</source>
        <translation>the PLC closed the line (%1)</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>cannot write &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>cannot replace &apos;%1&apos;: %2</source>
        <translation>cannot replace &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>cannot read %1: the file is empty</source>
        <translation>cannot read %1: the file is empty</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>cannot read %1: not a regular file</source>
        <translation>cannot read %1: not a regular file</translation>
    </message>
    <message>
        <source>cannot read %1: larger than %2 bytes</source>
        <translation>cannot read %1: larger than %2 bytes</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>will not write %1: it is a link to a missing file</source>
        <translation>will not write %1: it is a link to a missing file</translation>
    </message>
    <message>
        <source>will not write %1: not a regular file</source>
        <translation>will not write %1: not a regular file</translation>
    </message>
    <message>
        <source>will not write %1: the file is read-only</source>
        <translation>will not write %1: the file is read-only</translation>
    </message>
    <message>
        <source>cannot encode the image of %1 as PNG</source>
        <translation>cannot encode the image of %1 as PNG</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>larger than %1 bytes</translation>
    </message>
    <message>
        <source>it is a link to a missing file</source>
        <translation>it is a link to a missing file</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>the file is read-only</translation>
    </message>
</context>
<context>
    <name>Flasher</name>
    <message>
        <source>关于 Flasher</source>
        <translation>About Flasher</translation>
    </message>
    <message>
        <source>Flasher 2.42 版</source>
        <translation>Flasher version 2.42</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>COM config</source>
        <translation>COM config</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Stop bits:</translation>
    </message>
    <message>
        <source>Thread create error</source>
        <translation>Thread create error</translation>
    </message>
    <message>
        <source>Open File...</source>
        <translation>Open File...</translation>
    </message>
    <message>
        <source>Slave Address:</source>
        <translation>Slave Address:</translation>
    </message>
    <message>
        <source>LED Port:</source>
        <translation>LED Port:</translation>
    </message>
    <message>
        <source>485 Port:</source>
        <translation>485 Port:</translation>
    </message>
    <message>
        <source>Program Begin Address:</source>
        <translation>Program Begin Address:</translation>
    </message>
    <message>
        <source>Local Program</source>
        <translation>Local Program</translation>
    </message>
    <message>
        <source>Remote Program</source>
        <translation>Remote Program</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>About Us</source>
        <translation>About Us</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>无</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Programming...Please Wait!</source>
        <translation>Programming...Please Wait!</translation>
    </message>
    <message>
        <source>关于 Flasher(&amp;A)...</source>
        <translation>&amp;About Flasher...</translation>
    </message>
    <message>
        <source>Connecting to remote host!</source>
        <translation>Connecting to remote host!</translation>
    </message>
    <message>
        <source>Begin to download file!</source>
        <translation>Begin to download file!</translation>
    </message>
    <message>
        <source>Download file successfully!</source>
        <translation>Download file successfully!</translation>
    </message>
    <message>
        <source>Cannot connect to remote host,program terminate!</source>
        <translation>Cannot connect to the remote host; programming stopped!</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>cannot load vexorenc.dll!</source>
        <translation>cannot load vexorenc.dll!</translation>
    </message>
    <message>
        <source>file must be .hex or .bin or .vxc or .vxg!</source>
        <translation>file must be .hex or .bin or .vxc or .vxg!</translation>
    </message>
    <message>
        <source>open input file error</source>
        <translation>open input file error</translation>
    </message>
    <message>
        <source>open input file error!</source>
        <translation>open input file error!</translation>
    </message>
    <message>
        <source>error:file size is zero</source>
        <translation>error:file size is zero</translation>
    </message>
    <message>
        <source>error:file size over 65535!</source>
        <translation>error:file size over 65535!</translation>
    </message>
    <message>
        <source>HEX format error</source>
        <translation>HEX format error</translation>
    </message>
    <message>
        <source>file is enciphered but libvexorenc.so is not loaded!</source>
        <translation>file is enciphered but libvexorenc.so is not loaded!</translation>
    </message>
    <message>
        <source>file is not enciphered: program it as not enciphered (notenc=1 in isp.ini, zqflash --notenc)!</source>
        <translation>file is not enciphered: program it as not enciphered (notenc=1 in isp.ini, zqflash --notenc)!</translation>
    </message>
    <message>
        <source>485 port cannot be set to RXD or TXD!</source>
        <translation>485 port cannot be set to RXD or TXD!</translation>
    </message>
    <message>
        <source>led port cannot be set to RXD or TXD!</source>
        <translation>led port cannot be set to RXD or TXD!</translation>
    </message>
    <message>
        <source>led port and 485 port cannot to be the same port!</source>
        <translation>led port and 485 port cannot to be the same port!</translation>
    </message>
    <message>
        <source>An unexpectedly error,program terminate!</source>
        <translation>An unexpectedly error,program terminate!</translation>
    </message>
    <message>
        <source>Program Time over!</source>
        <translation>Program Time over!</translation>
    </message>
    <message>
        <source>Start to program ...</source>
        <translation>Start to program ...</translation>
    </message>
    <message>
        <source>Program Finished</source>
        <translation>Program Finished</translation>
    </message>
    <message>
        <source>cannot load vexorisp.dll!</source>
        <translation>cannot load vexorisp.dll!</translation>
    </message>
    <message>
        <source>Select the ports, their bits and the program begin address!</source>
        <translation>Select the ports, their bits and the program begin address!</translation>
    </message>
    <message>
        <source>The program does not fit between the begin address and 0xFFFF!</source>
        <translation>The program does not fit between the begin address and 0xFFFF!</translation>
    </message>
    <message>
        <source>An unexpectedly error!(%1)</source>
        <translation>An unexpectedly error!(%1)</translation>
    </message>
    <message>
        <source>Address: %1 CRC error!</source>
        <translation>Address: %1 CRC error!</translation>
    </message>
    <message>
        <source>HEX format error: two records give address 0x%1 different values</source>
        <translation>HEX format error: two records give address 0x%1 different values</translation>
    </message>
    <message>
        <source>illegal function</source>
        <translation>illegal function</translation>
    </message>
    <message>
        <source>illegal data address</source>
        <translation>illegal data address</translation>
    </message>
    <message>
        <source>illegal data value</source>
        <translation>illegal data value</translation>
    </message>
    <message>
        <source>slave device failure</source>
        <translation>slave device failure</translation>
    </message>
    <message>
        <source>acknowledge</source>
        <translation>acknowledge</translation>
    </message>
    <message>
        <source>slave device busy</source>
        <translation>slave device busy</translation>
    </message>
    <message>
        <source>memory parity error</source>
        <translation>memory parity error</translation>
    </message>
    <message>
        <source>gateway path unavailable</source>
        <translation>gateway path unavailable</translation>
    </message>
    <message>
        <source>gateway target device failed to respond</source>
        <translation>gateway target device failed to respond</translation>
    </message>
    <message>
        <source>unknown exception</source>
        <translation>unknown exception</translation>
    </message>
    <message>
        <source>no answer from the panel in time, after every retry</source>
        <translation>no answer from the panel in time, after every retry</translation>
    </message>
    <message>
        <source>the serial line is not open</source>
        <translation>the serial line is not open</translation>
    </message>
    <message>
        <source>the request cannot be framed (function, size or data)</source>
        <translation>the request cannot be framed (function, size or data)</translation>
    </message>
    <message>
        <source>the serial line failed while sending</source>
        <translation>the serial line failed while sending</translation>
    </message>
    <message>
        <source>answer of %1 bytes</source>
        <translation>answer of %1 bytes</translation>
    </message>
    <message>
        <source>the panel refused the request: Modbus exception %1 (%2)</source>
        <translation>the panel refused the request: Modbus exception %1 (%2)</translation>
    </message>
    <message>
        <source>unknown outcome %1</source>
        <translation>unknown outcome %1</translation>
    </message>
    <message>
        <source>no run yet</source>
        <translation>no run yet</translation>
    </message>
    <message>
        <source>programming is under way</source>
        <translation>programming is under way</translation>
    </message>
    <message>
        <source>programming finished: the panel confirmed every block</source>
        <translation>programming finished: the panel confirmed every block</translation>
    </message>
    <message>
        <source>nothing was programmed: the image is empty</source>
        <translation>nothing was programmed: the image is empty</translation>
    </message>
    <message>
        <source>a block arrived damaged at the panel (CRC error)</source>
        <translation>a block arrived damaged at the panel (CRC error)</translation>
    </message>
    <message>
        <source>a request failed after the panel&apos;s boot loader answered</source>
        <translation>a request failed after the panel&apos;s boot loader answered</translation>
    </message>
    <message>
        <source>programming was stopped</source>
        <translation>programming was stopped</translation>
    </message>
    <message>
        <source>the run was refused before anything was sent</source>
        <translation>the run was refused before anything was sent</translation>
    </message>
    <message>
        <source>unknown result</source>
        <translation>unknown result</translation>
    </message>
    <message>
        <source>Program file(*.HEX *.hex);;Program file(*.BIN *.bin);;Download image(*.vxg *.vxc *.dat *.VXG *.VXC *.DAT);;All files(*)</source>
        <translation>Program file(*.HEX *.hex);;Program file(*.BIN *.bin);;Download image(*.vxg *.vxc *.dat *.VXG *.VXC *.DAT);;All files(*)</translation>
    </message>
    <message>
        <source>Qt platform plugin to use (for example offscreen).</source>
        <translation>Qt platform plugin to use (for example offscreen).</translation>
    </message>
    <message>
        <source>Nobody answers the window&apos;s messages: they go to standard error, and the exit status is 0 only when the panel confirmed every block.</source>
        <translation>Nobody answers the window&apos;s messages: they go to standard error, and the exit status is 0 only when the panel confirmed every block.</translation>
    </message>
    <message>
        <source>The panel programmer&apos;s window. Its settings come from isp.ini beside it (the editor&apos;s download writes them). A FILE given is chosen as &quot;Open File...&quot; chooses it, in manual mode: nothing is programmed until &quot;Local Program&quot; is pressed.</source>
        <translation>The panel programmer&apos;s window. Its settings come from isp.ini beside it (the editor&apos;s download writes them). A FILE given is chosen as &quot;Open File...&quot; chooses it, in manual mode: nothing is programmed until &quot;Local Program&quot; is pressed.</translation>
    </message>
    <message>
        <source>The program file to choose (.vxg, .hex, ...).</source>
        <translation>The program file to choose (.vxg, .hex, ...).</translation>
    </message>
    <message>
        <source>one program file at a time</source>
        <translation>one program file at a time</translation>
    </message>
    <message>
        <source>the program file must be a file, not standard input</source>
        <translation>the program file must be a file, not standard input</translation>
    </message>
    <message>
        <source>; zqflash programs from the command line</source>
        <translation>; zqflash programs from the command line</translation>
    </message>
    <message>
        <source>The communication library cannot keep the line quiet: a block equal to an earlier one cannot be confirmed!</source>
        <translation>The communication library cannot keep the line quiet: a block equal to an earlier one cannot be confirmed!</translation>
    </message>
    <message>
        <source>the record does not start with &apos;:&apos;</source>
        <translation>the record does not start with &apos;:&apos;</translation>
    </message>
    <message>
        <source>a character that is not a hex digit</source>
        <translation>a character that is not a hex digit</translation>
    </message>
    <message>
        <source>the record&apos;s length does not match its byte count</source>
        <translation>the record&apos;s length does not match its byte count</translation>
    </message>
    <message>
        <source>checksum error</source>
        <translation>checksum error</translation>
    </message>
    <message>
        <source>unknown record type</source>
        <translation>unknown record type</translation>
    </message>
    <message>
        <source>the program does not fit the panel&apos;s 64 KiB</source>
        <translation>the program does not fit the panel&apos;s 64 KiB</translation>
    </message>
    <message>
        <source>the program does not fit the panel&apos;s 64 KiB (data in two 64 KiB segments)</source>
        <translation>the program does not fit the panel&apos;s 64 KiB (data in two 64 KiB segments)</translation>
    </message>
    <message>
        <source>a record after the end-of-file record</source>
        <translation>a record after the end-of-file record</translation>
    </message>
    <message>
        <source>the file ends without an end-of-file record</source>
        <translation>the file ends without an end-of-file record</translation>
    </message>
    <message>
        <source>two records give address 0x%1 different values</source>
        <translation>two records give address 0x%1 different values</translation>
    </message>
    <message>
        <source>HEX format error in line %1: %2</source>
        <translation>HEX format error in line %1: %2</translation>
    </message>
    <message>
        <source> (no permission)</source>
        <translation> (no permission)</translation>
    </message>
    <message>
        <source>%1 is not there: is the adapter plugged in?</source>
        <translation>%1 is not there: is the adapter plugged in?</translation>
    </message>
    <message>
        <source>You may not open %1: serial ports belong to the group dialout (sudo usermod -aG dialout $USER, then log in again).</source>
        <translation>You may not open %1: serial ports belong to the group dialout (sudo usermod -aG dialout $USER, then log in again).</translation>
    </message>
    <message>
        <source>The serial port %1 is not there: is the adapter unplugged? Plug it in, or choose another port with &quot;COM config&quot;.</source>
        <translation>The serial port %1 is not there: is the adapter unplugged? Plug it in, or choose another port with &quot;COM config&quot;.</translation>
    </message>
    <message>
        <source>ZQ 面板配置套件 %1 — 面板程序下载工具</source>
        <translation>ZQ panel configuration suite %1 — panel programmer</translation>
    </message>
    <message>
        <source>Confirm every block</source>
        <translation>Confirm every block</translation>
    </message>
    <message>
        <source>A block equal to one answered just before waits until a late repeat of that answer can no longer come (up to 225 ms a block). Without it such blocks wait only while that costs little; otherwise the run ends unconfirmed.</source>
        <translation>A block equal to one answered just before waits until a late repeat of that answer can no longer come (up to 225 ms a block). Without it such blocks wait only while that costs little; otherwise the run ends unconfirmed.</translation>
    </message>
    <message>
        <source>programming finished, but blocks equal to an earlier block are not confirmed</source>
        <translation>programming finished, but blocks equal to an earlier block are not confirmed</translation>
    </message>
    <message>
        <source>Program Finished, but %1 blocks equal to an earlier block are not confirmed: a late repeat of an answer could have passed for theirs. Program again with every block confirmed to be sure.</source>
        <translation>Program Finished, but %1 blocks equal to an earlier block are not confirmed: a late repeat of an answer could have passed for theirs. Program again with every block confirmed to be sure.</translation>
    </message>
</context>
<context>
    <name>ImageInspect</name>
    <message>
        <source>static text</source>
        <translation>static text</translation>
    </message>
    <message>
        <source>lamp</source>
        <translation>lamp</translation>
    </message>
    <message>
        <source>bar chart</source>
        <translation>bar chart</translation>
    </message>
    <message>
        <source>register</source>
        <translation>register</translation>
    </message>
    <message>
        <source>function key</source>
        <translation>function key</translation>
    </message>
    <message>
        <source>picture</source>
        <translation>picture</translation>
    </message>
    <message>
        <source>trend chart or dynamic text</source>
        <translation>trend chart or dynamic text</translation>
    </message>
    <message>
        <source>unknown kind</source>
        <translation>unknown kind</translation>
    </message>
    <message>
        <source>%s: %zu bytes at offset %zu run past the end of the %zu-byte image</source>
        <translation>%s: %zu bytes at offset %zu run past the end of the %zu-byte image</translation>
    </message>
    <message>
        <source>%s: none (marker at %zu)</source>
        <translation>%s: none (marker at %zu)</translation>
    </message>
    <message>
        <source>%s: empty-section marker at %zu is 0x%02X, not 0xFF</source>
        <translation>%s: empty-section marker at %zu is 0x%02X, not 0xFF</translation>
    </message>
    <message>
        <source>the image holds %zu bytes, fewer than its %u-byte header</source>
        <translation>the image holds %zu bytes, fewer than its %u-byte header</translation>
    </message>
    <message>
        <source>length: %u (image %zu bytes)</source>
        <translation>length: %u (image %zu bytes)</translation>
    </message>
    <message>
        <source>length field says %u bytes, the image holds %zu</source>
        <translation>length field says %u bytes, the image holds %zu</translation>
    </message>
    <message>
        <source>version: &quot;%s&quot;</source>
        <translation>version: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>version field is not &quot;%s&quot; zero-filled to %u bytes</source>
        <translation>version field is not &quot;%s&quot; zero-filled to %u bytes</translation>
    </message>
    <message>
        <source>backlight: always on</source>
        <translation>backlight: always on</translation>
    </message>
    <message>
        <source>backlight: off after %u s</source>
        <translation>backlight: off after %u s</translation>
    </message>
    <message>
        <source>byte %u is %u, not %u</source>
        <translation>byte %u is %u, not %u</translation>
    </message>
    <message>
        <source>reserved byte %u is 0x%02X, not 0</source>
        <translation>reserved byte %u is 0x%02X, not 0</translation>
    </message>
    <message>
        <source>function page %d names screen %u of %u</source>
        <translation>function page %d names screen %u of %u</translation>
    </message>
    <message>
        <source>function pages:</source>
        <translation>function pages:</translation>
    </message>
    <message>
        <source>screens: %u, controls: %u, parameter controls: %u</source>
        <translation>screens: %u, controls: %u, parameter controls: %u</translation>
    </message>
    <message>
        <source>the image has no screen</source>
        <translation>the image has no screen</translation>
    </message>
    <message>
        <source>%u parameter controls among %u controls</source>
        <translation>%u parameter controls among %u controls</translation>
    </message>
    <message>
        <source>static text length: %u, character index at %u, glyphs at %u</source>
        <translation>static text length: %u, character index at %u, glyphs at %u</translation>
    </message>
    <message>
        <source>control records</source>
        <translation>control records</translation>
    </message>
    <message>
        <source>control %d: screen %u, %s (code %u), at %u,%u size %ux%u, parameter %s, label %u, bytes 8-13 %u %u %u %u %u %u, inverted %u, number %u</source>
        <translation>control %d: screen %u, %s (code %u), at %u,%u size %ux%u, parameter %s, label %u, bytes 8-13 %u %u %u %u %u %u, inverted %u, number %u</translation>
    </message>
    <message>
        <source>control %d: unknown panel type code %u</source>
        <translation>control %d: unknown panel type code %u</translation>
    </message>
    <message>
        <source>control %d: screen %u outside 1-%u</source>
        <translation>control %d: screen %u outside 1-%u</translation>
    </message>
    <message>
        <source>control %d: out of order (registers, then lamps, then the other kinds, each by screen)</source>
        <translation>control %d: out of order (registers, then lamps, then the other kinds, each by screen)</translation>
    </message>
    <message>
        <source>control %d: control number %u</source>
        <translation>control %d: control number %u</translation>
    </message>
    <message>
        <source>control %d: a static control with parameter index %u</source>
        <translation>control %d: a static control with parameter index %u</translation>
    </message>
    <message>
        <source>control %d: parameter index %u, expected %u</source>
        <translation>control %d: parameter index %u, expected %u</translation>
    </message>
    <message>
        <source>control %d: label string index %u, expected %u</source>
        <translation>control %d: label string index %u, expected %u</translation>
    </message>
    <message>
        <source>control %d: label string index %u on a kind without text</source>
        <translation>control %d: label string index %u on a kind without text</translation>
    </message>
    <message>
        <source>control %d: inverted flag %u</source>
        <translation>control %d: inverted flag %u</translation>
    </message>
    <message>
        <source>header counts %u parameter controls, the control records %d</source>
        <translation>header counts %u parameter controls, the control records %d</translation>
    </message>
    <message>
        <source>parameter records</source>
        <translation>parameter records</translation>
    </message>
    <message>
        <source>more parameter controls than the parameter section holds</source>
        <translation>more parameter controls than the parameter section holds</translation>
    </message>
    <message>
        <source>parameter %d: %s, index %u</source>
        <translation>parameter %d: %s, index %u</translation>
    </message>
    <message>
        <source>parameter %d: a kind without parameters has non-zero bytes before its index</source>
        <translation>parameter %d: a kind without parameters has non-zero bytes before its index</translation>
    </message>
    <message>
        <source>parameter %d: register, station %u, address %u, digits %u.%u, max %u, min %u, asterisk %u, editable %u, invalid zero %u, index %u</source>
        <translation>parameter %d: register, station %u, address %u, digits %u.%u, max %u, min %u, asterisk %u, editable %u, invalid zero %u, index %u</translation>
    </message>
    <message>
        <source>parameter %d: %s, station %u, coil address %u, index %u</source>
        <translation>parameter %d: %s, station %u, coil address %u, index %u</translation>
    </message>
    <message>
        <source>parameter %d: bytes 12-13 are %02X %02X, not FF 01</source>
        <translation>parameter %d: bytes 12-13 are %02X %02X, not FF 01</translation>
    </message>
    <message>
        <source>parameter %d: byte 3 is %u, not 1</source>
        <translation>parameter %d: byte 3 is %u, not 1</translation>
    </message>
    <message>
        <source>parameter %d: index %u, its control record says %u</source>
        <translation>parameter %d: index %u, its control record says %u</translation>
    </message>
    <message>
        <source>parameter section: byte %zu after the last record is not zero</source>
        <translation>parameter section: byte %zu after the last record is not zero</translation>
    </message>
    <message>
        <source>static texts</source>
        <translation>static texts</translation>
    </message>
    <message>
        <source>static text length is %u without static controls, not 1</source>
        <translation>static text length is %u without static controls, not 1</translation>
    </message>
    <message>
        <source>static text %d: starts with 0x%02X, not 0xFF</source>
        <translation>static text %d: starts with 0x%02X, not 0xFF</translation>
    </message>
    <message>
        <source>static text %d: single-byte cell 0x%02X</source>
        <translation>static text %d: single-byte cell 0x%02X</translation>
    </message>
    <message>
        <source>static text %d: double-byte cell starts with 0x%02X</source>
        <translation>static text %d: double-byte cell starts with 0x%02X</translation>
    </message>
    <message>
        <source>static text %d: %u characters &quot;%s&quot;</source>
        <translation>static text %d: %u characters &quot;%s&quot;</translation>
    </message>
    <message>
        <source>static text length is %u, expected %u</source>
        <translation>static text length is %u, expected %u</translation>
    </message>
    <message>
        <source>%s: %u bytes at %zu, %s the editor&apos;s table</source>
        <translation>%s: %u bytes at %zu, %s the editor&apos;s table</translation>
    </message>
    <message>
        <source>same as</source>
        <translation>same as</translation>
    </message>
    <message>
        <source>differs from</source>
        <translation>differs from</translation>
    </message>
    <message>
        <source>symbol tables</source>
        <translation>symbol tables</translation>
    </message>
    <message>
        <source>function-key images</source>
        <translation>function-key images</translation>
    </message>
    <message>
        <source>lamp images</source>
        <translation>lamp images</translation>
    </message>
    <message>
        <source>character index offset is %u, the index starts at %zu</source>
        <translation>character index offset is %u, the index starts at %zu</translation>
    </message>
    <message>
        <source>glyph offset %u does not end a whole index starting at %u</source>
        <translation>glyph offset %u does not end a whole index starting at %u</translation>
    </message>
    <message>
        <source>character index</source>
        <translation>character index</translation>
    </message>
    <message>
        <source>index entry %d: a double-byte character after the single-byte ones</source>
        <translation>index entry %d: a double-byte character after the single-byte ones</translation>
    </message>
    <message>
        <source>index entry %zu: glyph offset %u, expected %zu</source>
        <translation>index entry %zu: glyph offset %u, expected %zu</translation>
    </message>
    <message>
        <source>glyphs: %zu double-byte of %u bytes, %zu single-byte of %u bytes, %zu bytes at %u</source>
        <translation>glyphs: %zu double-byte of %u bytes, %zu single-byte of %u bytes, %zu bytes at %u</translation>
    </message>
    <message>
        <source>glyphs</source>
        <translation>glyphs</translation>
    </message>
    <message>
        <source>the glyphs end at %zu, the image at %zu</source>
        <translation>the glyphs end at %zu, the image at %zu</translation>
    </message>
    <message>
        <source>character index: %zu double-byte &quot;%s&quot;</source>
        <translation>character index: %zu double-byte &quot;%s&quot;</translation>
    </message>
    <message>
        <source>character index: %zu single-byte &quot;%s&quot;</source>
        <translation>character index: %zu single-byte &quot;%s&quot;</translation>
    </message>
    <message>
        <source>character index: the double-byte entries do not start with the runtime&apos;s own characters</source>
        <translation>character index: the double-byte entries do not start with the runtime&apos;s own characters</translation>
    </message>
    <message>
        <source>character index: the single-byte entries do not start with the runtime&apos;s own characters</source>
        <translation>character index: the single-byte entries do not start with the runtime&apos;s own characters</translation>
    </message>
    <message>
        <source>character index: a character is listed twice</source>
        <translation>character index: a character is listed twice</translation>
    </message>
    <message>
        <source>character index: static text character %02X %02X has no entry</source>
        <translation>character index: static text character %02X %02X has no entry</translation>
    </message>
    <message>
        <source>character index: static text character 0x%02X has no entry</source>
        <translation>character index: static text character 0x%02X has no entry</translation>
    </message>
    <message>
        <source>glyph of double-byte character %zu (%02X %02X) differs from the font table</source>
        <translation>glyph of double-byte character %zu (%02X %02X) differs from the font table</translation>
    </message>
    <message>
        <source>glyph of single-byte character %zu (0x%02X) differs from the font table</source>
        <translation>glyph of single-byte character %zu (0x%02X) differs from the font table</translation>
    </message>
</context>
<context>
    <name>Model</name>
    <message>
        <source>隐藏</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>布局</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>外观</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>特性</source>
        <translation>Behaviour</translation>
    </message>
    <message>
        <source>数据</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>杂项</source>
        <translation>Miscellaneous</translation>
    </message>
    <message>
        <source>宽度</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>反色显示</source>
        <translation>Inverted</translation>
    </message>
    <message>
        <source>PLC站号</source>
        <translation>PLC station</translation>
    </message>
    <message>
        <source>寄存器号</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>寄存器地址</source>
        <translation>Reg. address</translation>
    </message>
    <message>
        <source>寄存器MODBUS</source>
        <translation>Reg. MODBUS</translation>
    </message>
    <message>
        <source>线圈号</source>
        <translation>Coil</translation>
    </message>
    <message>
        <source>线圈地址</source>
        <translation>Coil address</translation>
    </message>
    <message>
        <source>线圈MODBUS</source>
        <translation>Coil MODBUS</translation>
    </message>
    <message>
        <source>显示键类型</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>显示手型</source>
        <translation>Show hand</translation>
    </message>
    <message>
        <source>隐形</source>
        <translation>Invisible</translation>
    </message>
    <message>
        <source>功能设置</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>画面跳转至</source>
        <translation>Jump to screen</translation>
    </message>
    <message>
        <source>值设置</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>显示外形</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>整数位数</source>
        <translation>Integer digits</translation>
    </message>
    <message>
        <source>小数位数</source>
        <translation>Decimal digits</translation>
    </message>
    <message>
        <source>星号(*)显示</source>
        <translation>Asterisks (*)</translation>
    </message>
    <message>
        <source>无效0显示</source>
        <translation>Leading zeros</translation>
    </message>
    <message>
        <source>是否编辑</source>
        <translation>Editable</translation>
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
        <source>文字串</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>不跳转</source>
        <translation>No jump</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>设定线圈</source>
        <translation>Set coil</translation>
    </message>
    <message>
        <source>画面跳转</source>
        <translation>Jump to screen</translation>
    </message>
    <message>
        <source>设定为ON</source>
        <translation>Set ON</translation>
    </message>
    <message>
        <source>设定为OFF</source>
        <translation>Set OFF</translation>
    </message>
    <message>
        <source>交替</source>
        <translation>Toggle</translation>
    </message>
    <message>
        <source>保持</source>
        <translation>Momentary</translation>
    </message>
    <message>
        <source>圆形</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>方形</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>静态文字</source>
        <translation>Static text</translation>
    </message>
    <message>
        <source>寄存器</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>指示灯</source>
        <translation>Lamp</translation>
    </message>
    <message>
        <source>功能键</source>
        <translation>Function key</translation>
    </message>
    <message>
        <source>趋势图</source>
        <translation>Trend chart</translation>
    </message>
    <message>
        <source>棒状图</source>
        <translation>Bar graph</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>动态文本</source>
        <translation>Dynamic text</translation>
    </message>
    <message>
        <source>MODBUS自由协议</source>
        <translation>Free-format MODBUS</translation>
    </message>
    <message>
        <source>4X(保持寄存器)</source>
        <translation>4X(holding register)</translation>
    </message>
    <message>
        <source>D(数据寄存器)</source>
        <translation>D(data register)</translation>
    </message>
    <message>
        <source>T(定时器当前值)</source>
        <translation>T(timer value)</translation>
    </message>
    <message>
        <source>C(计数器当前值)</source>
        <translation>C(counter value)</translation>
    </message>
    <message>
        <source>3X(输入寄存器)</source>
        <translation>3X(input register)</translation>
    </message>
    <message>
        <source>R(文件寄存器)</source>
        <translation>R(file register)</translation>
    </message>
    <message>
        <source>W(链接寄存器)</source>
        <translation>W(link register)</translation>
    </message>
    <message>
        <source>0X(线圈)</source>
        <translation>0X(coil)</translation>
    </message>
    <message>
        <source>X(输入)</source>
        <translation>X(input)</translation>
    </message>
    <message>
        <source>Y(输出)</source>
        <translation>Y(output)</translation>
    </message>
    <message>
        <source>M(辅助继电器)</source>
        <translation>M(auxiliary relay)</translation>
    </message>
    <message>
        <source>S(状态继电器)</source>
        <translation>S(state relay)</translation>
    </message>
    <message>
        <source>T(定时器触点)</source>
        <translation>T(timer contact)</translation>
    </message>
    <message>
        <source>C(计数器触点)</source>
        <translation>C(counter contact)</translation>
    </message>
    <message>
        <source>192×64 点阵单色文本显示器，16 个按键，RS232/RS485 连接 PLC</source>
        <translation>192×64 dot-matrix monochrome text display, 16 keys, RS232/RS485 link to the PLC</translation>
    </message>
    <message>
        <source>192×64 点阵单色文本显示器，25 个按键，RS232/RS485 连接 PLC</source>
        <translation>192×64 dot-matrix monochrome text display, 25 keys, RS232/RS485 link to the PLC</translation>
    </message>
    <message>
        <source>MODBUS RTU 主站：面板按站号读写 PLC 的寄存器和线圈</source>
        <translation>MODBUS RTU master: the panel reads and writes the PLC&apos;s registers and coils by station number</translation>
    </message>
</context>
<context>
    <name>Project</name>
    <message>
        <source>the project has no complete panel model to save</source>
        <translation>the project has no complete panel model to save</translation>
    </message>
</context>
<context>
    <name>ProjectCheck</name>
    <message>
        <source>项目中没有参数控件(指示灯、寄存器、功能键或图表)，不能编译和下载</source>
        <translation>the project has no parameter control (lamp, register, function key or chart): it cannot be compiled or downloaded</translation>
    </message>
    <message>
        <source>项目有 %1 个控件，最多 %2 个才能编译和下载</source>
        <translation>the project has %1 controls; at most %2 can be compiled and downloaded</translation>
    </message>
    <message>
        <source>项目有 %1 个画面，最多 %2 个</source>
        <translation>the project has %1 screens; at most %2 are allowed</translation>
    </message>
    <message>
        <source>下载映像需要 %1 字节，超过映像格式的上限 %2 字节</source>
        <translation>the download image needs %1 bytes, more than the image format&apos;s limit of %2 bytes</translation>
    </message>
    <message>
        <source>下载映像需要 %1 字节，面板只能容纳 %2 字节</source>
        <translation>the download image needs %1 bytes; the panel holds only %2 bytes</translation>
    </message>
    <message>
        <source>下载映像需要 %1 字节，已接近面板的上限 %2 字节</source>
        <translation>the download image needs %1 bytes, close to the panel&apos;s limit of %2 bytes</translation>
    </message>
    <message>
        <source>功能页 %1 指向不存在的画面 %2</source>
        <translation>function page %1 names screen %2, which does not exist</translation>
    </message>
    <message>
        <source>控件 (%1, %2, %3 x %4) 超出 %5 x %6 的画面</source>
        <translation>the control (%1, %2, %3 x %4) reaches beyond the %5 x %6 screen</translation>
    </message>
    <message>
        <source>PLC 站号 %1 不在 0-255 之内</source>
        <translation>PLC station %1 lies outside 0-255</translation>
    </message>
    <message>
        <source>PLC 没有第 %1 种%2</source>
        <translation>the PLC has no %2 kind %1</translation>
    </message>
    <message>
        <source>%1 按八进制输入，不能含数字 8 或 9</source>
        <translation>%1 is typed in octal and cannot hold the digit 8 or 9</translation>
    </message>
    <message>
        <source>%1 超出 %2 的范围 %3-%4 (线路地址 %5)</source>
        <translation>%1 lies outside the range %3-%4 of %2 (line address %5)</translation>
    </message>
    <message>
        <source>%1 的线路地址 %2 超过 65535，映像只保留 %3</source>
        <translation>the line address %2 of %1 lies above 65535; the image keeps only %3</translation>
    </message>
    <message>
        <source>最小值 %1 或最大值 %2 不在 0-65535 之内</source>
        <translation>minimum %1 or maximum %2 lies outside 0-65535</translation>
    </message>
    <message>
        <source>最小值 %1 大于最大值 %2</source>
        <translation>minimum %1 lies above maximum %2</translation>
    </message>
    <message>
        <source>最大值 %1 需要的位数超过 %2 位 (整数 %3 位，小数 %4 位)</source>
        <translation>maximum %1 needs more than %2 digits (%3 integer, %4 decimal)</translation>
    </message>
    <message>
        <source>面板没有第 %1 个按键 (共 %2 个)</source>
        <translation>the panel has no key %1 (it has %2)</translation>
    </message>
    <message>
        <source>与本画面的 %1 用同一个按键</source>
        <translation>uses the same key as %1 of this screen</translation>
    </message>
    <message>
        <source>画面跳转键没有目标画面</source>
        <translation>the jump key has no target screen</translation>
    </message>
    <message>
        <source>画面跳转键指向不存在的画面 %1</source>
        <translation>the jump key names screen %1, which does not exist</translation>
    </message>
    <message>
        <source>面板字库中没有这些字符，面板上显示为空白：%1</source>
        <translation>the panel&apos;s font has no glyph for these characters, which show blank on the panel: %1</translation>
    </message>
    <message>
        <source>文字有 %1 个字符，面板只显示前 %2 个</source>
        <translation>the text has %1 characters; the panel shows only the first %2</translation>
    </message>
    <message>
        <source>与 %1 重叠</source>
        <translation>overlaps %1</translation>
    </message>
    <message>
        <source>与画面%1的 %2 写同一线圈 (%3, 线路地址 %4)，含义不同</source>
        <translation>writes the same coil as %2 of screen %1 (%3, line address %4) with a different meaning</translation>
    </message>
    <message>
        <source>没有按键或功能页通向这个画面</source>
        <translation>no key or function page leads to this screen</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>note</translation>
    </message>
</context>
<context>
    <name>ProjectJson</name>
    <message>
        <source>the file holds bytes the JSON form does not carry (first difference at byte %1)</source>
        <translation>the file holds bytes the JSON form does not carry (first difference at byte %1)</translation>
    </message>
    <message>
        <source>the text nests arrays and objects more than %1 levels deep; a project form needs far fewer</source>
        <translation>the text nests arrays and objects more than %1 levels deep; a project form needs far fewer</translation>
    </message>
    <message>
        <source>the project would take %1 bytes; the editor opens project files of at most %2 bytes</source>
        <translation>the project would take %1 bytes; the editor opens project files of at most %2 bytes</translation>
    </message>
    <message>
        <source>the form makes no project the editor opens: an attribute group does not fit its control&apos;s kind, or the panel model or PLC is unknown</source>
        <translation>the form makes no project the editor opens: an attribute group does not fit its control&apos;s kind, or the panel model or PLC is unknown</translation>
    </message>
    <message>
        <source>%1 lies outside the range of %2, %3 to %4</source>
        <translation>%1 lies outside the range of %2, %3 to %4</translation>
    </message>
    <message>
        <source>%1 is no octal address: %2 addresses are octal (digits 0-7)</source>
        <translation>%1 is no octal address: %2 addresses are octal (digits 0-7)</translation>
    </message>
    <message>
        <source>%1 controls cannot be placed in the editor, so a short entry cannot make one (a full entry with &quot;groups&quot; keeps one from a project file)</source>
        <translation>%1 controls cannot be placed in the editor, so a short entry cannot make one (a full entry with &quot;groups&quot; keeps one from a project file)</translation>
    </message>
    <message>
        <source>the minimum %1 lies above the maximum %2</source>
        <translation>the minimum %1 lies above the maximum %2</translation>
    </message>
    <message>
        <source>the range %1 to %2 does not fit the %3 digits the register shows</source>
        <translation>the range %1 to %2 does not fit the %3 digits the register shows</translation>
    </message>
    <message>
        <source>%1 and %2 overlap</source>
        <translation>%1 and %2 overlap</translation>
    </message>
    <message>
        <source>more overlapping controls follow</source>
        <translation>more overlapping controls follow</translation>
    </message>
    <message>
        <source>the file is shorter than its header</source>
        <translation>the file is shorter than its header</translation>
    </message>
    <message>
        <source>%1 bytes follow the project</source>
        <translation>%1 bytes follow the project</translation>
    </message>
    <message>
        <source>the file ends inside this field</source>
        <translation>the file ends inside this field</translation>
    </message>
    <message>
        <source>the file ends inside this text</source>
        <translation>the file ends inside this text</translation>
    </message>
    <message>
        <source>%1 is no control kind</source>
        <translation>%1 is no control kind</translation>
    </message>
    <message>
        <source>%1 is no attribute kind</source>
        <translation>%1 is no attribute kind</translation>
    </message>
    <message>
        <source>the file ends inside this value</source>
        <translation>the file ends inside this value</translation>
    </message>
    <message>
        <source>value carrier %1 is not one the editor writes</source>
        <translation>value carrier %1 is not one the editor writes</translation>
    </message>
    <message>
        <source>not &quot;%1&quot;</source>
        <translation>not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>a project has at least one screen</source>
        <translation>a project has at least one screen</translation>
    </message>
    <message>
        <source>the catalogue has no panel model &quot;%1&quot;; it has %2</source>
        <translation>the catalogue has no panel model &quot;%1&quot;; it has %2</translation>
    </message>
    <message>
        <source>the catalogue has no PLC protocol &quot;%1&quot;; it has %2</source>
        <translation>the catalogue has no PLC protocol &quot;%1&quot;; it has %2</translation>
    </message>
    <message>
        <source>the catalogues have no panel model &quot;%1&quot; with the PLC &quot;%2&quot;</source>
        <translation>the catalogues have no panel model &quot;%1&quot; with the PLC &quot;%2&quot;</translation>
    </message>
    <message>
        <source>device %1 with PLC %2 is not a panel model and protocol the editor knows</source>
        <translation>device %1 with PLC %2 is not a panel model and protocol the editor knows</translation>
    </message>
    <message>
        <source>a port name holds at most 9 bytes</source>
        <translation>a port name holds at most 9 bytes</translation>
    </message>
    <message>
        <source>a name holds at most 19 bytes</source>
        <translation>a name holds at most 19 bytes</translation>
    </message>
    <message>
        <source>a screen name holds at most 255 bytes</source>
        <translation>a screen name holds at most 255 bytes</translation>
    </message>
    <message>
        <source>a control has either &quot;groups&quot; or &quot;set&quot;, not both</source>
        <translation>a control has either &quot;groups&quot; or &quot;set&quot;, not both</translation>
    </message>
    <message>
        <source>a %1 has no attribute of that name; it has %2</source>
        <translation>a %1 has no attribute of that name; it has %2</translation>
    </message>
    <message>
        <source>the control refused %1</source>
        <translation>the control refused %1</translation>
    </message>
    <message>
        <source>%1; it takes %2</source>
        <translation>%1; it takes %2</translation>
    </message>
    <message>
        <source>this control makes no project the editor opens: X %1, Y %2, width %3, height %4 do not lie inside the %5 x %6 panel</source>
        <translation>this control makes no project the editor opens: X %1, Y %2, width %3, height %4 do not lie inside the %5 x %6 panel</translation>
    </message>
    <message>
        <source>this control makes no project the editor opens: its attribute groups are not those of a %1</source>
        <translation>this control makes no project the editor opens: its attribute groups are not those of a %1</translation>
    </message>
    <message>
        <source>a control has exactly 6 attribute groups</source>
        <translation>a control has exactly 6 attribute groups</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no attribute kind (bool, int, double, string, enum)</source>
        <translation>&quot;%1&quot; is no attribute kind (bool, int, double, string, enum)</translation>
    </message>
    <message>
        <source>an empty value carrier holds no value</source>
        <translation>an empty value carrier holds no value</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>&quot;%1&quot; is missing</translation>
    </message>
    <message>
        <source>four function pages</source>
        <translation>four function pages</translation>
    </message>
    <message>
        <source>%1 is out of range %2 to %3</source>
        <translation>%1 is out of range %2 to %3</translation>
    </message>
    <message>
        <source>the text is not GBK</source>
        <translation>the text is not GBK</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has characters outside GBK, which the panel cannot show</source>
        <translation>&quot;%1&quot; has characters outside GBK, which the panel cannot show</translation>
    </message>
    <message>
        <source>the text is not valid UTF-16</source>
        <translation>the text is not valid UTF-16</translation>
    </message>
    <message>
        <source>expected an integer, found %1</source>
        <translation>expected an integer, found %1</translation>
    </message>
    <message>
        <source>expected a number, found %1</source>
        <translation>expected a number, found %1</translation>
    </message>
    <message>
        <source>expected a text, found %1</source>
        <translation>expected a text, found %1</translation>
    </message>
    <message>
        <source>expected an array, found %1</source>
        <translation>expected an array, found %1</translation>
    </message>
    <message>
        <source>expected an object, found %1</source>
        <translation>expected an object, found %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no value carrier (empty, i2, i4, r8, bstr)</source>
        <translation>&quot;%1&quot; is no value carrier (empty, i2, i4, r8, bstr)</translation>
    </message>
    <message>
        <source>%1; in stored names %2</source>
        <translation>%1; in stored names %2</translation>
    </message>
    <message>
        <source>%1; in ASCII names %2</source>
        <translation>%1; in ASCII names %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no control kind (%2)</source>
        <translation>&quot;%1&quot; is no control kind (%2)</translation>
    </message>
</context>
<context>
    <name>ProjectReport</name>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>奇</source>
        <translation>odd</translation>
    </message>
    <message>
        <source>偶</source>
        <translation>even</translation>
    </message>
    <message>
        <source>不使用</source>
        <translation>not used</translation>
    </message>
    <message>
        <source>站</source>
        <translation>station</translation>
    </message>
    <message>
        <source>项目报告：%1</source>
        <translation>Project report: %1</translation>
    </message>
    <message>
        <source>面板型号</source>
        <translation>Panel model</translation>
    </message>
    <message>
        <source>PLC 协议</source>
        <translation>PLC protocol</translation>
    </message>
    <message>
        <source>通讯设置</source>
        <translation>Serial line</translation>
    </message>
    <message>
        <source>%1，%2 波特，%3 数据位，%4 校验，停止位 %5</source>
        <translation>%1, %2 baud, %3 data bits, parity %4, stop bits %5</translation>
    </message>
    <message>
        <source>背光</source>
        <translation>Backlight</translation>
    </message>
    <message>
        <source>常亮</source>
        <translation>always on</translation>
    </message>
    <message>
        <source>%1 秒后关闭</source>
        <translation>off after %1 s</translation>
    </message>
    <message>
        <source>功能页 %1</source>
        <translation>Function page %1</translation>
    </message>
    <message>
        <source>画面和控件</source>
        <translation>Screens and controls</translation>
    </message>
    <message>
        <source>%1 个画面，%2 个控件，下载映像 %3 字节</source>
        <translation>%1 screens, %2 controls, download image %3 bytes</translation>
    </message>
    <message>
        <source>面板</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>位置和大小</source>
        <translation>Position and size</translation>
    </message>
    <message>
        <source>文字或名称</source>
        <translation>Text or name</translation>
    </message>
    <message>
        <source>地址 (线路地址、站号、读写)</source>
        <translation>Address (line address, station, access)</translation>
    </message>
    <message>
        <source>位数</source>
        <translation>Digits</translation>
    </message>
    <message>
        <source>范围</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>按键和动作</source>
        <translation>Key and action</translation>
    </message>
    <message>
        <source>输入顺序</source>
        <translation>Input order</translation>
    </message>
    <message>
        <source>画面%1的图片</source>
        <translation>Picture of screen %1</translation>
    </message>
    <message>
        <source>地址表</source>
        <translation>Addresses</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>站号</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>线路地址</source>
        <translation>Line address</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>读写</source>
        <translation>Access</translation>
    </message>
    <message>
        <source>使用者</source>
        <translation>Used by</translation>
    </message>
    <message>
        <source>检查结果</source>
        <translation>Check findings</translation>
    </message>
    <message>
        <source>检查没有发现问题。</source>
        <translation>The check found no problems.</translation>
    </message>
    <message>
        <source>严重性</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>控件</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>不知道以何种格式写 %1：文件名应以 .pdf、.html 或 .htm 结尾</source>
        <translation>cannot tell in which format to write %1: the name should end in .pdf, .html or .htm</translation>
    </message>
</context>
<context>
    <name>ScreenReferences</name>
    <message>
        <source>功能页 %1</source>
        <translation>Function page %1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SystemErrors</name>
    <message>
        <source>No such file or directory</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>File exists</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>Text file busy</translation>
    </message>
    <message>
        <source>No such device</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>No such device or address</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Invalid argument</translation>
    </message>
    <message>
        <source>Inappropriate ioctl for device</source>
        <translation>Inappropriate ioctl for device</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>Directory not empty</translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation>Connection timed out</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Connection refused</translation>
    </message>
    <message>
        <source>Broken pipe</source>
        <translation>Broken pipe</translation>
    </message>
</context>
<context>
    <name>ZQEditor</name>
    <message>
        <source>Designs the screens of a text panel project (.ZQE).</source>
        <translation>Designs the screens of a text panel project (.ZQE).</translation>
    </message>
    <message>
        <source>Start without the splash picture.</source>
        <translation>Start without the splash picture.</translation>
    </message>
    <message>
        <source>The project file to open.</source>
        <translation>The project file to open.</translation>
    </message>
    <message>
        <source>one project at a time (try --help)</source>
        <translation>one project at a time (try --help)</translation>
    </message>
</context>
<context>
    <name>ZQ_CLI</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Show this help and exit.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Show the version and exit.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Try &apos;%1 --help&apos; for more information.</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>a FIFO</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>a device</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not a whole number from %3 to %4</source>
        <translation>%1: &apos;%2&apos; is not a whole number from %3 to %4</translation>
    </message>
    <message>
        <source>cannot open &apos;%1&apos;: %2</source>
        <translation>cannot open &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>cannot read &apos;%1&apos;: it is %2, not a regular file</source>
        <translation>cannot read &apos;%1&apos;: it is %2, not a regular file</translation>
    </message>
    <message>
        <source>an empty file name cannot be written</source>
        <translation>an empty file name cannot be written</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>cannot write &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>will not write &apos;%1&apos;: it is %2, not a regular file</source>
        <translation>will not write &apos;%1&apos;: it is %2, not a regular file</translation>
    </message>
    <message>
        <source>will not write &apos;%1&apos;: %2</source>
        <translation>will not write &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>will not write &apos;%1&apos;: it is a link to a missing file</source>
        <translation>will not write &apos;%1&apos;: it is a link to a missing file</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: the folder &apos;%2&apos; does not exist</source>
        <translation>cannot write &apos;%1&apos;: the folder &apos;%2&apos; does not exist</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>a special file</translation>
    </message>
    <message>
        <source>Exit status:</source>
        <translation>Exit status:</translation>
    </message>
    <message>
        <source>done</source>
        <translation>done</translation>
    </message>
    <message>
        <source>the work failed (the message says why)</source>
        <translation>the work failed (the message says why)</translation>
    </message>
    <message>
        <source>the command line was wrong</source>
        <translation>the command line was wrong</translation>
    </message>
    <message>
        <source>cannot read &apos;%1&apos;: %2</source>
        <translation>cannot read &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>cannot open the display &apos;%1&apos;: no X server answers there (set DISPLAY to a running one, or QT_QPA_PLATFORM=offscreen)</source>
        <translation>cannot open the display &apos;%1&apos;: no X server answers there (set DISPLAY to a running one, or QT_QPA_PLATFORM=offscreen)</translation>
    </message>
    <message>
        <source>cannot open the Wayland display &apos;%1&apos;: Qt&apos;s Wayland plugin is not installed (install qt6-wayland, or set DISPLAY to an X server)</source>
        <translation>cannot open the Wayland display &apos;%1&apos;: Qt&apos;s Wayland plugin is not installed (install qt6-wayland, or set DISPLAY to an X server)</translation>
    </message>
    <message>
        <source>cannot open the Wayland display &apos;%1&apos;: no compositor answers there</source>
        <translation>cannot open the Wayland display &apos;%1&apos;: no compositor answers there</translation>
    </message>
    <message>
        <source>no display to open the window on: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen</source>
        <translation>no display to open the window on: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen</translation>
    </message>
</context>
<context>
    <name>zqcatalog</name>
    <message>
        <source>(none)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>(none: the catalogue is missing or empty)</source>
        <translation>(none: the catalogue is missing or empty)</translation>
    </message>
    <message>
        <source>Panel models (%1):</source>
        <translation>Panel models (%1):</translation>
    </message>
    <message>
        <source>(no panel model of this ID)</source>
        <translation>(no panel model of this ID)</translation>
    </message>
    <message>
        <source>screen %1 x %2 pixels, registers up to %3 digits and %4 decimals</source>
        <translation>screen %1 x %2 pixels, registers up to %3 digits and %4 decimals</translation>
    </message>
    <message>
        <source>keys (%1): %2</source>
        <translation>keys (%1): %2</translation>
    </message>
    <message>
        <source>PLC protocols (%1):</source>
        <translation>PLC protocols (%1):</translation>
    </message>
    <message>
        <source>on %1: station %2 (hidden)</source>
        <translation>on %1: station %2 (hidden)</translation>
    </message>
    <message>
        <source>on %1: station %2 (hidden, fixed)</source>
        <translation>on %1: station %2 (hidden, fixed)</translation>
    </message>
    <message>
        <source>on %1: station %2 (shown)</source>
        <translation>on %1: station %2 (shown)</translation>
    </message>
    <message>
        <source>on %1: station %2 (shown, fixed)</source>
        <translation>on %1: station %2 (shown, fixed)</translation>
    </message>
    <message>
        <source>(no protocol of this ID)</source>
        <translation>(no protocol of this ID)</translation>
    </message>
    <message>
        <source>registers: %1</source>
        <translation>registers: %1</translation>
    </message>
    <message>
        <source>coils: %1</source>
        <translation>coils: %1</translation>
    </message>
    <message>
        <source>Lists the panel models of DeviceRegister.ini and the PLC protocols of PLCRegister.ini (beside the program, or in DIRECTORY): each model&apos;s screen, digit limits and keys, each protocol&apos;s station and register and coil kinds on each model.</source>
        <translation>Lists the panel models of DeviceRegister.ini and the PLC protocols of PLCRegister.ini (beside the program, or in DIRECTORY): each model&apos;s screen, digit limits and keys, each protocol&apos;s station and register and coil kinds on each model.</translation>
    </message>
    <message>
        <source>Read the catalogues of DIRECTORY.</source>
        <translation>Read the catalogues of DIRECTORY.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unexpected argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--dir: &apos;%1&apos; is not a folder</source>
        <translation>--dir: &apos;%1&apos; is not a folder</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>the catalogues list no panel model and no PLC protocol</source>
        <translation>the catalogues list no panel model and no PLC protocol</translation>
    </message>
    <message>
        <source>Write the catalogues as JSON for scripts: names as stored, never translated.</source>
        <translation>Write the catalogues as JSON for scripts: names as stored, never translated.</translation>
    </message>
</context>
<context>
    <name>zqe</name>
    <message>
        <source>The file to write; - writes to standard output.</source>
        <translation>The file to write; - writes to standard output.</translation>
    </message>
    <message>
        <source>The project file to make (refused when it exists, unless --force).</source>
        <translation>The project file to make (refused when it exists, unless --force).</translation>
    </message>
    <message>
        <source>Makes a new project with one empty screen for a panel model and PLC protocol of the catalogues.</source>
        <translation>Makes a new project with one empty screen for a panel model and PLC protocol of the catalogues.</translation>
    </message>
    <message>
        <source>Panel model: its catalogue name or ID (zqcatalog lists them).</source>
        <translation>Panel model: its catalogue name or ID (zqcatalog lists them).</translation>
    </message>
    <message>
        <source>PLC protocol: its catalogue name or ID.</source>
        <translation>PLC protocol: its catalogue name or ID.</translation>
    </message>
    <message>
        <source>Replace OUT.ZQE when it exists.</source>
        <translation>Replace OUT.ZQE when it exists.</translation>
    </message>
    <message>
        <source>A project (.ZQE) the editor opens; - reads standard input.</source>
        <translation>A project (.ZQE) the editor opens; - reads standard input.</translation>
    </message>
    <message>
        <source>Prints a project as a tree: panel model, serial line, PLC kinds, keys, screens and every control with every attribute.</source>
        <translation>Prints a project as a tree: panel model, serial line, PLC kinds, keys, screens and every control with every attribute.</translation>
    </message>
    <message>
        <source>The project; - reads standard input.</source>
        <translation>The project; - reads standard input.</translation>
    </message>
    <message>
        <source>Compiles a project into the download image the panel is programmed with.</source>
        <translation>Compiles a project into the download image the panel is programmed with.</translation>
    </message>
    <message>
        <source>A download image (.vxg); - reads standard input.</source>
        <translation>A download image (.vxg); - reads standard input.</translation>
    </message>
    <message>
        <source>Decodes every section of a download image and checks every length, offset and count.</source>
        <translation>Decodes every section of a download image and checks every length, offset and count.</translation>
    </message>
    <message>
        <source>Draws one screen as the design view draws it, into an image file of the format its name ends in (.png, .bmp, .jpg, .ppm, ...).</source>
        <translation>Draws one screen as the design view draws it, into an image file of the format its name ends in (.png, .bmp, .jpg, .ppm, ...).</translation>
    </message>
    <message>
        <source>The screen to draw, 1 for the first (default 1).</source>
        <translation>The screen to draw, 1 for the first (default 1).</translation>
    </message>
    <message>
        <source>Pixels per panel pixel, above 0 and at most 32 (default: the screen&apos;s zoom).</source>
        <translation>Pixels per panel pixel, above 0 and at most 32 (default: the screen&apos;s zoom).</translation>
    </message>
    <message>
        <source>The image file to write; - writes PNG to standard output.</source>
        <translation>The image file to write; - writes PNG to standard output.</translation>
    </message>
    <message>
        <source>Prints the project&apos;s JSON form on standard output (docs/project-json.md).</source>
        <translation>Prints the project&apos;s JSON form on standard output (docs/project-json.md).</translation>
    </message>
    <message>
        <source>Write each control as its kind and the attributes that differ from a new one.</source>
        <translation>Write each control as its kind and the attributes that differ from a new one.</translation>
    </message>
    <message>
        <source>Write group, attribute and item names by their ASCII aliases, or as stored (default).</source>
        <translation>Write group, attribute and item names by their ASCII aliases, or as stored (default).</translation>
    </message>
    <message>
        <source>Write the form to FILE instead of standard output.</source>
        <translation>Write the form to FILE instead of standard output.</translation>
    </message>
    <message>
        <source>The project&apos;s JSON form; - reads standard input.</source>
        <translation>The project&apos;s JSON form; - reads standard input.</translation>
    </message>
    <message>
        <source>Makes the project file a JSON form describes.</source>
        <translation>Makes the project file a JSON form describes.</translation>
    </message>
    <message>
        <source>Usage: zqe COMMAND [options] FILE
Projects (.ZQE) and download images (.vxg) from the command line, through the editor&apos;s own core.

Commands:
</source>
        <translation>Usage: zqe COMMAND [options] FILE
Projects (.ZQE) and download images (.vxg) from the command line, through the editor&apos;s own core.

Commands:
</translation>
    </message>
    <message>
        <source>Try &apos;zqe %1--help&apos; for more information.</source>
        <translation>Try &apos;zqe %1--help&apos; for more information.</translation>
    </message>
    <message>
        <source>The command.</source>
        <translation>The command.</translation>
    </message>
    <message>
        <source>unknown option %1 for %2</source>
        <translation>unknown option %1 for %2</translation>
    </message>
    <message>
        <source>option %1 needs a value</source>
        <translation>option %1 needs a value</translation>
    </message>
    <message>
        <source>option %1 given twice</source>
        <translation>option %1 given twice</translation>
    </message>
    <message>
        <source>%1 needs %2 %3</source>
        <translation>%1 needs %2 %3</translation>
    </message>
    <message>
        <source>%1 takes 1 file name (%2), not %3</source>
        <translation>%1 takes 1 file name (%2), not %3</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>standard input: larger than %1 bytes</source>
        <translation>standard input: larger than %1 bytes</translation>
    </message>
    <message>
        <source>will not write &apos;%1&apos;: it is the input %2 itself</source>
        <translation>will not write &apos;%1&apos;: it is the input %2 itself</translation>
    </message>
    <message>
        <source>cannot write standard output</source>
        <translation>cannot write standard output</translation>
    </message>
    <message>
        <source>%1: this is a download image, not a project (zqe inspect reads images)</source>
        <translation>%1: this is a download image, not a project (zqe inspect reads images)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a text the catalogues can hold</source>
        <translation>&quot;%1&quot; is not a text the catalogues can hold</translation>
    </message>
    <message>
        <source>will not replace &apos;%1&apos;: it exists (--force replaces it)</source>
        <translation>will not replace &apos;%1&apos;: it exists (--force replaces it)</translation>
    </message>
    <message>
        <source>the catalogue has no panel model &quot;%1&quot;; it has %2</source>
        <translation>the catalogue has no panel model &quot;%1&quot;; it has %2</translation>
    </message>
    <message>
        <source>the catalogue has no PLC protocol &quot;%1&quot;; it has %2</source>
        <translation>the catalogue has no PLC protocol &quot;%1&quot;; it has %2</translation>
    </message>
    <message>
        <source>the catalogues have no panel model &quot;%1&quot; with the PLC &quot;%2&quot;</source>
        <translation>the catalogues have no panel model &quot;%1&quot; with the PLC &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--names takes ascii or stored, not &quot;%1&quot;</source>
        <translation>--names takes ascii or stored, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1: the download image could not be made</source>
        <translation>%1: the download image could not be made</translation>
    </message>
    <message>
        <source>%1: this is a project file, not a download image (zqe info reads projects, zqe compile makes their images)</source>
        <translation>%1: this is a project file, not a download image (zqe info reads projects, zqe compile makes their images)</translation>
    </message>
    <message>
        <source>problem: %1</source>
        <translation>problem: %1</translation>
    </message>
    <message>
        <source>%1: %2 inconsistency</source>
        <translation>%1: %2 inconsistency</translation>
    </message>
    <message>
        <source>%1: %2 inconsistencies</source>
        <translation>%1: %2 inconsistencies</translation>
    </message>
    <message>
        <source>consistent</source>
        <translation>consistent</translation>
    </message>
    <message>
        <source>cannot tell the image format of &apos;%1&apos; from its name; it may end in %2</source>
        <translation>cannot tell the image format of &apos;%1&apos; from its name; it may end in %2</translation>
    </message>
    <message>
        <source>%1 (--screen takes a screen number)</source>
        <translation>%1 (--screen takes a screen number)</translation>
    </message>
    <message>
        <source>--zoom takes a number above 0 and at most 32, not &quot;%1&quot;</source>
        <translation>--zoom takes a number above 0 and at most 32, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1: there is no screen %2 (the project has %3)</source>
        <translation>%1: there is no screen %2 (the project has %3)</translation>
    </message>
    <message>
        <source>%1: a %2 x %3 image is larger than %4 pixels a side</source>
        <translation>%1: a %2 x %3 image is larger than %4 pixels a side</translation>
    </message>
    <message>
        <source>cannot encode the image of &apos;%1&apos; as %2</source>
        <translation>cannot encode the image of &apos;%1&apos; as %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>odd</source>
        <translation>odd</translation>
    </message>
    <message>
        <source>even</source>
        <translation>even</translation>
    </message>
    <message>
        <source>mark</source>
        <translation>mark</translation>
    </message>
    <message>
        <source>space</source>
        <translation>space</translation>
    </message>
    <message>
        <source>one</source>
        <translation>one</translation>
    </message>
    <message>
        <source>one and a half</source>
        <translation>one and a half</translation>
    </message>
    <message>
        <source>two</source>
        <translation>two</translation>
    </message>
    <message>
        <source>hardware</source>
        <translation>hardware</translation>
    </message>
    <message>
        <source>XON/XOFF</source>
        <translation>XON/XOFF</translation>
    </message>
    <message>
        <source>(unnamed)</source>
        <translation>(unnamed)</translation>
    </message>
    <message>
        <source>(a screen; 0 = none)</source>
        <translation>(a screen; 0 = none)</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>of %1</translation>
    </message>
    <message>
        <source>(GBK copy &quot;%1&quot;)</source>
        <translation>(GBK copy &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>[read-only]</source>
        <translation>[read-only]</translation>
    </message>
    <message>
        <source>[hidden]</source>
        <translation>[hidden]</translation>
    </message>
    <message>
        <source>%1 (code %2, %3 to %4)</source>
        <translation>%1 (code %2, %3 to %4)</translation>
    </message>
    <message>
        <source>Device: %1 (ID %2), screen %3 x %4</source>
        <translation>Device: %1 (ID %2), screen %3 x %4</translation>
    </message>
    <message>
        <source>unknown model</source>
        <translation>unknown model</translation>
    </message>
    <message>
        <source>Serial: %1, %2 baud, %3 data bits, parity %4, stop bits %5, handshake %6</source>
        <translation>Serial: %1, %2 baud, %3 data bits, parity %4, stop bits %5, handshake %6</translation>
    </message>
    <message>
        <source>unknown protocol</source>
        <translation>unknown protocol</translation>
    </message>
    <message>
        <source>PLC: %1 (ID %2), company %3</source>
        <translation>PLC: %1 (ID %2), company %3</translation>
    </message>
    <message>
        <source>PLC: %1 (ID %2)</source>
        <translation>PLC: %1 (ID %2)</translation>
    </message>
    <message>
        <source>Register kinds: %1</source>
        <translation>Register kinds: %1</translation>
    </message>
    <message>
        <source>Coil kinds: %1</source>
        <translation>Coil kinds: %1</translation>
    </message>
    <message>
        <source>Keys: %1</source>
        <translation>Keys: %1</translation>
    </message>
    <message>
        <source>Panel: backlight %1; function pages%2; change marker %3</source>
        <translation>Panel: backlight %1; function pages%2; change marker %3</translation>
    </message>
    <message>
        <source>always on</source>
        <translation>always on</translation>
    </message>
    <message>
        <source>off after %1 s</source>
        <translation>off after %1 s</translation>
    </message>
    <message>
        <source>Control %1: %2 %3</source>
        <translation>Control %1: %2 %3</translation>
    </message>
    <message>
        <source>Screens: %1 (active index %2, next screen ID %3)</source>
        <translation>Screens: %1 (active index %2, next screen ID %3)</translation>
    </message>
    <message>
        <source>Screen %1: %2 (ID %3), zoom %4, %5 controls, next control ID %6</source>
        <translation>Screen %1: %2 (ID %3), zoom %4, %5 controls, next control ID %6</translation>
    </message>
    <message>
        <source>a %1 cannot be written as a short entry (the editor cannot place one); export without --short writes it in full</source>
        <translation>a %1 cannot be written as a short entry (the editor cannot place one); export without --short writes it in full</translation>
    </message>
    <message>
        <source>screen %1 &quot;%2&quot;, %3 %4 &quot;%5&quot;</source>
        <translation>screen %1 &quot;%2&quot;, %3 %4 &quot;%5&quot;</translation>
    </message>
    <message>
        <source>PLC station</source>
        <translation>PLC station</translation>
    </message>
    <message>
        <source>register address (on the line)</source>
        <translation>register address (on the line)</translation>
    </message>
    <message>
        <source>maximum</source>
        <translation>maximum</translation>
    </message>
    <message>
        <source>minimum</source>
        <translation>minimum</translation>
    </message>
    <message>
        <source>coil address (on the line)</source>
        <translation>coil address (on the line)</translation>
    </message>
    <message>
        <source>%1: %2 %3 lies outside 0-%4; the image carries %5</source>
        <translation>%1: %2 %3 lies outside 0-%4; the image carries %5</translation>
    </message>
    <message>
        <source>Checks a project before it reaches a panel: one finding a line, FILE:SCREEN:CONTROL: SEVERITY: TEXT. Exit status 0 clean, 1 warnings with --strict, 3 errors.</source>
        <translation>Checks a project before it reaches a panel: one finding a line, FILE:SCREEN:CONTROL: SEVERITY: TEXT. Exit status 0 clean, 1 warnings with --strict, 3 errors.</translation>
    </message>
    <message>
        <source>Write the findings as JSON for scripts.</source>
        <translation>Write the findings as JSON for scripts.</translation>
    </message>
    <message>
        <source>Exit with status 1 when there are warnings.</source>
        <translation>Exit with status 1 when there are warnings.</translation>
    </message>
    <message>
        <source>Lists every PLC station, register and coil the project uses: typed and line address, read or write, and the controls that use it.</source>
        <translation>Lists every PLC station, register and coil the project uses: typed and line address, read or write, and the controls that use it.</translation>
    </message>
    <message>
        <source>Write CSV (UTF-8) for the PLC programmer&apos;s documentation.</source>
        <translation>Write CSV (UTF-8) for the PLC programmer&apos;s documentation.</translation>
    </message>
    <message>
        <source>Write JSON for scripts.</source>
        <translation>Write JSON for scripts.</translation>
    </message>
    <message>
        <source>
Options:
  -h, --help  Show this help (zqe COMMAND --help: the help of one command) and exit.
  --version   Show the version and exit.

Exit status: 0 done, 1 the work failed, 2 the command line was wrong (check: 3 errors).
</source>
        <translation>
Options:
  -h, --help  Show this help (zqe COMMAND --help: the help of one command) and exit.
  --version   Show the version and exit.

Exit status: 0 done, 1 the work failed, 2 the command line was wrong (check: 3 errors).
</translation>
    </message>
    <message>
        <source>%1: %2 error(s), %3 warning(s)</source>
        <translation>%1: %2 error(s), %3 warning(s)</translation>
    </message>
    <message>
        <source>--csv and --json exclude each other</source>
        <translation>--csv and --json exclude each other</translation>
    </message>
    <message>
        <source>%1 station %2 %3: line %4 (%5), %6: %7</source>
        <translation>%1 station %2 %3: line %4 (%5), %6: %7</translation>
    </message>
    <message>
        <source>Writes a document of the panel for commissioning: settings, every screen&apos;s picture and controls, the addresses and the check&apos;s findings, in the user&apos;s language.</source>
        <translation>Writes a document of the panel for commissioning: settings, every screen&apos;s picture and controls, the addresses and the check&apos;s findings, in the user&apos;s language.</translation>
    </message>
    <message>
        <source>The report to write: .pdf, or self-contained .html or .htm.</source>
        <translation>The report to write: .pdf, or self-contained .html or .htm.</translation>
    </message>
    <message>
        <source>no command given (new, info, compile, inspect, render, export, check, xref, report, import)</source>
        <translation>no command given (new, info, compile, inspect, render, export, check, xref, report, import)</translation>
    </message>
    <message>
        <source>cannot tell the report&apos;s format from &apos;%1&apos;: it may end in .pdf, .html or .htm</source>
        <translation>cannot tell the report&apos;s format from &apos;%1&apos;: it may end in .pdf, .html or .htm</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (new, info, compile, inspect, render, export, check, xref, report, import)</source>
        <translation>unknown command &quot;%1&quot; (new, info, compile, inspect, render, export, check, xref, report, import)</translation>
    </message>
    <message>
        <source>Write the project&apos;s JSON form for reading (docs/project-json.md) for scripts.</source>
        <translation>Write the project&apos;s JSON form for reading (docs/project-json.md) for scripts.</translation>
    </message>
    <message>
        <source>Write the decoded image and its problems as one JSON object for scripts.</source>
        <translation>Write the decoded image and its problems as one JSON object for scripts.</translation>
    </message>
</context>
<context>
    <name>zqflash</name>
    <message>
        <source>Serial device of the panel (for example /dev/ttyUSB0); repeat it for several panels.</source>
        <translation>Serial device of the panel (for example /dev/ttyUSB0); repeat it for several panels.</translation>
    </message>
    <message>
        <source>Program a panel on every device listed in FILE (one a line, # comments).</source>
        <translation>Program a panel on every device listed in FILE (one a line, # comments).</translation>
    </message>
    <message>
        <source>Program a panel on every device matching PATTERN (for example &apos;/dev/ttyUSB*&apos;).</source>
        <translation>Program a panel on every device matching PATTERN (for example &apos;/dev/ttyUSB*&apos;).</translation>
    </message>
    <message>
        <source>Line mode: after each panel wait for the next one on the same port and program it, until Ctrl-C.</source>
        <translation>Line mode: after each panel wait for the next one on the same port and program it, until Ctrl-C.</translation>
    </message>
    <message>
        <source>Append one JSON line per panel run to FILE (the production record).</source>
        <translation>Append one JSON line per panel run to FILE (the production record).</translation>
    </message>
    <message>
        <source>Print the counts per day and result of a production record and exit.</source>
        <translation>Print the counts per day and result of a production record and exit.</translation>
    </message>
    <message>
        <source>Program begin address, a multiple of 512 up to 0xFE00 (default 0x6000). HEX addresses are offsets from it.</source>
        <translation>Program begin address, a multiple of 512 up to 0xFE00 (default 0x6000). HEX addresses are offsets from it.</translation>
    </message>
    <message>
        <source>The panel&apos;s slave address, 0-255 (default 1).</source>
        <translation>The panel&apos;s slave address, 0-255 (default 1).</translation>
    </message>
    <message>
        <source>The file is plain (not enciphered), as the editor&apos;s download images are.</source>
        <translation>The file is plain (not enciphered), as the editor&apos;s download images are.</translation>
    </message>
    <message>
        <source>The panel&apos;s 485 port: P0, P1, P2, P3 or none (default none).</source>
        <translation>The panel&apos;s 485 port: P0, P1, P2, P3 or none (default none).</translation>
    </message>
    <message>
        <source>Its bit, 0-7 (default 0).</source>
        <translation>Its bit, 0-7 (default 0).</translation>
    </message>
    <message>
        <source>The panel&apos;s LED port: P0, P1, P2, P3 or none (default none).</source>
        <translation>The panel&apos;s LED port: P0, P1, P2, P3 or none (default none).</translation>
    </message>
    <message>
        <source>Line speed (default: the library&apos;s MD_DLL.DFT, 38400).</source>
        <translation>Line speed (default: the library&apos;s MD_DLL.DFT, 38400).</translation>
    </message>
    <message>
        <source>Data bits, parity (N, E, O) and stop bits (default: MD_DLL.DFT, 8E1).</source>
        <translation>Data bits, parity (N, E, O) and stop bits (default: MD_DLL.DFT, 8E1).</translation>
    </message>
    <message>
        <source>Seconds allowed for the entry phase and for each block, 1-3600 (default 30).</source>
        <translation>Seconds allowed for the entry phase and for each block, 1-3600 (default 30).</translation>
    </message>
    <message>
        <source>Times a command or block is sent again when its answer is missing or damaged, 0-100 (default 3).</source>
        <translation>Times a command or block is sent again when its answer is missing or damaged, 0-100 (default 3).</translation>
    </message>
    <message>
        <source>Seed of the block mask, 0-0xFFFF (default 0x5AA5).</source>
        <translation>Seed of the block mask, 0-0xFFFF (default 0x5AA5).</translation>
    </message>
    <message>
        <source>No progress bar.</source>
        <translation>No progress bar.</translation>
    </message>
    <message>
        <source>Print every frame sent (&gt;) and received (&lt;) with its time on standard error.</source>
        <translation>Print every frame sent (&gt;) and received (&lt;) with its time on standard error.</translation>
    </message>
    <message>
        <source>no port to program (the ports file lists none)</source>
        <translation>no port to program (the ports file lists none)</translation>
    </message>
    <message>
        <source>--trace: the communication library has no trace</source>
        <translation>--trace: the communication library has no trace</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unexpected argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--port and --file are required</source>
        <translation>--port and --file are required</translation>
    </message>
    <message>
        <source>%1 (a block was not confirmed within %2 s)</source>
        <translation>%1 (a block was not confirmed within %2 s)</translation>
    </message>
    <message>
        <source>%1 (the panel&apos;s boot loader did not answer within %2 s)</source>
        <translation>%1 (the panel&apos;s boot loader did not answer within %2 s)</translation>
    </message>
    <message>
        <source>Waiting for the panel&apos;s boot loader on %1 (switch the panel off and on again)...</source>
        <translation>Waiting for the panel&apos;s boot loader on %1 (switch the panel off and on again)...</translation>
    </message>
    <message>
        <source>waiting: %1: %2</source>
        <translation>waiting: %1: %2</translation>
    </message>
    <message>
        <source>%1%  %2/%3 bytes  %4 KiB/s</source>
        <translation>%1%  %2/%3 bytes  %4 KiB/s</translation>
    </message>
    <message>
        <source>%1: %2 bytes in %3 s</source>
        <translation>%1: %2 bytes in %3 s</translation>
    </message>
    <message>
        <source>--ports-file: cannot read %1: %2</source>
        <translation>--ports-file: cannot read %1: %2</translation>
    </message>
    <message>
        <source>--ports-from-glob: no device matches &apos;%1&apos;</source>
        <translation>--ports-from-glob: no device matches &apos;%1&apos;</translation>
    </message>
    <message>
        <source>nothing to program in %1</source>
        <translation>nothing to program in %1</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>cannot start %1: %2</translation>
    </message>
    <message>
        <source>interrupted before the line was opened</source>
        <translation>interrupted before the line was opened</translation>
    </message>
    <message>
        <source>the port&apos;s process ended unexpectedly</source>
        <translation>the port&apos;s process ended unexpectedly</translation>
    </message>
    <message>
        <source>the port&apos;s process ended with status %1</source>
        <translation>the port&apos;s process ended with status %1</translation>
    </message>
    <message>
        <source>cannot make a temporary folder: %1</source>
        <translation>cannot make a temporary folder: %1</translation>
    </message>
    <message>
        <source>starting</source>
        <translation>starting</translation>
    </message>
    <message>
        <source>waiting for the panel</source>
        <translation>waiting for the panel</translation>
    </message>
    <message>
        <source>programming</source>
        <translation>programming</translation>
    </message>
    <message>
        <source>finished</source>
        <translation>finished</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>%1  %2 %3/%4  %5 KiB/s  %6 retries  %7 ok %8 failed</source>
        <translation>%1  %2 %3/%4  %5 KiB/s  %6 retries  %7 ok %8 failed</translation>
    </message>
    <message>
        <source>%1: %2 %3 bytes</source>
        <translation>%1: %2 %3 bytes</translation>
    </message>
    <message>
        <source>%1: %2 %3 bytes, %4 retries</source>
        <translation>%1: %2 %3 bytes, %4 retries</translation>
    </message>
    <message>
        <source>port</source>
        <translation>port</translation>
    </message>
    <message>
        <source>result</source>
        <translation>result</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>time</source>
        <translation>time</translation>
    </message>
    <message>
        <source>retries</source>
        <translation>retries</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>%1 of %2 panels finished</source>
        <translation>%1 of %2 panels finished</translation>
    </message>
    <message>
        <source>cannot open %1: %2 (serial ports belong to the &apos;dialout&apos; group: sudo usermod -aG dialout $USER, then log in again)</source>
        <translation>cannot open %1: %2 (serial ports belong to the &apos;dialout&apos; group: sudo usermod -aG dialout $USER, then log in again)</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>no serial ports found</source>
        <translation>no serial ports found</translation>
    </message>
    <message>
        <source>cannot open %1 as a serial line (in use, or not a serial device)</source>
        <translation>cannot open %1 as a serial line (in use, or not a serial device)</translation>
    </message>
    <message>
        <source>interrupted: programming stopped after %1 of %2 bytes; the panel is not fully programmed</source>
        <translation>interrupted: programming stopped after %1 of %2 bytes; the panel is not fully programmed</translation>
    </message>
    <message>
        <source>interrupted: programming stopped after %1 of %2 bytes</source>
        <translation>interrupted: programming stopped after %1 of %2 bytes</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>cannot open the log %1: %2</source>
        <translation>cannot open the log %1: %2</translation>
    </message>
    <message>
        <source>cannot write the log %1: %2</source>
        <translation>cannot write the log %1: %2</translation>
    </message>
    <message>
        <source>%1 unreadable line(s) in %2: %3</source>
        <translation>%1 unreadable line(s) in %2: %3</translation>
    </message>
    <message>
        <source>--port: &apos;%1&apos; is named twice</source>
        <translation>--port: &apos;%1&apos; is named twice</translation>
    </message>
    <message>
        <source>--begin: &apos;%1&apos; is not a multiple of 512</source>
        <translation>--begin: &apos;%1&apos; is not a multiple of 512</translation>
    </message>
    <message>
        <source>--%1: &apos;%2&apos; is not P0, P1, P2, P3 or none</source>
        <translation>--%1: &apos;%2&apos; is not P0, P1, P2, P3 or none</translation>
    </message>
    <message>
        <source>--format: &apos;%1&apos; is not data bits 5-8, parity N, E or O, stop bits 1 or 2 (like 8E1)</source>
        <translation>--format: &apos;%1&apos; is not data bits 5-8, parity N, E or O, stop bits 1 or 2 (like 8E1)</translation>
    </message>
    <message>
        <source>--%1 takes one --port only</source>
        <translation>--%1 takes one --port only</translation>
    </message>
    <message>
        <source>(%1 earlier panel runs are not listed)</source>
        <translation>(%1 earlier panel runs are not listed)</translation>
    </message>
    <message>
        <source>will not write the log %1: %2</source>
        <translation>will not write the log %1: %2</translation>
    </message>
    <message>
        <source>it is the program file</source>
        <translation>it is the program file</translation>
    </message>
    <message>
        <source>no program reads the FIFO</source>
        <translation>no program reads the FIFO</translation>
    </message>
    <message>
        <source>it is not a file, FIFO or terminal</source>
        <translation>it is not a file, FIFO or terminal</translation>
    </message>
    <message>
        <source>it is a device, not a file, FIFO or terminal</source>
        <translation>it is a device, not a file, FIFO or terminal</translation>
    </message>
    <message>
        <source>cannot open %1: %2 (the port is not there: is the adapter unplugged? zqflash --list-ports lists the ports)</source>
        <translation>cannot open %1: %2 (the port is not there: is the adapter unplugged? zqflash --list-ports lists the ports)</translation>
    </message>
    <message>
        <source>ports marked denied belong to the &apos;dialout&apos; group: sudo usermod -aG dialout $USER, then log in again</source>
        <translation>ports marked denied belong to the &apos;dialout&apos; group: sudo usermod -aG dialout $USER, then log in again</translation>
    </message>
    <message>
        <source>List the serial ports of this machine and exit: stable /dev/serial/by-id names first, then ttyUSB, ttyACM and ttyS ports; one a line, tab-separated: path, description, manufacturer, serial number, device, access (ok or denied).</source>
        <translation>List the serial ports of this machine and exit: stable /dev/serial/by-id names first, then ttyUSB, ttyACM and ttyS ports; one a line, tab-separated: path, description, manufacturer, serial number, device, access (ok or denied).</translation>
    </message>
    <message>
        <source>With --list-ports: print the list as one JSON array of objects (path, description, manufacturer, serialNumber, device, stable, permitted).</source>
        <translation>With --list-ports: print the list as one JSON array of objects (path, description, manufacturer, serialNumber, device, stable, permitted).</translation>
    </message>
    <message>
        <source>--json goes with --list-ports</source>
        <translation>--json goes with --list-ports</translation>
    </message>
    <message>
        <source>--file -: standard input is larger than %1 bytes</source>
        <translation>--file -: standard input is larger than %1 bytes</translation>
    </message>
    <message>
        <source>--file -: standard input holds no program</source>
        <translation>--file -: standard input holds no program</translation>
    </message>
    <message>
        <source>--file -: cannot keep standard input in %1: %2</source>
        <translation>--file -: cannot keep standard input in %1: %2</translation>
    </message>
    <message>
        <source>Program file: .hex, .bin, .dat, .vxc or .vxg; - reads it from standard input (Intel HEX when its first line is a HEX record, else a raw image).</source>
        <translation>Program file: .hex, .bin, .dat, .vxc or .vxg; - reads it from standard input (Intel HEX when its first line is a HEX record, else a raw image).</translation>
    </message>
    <message>
        <source>Programs a panel through its boot loader, as the programmer&apos;s automatic mode does.
Several --port options (or --ports-file, --ports-from-glob) program the same image into every panel
at once, one line each, with a live view of every line and a summary table at the end.
Exit status: 0 when every panel confirmed every block; otherwise the number of panels that failed
(1 for a single panel, at most 100; the reasons are on standard error and in the summary), 2 for a
wrong command line (before any panel is touched), 130 when interrupted (Ctrl-C) outside --repeat.
A run that ends unconfirmed (&quot;Program Finished, but N blocks ... are not confirmed&quot;, see
--confirm-all) counts as failed.
With --repeat, Ctrl-C is the normal end: the status is then the number of failed panels.</source>
        <translation>Programs a panel through its boot loader, as the programmer&apos;s automatic mode does.
Several --port options (or --ports-file, --ports-from-glob) program the same image into every panel
at once, one line each, with a live view of every line and a summary table at the end.
Exit status: 0 when every panel confirmed every block; otherwise the number of panels that failed
(1 for a single panel, at most 100; the reasons are on standard error and in the summary), 2 for a
wrong command line (before any panel is touched), 130 when interrupted (Ctrl-C) outside --repeat.
A run that ends unconfirmed (&quot;Program Finished, but N blocks ... are not confirmed&quot;, see
--confirm-all) counts as failed.
With --repeat, Ctrl-C is the normal end: the status is then the number of failed panels.</translation>
    </message>
    <message>
        <source>Confirm every block: a block equal to one answered less than 225 ms ago waits until those 225 ms have passed, so that a late repeat of that answer cannot pass for its own (up to 225 ms a block). Without it such blocks wait only while that costs at most 4 % of the line time; otherwise they go out at once and the run ends unconfirmed (exit status 1).</source>
        <translation>Confirm every block: a block equal to one answered less than 225 ms ago waits until those 225 ms have passed, so that a late repeat of that answer cannot pass for its own (up to 225 ms a block). Without it such blocks wait only while that costs at most 4 % of the line time; otherwise they go out at once and the run ends unconfirmed (exit status 1).</translation>
    </message>
</context>
<context>
    <name>zqpanel-run</name>
    <message>
        <source>Runs a download image (IMAGE.vxg) or a project (PROJECT.ZQE, compiled on the way) as the panel does: its screens, registers, lamps and function keys, with the values read from a PLC over Modbus TCP (default 127.0.0.1:1502, where zqplc-sim listens) or Modbus RTU on a serial line. With --headless it runs a script instead of opening a window and exits 0 when every expectation of the script held, 1 when one failed.</source>
        <translation>Runs a download image (IMAGE.vxg) or a project (PROJECT.ZQE, compiled on the way) as the panel does: its screens, registers, lamps and function keys, with the values read from a PLC over Modbus TCP (default 127.0.0.1:1502, where zqplc-sim listens) or Modbus RTU on a serial line. With --headless it runs a script instead of opening a window and exits 0 when every expectation of the script held, 1 when one failed.</translation>
    </message>
    <message>
        <source>The download image (.vxg) or project (.ZQE).</source>
        <translation>The download image (.vxg) or project (.ZQE).</translation>
    </message>
    <message>
        <source>Modbus TCP to HOST:PORT (default 127.0.0.1:1502).</source>
        <translation>Modbus TCP to HOST:PORT (default 127.0.0.1:1502).</translation>
    </message>
    <message>
        <source>Modbus RTU on the serial line DEVICE instead.</source>
        <translation>Modbus RTU on the serial line DEVICE instead.</translation>
    </message>
    <message>
        <source>Milliseconds between poll cycles (default 100).</source>
        <translation>Milliseconds between poll cycles (default 100).</translation>
    </message>
    <message>
        <source>Answer time-out of a request in milliseconds (default 500).</source>
        <translation>Answer time-out of a request in milliseconds (default 500).</translation>
    </message>
    <message>
        <source>Screen pixels per panel pixel in the window (default 4).</source>
        <translation>Screen pixels per panel pixel in the window (default 4).</translation>
    </message>
    <message>
        <source>Number of panel keys shown: 16 or 25 (default: as the image&apos;s function keys need).</source>
        <translation>Number of panel keys shown: 16 or 25 (default: as the image&apos;s function keys need).</translation>
    </message>
    <message>
        <source>Run without a window (needs --script).</source>
        <translation>Run without a window (needs --script).</translation>
    </message>
    <message>
        <source>The headless script: key presses, waits, snapshots and expectations.</source>
        <translation>The headless script: key presses, waits, snapshots and expectations.</translation>
    </message>
    <message>
        <source>--tcp and --serial exclude each other</source>
        <translation>--tcp and --serial exclude each other</translation>
    </message>
    <message>
        <source>--headless and --script go together</source>
        <translation>--headless and --script go together</translation>
    </message>
    <message>
        <source>the panel shows screen %1</source>
        <translation>the panel shows screen %1</translation>
    </message>
    <message>
        <source>the link is lost</source>
        <translation>the link is lost</translation>
    </message>
    <message>
        <source>the link is ok</source>
        <translation>the link is ok</translation>
    </message>
    <message>
        <source>the display is dimmed</source>
        <translation>the display is dimmed</translation>
    </message>
    <message>
        <source>the display is lit</source>
        <translation>the display is lit</translation>
    </message>
    <message>
        <source>the panel is editing</source>
        <translation>the panel is editing</translation>
    </message>
    <message>
        <source>the panel is not editing</source>
        <translation>the panel is not editing</translation>
    </message>
    <message>
        <source>the last message is &quot;%1&quot;</source>
        <translation>the last message is &quot;%1&quot;</translation>
    </message>
    <message>
        <source>register %1 is %2</source>
        <translation>register %1 is %2</translation>
    </message>
    <message>
        <source>coil %1 is %2</source>
        <translation>coil %1 is %2</translation>
    </message>
    <message>
        <source>register %1 is not known</source>
        <translation>register %1 is not known</translation>
    </message>
    <message>
        <source>coil %1 is not known</source>
        <translation>coil %1 is not known</translation>
    </message>
    <message>
        <source>%1 pixels at %2,%3 differ from &quot;%4&quot;</source>
        <translation>%1 pixels at %2,%3 differ from &quot;%4&quot;</translation>
    </message>
    <message>
        <source>missing condition</source>
        <translation>missing condition</translation>
    </message>
    <message>
        <source>not a condition: &quot;%1&quot; with %2 arguments</source>
        <translation>not a condition: &quot;%1&quot; with %2 arguments</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unknown command &quot;%1&quot;</translation>
    </message>
    <message>
        <source>cannot read &quot;%1&quot;</source>
        <translation>cannot read &quot;%1&quot;</translation>
    </message>
    <message>
        <source>expectation failed: %1</source>
        <translation>expectation failed: %1</translation>
    </message>
    <message>
        <source>still not so after %1 ms: %2</source>
        <translation>still not so after %1 ms: %2</translation>
    </message>
    <message>
        <source>no image given (IMAGE.vxg or PROJECT.ZQE)</source>
        <translation>no image given (IMAGE.vxg or PROJECT.ZQE)</translation>
    </message>
    <message>
        <source>more than one image given</source>
        <translation>more than one image given</translation>
    </message>
    <message>
        <source>--tcp wants HOST:PORT, not &quot;%1&quot;</source>
        <translation>--tcp wants HOST:PORT, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--parity is N, E or O, not &quot;%1&quot;</source>
        <translation>--parity is N, E or O, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 LOST, poll %2 ms (%3 requests, %4 ms), screen %5 of %6</source>
        <translation>%1 LOST, poll %2 ms (%3 requests, %4 ms), screen %5 of %6</translation>
    </message>
    <message>
        <source>%1 ok, poll %2 ms (%3 requests, %4 ms), screen %5 of %6</source>
        <translation>%1 ok, poll %2 ms (%3 requests, %4 ms), screen %5 of %6</translation>
    </message>
    <message>
        <source>, backlight off</source>
        <translation>, backlight off</translation>
    </message>
    <message>
        <source>%1 (keyboard: %2)</source>
        <translation>%1 (keyboard: %2)</translation>
    </message>
    <message>
        <source>Baud rate of the serial line (default: a project&apos;s own, else 9600).</source>
        <translation>Baud rate of the serial line (default: a project&apos;s own, else 9600).</translation>
    </message>
    <message>
        <source>Parity of the serial line: N, E or O (default: a project&apos;s own, else N).</source>
        <translation>Parity of the serial line: N, E or O (default: a project&apos;s own, else N).</translation>
    </message>
    <message>
        <source>Data bits of the serial line: 7 or 8 (default: a project&apos;s own, else 8).</source>
        <translation>Data bits of the serial line: 7 or 8 (default: a project&apos;s own, else 8).</translation>
    </message>
    <message>
        <source>Stop bits of the serial line: 1 or 2 (default: a project&apos;s own, else 1).</source>
        <translation>Stop bits of the serial line: 1 or 2 (default: a project&apos;s own, else 1).</translation>
    </message>
    <message>
        <source>the project&apos;s serial line (%1) is not one Modbus RTU has; give --baud, --parity, --data-bits and --stop-bits</source>
        <translation>the project&apos;s serial line (%1) is not one Modbus RTU has; give --baud, --parity, --data-bits and --stop-bits</translation>
    </message>
    <message>
        <source>; --headless --script FILE runs without a window</source>
        <translation>; --headless --script FILE runs without a window</translation>
    </message>
    <message>
        <source>a snapshot is written to a file, not to standard output</source>
        <translation>a snapshot is written to a file, not to standard output</translation>
    </message>
    <message>
        <source>will not write &apos;%1&apos;: it is the run&apos;s input %2</source>
        <translation>will not write &apos;%1&apos;: it is the run&apos;s input %2</translation>
    </message>
    <message>
        <source>--control: the input ended before &quot;start&quot;</source>
        <translation>--control: the input ended before &quot;start&quot;</translation>
    </message>
    <message>
        <source>--control: bad project size &quot;%1&quot;</source>
        <translation>--control: bad project size &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--control: the input ended inside the project</source>
        <translation>--control: the input ended inside the project</translation>
    </message>
    <message>
        <source>--control: unexpected line &quot;%1&quot;</source>
        <translation>--control: unexpected line &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--simulate has its PLC in memory: no --tcp or --serial</source>
        <translation>--simulate has its PLC in memory: no --tcp or --serial</translation>
    </message>
    <message>
        <source>with --control the project comes on standard input, not as IMAGE</source>
        <translation>with --control the project comes on standard input, not as IMAGE</translation>
    </message>
    <message>
        <source>--control opens a window: not with --headless</source>
        <translation>--control opens a window: not with --headless</translation>
    </message>
    <message>
        <source>Offline: a PLC in memory instead of a line, and beside the panel a table of every register and coil the project uses, whose values can be edited (polled every 20 ms unless --poll-ms).</source>
        <translation>Offline: a PLC in memory instead of a line, and beside the panel a table of every register and coil the project uses, whose values can be edited (polled every 20 ms unless --poll-ms).</translation>
    </message>
    <message>
        <source>Started by the editor: the project comes on standard input (&quot;project SIZE NAME&quot;, the bytes, &quot;start&quot;), &quot;raise&quot; brings the window forward, and the end of the input ends the program.</source>
        <translation>Started by the editor: the project comes on standard input (&quot;project SIZE NAME&quot;, the bytes, &quot;start&quot;), &quot;raise&quot; brings the window forward, and the end of the input ends the program.</translation>
    </message>
    <message>
        <source>Simulated PLC</source>
        <translation>Simulated PLC</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>站号</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>用于</source>
        <translation>Used by</translation>
    </message>
    <message>
        <source>线圈</source>
        <translation>Coil</translation>
    </message>
    <message>
        <source>寄存器</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>离线模拟 - %1</source>
        <translation>Offline simulation - %1</translation>
    </message>
</context>
<context>
    <name>zqpanel-sim</name>
    <message>
        <source>Emulates the panel&apos;s boot loader on a new pseudo-terminal (its path is the first line printed)
or on a serial device, and writes the 64 KiB flash to a file when it ends (SIGTERM, SIGINT).
Block frames are counted from 1 as they arrive, resent frames too; answers count every answer.</source>
        <translation>Emulates the panel&apos;s boot loader on a new pseudo-terminal (its path is the first line printed)
or on a serial device, and writes the 64 KiB flash to a file when it ends (SIGTERM, SIGINT).
Block frames are counted from 1 as they arrive, resent frames too; answers count every answer.</translation>
    </message>
    <message>
        <source>Use this serial device instead of a pseudo-terminal.</source>
        <translation>Use this serial device instead of a pseudo-terminal.</translation>
    </message>
    <message>
        <source>Speed of that device (default 38400).</source>
        <translation>Speed of that device (default 38400).</translation>
    </message>
    <message>
        <source>Data bits, parity (N, E, O) and stop bits of that device (default 8E1).</source>
        <translation>Data bits, parity (N, E, O) and stop bits of that device (default 8E1).</translation>
    </message>
    <message>
        <source>The panel&apos;s slave address, 0-255 (default 1; 255 is always answered).</source>
        <translation>The panel&apos;s slave address, 0-255 (default 1; 255 is always answered).</translation>
    </message>
    <message>
        <source>Seed of the block mask, 0-0xFFFF (default 0x5AA5).</source>
        <translation>Seed of the block mask, 0-0xFFFF (default 0x5AA5).</translation>
    </message>
    <message>
        <source>Emulate the line time of every frame at N baud.</source>
        <translation>Emulate the line time of every frame at N baud.</translation>
    </message>
    <message>
        <source>Delay every answer by MS milliseconds.</source>
        <translation>Delay every answer by MS milliseconds.</translation>
    </message>
    <message>
        <source>Leave the first N entry requests unanswered (panel switched off).</source>
        <translation>Leave the first N entry requests unanswered (panel switched off).</translation>
    </message>
    <message>
        <source>Write block frames K but do not answer them.</source>
        <translation>Write block frames K but do not answer them.</translation>
    </message>
    <message>
        <source>Lose block frames K on the line: neither written nor answered.</source>
        <translation>Lose block frames K on the line: neither written nor answered.</translation>
    </message>
    <message>
        <source>Answer block frame K again MS milliseconds after its answer (a late duplicate).</source>
        <translation>Answer block frame K again MS milliseconds after its answer (a late duplicate).</translation>
    </message>
    <message>
        <source>Answer block frames K with a wrong data CRC.</source>
        <translation>Answer block frames K with a wrong data CRC.</translation>
    </message>
    <message>
        <source>Send answers K with a bad frame CRC.</source>
        <translation>Send answers K with a bad frame CRC.</translation>
    </message>
    <message>
        <source>Run N panels, each on its own pseudo-terminal (printed one a line) with its own flash file (--flash FILE becomes FILE-1, FILE-2, ... before the extension), 1-64.</source>
        <translation>Run N panels, each on its own pseudo-terminal (printed one a line) with its own flash file (--flash FILE becomes FILE-1, FILE-2, ... before the extension), 1-64.</translation>
    </message>
    <message>
        <source>Options for panel K of --count only, for example &apos;3:--bad-crc 5 --delay 2&apos;.</source>
        <translation>Options for panel K of --count only, for example &apos;3:--bad-crc 5 --delay 2&apos;.</translation>
    </message>
    <message>
        <source>End when standard input closes (for test harnesses).</source>
        <translation>End when standard input closes (for test harnesses).</translation>
    </message>
    <message>
        <source>Log every request on standard error.</source>
        <translation>Log every request on standard error.</translation>
    </message>
    <message>
        <source>--count makes pseudo-terminals; it cannot be used with --device</source>
        <translation>--count makes pseudo-terminals; it cannot be used with --device</translation>
    </message>
    <message>
        <source>--panel needs --count</source>
        <translation>--panel needs --count</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unexpected argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>poll: %1</source>
        <translation>poll: %1</translation>
    </message>
    <message>
        <source>write: %1</source>
        <translation>write: %1</translation>
    </message>
    <message>
        <source>pseudo-terminal: %2</source>
        <translation>pseudo-terminal: %2</translation>
    </message>
    <message>
        <source>ptsname: %2</source>
        <translation>ptsname: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>unsupported speed %1</source>
        <translation>unsupported speed %1</translation>
    </message>
    <message>
        <source>panel %1 did not start</source>
        <translation>panel %1 did not start</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not FRAME:MS</source>
        <translation>%1: &apos;%2&apos; is not FRAME:MS</translation>
    </message>
    <message>
        <source>--panel: &apos;%1&apos; is not K:OPTIONS</source>
        <translation>--panel: &apos;%1&apos; is not K:OPTIONS</translation>
    </message>
    <message>
        <source>--panel %1: %2 is not an option of one panel</source>
        <translation>--panel %1: %2 is not an option of one panel</translation>
    </message>
    <message>
        <source>--format: &apos;%1&apos; is not data bits 5-8, parity N, E or O, stop bits 1 or 2 (like 8E1)</source>
        <translation>--format: &apos;%1&apos; is not data bits 5-8, parity N, E or O, stop bits 1 or 2 (like 8E1)</translation>
    </message>
    <message>
        <source>--flash: cannot write &apos;%1&apos;: %2</source>
        <translation>--flash: cannot write &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>no program reads the FIFO</source>
        <translation>no program reads the FIFO</translation>
    </message>
    <message>
        <source>Write the flash to FILE on exit (checked at start; - is standard output, and the simulator&apos;s own lines then go to standard error; a FIFO is streamed into).</source>
        <translation>Write the flash to FILE on exit (checked at start; - is standard output, and the simulator&apos;s own lines then go to standard error; a FIFO is streamed into).</translation>
    </message>
    <message>
        <source>--flash -: standard output takes one panel&apos;s flash, not --count&apos;s</source>
        <translation>--flash -: standard output takes one panel&apos;s flash, not --count&apos;s</translation>
    </message>
</context>
<context>
    <name>zqplc-sim</name>
    <message>
        <source>Listen on HOST:PORT (default 127.0.0.1:1502; port 0 picks a free one).</source>
        <translation>Listen on HOST:PORT (default 127.0.0.1:1502; port 0 picks a free one).</translation>
    </message>
    <message>
        <source>Answer on a new pseudo-terminal instead (its name is printed).</source>
        <translation>Answer on a new pseudo-terminal instead (its name is printed).</translation>
    </message>
    <message>
        <source>The station (slave address) answered, 1-247 (default 1).</source>
        <translation>The station (slave address) answered, 1-247 (default 1).</translation>
    </message>
    <message>
        <source>Set a holding register at the start.</source>
        <translation>Set a holding register at the start.</translation>
    </message>
    <message>
        <source>Set a coil at the start.</source>
        <translation>Set a coil at the start.</translation>
    </message>
    <message>
        <source>Add one script statement.</source>
        <translation>Add one script statement.</translation>
    </message>
    <message>
        <source>Add the statements of a script file.</source>
        <translation>Add the statements of a script file.</translation>
    </message>
    <message>
        <source>--%1 wants ADDRESS=VALUE, not &quot;%2&quot;</source>
        <translation>--%1 wants ADDRESS=VALUE, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>unexpected argument &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--tcp wants HOST:PORT, not &quot;%1&quot;</source>
        <translation>--tcp wants HOST:PORT, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>-e &quot;%1&quot;: %2</source>
        <translation>-e &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>address</source>
        <translation>address</translation>
    </message>
    <message>
        <source>value</source>
        <translation>value</translation>
    </message>
    <message>
        <source>period</source>
        <translation>period</translation>
    </message>
    <message>
        <source>missing %1</source>
        <translation>missing %1</translation>
    </message>
    <message>
        <source>bad %1 &quot;%2&quot; (%3 to %4)</source>
        <translation>bad %1 &quot;%2&quot; (%3 to %4)</translation>
    </message>
    <message>
        <source>start</source>
        <translation>start</translation>
    </message>
    <message>
        <source>end</source>
        <translation>end</translation>
    </message>
    <message>
        <source>step</source>
        <translation>step</translation>
    </message>
    <message>
        <source>the ramp ends below its start</source>
        <translation>the ramp ends below its start</translation>
    </message>
    <message>
        <source>unknown statement &quot;%1&quot; (register, coil, ramp, toggle)</source>
        <translation>unknown statement &quot;%1&quot; (register, coil, ramp, toggle)</translation>
    </message>
    <message>
        <source>unexpected &quot;%1&quot; after the statement</source>
        <translation>unexpected &quot;%1&quot; after the statement</translation>
    </message>
    <message>
        <source>cannot listen on %1:%2: %3</source>
        <translation>cannot listen on %1:%2: %3</translation>
    </message>
    <message>
        <source>cannot open a pseudo-terminal: %1</source>
        <translation>cannot open a pseudo-terminal: %1</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>A simulated PLC: a Modbus slave (holding registers and coils, line addresses 0-65535) on a TCP port, a pseudo-terminal or a serial device. It prints where it listens, then every write that took effect (&quot;write coil 2053 = 1&quot;, &quot;write register 100 = 1234&quot;). Functions 1, 3, 5, 6, 15, 16, 22 and 23 are served, any other is answered with exception 1. Script statements: register ADDRESS VALUE; coil ADDRESS 0|1; ramp ADDRESS FROM TO STEP PERIOD-MS; toggle ADDRESS PERIOD-MS. Numbers are decimal, or hex with 0x.</source>
        <translation>A simulated PLC: a Modbus slave (holding registers and coils, line addresses 0-65535) on a TCP port, a pseudo-terminal or a serial device. It prints where it listens, then every write that took effect (&quot;write coil 2053 = 1&quot;, &quot;write register 100 = 1234&quot;). Functions 1, 3, 5, 6, 15, 16, 22 and 23 are served, any other is answered with exception 1. Script statements: register ADDRESS VALUE; coil ADDRESS 0|1; ramp ADDRESS FROM TO STEP PERIOD-MS; toggle ADDRESS PERIOD-MS. Numbers are decimal, or hex with 0x.</translation>
    </message>
    <message>
        <source>Answer Modbus RTU on the serial device DEVICE instead, with --baud, --parity, --data-bits and --stop-bits.</source>
        <translation>Answer Modbus RTU on the serial device DEVICE instead, with --baud, --parity, --data-bits and --stop-bits.</translation>
    </message>
    <message>
        <source>Baud rate of the serial device (default 9600).</source>
        <translation>Baud rate of the serial device (default 9600).</translation>
    </message>
    <message>
        <source>Parity of the serial device: N, E or O (default N).</source>
        <translation>Parity of the serial device: N, E or O (default N).</translation>
    </message>
    <message>
        <source>Data bits of the serial device: 7 or 8 (default 8).</source>
        <translation>Data bits of the serial device: 7 or 8 (default 8).</translation>
    </message>
    <message>
        <source>Stop bits of the serial device: 1 or 2 (default 1).</source>
        <translation>Stop bits of the serial device: 1 or 2 (default 1).</translation>
    </message>
    <message>
        <source>TCP clients served at once, 1-1000 (default 64); further connections are closed at once.</source>
        <translation>TCP clients served at once, 1-1000 (default 64); further connections are closed at once.</translation>
    </message>
    <message>
        <source>--tcp, --pty and --device exclude each other</source>
        <translation>--tcp, --pty and --device exclude each other</translation>
    </message>
    <message>
        <source>--parity is N, E or O, not &quot;%1&quot;</source>
        <translation>--parity is N, E or O, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>bad %1 &quot;%2&quot; (%3 to %4, decimal or hex with 0x)</source>
        <translation>bad %1 &quot;%2&quot; (%3 to %4, decimal or hex with 0x)</translation>
    </message>
    <message>
        <source>not an IPv4 address</source>
        <translation>not an IPv4 address</translation>
    </message>
    <message>
        <source>cannot accept another connection: %1</source>
        <translation>cannot accept another connection: %1</translation>
    </message>
    <message>
        <source>refusing connections: %1 clients are connected, the most --max-connections allows</source>
        <translation>refusing connections: %1 clients are connected, the most --max-connections allows</translation>
    </message>
</context>
</TS>
