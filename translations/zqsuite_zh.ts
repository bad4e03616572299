<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Download</name>
    <message>
        <source>COM%1 is not a port from COM1 to COM256</source>
        <translation>COM%1 不是 COM1 至 COM256 之间的串口</translation>
    </message>
    <message>
        <source>cannot write the programmer&apos;s settings %1</source>
        <translation>无法写入编程器的设置 %1</translation>
    </message>
    <message>
        <source>no free image file name in %1</source>
        <translation>%1 中没有可用的下载文件名</translation>
    </message>
    <message>
        <source>the download image would take %1 bytes; its 16-bit length and offsets hold at most 65535: use fewer or shorter static texts, or fewer different characters</source>
        <translation>下载文件将有 %1 字节，而其 16 位的长度和偏移最多只能表示 65535：请减少静态文本的数量或长度，或减少不同字符的数量</translation>
    </message>
    <message>
        <source>the folder for download images cannot be created: %1</source>
        <translation>无法创建下载文件的文件夹：%1</translation>
    </message>
    <message>
        <source>the project could not be compiled</source>
        <translation>无法编译当前项目</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>cannot encode the image of %1 as PNG</source>
        <translation>无法把 %1 的图像编码为 PNG</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>cannot read %1: larger than %2 bytes</source>
        <translation>无法读取 %1：文件大于 %2 字节</translation>
    </message>
    <message>
        <source>cannot read %1: not a regular file</source>
        <translation>无法读取 %1：不是普通文件</translation>
    </message>
    <message>
        <source>cannot read %1: the file is empty</source>
        <translation>无法读取 %1：文件是空的</translation>
    </message>
    <message>
        <source>cannot replace &apos;%1&apos;: %2</source>
        <translation>无法替换“%1”：%2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>无法写入“%1”：%2</translation>
    </message>
    <message>
        <source>will not write %1: it is a link to a missing file</source>
        <translation>不写入 %1：它是指向不存在的文件的链接</translation>
    </message>
    <message>
        <source>will not write %1: not a regular file</source>
        <translation>不写入 %1：不是普通文件</translation>
    </message>
    <message>
        <source>will not write %1: the file is read-only</source>
        <translation>不写入 %1：文件是只读的</translation>
    </message>
</context>
<context>
    <name>Flasher</name>
    <message>
        <source> (no permission)</source>
        <translation>（没有权限）</translation>
    </message>
    <message>
        <source>%1 is not there: is the adapter plugged in?</source>
        <translation>%1 不存在：适配器插好了吗？</translation>
    </message>
    <message>
        <source>485 port cannot be set to RXD or TXD!</source>
        <translation>485 端口不能设为 RXD 或 TXD！</translation>
    </message>
    <message>
        <source>A block equal to one answered just before waits until a late repeat of that answer can no longer come (up to 225 ms a block). Without it such blocks wait only while that costs little; otherwise the run ends unconfirmed.</source>
        <translation>与刚应答过的块相同的块，要等到该应答不可能再迟到重复时才发出（每块最多 225 毫秒）。不勾选时，这类块只在代价很小时才等待，否则编程结束时注明未经确认。</translation>
    </message>
    <message>
        <source>Address: %1 CRC error!</source>
        <translation>地址：%1 CRC 校验错误！</translation>
    </message>
    <message>
        <source>An unexpectedly error!(%1)</source>
        <translation>发生意外错误！(%1)</translation>
    </message>
    <message>
        <source>An unexpectedly error,program terminate!</source>
        <translation>发生意外错误，编程终止！</translation>
    </message>
    <message>
        <source>Begin to download file!</source>
        <translation>开始下载文件！</translation>
    </message>
    <message>
        <source>Cannot connect to remote host,program terminate!</source>
        <translation>无法连接远程主机，编程终止！</translation>
    </message>
    <message>
        <source>Confirm every block</source>
        <translation>确认每一块</translation>
    </message>
    <message>
        <source>Connecting to remote host!</source>
        <translation>正在连接远程主机！</translation>
    </message>
    <message>
        <source>Download file successfully!</source>
        <translation>文件下载成功！</translation>
    </message>
    <message>
        <source>HEX format error</source>
        <translation>HEX 格式错误</translation>
    </message>
    <message>
        <source>HEX format error in line %1: %2</source>
        <translation>第 %1 行 HEX 格式错误：%2</translation>
    </message>
    <message>
        <source>HEX format error: two records give address 0x%1 different values</source>
        <translation>HEX 格式错误：两条记录给地址 0x%1 不同的值</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Program Finished</source>
        <translation>编程完成</translation>
    </message>
    <message>
        <source>Program Finished, but %1 blocks equal to an earlier block are not confirmed: a late repeat of an answer could have passed for theirs. Program again with every block confirmed to be sure.</source>
        <translation>编程完成，但有 %1 个与之前某块相同的块未经确认：一个迟到的重复应答可能被当成了它们的应答。为确保无误，请在确认每一块的方式下重新编程。</translation>
    </message>
    <message>
        <source>Program Time over!</source>
        <translation>编程超时！</translation>
    </message>
    <message>
        <source>Programming...Please Wait!</source>
        <translation>正在编程……请稍候！</translation>
    </message>
    <message>
        <source>Select the ports, their bits and the program begin address!</source>
        <translation>请选择端口、端口位和编程起始地址！</translation>
    </message>
    <message>
        <source>Start to program ...</source>
        <translation>开始编程……</translation>
    </message>
    <message>
        <source>The communication library cannot keep the line quiet: a block equal to an earlier one cannot be confirmed!</source>
        <translation>通信库无法使线路保持静默：与前一块相同的数据块无法确认！</translation>
    </message>
    <message>
        <source>The program does not fit between the begin address and 0xFFFF!</source>
        <translation>程序放不进起始地址到 0xFFFF 之间！</translation>
    </message>
    <message>
        <source>The serial port %1 is not there: is the adapter unplugged? Plug it in, or choose another port with &quot;COM config&quot;.</source>
        <translation>串口 %1 不存在：适配器拔掉了吗？请插上，或用“COM config”选择另一个串口。</translation>
    </message>
    <message>
        <source>Thread create error</source>
        <translation>无法创建线程</translation>
    </message>
    <message>
        <source>You may not open %1: serial ports belong to the group dialout (sudo usermod -aG dialout $USER, then log in again).</source>
        <translation>您无权打开 %1：串口属于 dialout 组（执行 sudo usermod -aG dialout $USER 后重新登录）。</translation>
    </message>
    <message>
        <source>a block arrived damaged at the panel (CRC error)</source>
        <translation>一块数据到达一体机时已损坏（CRC 错误）</translation>
    </message>
    <message>
        <source>a character that is not a hex digit</source>
        <translation>有一个字符不是十六进制数字</translation>
    </message>
    <message>
        <source>a record after the end-of-file record</source>
        <translation>文件结束记录之后还有记录</translation>
    </message>
    <message>
        <source>a request failed after the panel&apos;s boot loader answered</source>
        <translation>一体机的引导程序应答后，一次请求失败</translation>
    </message>
    <message>
        <source>acknowledge</source>
        <translation>已确认</translation>
    </message>
    <message>
        <source>answer of %1 bytes</source>
        <translation>%1 字节的应答</translation>
    </message>
    <message>
        <source>cannot load vexorenc.dll!</source>
        <translation>无法加载 vexorenc.dll！</translation>
    </message>
    <message>
        <source>cannot load vexorisp.dll!</source>
        <translation>无法加载 vexorisp.dll！</translation>
    </message>
    <message>
        <source>checksum error</source>
        <translation>校验和错误</translation>
    </message>
    <message>
        <source>error:file size is zero</source>
        <translation>错误：文件大小为零</translation>
    </message>
    <message>
        <source>error:file size over 65535!</source>
        <translation>错误：文件大小超过 65535！</translation>
    </message>
    <message>
        <source>file is enciphered but libvexorenc.so is not loaded!</source>
        <translation>文件已加密，但未加载 libvexorenc.so！</translation>
    </message>
    <message>
        <source>file is not enciphered: program it as not enciphered (notenc=1 in isp.ini, zqflash --notenc)!</source>
        <translation>文件未加密：请按未加密文件编程（isp.ini 中 notenc=1，或 zqflash --notenc）！</translation>
    </message>
    <message>
        <source>file must be .hex or .bin or .vxc or .vxg!</source>
        <translation>文件必须是 .hex、.bin、.vxc 或 .vxg 文件！</translation>
    </message>
    <message>
        <source>gateway path unavailable</source>
        <translation>网关路径不可用</translation>
    </message>
    <message>
        <source>gateway target device failed to respond</source>
        <translation>网关目标设备未响应</translation>
    </message>
    <message>
        <source>illegal data address</source>
        <translation>非法数据地址</translation>
    </message>
    <message>
        <source>illegal data value</source>
        <translation>非法数据值</translation>
    </message>
    <message>
        <source>illegal function</source>
        <translation>非法功能</translation>
    </message>
    <message>
        <source>led port and 485 port cannot to be the same port!</source>
        <translation>LED 端口和 485 端口不能是同一个端口！</translation>
    </message>
    <message>
        <source>led port cannot be set to RXD or TXD!</source>
        <translation>LED 端口不能设为 RXD 或 TXD！</translation>
    </message>
    <message>
        <source>memory parity error</source>
        <translation>存储奇偶校验错误</translation>
    </message>
    <message>
        <source>no answer from the panel in time, after every retry</source>
        <translation>所有重试后一体机仍未按时应答</translation>
    </message>
    <message>
        <source>no run yet</source>
        <translation>尚未编程</translation>
    </message>
    <message>
        <source>nothing was programmed: the image is empty</source>
        <translation>未编程：文件是空的</translation>
    </message>
    <message>
        <source>open input file error</source>
        <translation>打开输入文件出错</translation>
    </message>
    <message>
        <source>open input file error!</source>
        <translation>打开输入文件出错！</translation>
    </message>
    <message>
        <source>programming finished, but blocks equal to an earlier block are not confirmed</source>
        <translation>编程完成，但与之前某块相同的块未经确认</translation>
    </message>
    <message>
        <source>programming finished: the panel confirmed every block</source>
        <translation>编程完成：一体机确认了每一块</translation>
    </message>
    <message>
        <source>programming is under way</source>
        <translation>正在编程</translation>
    </message>
    <message>
        <source>programming was stopped</source>
        <translation>编程已停止</translation>
    </message>
    <message>
        <source>slave device busy</source>
        <translation>从站设备忙</translation>
    </message>
    <message>
        <source>slave device failure</source>
        <translation>从站设备故障</translation>
    </message>
    <message>
        <source>the file ends without an end-of-file record</source>
        <translation>文件没有文件结束记录就结束了</translation>
    </message>
    <message>
        <source>the panel refused the request: Modbus exception %1 (%2)</source>
        <translation>一体机拒绝了请求：Modbus 异常 %1（%2）</translation>
    </message>
    <message>
        <source>the program does not fit the panel&apos;s 64 KiB</source>
        <translation>程序超出了一体机的 64 KiB</translation>
    </message>
    <message>
        <source>the program does not fit the panel&apos;s 64 KiB (data in two 64 KiB segments)</source>
        <translation>程序超出了一体机的 64 KiB（数据在两个 64 KiB 段中）</translation>
    </message>
    <message>
        <source>the record does not start with &apos;:&apos;</source>
        <translation>记录不以“:”开头</translation>
    </message>
    <message>
        <source>the record&apos;s length does not match its byte count</source>
        <translation>记录的长度与其字节数不符</translation>
    </message>
    <message>
        <source>the request cannot be framed (function, size or data)</source>
        <translation>请求无法成帧（功能码、长度或数据）</translation>
    </message>
    <message>
        <source>the run was refused before anything was sent</source>
        <translation>编程在发送任何数据之前被拒绝</translation>
    </message>
    <message>
        <source>the serial line failed while sending</source>
        <translation>串口发送失败</translation>
    </message>
    <message>
        <source>the serial line is not open</source>
        <translation>串口未打开</translation>
    </message>
    <message>
        <source>two records give address 0x%1 different values</source>
        <translation>两条记录给地址 0x%1 不同的值</translation>
    </message>
    <message>
        <source>unknown exception</source>
        <translation>未知异常</translation>
    </message>
    <message>
        <source>unknown outcome %1</source>
        <translation>未知结果 %1</translation>
    </message>
    <message>
        <source>unknown record type</source>
        <translation>未知的记录类型</translation>
    </message>
    <message>
        <source>unknown result</source>
        <translation>未知结果</translation>
    </message>
</context>
<context>
    <name>Project</name>
    <message>
        <source>the project has no complete panel model to save</source>
        <translation>项目没有完整的一体机型号，无法保存</translation>
    </message>
</context>
<context>
    <name>SystemErrors</name>
    <message>
        <source>Broken pipe</source>
        <translation>管道已断开</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>连接被拒绝</translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation>连接超时</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>设备或资源忙</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>目录非空</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>超出磁盘配额</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>文件已存在</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>文件名过长</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>文件过大</translation>
    </message>
    <message>
        <source>Inappropriate ioctl for device</source>
        <translation>对设备不适当的控制操作</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>输入/输出错误</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>无效的参数</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>是一个目录</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>设备上没有空间</translation>
    </message>
    <message>
        <source>No such device</source>
        <translation>没有那个设备</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>没有那个设备或地址</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>没有那个文件或目录</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>不是目录</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>不允许的操作</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>权限不够</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>只读文件系统</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>资源暂时不可用</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>文本文件忙</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>符号链接的层数过多</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>打开的文件过多</translation>
    </message>
</context>
</TS>
