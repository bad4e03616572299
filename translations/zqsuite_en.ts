<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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

Change devices%12s</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Set...</translation>
    </message>
    <message>
        <source>页面名称</source>
        <translation>Screen name</translation>
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
        <translation>Center the selected controls vertically
Center vertically</translation>
    </message>
    <message>
        <source>选择的控件水平居中对齐
水平居中</source>
        <translation>Center the selected controls horizontally
Center horizontally</translation>
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
        <source>ZQ 面板配置套件 — 面板程序下载工具</source>
        <translation>ZQ panel configuration suite — panel programmer</translation>
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
        <translation>Show key kind</translation>
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
        <translation>MODBUS free protocol</translation>
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
</context>
</TS>
