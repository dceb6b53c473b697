<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>About</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>软件更新【网盘】</source>
        <translation>Updates (download)</translation>
    </message>
    <message>
        <source>软件群：暂无</source>
        <translation>Software group: none</translation>
    </message>
    <message>
        <source>一群：暂无</source>
        <translation>Group 1: none</translation>
    </message>
    <message>
        <source>二群：暂无</source>
        <translation>Group 2: none</translation>
    </message>
    <message>
        <source>社区应用：F-Droid</source>
        <translation>Community apps: F-Droid</translation>
    </message>
    <message>
        <source>作者：Kavu 开发者（暂无社区主页）</source>
        <translation>Author: Kavu developers (no page)</translation>
    </message>
    <message>
        <source>功能源码：</source>
        <translation>Source of the tools:</translation>
    </message>
    <message>
        <source>图标来源：</source>
        <translation>Icons:</translation>
    </message>
</context>
<context>
    <name>AdbServerDialog</name>
    <message>
        <source>adb 服务器</source>
        <translation>adb server</translation>
    </message>
    <message>
        <source>本机</source>
        <translation>This computer</translation>
    </message>
    <message>
        <source>其他计算机：</source>
        <translation>Remote:</translation>
    </message>
    <message>
        <source>主机名或 IP 地址</source>
        <translation>Host name or IP</translation>
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
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>BatchWindow</name>
    <message>
        <source>批量运行</source>
        <translation>Batch run</translation>
    </message>
    <message>
        <source>各设备的运行</source>
        <translation>Runs per phone</translation>
    </message>
    <message>
        <source>所选设备的输出</source>
        <translation>Output of the selected phone</translation>
    </message>
    <message>
        <source>选中一行，在这里查看该设备的全部输出。</source>
        <translation>Select a row to see all of that phone&apos;s output here.</translation>
    </message>
    <message>
        <source>重试失败的设备</source>
        <translation>Retry failed phones</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>同时运行：</source>
        <translation>At once:</translation>
    </message>
    <message>
        <source>同时运行的设备数</source>
        <translation>Phones run at once</translation>
    </message>
    <message>
        <source>每台设备打开控制台</source>
        <translation>Open a console per phone</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Kavu 第六代免ROOT玩机神器</source>
        <translation>Kavu 6 – the no-root Android toolbox</translation>
    </message>
    <message>
        <source> 通用功能 </source>
        <translation> General </translation>
    </message>
    <message>
        <source>ADB/FB命令行</source>
        <translation>ADB/FB console</translation>
    </message>
    <message>
        <source>软件与传输</source>
        <translation>Apps &amp; files</translation>
    </message>
    <message>
        <source>线刷专区</source>
        <translation>Flashing</translation>
    </message>
    <message>
        <source> UI调整 </source>
        <translation> Interface </translation>
    </message>
    <message>
        <source>屏幕显示调节</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>状态与导航栏</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>无极调节</source>
        <translation>Scales</translation>
    </message>
    <message>
        <source> 按键命令 </source>
        <translation> Input </translation>
    </message>
    <message>
        <source>物理按键模拟</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>触摸模拟</source>
        <translation>Touch</translation>
    </message>
    <message>
        <source>截屏推送</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source> 其他功能 </source>
        <translation> More </translation>
    </message>
    <message>
        <source>帮助支持</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>捐赠作者</source>
        <translation>Support us</translation>
    </message>
    <message>
        <source>关于软件/更新</source>
        <translation>About</translation>
    </message>
    <message>
        <source>本工具永久免费，严禁倒卖！所有功能只有设备连接成功后才有效。</source>
        <translation>This tool is free forever; do not resell it! Every function needs a connected device.</translation>
    </message>
    <message>
        <source>设备：</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>adb 服务器…</source>
        <translation>adb server…</translation>
    </message>
    <message>
        <source>无线连接…</source>
        <translation>Wi-Fi…</translation>
    </message>
    <message>
        <source>彩蛋</source>
        <translation>Easter egg</translation>
    </message>
    <message>
        <source>操作记录</source>
        <translation>Journal</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>帮助支持</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>软件介绍</source>
        <translation>About Kavu</translation>
    </message>
    <message>
        <source>连接与驱动</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>特殊情况</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>Kavu 是一款免 ROOT 的安卓玩机工具箱。它通过 adb（安卓调试桥）操作手机：adb 的权限介于普通用户和 ROOT 之间，所以不必 ROOT 手机，就能调出许多手机设置里没有的选项。

Kavu 的优势：
1.体积小：一个程序，加上 adb 和 fastboot 两个工具，解压即用。
2.兼容强：只使用安卓系统自带的命令，绝大多数手机都能使用。
3.权限少：只需打开 USB 调试，不需要 ROOT 权限。</source>
        <translation>Kavu is an Android toolbox that needs no root. It works the phone through adb (Android Debug Bridge), whose rights lie between an ordinary user&apos;s and root&apos;s, so it reaches many options the phone&apos;s settings do not show, without rooting the phone.

Why Kavu:
1. Small: one program plus the adb and fastboot tools; unpack and run.
2. Compatible: it only uses commands built into Android, so it works on most phones.
3. Few rights: only USB debugging is needed, no root.</translation>
    </message>
    <message>
        <source>*对于Android版本5.0以下以及部分魔改Rom，部分功能可能不受支持！</source>
        <translation>*Below Android 5.0 and on some modified ROMs, some functions may not work!</translation>
    </message>
    <message>
        <source>V3版(包含PC功能)</source>
        <translation>V3 (with PC tools)</translation>
    </message>
    <message>
        <source>1.设置-关于手机（关于设备）-（软件信息）-连续点击“版本号或内部版本号”7次-返回上一层菜单，显示开发者选项-USB调试。</source>
        <translation>1. Settings - About phone - (Software information) - tap &quot;Build number&quot; 7 times - go back: Developer options - USB debugging.</translation>
    </message>
    <message>
        <source>2.确保正确安装ADB驱动，二选一即可。</source>
        <translation>2. Install an ADB driver (either one).</translation>
    </message>
    <message>
        <source>驱动1</source>
        <translation>Driver 1</translation>
    </message>
    <message>
        <source>驱动2</source>
        <translation>Driver 2</translation>
    </message>
    <message>
        <source>3.连接电脑。注意屏幕的授权请求，如下图。</source>
        <translation>3. Connect to the PC and allow the request on the phone, as below.</translation>
    </message>
    <message>
        <source>Q：无法拖拽文件</source>
        <translation>Q: Files cannot be dragged in</translation>
    </message>
    <message>
        <source>以管理员身份运行</source>
        <translation>Run as admin</translation>
    </message>
    <message>
        <source>点击此处修复</source>
        <translation>Repair</translation>
    </message>
    <message>
        <source>Q：出现“由于某个应用遮挡了权限请求界面...”或“Because an app is obscuring...”</source>
        <translation>Q: &quot;Because an app is obscuring a permission request...&quot;</translation>
    </message>
    <message>
        <source>A：设置 - 应用程序 - 特殊访问 - 可出现在顶部的应用程序。全部关掉(大多数情况因为手势软件冲突)，就能正常USB调试连接了。</source>
        <translation>A: Settings - Apps - Special access - Display over other apps: turn all off (usually a gesture app is in the way); USB debugging then connects.</translation>
    </message>
</context>
<context>
    <name>JournalWindow</name>
    <message>
        <source>操作记录</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>所选记录的命令与输出</source>
        <translation>The selected entry&apos;s command and output</translation>
    </message>
    <message>
        <source>撤销所选</source>
        <translation>Undo selected</translation>
    </message>
    <message>
        <source>撤销本次全部</source>
        <translation>Undo this session</translation>
    </message>
    <message>
        <source>导出为文本</source>
        <translation>Export as text</translation>
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
        <source>记录列表</source>
        <translation>Entries</translation>
    </message>
    <message>
        <source>停止撤销</source>
        <translation>Stop undo</translation>
    </message>
</context>
<context>
    <name>Navigation</name>
    <message>
        <source>显示操作(Windows Manager)</source>
        <translation>Display (window manager)</translation>
    </message>
    <message>
        <source>分辨率</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>分辨率格式：横向 x 纵向</source>
        <translation>Resolution: width x height</translation>
    </message>
    <message>
        <source>显示缩放</source>
        <translation>Display size</translation>
    </message>
    <message>
        <source>DPI(显示大小)：</source>
        <translation>Density (DPI):</translation>
    </message>
    <message>
        <source>dp(最小宽度)：</source>
        <translation>Smallest width (dp):</translation>
    </message>
    <message>
        <source>横向分辨率(dp必填)：</source>
        <translation>Width in px (for dp):</translation>
    </message>
    <message>
        <source>边界范围</source>
        <translation>Overscan</translation>
    </message>
    <message>
        <source>调整屏幕四周的边界范围，大于0会向内侧收缩，小于0则相反</source>
        <translation>Insets of the screen edges: above 0 shrinks inwards, below 0 the opposite</translation>
    </message>
    <message>
        <source>←</source>
        <translation>←</translation>
    </message>
    <message>
        <source>→</source>
        <translation>→</translation>
    </message>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>↓</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Steps：</source>
        <translation>Steps:</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>恢复默认(0,0,0,0)</source>
        <translation>Reset (0,0,0,0)</translation>
    </message>
    <message>
        <source>横向分辨率</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>纵向分辨率</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>DPI(显示大小)</source>
        <translation>Density (DPI)</translation>
    </message>
    <message>
        <source>dp(最小宽度)</source>
        <translation>Smallest width (dp)</translation>
    </message>
    <message>
        <source>左边界 ←</source>
        <translation>Left inset ←</translation>
    </message>
    <message>
        <source>左边界 →</source>
        <translation>Left inset →</translation>
    </message>
    <message>
        <source>上边界 ↑</source>
        <translation>Top inset ↑</translation>
    </message>
    <message>
        <source>上边界 ↓</source>
        <translation>Top inset ↓</translation>
    </message>
    <message>
        <source>上边界</source>
        <translation>Top inset</translation>
    </message>
    <message>
        <source>左边界</source>
        <translation>Left inset</translation>
    </message>
    <message>
        <source>右边界</source>
        <translation>Right inset</translation>
    </message>
    <message>
        <source>下边界</source>
        <translation>Bottom inset</translation>
    </message>
    <message>
        <source>下边界 ↑</source>
        <translation>Bottom inset ↑</translation>
    </message>
    <message>
        <source>下边界 ↓</source>
        <translation>Bottom inset ↓</translation>
    </message>
    <message>
        <source>右边界 ←</source>
        <translation>Right inset ←</translation>
    </message>
    <message>
        <source>右边界 →</source>
        <translation>Right inset →</translation>
    </message>
</context>
<context>
    <name>OKC</name>
    <message>
        <source>刷机功能合集</source>
        <translation>Flashing</translation>
    </message>
    <message>
        <source>重启到指定模式</source>
        <translation>Reboot into</translation>
    </message>
    <message>
        <source>Recovery</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>Fastboot(BL)</source>
        <translation>Bootloader (fastboot)</translation>
    </message>
    <message>
        <source>EDL (9008) </source>
        <translation>EDL (9008) </translation>
    </message>
    <message>
        <source>Download(挖煤)</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>激活脚本</source>
        <translation>Activation scripts</translation>
    </message>
    <message>
        <source>黑阈激活</source>
        <translation>Start Brevent</translation>
    </message>
    <message>
        <source>SHIZUKU 激活</source>
        <translation>Start Shizuku</translation>
    </message>
    <message>
        <source>Fastboot线刷</source>
        <translation>Fastboot flashing</translation>
    </message>
    <message>
        <source>确保设备已解锁，并处于Fastboot模式。先将img文件放入软件目录下的“File”文件夹内，                   ，选定镜像后再从右侧选择分区，点击刷入即可</source>
        <translation>Unlock the phone and boot it into fastboot. Put .img files in the &quot;File&quot; folder (            ), pick one, pick a partition on the right and click Flash.</translation>
    </message>
    <message>
        <source>点击此处刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>打开File文件夹</source>
        <translation>Open File folder</translation>
    </message>
    <message>
        <source>分区选择</source>
        <translation>Partition</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Boot</source>
        <translation>Boot</translation>
    </message>
    <message>
        <source>Persist</source>
        <translation>Persist</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>刷入</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>检测FB设备</source>
        <translation>List fastboot devices</translation>
    </message>
    <message>
        <source>重启(FB)</source>
        <translation>Reboot from fastboot</translation>
    </message>
    <message>
        <source>重启(ADB)</source>
        <translation>Reboot (adb)</translation>
    </message>
    <message>
        <source>自定义分区名</source>
        <translation>Custom partition name</translation>
    </message>
    <message>
        <source>File文件夹中的文件</source>
        <translation>Files in the File folder</translation>
    </message>
</context>
<context>
    <name>PhoneApps</name>
    <message>
        <source>手机应用</source>
        <translation>Phone apps</translation>
    </message>
    <message>
        <source>筛选：</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>包名的一部分</source>
        <translation>part of a package name</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>按状态筛选</source>
        <translation>Filter by state</translation>
    </message>
    <message>
        <source>停用</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>启用</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>卸载（用户 0）</source>
        <translation>Remove (user 0)</translation>
    </message>
    <message>
        <source>恢复（重新安装）</source>
        <translation>Restore (reinstall)</translation>
    </message>
    <message>
        <source>导出所选</source>
        <translation>Export selected</translation>
    </message>
    <message>
        <source>按列表选择</source>
        <translation>Select from list</translation>
    </message>
    <message>
        <source>手机应用列表</source>
        <translation>The phone&apos;s apps</translation>
    </message>
</context>
<context>
    <name>PhoneArea</name>
    <message>
        <source>无极调节</source>
        <translation>Scales</translation>
    </message>
    <message>
        <source>字体缩放</source>
        <translation>Font scale</translation>
    </message>
    <message>
        <source>字体缩放最高精度0.02</source>
        <translation>Precision: 0.02</translation>
    </message>
    <message>
        <source>当前操作缩放为：1</source>
        <translation>Font scale sent: 1</translation>
    </message>
    <message>
        <source>增大</source>
        <translation>Larger</translation>
    </message>
    <message>
        <source>减小</source>
        <translation>Smaller</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>动画速度修改</source>
        <translation>Animation scales</translation>
    </message>
    <message>
        <source>动画速度最高精度0.01</source>
        <translation>Precision: 0.01</translation>
    </message>
    <message>
        <source>窗口：</source>
        <translation>Window:</translation>
    </message>
    <message>
        <source>√</source>
        <translation>√</translation>
    </message>
    <message>
        <source>过渡：</source>
        <translation>Transition:</translation>
    </message>
    <message>
        <source>程序：</source>
        <translation>Animator:</translation>
    </message>
</context>
<context>
    <name>PhonePicker</name>
    <message>
        <source>选择设备</source>
        <translation>Choose phones</translation>
    </message>
    <message>
        <source>勾选命令要发往的设备：</source>
        <translation>Tick the phones the commands go to:</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>All</translation>
    </message>
    <message>
        <source>全不选</source>
        <translation>None</translation>
    </message>
    <message>
        <source>设备组：</source>
        <translation>Group:</translation>
    </message>
    <message>
        <source>设备组</source>
        <translation>Phone group</translation>
    </message>
    <message>
        <source>选用</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>保存为组…</source>
        <translation>Save as group…</translation>
    </message>
    <message>
        <source>删除组</source>
        <translation>Delete group</translation>
    </message>
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
    <name>SelectionRisk</name>
    <message>
        <source>警告！</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>如果确定，请手动输入以下文字（对所选的全部应用只需一次）：</source>
        <translation>If you are sure, type the text below (once for all the selected apps):</translation>
    </message>
    <message>
        <source>确认文字</source>
        <translation>Confirmation text</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Software</name>
    <message>
        <source>软件操作</source>
        <translation>Apps and files</translation>
    </message>
    <message>
        <source>软件调试</source>
        <translation>Apps</translation>
    </message>
    <message>
        <source>包名：</source>
        <translation>Package:</translation>
    </message>
    <message>
        <source>读取手机应用</source>
        <translation>List apps</translation>
    </message>
    <message>
        <source>停用(系统应用)</source>
        <translation>Disable (system app)</translation>
    </message>
    <message>
        <source>卸载(三方应用)</source>
        <translation>Uninstall (user app)</translation>
    </message>
    <message>
        <source>卸载(系统应用)</source>
        <translation>Uninstall (system app)</translation>
    </message>
    <message>
        <source>显示当前界面活动</source>
        <translation>Current activity</translation>
    </message>
    <message>
        <source>启用</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>强行停止</source>
        <translation>Force stop</translation>
    </message>
    <message>
        <source>清除数据 </source>
        <translation>Clear data </translation>
    </message>
    <message>
        <source>显示设置表</source>
        <translation>Settings tables</translation>
    </message>
    <message>
        <source>Zelvi搜索(手机)</source>
        <translation>F-Droid (phone)</translation>
    </message>
    <message>
        <source>安装软件+传输文件</source>
        <translation>Install and push</translation>
    </message>
    <message>
        <source>将需要安装/发送的文件放入软件目录下“File”文件夹内，                   ，从右侧选定文件后再从左侧执行操作</source>
        <translation>Put the files to install or push in the &quot;File&quot; folder (            ), pick one on the right, then act on the left.</translation>
    </message>
    <message>
        <source>点击此处刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>打开File文件夹</source>
        <translation>Open File folder</translation>
    </message>
    <message>
        <source>安装APK</source>
        <translation>Install APK</translation>
    </message>
    <message>
        <source>传输文件</source>
        <translation>Push file</translation>
    </message>
    <message>
        <source>显示操作结果</source>
        <translation>Show result</translation>
    </message>
    <message>
        <source>手机端接收路径：/内置存储/</source>
        <translation>On the phone: /internal storage/</translation>
    </message>
    <message>
        <source>执行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>冻结Google</source>
        <translation>Disable Google apps</translation>
    </message>
    <message>
        <source>Google 服务框架</source>
        <translation>Services Framework</translation>
    </message>
    <message>
        <source>Google Play 商店</source>
        <translation>Play Store</translation>
    </message>
    <message>
        <source>Google Play 服务</source>
        <translation>Play services</translation>
    </message>
    <message>
        <source>Google Duo</source>
        <translation>Google Duo</translation>
    </message>
    <message>
        <source>Google 搜索</source>
        <translation>Google Search</translation>
    </message>
    <message>
        <source>Google 备份传输</source>
        <translation>Backup Transport</translation>
    </message>
    <message>
        <source>Google 电影</source>
        <translation>Google Movies</translation>
    </message>
    <message>
        <source>Google 音乐</source>
        <translation>Google Music</translation>
    </message>
    <message>
        <source>Google 地图</source>
        <translation>Google Maps</translation>
    </message>
    <message>
        <source>Google 相册</source>
        <translation>Google Photos</translation>
    </message>
    <message>
        <source>Google 云盘</source>
        <translation>Google Drive</translation>
    </message>
    <message>
        <source>Google 邮箱</source>
        <translation>Gmail</translation>
    </message>
    <message>
        <source>【全选】</source>
        <translation>All</translation>
    </message>
    <message>
        <source>冻结</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>File文件夹中的文件</source>
        <translation>Files in the File folder</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>状态栏操作</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>隐藏状态栏</source>
        <translation>Hide status bar</translation>
    </message>
    <message>
        <source>排除应用(包名)：</source>
        <translation>Except (package):</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>使用说明</source>
        <translation>How it works</translation>
    </message>
    <message>
        <source>隐藏导航栏</source>
        <translation>Hide nav bar</translation>
    </message>
    <message>
        <source>隐藏图标</source>
        <translation>Hide icons</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>耳机</source>
        <translation>Headset</translation>
    </message>
    <message>
        <source>闹钟</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>WLAN</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <source>静音(振动)</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>蓝牙</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <source>电池</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>飞行模式</source>
        <translation>Airplane</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>投射</source>
        <translation>Cast</translation>
    </message>
    <message>
        <source>定位</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>数据信号</source>
        <translation>Mobile</translation>
    </message>
    <message>
        <source>勾选隐藏，不勾选则显示。点击确认后执行</source>
        <translation>Checked: hidden, unchecked: shown. Click Set.</translation>
    </message>
    <message>
        <source>时间显秒(MIUI无效，请使用主题)：</source>
        <translation>Clock seconds (not MIUI):</translation>
    </message>
    <message>
        <source>开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>关</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>图标设定</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>一级下拉图标数量：</source>
        <translation>Quick tiles shown:</translation>
    </message>
    <message>
        <source>图标左右间距(8.1/9.0专用)：</source>
        <translation>Icon padding (8.1/9.0):</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>根据圆角设定，无圆角建议设为0</source>
        <translation>Follows the corners; 0 for square ones</translation>
    </message>
    <message>
        <source>去除x和！</source>
        <translation>Remove the x and !</translation>
    </message>
    <message>
        <source>更换服务器</source>
        <translation>Other server</translation>
    </message>
    <message>
        <source>连接检测:</source>
        <translation>Connectivity:</translation>
    </message>
    <message>
        <source>更换国内服务器，用于去除由于Google连接不通而出现的网络不通畅x号的提示</source>
        <translation>Another server for the connectivity check removes the x shown where Google is blocked</translation>
    </message>
    <message>
        <source>模拟电池状态</source>
        <translation>Battery simulation</translation>
    </message>
    <message>
        <source>显示非充电</source>
        <translation>Unplugged</translation>
    </message>
    <message>
        <source>AC充电</source>
        <translation>AC</translation>
    </message>
    <message>
        <source>USB充电</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>无线充电</source>
        <translation>Wireless</translation>
    </message>
    <message>
        <source>电量百分比：</source>
        <translation>Level (%):</translation>
    </message>
    <message>
        <source>√</source>
        <translation>√</translation>
    </message>
    <message>
        <source>电池信息</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>全部恢复</source>
        <translation>Reset all</translation>
    </message>
    <message>
        <source>拔下数据线前一定要点击 全部恢复 以恢复正常电池显示状态！</source>
        <translation>Click Reset all before you unplug, so the battery shows its real state!</translation>
    </message>
    <message>
        <source>隐藏状态栏：排除应用(包名)</source>
        <translation>Hide status bar: except (package)</translation>
    </message>
    <message>
        <source>隐藏导航栏：排除应用(包名)</source>
        <translation>Hide navigation bar: except (package)</translation>
    </message>
</context>
<context>
    <name>SupportWindow</name>
    <message>
        <source>捐赠作者</source>
        <translation>Support us</translation>
    </message>
    <message>
        <source>感谢使用 Kavu！</source>
        <translation>Thank you for using Kavu!</translation>
    </message>
    <message>
        <source>本工具永久免费。如果它帮到了你，欢迎把它推荐给身边的朋友，或在社区里分享你的使用心得——这就是对作者最好的支持。</source>
        <translation>This tool is free forever. If it helped you, tell your friends about it, or share what you learned in the community: that is the best support for its authors.</translation>
    </message>
</context>
<context>
    <name>WARNING</name>
    <message>
        <source>警告！</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>强烈不建议使用该功能！误操作导致无法进入桌面时很不易解决</source>
        <translation>Strongly discouraged! A phone that no longer starts is hard to fix.</translation>
    </message>
    <message>
        <source>如果你确定卸载该软件不会影响系统启动，且会处理相关不可预料的问题，请手动输入以下文字(仅一次)：</source>
        <translation>If you are sure that removing this app does not stop the phone from starting, and you can handle what may follow, type this text (once):</translation>
    </message>
    <message>
        <source>我已知悉该风险，若造成卡机或数据损失等后果则与作者无关</source>
        <translation>I know the risk; a stuck phone or lost data is my own doing</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>下次使用直接右击确认按钮，即可免去输入</source>
        <translation>Next time, right-click Confirm instead of typing</translation>
    </message>
    <message>
        <source>确认文字</source>
        <translation>Confirmation text</translation>
    </message>
</context>
<context>
    <name>WirelessDialog</name>
    <message>
        <source>无线连接</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>开启无线调试</source>
        <translation>Enable Wi-Fi adb</translation>
    </message>
    <message>
        <source>先用数据线连接，再点此按钮</source>
        <translation>Connect by cable first, then click this</translation>
    </message>
    <message>
        <source>手机地址：</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>192.168.1.5:5555</source>
        <translation>192.168.1.5:5555</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>断开</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>配对码：</source>
        <translation>Pair code:</translation>
    </message>
    <message>
        <source>配对</source>
        <translation>Pair</translation>
    </message>
    <message>
        <source>重新连接全部</source>
        <translation>Reconnect all</translation>
    </message>
</context>
<context>
    <name>kavu</name>
    <message>
        <source>该功能尚未完成</source>
        <translation>This function is not finished</translation>
    </message>
    <message>
        <source>无法读取File文件夹 %1：%2</source>
        <translation>Cannot read the File folder %1: %2</translation>
    </message>
    <message>
        <source>找不到File文件夹：</source>
        <translation>The File folder is missing: </translation>
    </message>
    <message>
        <source>警告！</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source> 请从右侧选定一个文件！</source>
        <translation> Pick a file on the right first!</translation>
    </message>
    <message>
        <source> 请从左侧选定一个文件！</source>
        <translation> Pick a file on the left first!</translation>
    </message>
    <message>
        <source>所选文件的名称或路径含有不允许的字符（&amp; | &lt; &gt; ^ % &quot; 或换行），</source>
        <translation>The file&apos;s name or path has a character that is not allowed (&amp; | &lt; &gt; ^ % &quot; or a line break); </translation>
    </message>
    <message>
        <source>所选文件的路径含有不允许的字符（&quot; % 或换行等控制字符）或以 \ 结尾，</source>
        <translation>The file&apos;s path has a character that is not allowed (&quot; % or a control character such as a line break) or ends in \; </translation>
    </message>
    <message>
        <source>请重命名该文件后点击“点击此处刷新”重新选择！</source>
        <translation>rename the file, click &quot;Refresh&quot; and pick it again!</translation>
    </message>
    <message>
        <source>系统</source>
        <translation>System</translation>
    </message>
    <message>
        <source>第三方</source>
        <translation>User</translation>
    </message>
    <message>
        <source>操作完成！请自行检查！</source>
        <translation>Done! Please check the result yourself.</translation>
    </message>
    <message>
        <source>正在安装：</source>
        <translation>Installing: </translation>
    </message>
    <message>
        <source>正在传输：</source>
        <translation>Pushing: </translation>
    </message>
    <message>
        <source>出现 Success表示安装完成！</source>
        <translation>Success above means the app is installed.</translation>
    </message>
    <message>
        <source>出现 xxxxxx 1 file pushed 表示传输完成！</source>
        <translation>1 file pushed above means the file arrived.</translation>
    </message>
    <message>
        <source>按任意键关闭此窗口...</source>
        <translation>Press any key to close this window...</translation>
    </message>
    <message>
        <source>安装结果</source>
        <translation>Install result</translation>
    </message>
    <message>
        <source>传输结果</source>
        <translation>Push result</translation>
    </message>
    <message>
        <source>刷入完成！</source>
        <translation>Flashing done!</translation>
    </message>
    <message>
        <source>手机可能会重启一到两次后自动进入rec，为正常现象！</source>
        <translation>The phone may reboot once or twice before it enters recovery; that is normal.</translation>
    </message>
    <message>
        <source>★★★ 操作成功 ★★★</source>
        <translation>★★★ Done ★★★</translation>
    </message>
    <message>
        <source>重启电脑后生效！</source>
        <translation>Restart the PC for it to take effect.</translation>
    </message>
    <message>
        <source>设备连接检测结果</source>
        <translation>Device check</translation>
    </message>
    <message>
        <source>输入内容含有不允许的字符（&amp; | &lt; &gt; ^ % &quot; 或换行），已取消执行！</source>
        <translation>The text has a character that is not allowed (&amp; | &lt; &gt; ^ % &quot; or a line break); nothing was run!</translation>
    </message>
    <message>
        <source>输入内容含有手机命令不允许的字符，已取消执行！</source>
        <translation>The text has a character the phone&apos;s command does not allow; nothing was run!</translation>
    </message>
    <message>
        <source>数值超出范围，已取消执行！</source>
        <translation>The number is out of range; nothing was run!</translation>
    </message>
    <message>
        <source>分区名无效（只能包含字母、数字、_ . -，且不能以 - 开头），已取消执行！</source>
        <translation>Invalid partition name (only letters, digits, _ . - and no leading -); nothing was run!</translation>
    </message>
    <message>
        <source>地址无效（格式为 主机:端口，主机为 IP 地址或主机名，端口 1-65535），已取消执行！</source>
        <translation>Invalid address (HOST:PORT, the host an IP address or host name, the port 1-65535); nothing was run!</translation>
    </message>
    <message>
        <source>警告!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>连接了多台设备：请在列表中选择要操作的一台。</source>
        <translation>Several devices: pick one in the list.</translation>
    </message>
    <message>
        <source>设备的序列号无效，无法选择。</source>
        <translation>The device&apos;s serial is invalid; it cannot be chosen.</translation>
    </message>
    <message>
        <source>设备序列号或命令无法发送，已取消读取。</source>
        <translation>The serial or command cannot be sent; nothing was read.</translation>
    </message>
    <message>
        <source>adb 服务未运行或没有应答，请先运行“检查设备连接”。</source>
        <translation>The adb server is not running or does not answer; run a device check first.</translation>
    </message>
    <message>
        <source>设备已断开或当前不可用，请检查数据线和设备状态。</source>
        <translation>The device is gone or not available; check the cable and its state.</translation>
    </message>
    <message>
        <source>设备未授权：请在手机上允许 USB 调试。</source>
        <translation>Unauthorized: allow USB debugging on the phone.</translation>
    </message>
    <message>
        <source>设备没有及时回应，已放弃读取。</source>
        <translation>The device did not answer in time; the read was given up.</translation>
    </message>
    <message>
        <source>设备返回的内容过多，已放弃读取。</source>
        <translation>The device sent too much; the read was given up.</translation>
    </message>
    <message>
        <source>adb 服务的回应无法识别，已放弃读取。</source>
        <translation>The adb server&apos;s answer is not understood; the read was given up.</translation>
    </message>
    <message>
        <source>读取已取消。</source>
        <translation>The read was cancelled.</translation>
    </message>
    <message>
        <source>权限不够</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>没有那个文件或目录</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>路径中有一项不是文件夹</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>找不到终端程序（xterm 或 x-terminal-emulator），无法打开控制台窗口。请先安装 xterm。</source>
        <translation>No terminal program (xterm or x-terminal-emulator) was found to open a console. Please install xterm.</translation>
    </message>
    <message>
        <source>无法启动 %1：%2</source>
        <translation>Cannot start %1: %2</translation>
    </message>
    <message>
        <source>无法启动命令解释器（错误 %1）</source>
        <translation>Cannot start the command interpreter (error %1)</translation>
    </message>
    <message>
        <source>Kavu 找不到存放数据的文件夹：环境变量 HOME 和 XDG_DATA_HOME 都没有设置。请在设置了 HOME 的桌面会话中启动 Kavu。</source>
        <translation>Kavu has no folder for its data: neither HOME nor XDG_DATA_HOME is set. Start Kavu in a desktop session that sets HOME.</translation>
    </message>
    <message>
        <source>Kavu 无法使用数据文件夹 %1：%2</source>
        <translation>Kavu cannot use its data folder %1: %2</translation>
    </message>
    <message>
        <source>Kavu 无法进入程序文件夹 %1：%2</source>
        <translation>Kavu cannot enter its program folder %1: %2</translation>
    </message>
    <message>
        <source>连接了多台设备：请先在主窗口的设备列表中选择一台。</source>
        <translation>Several devices: pick one in the main window&apos;s device list first.</translation>
    </message>
    <message>
        <source>包管理器报错（退出码 %1）。</source>
        <translation>The package manager failed (exit code %1).</translation>
    </message>
    <message>
        <source>包管理器报错（退出码 %1）：</source>
        <translation>The package manager failed (exit code %1): </translation>
    </message>
    <message>
        <source>包管理器的回答无法识别：</source>
        <translation>The package manager&apos;s answer is not understood: </translation>
    </message>
    <message>
        <source>手机没有列出任何应用，请点击“刷新”再试一次。</source>
        <translation>The phone listed no apps; click &quot;Refresh&quot; to try again.</translation>
    </message>
    <message>
        <source>，已停用</source>
        <translation>, disabled</translation>
    </message>
    <message>
        <source>，已卸载（用户 0）</source>
        <translation>, removed (user 0)</translation>
    </message>
    <message>
        <source>1.device前显示设备序列号即表示连接成功，软件才可正常使用！</source>
        <translation>1. A serial before &quot;device&quot; means the phone is connected.</translation>
    </message>
    <message>
        <source>2.若连接不到设备，请在帮助界面下载驱动或更换电脑。</source>
        <translation>2. If none shows, get a driver in Help or use another PC.</translation>
    </message>
    <message>
        <source>3.连接问题属于个人设备问题，不接受反馈。</source>
        <translation>3. Connection problems depend on your phone, cable and PC.</translation>
    </message>
    <message>
        <source>%1（序列号无效）</source>
        <translation>%1 (invalid serial)</translation>
    </message>
    <message>
        <source>%1（已断开）</source>
        <translation>%1 (disconnected)</translation>
    </message>
    <message>
        <source>正在连接 adb 服务……</source>
        <translation>Connecting to the adb server…</translation>
    </message>
    <message>
        <source>无法连接 adb 服务器 %1</source>
        <translation>Cannot reach the adb server %1</translation>
    </message>
    <message>
        <source>adb 服务未运行：运行一次设备检测或 adb devices 即可启动。</source>
        <translation>The adb server is not running: a device check or adb devices starts it.</translation>
    </message>
    <message>
        <source>已断开，等待重新连接：%1</source>
        <translation>Disconnected, waiting for %1 to return</translation>
    </message>
    <message>
        <source>未发现设备：请连接数据线并开启 USB 调试。</source>
        <translation>No device: plug in the cable and turn on USB debugging.</translation>
    </message>
    <message>
        <source>已连接，可以使用。</source>
        <translation>Connected and ready.</translation>
    </message>
    <message>
        <source>未授权：请在手机上允许 USB 调试。</source>
        <translation>Unauthorized: allow USB debugging on the phone.</translation>
    </message>
    <message>
        <source>离线：请重新插拔数据线。</source>
        <translation>Offline: unplug the cable and plug it in again.</translation>
    </message>
    <message>
        <source>无权限：请配置 udev 规则并加入 plugdev 组。</source>
        <translation>No permissions: set up the udev rules and join the plugdev group.</translation>
    </message>
    <message>
        <source>恢复模式：只有部分功能可用。</source>
        <translation>Recovery: only some functions work.</translation>
    </message>
    <message>
        <source>侧载模式：手机在等待 adb sideload。</source>
        <translation>Sideload: the phone waits for adb sideload.</translation>
    </message>
    <message>
        <source>引导模式：请使用“线刷专区”。</source>
        <translation>Bootloader: use &quot;Flashing&quot;.</translation>
    </message>
    <message>
        <source>正在连接：请解锁手机并稍候。</source>
        <translation>Connecting: unlock the phone and wait.</translation>
    </message>
    <message>
        <source>状态：%1</source>
        <translation>State: %1</translation>
    </message>
    <message>
        <source>全部设备（%1 台）</source>
        <translation>All devices (%1)</translation>
    </message>
    <message>
        <source>命令将在全部 %1 台设备上运行</source>
        <translation>Commands run on all %1 devices</translation>
    </message>
    <message>
        <source>未授权</source>
        <translation>unauthorized</translation>
    </message>
    <message>
        <source>离线</source>
        <translation>offline</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>%1；跳过：</source>
        <translation>%1; skipped: </translation>
    </message>
    <message>
        <source>手机没有回答这个应用的状态。</source>
        <translation>The phone did not tell this app&apos;s state.</translation>
    </message>
    <message>
        <source>，已停用（用户）</source>
        <translation>, disabled (by the user)</translation>
    </message>
    <message>
        <source>，已停用（系统或其他工具）</source>
        <translation>, disabled (by the system or another tool)</translation>
    </message>
    <message>
        <source>File文件夹是空的。</source>
        <translation>The File folder is empty.</translation>
    </message>
    <message>
        <source>File文件夹中没有 %1 文件。</source>
        <translation>No %1 files in the File folder.</translation>
    </message>
    <message>
        <source>请把文件放进 File 文件夹：</source>
        <translation>Put the files into the File folder:</translation>
    </message>
    <message>
        <source>然后点“点击此处刷新”。</source>
        <translation>then click Refresh.</translation>
    </message>
    <message>
        <source>adb 无法启动服务（退出码 %1）。</source>
        <translation>adb cannot start its server (exit code %1).</translation>
    </message>
    <message>
        <source>adb 无法启动服务（退出码 %1）：</source>
        <translation>adb cannot start its server (exit code %1): </translation>
    </message>
</context>
<context>
    <name>kavu::About</name>
    <message>
        <source>Kavu 没有网盘更新页面：新版本随项目源码一同发布。</source>
        <translation>Kavu has no download page: new versions come with the project&apos;s source.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>kavu::AdbServerDialog</name>
    <message>
        <source>当前：</source>
        <translation>Now: </translation>
    </message>
    <message>
        <source>本机</source>
        <translation>this computer</translation>
    </message>
    <message>
        <source>本机（端口 %1）</source>
        <translation>This computer (port %1)</translation>
    </message>
</context>
<context>
    <name>kavu::BatchRowsModel</name>
    <message>
        <source>设备</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>命令</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>最后输出</source>
        <translation>Last output</translation>
    </message>
</context>
<context>
    <name>kavu::BatchRunner</name>
    <message>
        <source>等待</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>运行中</source>
        <translation>running</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>succeeded</translation>
    </message>
    <message>
        <source>失败（退出码 %1）</source>
        <translation>failed (exit code %1)</translation>
    </message>
    <message>
        <source>失败（未启动）</source>
        <translation>failed (not started)</translation>
    </message>
    <message>
        <source>跳过（%1）</source>
        <translation>skipped (%1)</translation>
    </message>
    <message>
        <source>已打开控制台</source>
        <translation>console opened</translation>
    </message>
    <message>
        <source>%1 成功，%2 失败，%3 跳过</source>
        <translation>%1 succeeded, %2 failed, %3 skipped</translation>
    </message>
    <message>
        <source>，%1 未完成</source>
        <translation>, %1 not done</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>命令</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>最后输出</source>
        <translation>Last output</translation>
    </message>
    <message>
        <source>已停止</source>
        <translation>stopped</translation>
    </message>
</context>
<context>
    <name>kavu::BatchWindow</name>
    <message>
        <source>批量运行 — %1</source>
        <translation>Batch run — %1</translation>
    </message>
    <message>
        <source>批量运行</source>
        <translation>Batch run</translation>
    </message>
    <message>
        <source>导出批量运行结果</source>
        <translation>Export the batch results</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv);;所有文件 (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>kavu::DeviceChoice</name>
    <message>
        <source>在 Fastboot 模式</source>
        <translation>in fastboot mode</translation>
    </message>
    <message>
        <source>不在列表中</source>
        <translation>not listed</translation>
    </message>
</context>
<context>
    <name>kavu::DeviceRow</name>
    <message>
        <source>请选择设备</source>
        <translation>Choose a device</translation>
    </message>
    <message>
        <source>%1（Fastboot）</source>
        <translation>%1 (fastboot)</translation>
    </message>
    <message>
        <source>已选 %1 台设备</source>
        <translation>%1 phones chosen</translation>
    </message>
    <message>
        <source>选择设备…</source>
        <translation>Choose phones…</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>命令将在选中的 %1 台设备上运行</source>
        <translation>Commands run on the %1 chosen phones</translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>%1；跳过：</source>
        <translation>%1; skipped: </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 另有 %2 台在 Fastboot 模式，接收 fastboot 命令。</source>
        <translation>%1 %2 more in fastboot mode take the fastboot commands.</translation>
    </message>
</context>
<context>
    <name>kavu::Form1</name>
    <message>
        <source>驱动不正常！请解压后运行或检查主程序目录下的文件！</source>
        <translation>Tools missing! Unpack Kavu before running it, or check the files in its folder!</translation>
    </message>
    <message>
        <source>Kavu 第六代免ROOT玩机神器</source>
        <translation>Kavu 6 – the no-root Android toolbox</translation>
    </message>
    <message>
        <source>嘤嘤嘤~</source>
        <translation>Boo!</translation>
    </message>
    <message>
        <source>彩蛋</source>
        <translation>Easter egg</translation>
    </message>
    <message>
        <source>正在截图...</source>
        <translation>Taking...</translation>
    </message>
    <message>
        <source>推送截图...</source>
        <translation>Pulling...</translation>
    </message>
    <message>
        <source>打开截图...</source>
        <translation>Opening...</translation>
    </message>
    <message>
        <source>输出截图</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source>缺少 %1：%2</source>
        <translation>%1 is missing from %2</translation>
    </message>
    <message>
        <source>%1 不可执行</source>
        <translation>%1 is not executable</translation>
    </message>
    <message>
        <source>%1 指向的文件不存在：%2</source>
        <translation>%1 points to a file that does not exist: %2</translation>
    </message>
</context>
<context>
    <name>kavu::Help</name>
    <message>
        <source>Kavu 没有单独的 V3 版：电脑端的功能都已包含在本程序中。</source>
        <translation>Kavu has no separate V3 edition: its PC functions are all in this program.</translation>
    </message>
    <message>
        <source>A：一般为注册表问题。先将本工具箱退出，</source>
        <translation>A: Usually the registry. Quit Kavu,</translation>
    </message>
    <message>
        <source>再</source>
        <translation>, then</translation>
    </message>
    <message>
        <source>即可。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>:/pictures/usb_debugging_prompt.png</source>
        <extracomment>The help picture of the phone&apos;s USB debugging prompt, drawn with this language&apos;s words.</extracomment>
        <translation>:/pictures/usb_debugging_prompt_en.png</translation>
    </message>
    <message>
        <source>:/pictures/apps_on_top.png</source>
        <extracomment>The help picture of the apps allowed on top, drawn with this language&apos;s words.</extracomment>
        <translation>:/pictures/apps_on_top_en.png</translation>
    </message>
</context>
<context>
    <name>kavu::Navigation</name>
    <message>
        <source>警告!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>未填写DPI！</source>
        <translation>Enter a DPI!</translation>
    </message>
    <message>
        <source>未填写dp！</source>
        <translation>Enter a dp value!</translation>
    </message>
    <message>
        <source>未填写纵向分辨率！</source>
        <translation>Enter the width in pixels!</translation>
    </message>
    <message>
        <source>dp值无效！</source>
        <translation>Invalid dp value!</translation>
    </message>
    <message>
        <source>操作完成！部分魔改ROM可能没有效果！<byte value="xd"/>
如遇界面异常请点击恢复按钮！</source>
        <translation>Done! Some modified ROMs may ignore it!<byte value="xd"/>
If the screen looks wrong, click Reset!</translation>
    </message>
    <message>
        <source>部分魔改ROM可能没有效果！<byte value="xd"/>
如遇界面异常请点击恢复按钮！</source>
        <translation>Some modified ROMs may ignore it!<byte value="xd"/>
If the screen looks wrong, click Reset!</translation>
    </message>
    <message>
        <source>警告!</source>
        <comment>the title of a note after a change</comment>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>kavu::OKC</name>
    <message>
        <source>请填写分区名！</source>
        <translation>Enter a partition name!</translation>
    </message>
    <message>
        <source>警告!</source>
        <translation>Warning!</translation>
    </message>
</context>
<context>
    <name>kavu::PackageListModel</name>
    <message>
        <source>包名</source>
        <translation>Package</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
</context>
<context>
    <name>kavu::PhoneApps</name>
    <message>
        <source>正在读取……</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <source>无法读取手机应用。
</source>
        <translation>Cannot read the phone&apos;s apps.
</translation>
    </message>
    <message>
        <source>主窗口选择的设备已更换，请点击“刷新”读取它的应用。</source>
        <translation>The main window chose another device; click &quot;Refresh&quot; to read its apps.</translation>
    </message>
    <message>
        <source>正在读取 %1 的应用……</source>
        <translation>Reading the apps of %1…</translation>
    </message>
    <message>
        <source>全部 %1</source>
        <translation>All %1</translation>
    </message>
    <message>
        <source>系统 %1</source>
        <translation>System %1</translation>
    </message>
    <message>
        <source>第三方 %1</source>
        <translation>User %1</translation>
    </message>
    <message>
        <source>已停用 %1</source>
        <translation>Disabled %1</translation>
    </message>
    <message>
        <source>已卸载（用户 0） %1</source>
        <translation>Removed (user 0) %1</translation>
    </message>
    <message>
        <source>%1 个名称无效，已忽略</source>
        <translation>%1 names that are not package names were left out</translation>
    </message>
    <message>
        <source>%1：共 %2 个应用，显示 %3 个，已选 %4 个</source>
        <translation>%1: %2 apps, %3 shown, %4 selected</translation>
    </message>
    <message>
        <source>；还有 %1 个应用正在处理</source>
        <translation>; %1 apps still being changed</translation>
    </message>
    <message>
        <source>正在执行……</source>
        <translation>Running…</translation>
    </message>
    <message>
        <source>未能运行</source>
        <translation>Could not run</translation>
    </message>
    <message>
        <source>正在读取状态……</source>
        <translation>Reading its state…</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>失败（退出码 %1）</source>
        <translation>Failed (exit code %1)</translation>
    </message>
    <message>
        <source>失败：%1</source>
        <translation>Failed: %1</translation>
    </message>
    <message>
        <source>未生效：状态没有改变</source>
        <translation>No effect: the state did not change</translation>
    </message>
    <message>
        <source>未生效：%1</source>
        <translation>No effect: %1</translation>
    </message>
    <message>
        <source>已运行，无法读取新状态：%1</source>
        <translation>Ran, but the new state could not be read: %1</translation>
    </message>
    <message>
        <source>导出所选</source>
        <translation>Export selected</translation>
    </message>
    <message>
        <source>文本文件 (*.txt);;所有文件 (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>按列表选择</source>
        <translation>Select from list</translation>
    </message>
    <message>
        <source>无法导出到 %1：%2</source>
        <translation>Cannot export to %1: %2</translation>
    </message>
    <message>
        <source>已将 %1 个应用导出到 %2</source>
        <translation>Exported %1 apps to %2</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 超过 %2 MiB，不像应用列表，未读取。</source>
        <translation>%1 is larger than %2 MiB, too large for an app list; it was not read.</translation>
    </message>
    <message>
        <source>已按列表选择 %1 个应用。</source>
        <translation>Selected %1 apps from the list.</translation>
    </message>
    <message>
        <source>%1 个不在这部手机上。</source>
        <translation> %1 are not on this phone.</translation>
    </message>
    <message>
        <source>%1 行不是有效的包名，已跳过。</source>
        <translation> %1 lines are not package names and were skipped.</translation>
    </message>
</context>
<context>
    <name>kavu::PhoneArea</name>
    <message>
        <source>当前操作缩放为：</source>
        <translation>Font scale sent: </translation>
    </message>
</context>
<context>
    <name>kavu::PhonePicker</name>
    <message>
        <source>%1（Fastboot）</source>
        <translation>%1 (fastboot)</translation>
    </message>
    <message>
        <source>%1（不在列表中）</source>
        <translation>%1 (not listed)</translation>
    </message>
    <message>
        <source>%1（%2 台）</source>
        <translation>%1 (%2 phones)</translation>
    </message>
    <message>
        <source>请先勾选要保存的设备。</source>
        <translation>Tick the phones to save first.</translation>
    </message>
    <message>
        <source>保存为组</source>
        <translation>Save as group</translation>
    </message>
    <message>
        <source>组名：</source>
        <translation>Group name:</translation>
    </message>
    <message>
        <source>组名不能为空，也不能超过 %1 个字符。</source>
        <translation>A group name must not be empty or longer than %1 characters.</translation>
    </message>
</context>
<context>
    <name>kavu::SelectionRisk</name>
    <message>
        <source>将为用户 0 卸载所选的 %1 个应用，其中 %2 个是系统应用。卸载系统应用可能导致手机无法进入桌面，且很不易解决。</source>
        <translation>This removes the %1 selected apps for user 0, %2 of them system apps. Removing a system app can leave the phone unable to reach its home screen, and that is hard to undo.</translation>
    </message>
    <message>
        <source>将停用所选的 %1 个应用，其中 %2 个是系统应用。停用系统应用可能导致手机无法进入桌面，且很不易解决。</source>
        <translation>This disables the %1 selected apps, %2 of them system apps. Disabling a system app can leave the phone unable to reach its home screen, and that is hard to undo.</translation>
    </message>
    <message>
        <source>输入错误！</source>
        <translation>The text does not match!</translation>
    </message>
    <message>
        <source>警告!</source>
        <translation>Warning!</translation>
    </message>
</context>
<context>
    <name>kavu::Software</name>
    <message>
        <source>已跳转！请查看手机</source>
        <translation>Opened! Look at the phone</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>kavu::Status</name>
    <message>
        <source>请开关飞行模式以验证是否成功！</source>
        <translation>Turn airplane mode on and off to see whether it worked!</translation>
    </message>
    <message>
        <source>此功能可以临时隐藏状态栏并通过滑动呼出。 <byte value="xd"/>
<byte value="xd"/>
对于不想隐藏的应用，可以输入包名。若想恢复隐藏，则包名框不填，直接点击“状态栏”按钮即可。</source>
        <translation>This hides the status bar for now; a swipe brings it back. <byte value="xd"/>
<byte value="xd"/>
For apps that should keep it, enter their package. To hide it everywhere again, leave the box empty and click &quot;Hide status&quot;.</translation>
    </message>
    <message>
        <source>此功能可以临时隐藏导航栏并通过滑动呼出。 <byte value="xd"/>
<byte value="xd"/>
对于不想隐藏导航栏的应用，可以输入包名。若想恢复隐藏，则包名框不填，直接点击“导航栏”按钮即可。<byte value="xd"/>
<byte value="xd"/>
若要永久隐藏，请使用工具内的显示调节的边界调整功能！</source>
        <translation>This hides the navigation bar for now; a swipe brings it back. <byte value="xd"/>
<byte value="xd"/>
For apps that should keep it, enter their package. To hide it everywhere again, leave the box empty and click &quot;Hide nav bar&quot;.<byte value="xd"/>
<byte value="xd"/>
To hide it for good, use the overscan of the Display window!</translation>
    </message>
</context>
<context>
    <name>kavu::WARNING</name>
    <message>
        <source>我已知悉该风险，若造成卡机或数据损失等后果则与作者无关</source>
        <translation>I know the risk; a stuck phone or lost data is my own doing</translation>
    </message>
    <message>
        <source>高风险功能警告</source>
        <translation>High-risk function</translation>
    </message>
    <message>
        <source>输入错误！</source>
        <translation>The text does not match!</translation>
    </message>
    <message>
        <source>警告!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>禁止粘贴！</source>
        <translation>Pasting is not allowed!</translation>
    </message>
    <message>
        <source>右键菜单不可用！</source>
        <translation>No context menu here!</translation>
    </message>
</context>
<context>
    <name>kavu::WirelessDialog</name>
    <message>
        <source>此 adb 版本过旧，不支持配对（Android 11 的无线调试）。请用数据线连接手机，点“开启无线调试”，再填写手机的 IP 地址和端口 5555 后点“连接”。</source>
        <translation>This adb is too old to pair (Android 11 wireless debugging). Connect the phone by cable, click &quot;Enable Wi-Fi adb&quot;, then enter its IP address and port 5555 and click &quot;Connect&quot;.</translation>
    </message>
    <message>
        <source>还没有记住的地址</source>
        <translation>No addresses remembered yet</translation>
    </message>
    <message>
        <source>已记住 %1 个地址</source>
        <translation>%1 addresses remembered</translation>
    </message>
    <message>
        <source>重新连接：%1 成功，%2 失败</source>
        <translation>Reconnected: %1 succeeded, %2 failed</translation>
    </message>
</context>
<context>
    <name>kavu::journal</name>
    <message>
        <source>默认</source>
        <translation>default</translation>
    </message>
    <message>
        <source>默认（%1）</source>
        <translation>default (%1)</translation>
    </message>
    <message>
        <source>（无值）</source>
        <translation>(no value)</translation>
    </message>
    <message>
        <source>已启用</source>
        <translation>enabled</translation>
    </message>
    <message>
        <source>已停用</source>
        <translation>disabled</translation>
    </message>
    <message>
        <source>已安装</source>
        <translation>installed</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1</source>
        <translation>Cannot create the folder %1</translation>
    </message>
    <message>
        <source>实际电池状态</source>
        <translation>the actual battery state</translation>
    </message>
    <message>
        <source>操作记录文件是符号链接，为安全起见未读取</source>
        <translation>The journal file is a symbolic link; for safety it was not read</translation>
    </message>
    <message>
        <source>操作记录文件不是普通文件，未读取</source>
        <translation>The journal file is not a regular file; it was not read</translation>
    </message>
    <message>
        <source>是符号链接，为安全起见未写入</source>
        <translation>it is a symbolic link; for safety nothing was written</translation>
    </message>
    <message>
        <source>已安装，已停用</source>
        <translation>installed, disabled</translation>
    </message>
    <message>
        <source>已卸载（用户 0）</source>
        <translation>uninstalled (user 0)</translation>
    </message>
</context>
<context>
    <name>kavu::journal::Journal</name>
    <message>
        <source>操作记录的最后一行不完整（上次写入被中断），已跳过。</source>
        <translation>The journal&apos;s last line was incomplete (a write was interrupted) and was skipped.</translation>
    </message>
    <message>
        <source>上一条命令失败（退出码 %1）：%2</source>
        <translation>The last command failed (exit code %1): %2</translation>
    </message>
    <message>
        <source>正在撤销，请稍候。</source>
        <translation>Undoing, please wait.</translation>
    </message>
    <message>
        <source>没有可以撤销的更改。</source>
        <translation>There is no change to undo.</translation>
    </message>
    <message>
        <source>记录中的撤销命令无效，未撤销：%1</source>
        <translation>The entry&apos;s undo command is not valid; nothing was undone: %1</translation>
    </message>
    <message>
        <source>无法写入操作记录 %1：%2</source>
        <translation>Cannot write the journal %1: %2</translation>
    </message>
    <message>
        <source>撤销命令 %1 秒内未结束，已停止撤销；其余更改保持不变。</source>
        <translation>The undo command did not end within %1 seconds; undoing stopped. The other changes are left as they are.</translation>
    </message>
    <message>
        <source>%1：设备已不在列表中，未运行。</source>
        <translation>%1: the device is no longer listed; not run.</translation>
    </message>
    <message>
        <source>%1 台设备已不在列表中，未运行：%2</source>
        <translation>%1 devices are no longer listed; not run: %2</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>没有就绪的设备，命令未运行。</source>
        <translation>No device is ready; the command was not run.</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>撤销失败（退出码 %1）：%2。可以再试一次；其余未撤销的更改保持不变。</source>
        <translation>Undo failed (exit code %1): %2. You can try again; the other changes not yet undone are left as they are.</translation>
    </message>
    <message>
        <source>撤销完成。</source>
        <translation>Undo finished.</translation>
    </message>
    <message>
        <source>已停止撤销；其余更改保持不变。</source>
        <translation>Undoing stopped; the other changes are left as they are.</translation>
    </message>
    <message>
        <source>撤销命令未能运行；其余更改保持不变。</source>
        <translation>The undo command could not run; the other changes are left as they are.</translation>
    </message>
    <message>
        <source>操作记录</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>无法写入操作记录文件夹 %1（%2），操作记录改存于 %3。</source>
        <translation>The journal folder %1 cannot be written (%2); the journal is kept in %3 instead.</translation>
    </message>
    <message>
        <source>无法写入操作记录 %1：%2。此后的操作不会被记录，也无法撤销。</source>
        <translation>Cannot write the journal %1: %2. Later actions will not be journaled and cannot be undone.</translation>
    </message>
</context>
<context>
    <name>kavu::journal::JournalFollower</name>
    <message>
        <source>操作记录文件是符号链接（指向 %1），为安全起见未读取</source>
        <translation>The journal file is a symbolic link (to %1); for safety it was not read</translation>
    </message>
    <message>
        <source>操作记录文件不是普通文件，未读取</source>
        <translation>The journal file is not a regular file; it was not read</translation>
    </message>
</context>
<context>
    <name>kavu::journal::JournalWindow</name>
    <message>
        <source>已撤销</source>
        <translation>Undone</translation>
    </message>
    <message>
        <source>可撤销（恢复为 %1）</source>
        <translation>Can be undone (back to %1)</translation>
    </message>
    <message>
        <source>原值未知</source>
        <translation>Old value unknown</translation>
    </message>
    <message>
        <source>原值未知（可重置为默认）</source>
        <translation>Old value unknown (can reset to default)</translation>
    </message>
    <message>
        <source>无需撤销</source>
        <translation>Nothing to undo</translation>
    </message>
    <message>
        <source>不可撤销</source>
        <translation>Cannot be undone</translation>
    </message>
    <message>
        <source>在控制台中运行</source>
        <translation>Ran in a console</translation>
    </message>
    <message>
        <source>运行中或结果未知</source>
        <translation>Running or result unknown</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Succeeded</translation>
    </message>
    <message>
        <source>失败（退出码 %1）</source>
        <translation>Failed (exit code %1)</translation>
    </message>
    <message>
        <source>撤销：</source>
        <translation>Undo: </translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>Kavu 操作记录：%1

</source>
        <translation>Kavu journal: %1

</translation>
    </message>
    <message>
        <source>未选择设备</source>
        <translation>No device chosen</translation>
    </message>
    <message>
        <source>    输出：</source>
        <translation>    Output: </translation>
    </message>
    <message>
        <source>设备：%1</source>
        <translation>Device: %1</translation>
    </message>
    <message>
        <source>未选择设备：显示未指定设备时运行的命令</source>
        <translation>No device chosen: the commands run without a device</translation>
    </message>
    <message>
        <source>（无法读取操作记录：%1）</source>
        <translation> (cannot read the journal: %1)</translation>
    </message>
    <message>
        <source>本次启动以来没有可以撤销的更改。</source>
        <translation>No change since this start can be undone.</translation>
    </message>
    <message>
        <source>撤销本次启动以来的 %1 项更改？</source>
        <translation>Undo the %1 changes made since this start?</translation>
    </message>
    <message>
        <source>导出操作记录</source>
        <translation>Export the journal</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>无法导出到 %1：%2</source>
        <translation>Cannot export to %1: %2</translation>
    </message>
    <message>
        <source>已导出到 %1</source>
        <translation>Exported to %1</translation>
    </message>
    <message>
        <source>不可撤销（未指定设备）</source>
        <translation>Cannot be undone (no device named)</translation>
    </message>
    <message>
        <source>无需撤销（命令失败）</source>
        <translation>Nothing to undo (the command failed)</translation>
    </message>
    <message>
        <source>（%1 行无法读取，已跳过）</source>
        <translation>(%1 lines could not be read and were skipped)</translation>
    </message>
    <message>
        <source>（最后一行不完整，已跳过）</source>
        <translation>(the last line is incomplete and was skipped)</translation>
    </message>
    <message>
        <source>未启动</source>
        <translation>Not started</translation>
    </message>
</context>
<context>
    <name>kavu::touchsimu</name>
    <message>
        <source>小于80毫秒会出现命令堵塞，导致无法停止、执行顺序错乱等严重问题！</source>
        <translation>Below 80 ms the commands pile up: the run may not stop and may run out of order!</translation>
    </message>
    <message>
        <source>警告!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>%1：%2连点已停止。</source>
        <translation>%1: %2 The auto-clicker stopped.</translation>
    </message>
    <message>
        <source>连点（每 %1 毫秒）：%2</source>
        <translation>Auto-clicker (every %1 ms): %2</translation>
    </message>
    <message>
        <source>已发送 %1 次，跳过 %2 次（手机来不及）</source>
        <translation>Sent %1 times, skipped %2 (the phone could not keep up)</translation>
    </message>
    <message>
        <source>跳过 %1 次（手机来不及）</source>
        <translation>Skipped %1 (the phone could not keep up)</translation>
    </message>
</context>
<context>
    <name>keysimu</name>
    <message>
        <source>按键模拟(Keyevent)</source>
        <translation>Keys (keyevent)</translation>
    </message>
    <message>
        <source>物理按键模拟</source>
        <translation>Hardware keys</translation>
    </message>
    <message>
        <source>后台</source>
        <translation>Recents</translation>
    </message>
    <message>
        <source>主页</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>锁屏</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>音量-</source>
        <translation>Vol -</translation>
    </message>
    <message>
        <source>音量+</source>
        <translation>Vol +</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>键鼠模拟</source>
        <translation>Keyboard and mouse</translation>
    </message>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>←</source>
        <translation>←</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>→</source>
        <translation>→</translation>
    </message>
    <message>
        <source>↓</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>媒体控制</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>上一首</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>播放/暂停</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>下一首</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>发送文字</source>
        <translation>Type text</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>由于指令限制不支持发送中文字符</source>
        <translation>The input command cannot type Chinese characters</translation>
    </message>
</context>
<context>
    <name>touchsimu</name>
    <message>
        <source>触摸模拟</source>
        <translation>Touch</translation>
    </message>
    <message>
        <source>触摸模拟 (支持循环、延时。可用作连点器)</source>
        <translation>Touch (repeats and delays: an auto-clicker)</translation>
    </message>
    <message>
        <source>x1</source>
        <translation>x1</translation>
    </message>
    <message>
        <source>y1</source>
        <translation>y1</translation>
    </message>
    <message>
        <source>x2</source>
        <translation>x2</translation>
    </message>
    <message>
        <source>y2</source>
        <translation>y2</translation>
    </message>
    <message>
        <source>按压时间(ms)</source>
        <translation>Press (ms)</translation>
    </message>
    <message>
        <source>循环间隔(ms)</source>
        <translation>Interval (ms)</translation>
    </message>
    <message>
        <source>循环次数</source>
        <translation>Repeats</translation>
    </message>
    <message>
        <source>点击随机偏移半径(2*px)</source>
        <translation>Random offset (2*px)</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>点按</source>
        <translation>Tap</translation>
    </message>
    <message>
        <source>滑动</source>
        <translation>Swipe</translation>
    </message>
    <message>
        <source> 两点模式</source>
        <translation> Two points</translation>
    </message>
    <message>
        <source>交换坐标</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>连点器预设</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>快速翻页</source>
        <translation>Fast paging</translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation>Normal Mode</translation>
    </message>
    <message>
        <source>Turbo Mode</source>
        <translation>Turbo Mode</translation>
    </message>
    <message>
        <source>屏幕坐标可通过   开发者选项-输入-指针位置   确定</source>
        <translation>Coordinates: Developer options - Input - Pointer location</translation>
    </message>
    <message>
        <source>执行时间(ms)</source>
        <translation>Duration (ms)</translation>
    </message>
    <message>
        <source>显示循环次数</source>
        <translation>Show the repeat count</translation>
    </message>
</context>
</TS>
