<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>mewt</name>
    <message>
        <source>mewt timer complete</source>
        <translation>mewt 计时器完成</translation>
    </message>
    <message>
        <source>mewt timer</source>
        <translation>mewt 计时器</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>剩余 %1</translation>
    </message>
    <message>
        <source>paused · %1 left</source>
        <translation>已暂停 · 剩余 %1</translation>
    </message>
    <message>
        <source>phase ended %1 ago</source>
        <translation>阶段已于 %1 前结束</translation>
    </message>
    <message>
        <source>timer ended</source>
        <translation>计时结束</translation>
    </message>
    <message>
        <source>timer ending in</source>
        <translation>计时还剩</translation>
    </message>
    <message>
        <source>focus ended</source>
        <translation>专注结束</translation>
    </message>
    <message>
        <source>focus ending in</source>
        <translation>专注还剩</translation>
    </message>
    <message>
        <source>break ended</source>
        <translation>休息结束</translation>
    </message>
    <message>
        <source>break ending in</source>
        <translation>休息还剩</translation>
    </message>
    <message>
        <source>notification wasn&apos;t added. check your desktop&apos;s notification settings.</source>
        <translation>未能添加通知。请检查桌面的通知设置。</translation>
    </message>
    <message>
        <source>notifications are allowed, but alerts and sounds are off in your desktop&apos;s notification settings.</source>
        <translation>通知已允许，但桌面通知设置中的提醒和声音已关闭。</translation>
    </message>
    <message>
        <source>couldn&apos;t request notifications: </source>
        <translation>无法请求通知权限：</translation>
    </message>
    <message>
        <source>%1 complete</source>
        <translation>%1 完成</translation>
    </message>
    <message>
        <source>time to stretch, rest, or pull the paw again.</source>
        <translation>该伸个懒腰、休息一下，或者再拉一下猫爪了。</translation>
    </message>
    <message>
        <source>no notification service is running.</source>
        <translation>没有正在运行的通知服务。</translation>
    </message>
    <message>
        <source>the notification service didn&apos;t answer.</source>
        <translation>通知服务没有响应。</translation>
    </message>
    <message>
        <source>there&apos;s no session bus to reach the notification service.</source>
        <translation>没有可用于连接通知服务的会话总线。</translation>
    </message>
    <message>
        <source>the notification service answered with an error.</source>
        <translation>通知服务返回了错误。</translation>
    </message>
    <message>
        <source>the notification has no identifier.</source>
        <translation>通知没有标识符。</translation>
    </message>
    <message>
        <source>the notification&apos;s time interval is out of range.</source>
        <translation>通知的时间间隔超出范围。</translation>
    </message>
    <message>
        <source>notifications aren&apos;t allowed for mewt.</source>
        <translation>mewt 未获准发送通知。</translation>
    </message>
    <message>
        <source>the update feed couldn&apos;t be read.</source>
        <translation>无法读取更新源。</translation>
    </message>
    <message>
        <source>the update server didn&apos;t answer in time.</source>
        <translation>更新服务器未及时响应。</translation>
    </message>
    <message>
        <source>the update feed is too large.</source>
        <translation>更新源过大。</translation>
    </message>
    <message>
        <source>the update server answered with an error (%1).</source>
        <translation>更新服务器返回了错误（%1）。</translation>
    </message>
    <message>
        <source>couldn&apos;t reach the update server.</source>
        <translation>无法连接到更新服务器。</translation>
    </message>
    <message>
        <source>every %1</source>
        <translation>每 %1 轮</translation>
    </message>
    <message>
        <source>%1 sec</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 分钟</translation>
    </message>
    <message>
        <source>%1 min %2 sec</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 小时</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 小时 %2 分钟</translation>
    </message>
    <message>
        <source>release to cancel</source>
        <translation>松开以取消</translation>
    </message>
    <message>
        <source>pull down to start the next phase</source>
        <translation>向下拉以开始下一阶段</translation>
    </message>
    <message>
        <source>start the next phase</source>
        <translation>开始下一阶段</translation>
    </message>
    <message>
        <source>pull down to add focus</source>
        <translation>向下拉以增加专注</translation>
    </message>
    <message>
        <source>%1 focus · %2</source>
        <translation>专注 %1 次 · %2</translation>
    </message>
    <message>
        <source>pull down to add time</source>
        <translation>向下拉以增加时间</translation>
    </message>
    <message>
        <source>updates aren&apos;t configured in this build.</source>
        <translation>此版本未配置更新。</translation>
    </message>
    <message>
        <source>mewt %1 is available.</source>
        <translation>mewt %1 现已可用。</translation>
    </message>
    <message>
        <source>mewt is up to date.</source>
        <translation>mewt 已是最新版本。</translation>
    </message>
    <message>
        <source>couldn&apos;t turn on open at login: %1.</source>
        <translation>无法开启“登录时打开”：%1。</translation>
    </message>
    <message>
        <source>couldn&apos;t turn off open at login: %1.</source>
        <translation>无法关闭“登录时打开”：%1。</translation>
    </message>
    <message>
        <source>%1 can&apos;t be created</source>
        <translation>无法创建 %1</translation>
    </message>
    <message>
        <source>%1 can&apos;t be written</source>
        <translation>无法写入 %1</translation>
    </message>
    <message>
        <source>%1 can&apos;t be removed</source>
        <translation>无法删除 %1</translation>
    </message>
    <message>
        <source>%1 wasn&apos;t made by mewt</source>
        <translation>%1 不是由 mewt 创建的</translation>
    </message>
    <message>
        <source>sending…</source>
        <translation>正在发送…</translation>
    </message>
    <message>
        <source>send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>send feedback</source>
        <translation>发送反馈</translation>
    </message>
    <message>
        <source>i read every note. bugs, ideas, or tiny joys all help.</source>
        <translation>每条留言我都会读。bug、想法，或是小小的喜悦，都很有帮助。</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>kind</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>feedback message</source>
        <translation>反馈内容</translation>
    </message>
    <message>
        <source>include email so i can reply</source>
        <translation>附上邮箱，方便我回复</translation>
    </message>
    <message>
        <source>reply email</source>
        <translation>回复邮箱</translation>
    </message>
    <message>
        <source>got it. thank you</source>
        <translation>收到了，谢谢你</translation>
    </message>
    <message>
        <source>i read these myself. if you left an email, i may write back.</source>
        <translation>这些我都会亲自阅读。如果你留了邮箱，我可能会回信。</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>No Results for “%1”</source>
        <translation>没有“%1”的结果</translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation>请检查拼写或尝试新的搜索。</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Search settings</source>
        <translation>搜索设置</translation>
    </message>
    <message>
        <source>Open %1 in %2</source>
        <translation>在 %2 中打开 %1</translation>
    </message>
    <message>
        <source>cancel timer</source>
        <translation>取消计时</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n 分钟</numerusform>
        </translation>
    </message>
    <message>
        <source>starts the quick timer without pulling</source>
        <translation>无需拉动即可开始快速计时</translation>
    </message>
    <message>
        <source>start %1 minute timer</source>
        <translation>开始 %1 分钟计时</translation>
    </message>
    <message>
        <source>starts a continuous pomodoro without pulling</source>
        <translation>无需拉动即可开始连续番茄钟</translation>
    </message>
    <message>
        <source>start continuous focus</source>
        <translation>开始连续专注</translation>
    </message>
    <message>
        <source>starts one configured focus session without pulling</source>
        <translation>无需拉动即可开始一次已设置的专注</translation>
    </message>
    <message>
        <source>start one %1 minute focus session</source>
        <translation>开始一次 %1 分钟专注</translation>
    </message>
    <message>
        <source>drag the top bar paw to start</source>
        <translation>拖动顶栏的猫爪开始</translation>
    </message>
    <message>
        <source>drag the top bar paw to start continuous focus</source>
        <translation>拖动顶栏的猫爪开始连续专注</translation>
    </message>
    <message>
        <source>drag the top bar paw to choose focus sessions</source>
        <translation>拖动顶栏的猫爪选择专注次数</translation>
    </message>
    <message>
        <source>click a duration to type · drag to adjust</source>
        <translation>点击时长可输入 · 拖动可调整</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>timer</source>
        <translation>计时器</translation>
    </message>
    <message>
        <source>pomodoro</source>
        <translation>番茄钟</translation>
    </message>
    <message>
        <source>cancel pomodoro</source>
        <translation>取消番茄钟</translation>
    </message>
    <message>
        <source>yarn timer progress</source>
        <translation>毛线计时进度</translation>
    </message>
    <message>
        <source>solid yarn is focus; split yarn is break</source>
        <translation>实心毛线表示专注，分叉毛线表示休息</translation>
    </message>
    <message>
        <source>timer progress</source>
        <translation>计时进度</translation>
    </message>
    <message>
        <source>this desktop has no notification settings to open.</source>
        <translation>此桌面没有可打开的通知设置。</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>mewt tour, step %1 of %2</source>
        <translation>mewt 导览，第 %1 步，共 %2 步</translation>
    </message>
    <message>
        <source>skip</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>back</source>
        <translation>上一步</translation>
    </message>
    <message>
        <source>next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <source>resume timer</source>
        <translation>继续计时</translation>
    </message>
    <message>
        <source>pause timer</source>
        <translation>暂停计时</translation>
    </message>
    <message>
        <source>cat</source>
        <translation>猫咪</translation>
    </message>
    <message>
        <source>display</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>layout</source>
        <translation>布局</translation>
    </message>
    <message>
        <source>popover</source>
        <translation>弹出窗口</translation>
    </message>
    <message>
        <source>system</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>app</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>made with ♥</source>
        <translation>用 ♥ 制作</translation>
    </message>
    <message>
        <source>·</source>
        <translation>·</translation>
    </message>
    <message>
        <source>replay</source>
        <translation>重新观看</translation>
    </message>
    <message>
        <source>This notice could not be loaded. Please contact %1.</source>
        <translation>无法加载此许可声明。请联系 %1。</translation>
    </message>
    <message>
        <source>With thanks to the people whose work helps make mewt possible.</source>
        <translation>感谢所有以自己的工作帮助 mewt 诞生的人。</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>库</translation>
    </message>
    <message>
        <source>Select a library to read its license.</source>
        <translation>选择一个库来阅读它的许可证。</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>selected</source>
        <translation>已选中</translation>
    </message>
    <message>
        <source>pomodoro flow</source>
        <translation>番茄钟流程</translation>
    </message>
    <message>
        <source>sounds</source>
        <translation>声音</translation>
    </message>
    <message>
        <source>notifications</source>
        <translation>通知</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>timer defaults</source>
        <translation>计时器默认设置</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>mewt settings</source>
        <translation>mewt 设置</translation>
    </message>
    <message>
        <source>pull distance per step</source>
        <translation>每步拉动距离</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 点</translation>
    </message>
    <message>
        <source>pull behavior</source>
        <translation>拉动行为</translation>
    </message>
    <message>
        <source>%1 pt</source>
        <translation>%1 pt</translation>
    </message>
    <message>
        <source>distance per step</source>
        <translation>每步距离</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>stop timer</source>
        <translation>停止计时</translation>
    </message>
    <message>
        <source>skip phase</source>
        <translation>跳过阶段</translation>
    </message>
    <message>
        <source>more actions</source>
        <translation>更多操作</translation>
    </message>
    <message>
        <source>next focus</source>
        <translation>下一次专注</translation>
    </message>
    <message>
        <source>next break</source>
        <translation>下一次休息</translation>
    </message>
    <message>
        <source>settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>allow</source>
        <translation>允许</translation>
    </message>
    <message>
        <source>update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>shows update details</source>
        <translation>显示更新详情</translation>
    </message>
    <message>
        <source>mewt %1 update available</source>
        <translation>mewt %1 更新可用</translation>
    </message>
    <message>
        <source>mewt %1 is available</source>
        <translation>mewt %1 现已可用</translation>
    </message>
    <message>
        <source>optional name</source>
        <translation>名称（可选）</translation>
    </message>
    <message>
        <source>shown while running and in the completion notification</source>
        <translation>在运行时和完成通知中显示</translation>
    </message>
    <message>
        <source>optional name shown while running and in the completion notification</source>
        <translation>在运行时和完成通知中显示的名称（可选）</translation>
    </message>
    <message>
        <source>add name</source>
        <translation>添加名称</translation>
    </message>
    <message>
        <source>edit session name</source>
        <translation>编辑会话名称</translation>
    </message>
    <message>
        <source>edits the name shown while the timer runs</source>
        <translation>编辑计时器运行时显示的名称</translation>
    </message>
    <message>
        <source>session name</source>
        <translation>会话名称</translation>
    </message>
    <message>
        <source>edit timer duration</source>
        <translation>编辑计时器时长</translation>
    </message>
    <message>
        <source>changes the configured timer duration</source>
        <translation>更改已设置的计时器时长</translation>
    </message>
    <message>
        <source>type minutes or MM:00, then press return</source>
        <translation>输入分钟数或 MM:00，然后按回车键</translation>
    </message>
    <message>
        <source>timer duration</source>
        <translation>计时器时长</translation>
    </message>
    <message>
        <source>close detached controls</source>
        <translation>关闭分离的控件</translation>
    </message>
    <message>
        <source>reattaches controls to the top bar paw</source>
        <translation>将控件重新附加到顶栏的猫爪</translation>
    </message>
    <message>
        <source>reattach controls to top bar</source>
        <translation>将控件重新附加到顶栏</translation>
    </message>
    <message>
        <source>reattach controls</source>
        <translation>重新附加控件</translation>
    </message>
    <message>
        <source>detach and pin controls</source>
        <translation>分离并固定控件</translation>
    </message>
    <message numerus="yes">
        <source>%1 duration, %n minutes</source>
        <translation>
            <numerusform>%1时长，%n 分钟</numerusform>
        </translation>
    </message>
    <message>
        <source>type exact minutes, then press return</source>
        <translation>输入确切的分钟数，然后按回车键</translation>
    </message>
    <message>
        <source>m</source>
        <translation>分</translation>
    </message>
    <message>
        <source>long break interval</source>
        <translation>长休息间隔</translation>
    </message>
    <message>
        <source>every %1 focus sessions</source>
        <translation>每 %1 次专注</translation>
    </message>
    <message>
        <source>long break every %1 focus sessions · </source>
        <translation>每 %1 次专注后长休息 · </translation>
    </message>
    <message>
        <source>type the number of focus sessions, then press return</source>
        <translation>输入专注次数，然后按回车键</translation>
    </message>
    <message>
        <source>long break every</source>
        <translation>长休息每隔</translation>
    </message>
    <message>
        <source>focus sessions</source>
        <translation>次专注</translation>
    </message>
    <message>
        <source>settings can&apos;t be saved</source>
        <translation>无法保存设置</translation>
    </message>
    <message>
        <source>mewt keeps your changes and saves them as soon as the disk allows.</source>
        <translation>mewt 会保留你的更改，并在磁盘允许时立即保存。</translation>
    </message>
    <message>
        <source>clear search</source>
        <translation>清除搜索</translation>
    </message>
    <message>
        <source>allow notifications to hear when time is up.</source>
        <translation>允许通知，以便在时间到时收到提醒。</translation>
    </message>
    <message>
        <source>notification alerts and sounds are off.</source>
        <translation>通知提醒和声音已关闭。</translation>
    </message>
    <message>
        <source>open your desktop&apos;s notification settings.</source>
        <translation>请打开桌面的通知设置。</translation>
    </message>
    <message>
        <source>this build has no feedback service, so notes go nowhere.</source>
        <translation>此版本没有反馈服务，留言不会发往任何地方。</translation>
    </message>
    <message>
        <source>too long to paste. a note sends up to %1 characters.</source>
        <translation>内容太长，无法粘贴。每条留言最多可发送 %1 个字符。</translation>
    </message>
    <message>
        <source>download…</source>
        <translation>下载…</translation>
    </message>
    <message>
        <source>opens the new version&apos;s page in your browser</source>
        <translation>在浏览器中打开新版本的页面</translation>
    </message>
    <message>
        <source>the download page couldn&apos;t be opened.</source>
        <translation>无法打开下载页面。</translation>
    </message>
</context>
</TS>
