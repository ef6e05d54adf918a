<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>mewt</name>
    <message>
        <source>mewt timer complete</source>
        <translation>mewt タイマー完了</translation>
    </message>
    <message>
        <source>mewt timer</source>
        <translation>mewt タイマー</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>残り %1</translation>
    </message>
    <message>
        <source>paused · %1 left</source>
        <translation>一時停止中 · 残り %1</translation>
    </message>
    <message>
        <source>phase ended %1 ago</source>
        <translation>フェーズは %1 前に終了</translation>
    </message>
    <message>
        <source>timer ended</source>
        <translation>タイマー終了</translation>
    </message>
    <message>
        <source>timer ending in</source>
        <translation>タイマー終了まで</translation>
    </message>
    <message>
        <source>focus ended</source>
        <translation>集中終了</translation>
    </message>
    <message>
        <source>focus ending in</source>
        <translation>集中終了まで</translation>
    </message>
    <message>
        <source>break ended</source>
        <translation>休憩終了</translation>
    </message>
    <message>
        <source>break ending in</source>
        <translation>休憩終了まで</translation>
    </message>
    <message>
        <source>notification wasn&apos;t added. check your desktop&apos;s notification settings.</source>
        <translation>通知を追加できませんでした。デスクトップの通知設定を確認してください。</translation>
    </message>
    <message>
        <source>notifications are allowed, but alerts and sounds are off in your desktop&apos;s notification settings.</source>
        <translation>通知は許可されていますが、デスクトップの通知設定でアラートとサウンドがオフになっています。</translation>
    </message>
    <message>
        <source>couldn&apos;t request notifications: </source>
        <translation>通知の許可をリクエストできませんでした：</translation>
    </message>
    <message>
        <source>%1 complete</source>
        <translation>%1 完了</translation>
    </message>
    <message>
        <source>time to stretch, rest, or pull the paw again.</source>
        <translation>ストレッチしたり休んだり、もう一度前足を引っぱったりしましょう。</translation>
    </message>
    <message>
        <source>no notification service is running.</source>
        <translation>通知サービスが実行されていません。</translation>
    </message>
    <message>
        <source>the notification service didn&apos;t answer.</source>
        <translation>通知サービスから応答がありませんでした。</translation>
    </message>
    <message>
        <source>there&apos;s no session bus to reach the notification service.</source>
        <translation>通知サービスに接続するためのセッションバスがありません。</translation>
    </message>
    <message>
        <source>the notification service answered with an error.</source>
        <translation>通知サービスがエラーを返しました。</translation>
    </message>
    <message>
        <source>the notification has no identifier.</source>
        <translation>通知に識別子がありません。</translation>
    </message>
    <message>
        <source>the notification&apos;s time interval is out of range.</source>
        <translation>通知の時間間隔が範囲外です。</translation>
    </message>
    <message>
        <source>notifications aren&apos;t allowed for mewt.</source>
        <translation>mewt の通知が許可されていません。</translation>
    </message>
    <message>
        <source>the update feed couldn&apos;t be read.</source>
        <translation>アップデートフィードを読み込めませんでした。</translation>
    </message>
    <message>
        <source>the update server didn&apos;t answer in time.</source>
        <translation>アップデートサーバーが時間内に応答しませんでした。</translation>
    </message>
    <message>
        <source>the update feed is too large.</source>
        <translation>アップデートフィードが大きすぎます。</translation>
    </message>
    <message>
        <source>the update server answered with an error (%1).</source>
        <translation>アップデートサーバーがエラーを返しました（%1）。</translation>
    </message>
    <message>
        <source>couldn&apos;t reach the update server.</source>
        <translation>アップデートサーバーに接続できませんでした。</translation>
    </message>
    <message>
        <source>every %1</source>
        <translation>%1回ごと</translation>
    </message>
    <message>
        <source>%1 sec</source>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1分</translation>
    </message>
    <message>
        <source>%1 min %2 sec</source>
        <translation>%1分%2秒</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1時間</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1時間%2分</translation>
    </message>
    <message>
        <source>release to cancel</source>
        <translation>離してキャンセル</translation>
    </message>
    <message>
        <source>pull down to start the next phase</source>
        <translation>下に引いて次のフェーズを開始</translation>
    </message>
    <message>
        <source>start the next phase</source>
        <translation>次のフェーズを開始</translation>
    </message>
    <message>
        <source>pull down to add focus</source>
        <translation>下に引いて集中を追加</translation>
    </message>
    <message>
        <source>%1 focus · %2</source>
        <translation>集中 %1 回 · %2</translation>
    </message>
    <message>
        <source>pull down to add time</source>
        <translation>下に引いて時間を追加</translation>
    </message>
    <message>
        <source>updates aren&apos;t configured in this build.</source>
        <translation>このビルドではアップデートが設定されていません。</translation>
    </message>
    <message>
        <source>mewt %1 is available.</source>
        <translation>mewt %1 が利用可能です。</translation>
    </message>
    <message>
        <source>mewt is up to date.</source>
        <translation>mewt は最新です。</translation>
    </message>
    <message>
        <source>couldn&apos;t turn on open at login: %1.</source>
        <translation>ログイン時に開く設定をオンにできませんでした：%1。</translation>
    </message>
    <message>
        <source>couldn&apos;t turn off open at login: %1.</source>
        <translation>ログイン時に開く設定をオフにできませんでした：%1。</translation>
    </message>
    <message>
        <source>%1 can&apos;t be created</source>
        <translation>%1 を作成できません</translation>
    </message>
    <message>
        <source>%1 can&apos;t be written</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>%1 can&apos;t be removed</source>
        <translation>%1 を削除できません</translation>
    </message>
    <message>
        <source>%1 wasn&apos;t made by mewt</source>
        <translation>%1 は mewt が作成したものではありません</translation>
    </message>
    <message>
        <source>sending…</source>
        <translation>送信中…</translation>
    </message>
    <message>
        <source>send</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>send feedback</source>
        <translation>フィードバックを送る</translation>
    </message>
    <message>
        <source>i read every note. bugs, ideas, or tiny joys all help.</source>
        <translation>メッセージはすべて読んでいます。バグ、アイデア、小さなうれしいこと、どれも助かります。</translation>
    </message>
    <message>
        <source>close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>kind</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>feedback message</source>
        <translation>フィードバックの内容</translation>
    </message>
    <message>
        <source>include email so i can reply</source>
        <translation>返信できるようにメールアドレスを含める</translation>
    </message>
    <message>
        <source>reply email</source>
        <translation>返信用メールアドレス</translation>
    </message>
    <message>
        <source>got it. thank you</source>
        <translation>受け取りました。ありがとう</translation>
    </message>
    <message>
        <source>i read these myself. if you left an email, i may write back.</source>
        <translation>すべて自分で読んでいます。メールアドレスを残してくれたら、返信するかもしれません。</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>No Results for “%1”</source>
        <translation>「%1」の検索結果はありません</translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation>スペルを確認するか、別のキーワードで検索してください。</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Search settings</source>
        <translation>設定を検索</translation>
    </message>
    <message>
        <source>Open %1 in %2</source>
        <translation>%2 の %1 を開く</translation>
    </message>
    <message>
        <source>cancel timer</source>
        <translation>タイマーをキャンセル</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n分</numerusform>
        </translation>
    </message>
    <message>
        <source>starts the quick timer without pulling</source>
        <translation>引っぱらずにクイックタイマーを開始します</translation>
    </message>
    <message>
        <source>start %1 minute timer</source>
        <translation>%1分タイマーを開始</translation>
    </message>
    <message>
        <source>starts a continuous pomodoro without pulling</source>
        <translation>引っぱらずに連続ポモドーロを開始します</translation>
    </message>
    <message>
        <source>start continuous focus</source>
        <translation>連続集中を開始</translation>
    </message>
    <message>
        <source>starts one configured focus session without pulling</source>
        <translation>引っぱらずに設定済みの集中セッションを1回開始します</translation>
    </message>
    <message>
        <source>start one %1 minute focus session</source>
        <translation>%1分の集中セッションを1回開始</translation>
    </message>
    <message>
        <source>drag the top bar paw to start</source>
        <translation>トップバーの前足をドラッグして開始</translation>
    </message>
    <message>
        <source>drag the top bar paw to start continuous focus</source>
        <translation>トップバーの前足をドラッグして連続集中を開始</translation>
    </message>
    <message>
        <source>drag the top bar paw to choose focus sessions</source>
        <translation>トップバーの前足をドラッグして集中セッションを選択</translation>
    </message>
    <message>
        <source>click a duration to type · drag to adjust</source>
        <translation>時間をクリックして入力 · ドラッグして調整</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>timer</source>
        <translation>タイマー</translation>
    </message>
    <message>
        <source>pomodoro</source>
        <translation>ポモドーロ</translation>
    </message>
    <message>
        <source>cancel pomodoro</source>
        <translation>ポモドーロをキャンセル</translation>
    </message>
    <message>
        <source>yarn timer progress</source>
        <translation>毛糸タイマーの進行状況</translation>
    </message>
    <message>
        <source>solid yarn is focus; split yarn is break</source>
        <translation>つながった毛糸は集中、分かれた毛糸は休憩です</translation>
    </message>
    <message>
        <source>timer progress</source>
        <translation>タイマーの進行状況</translation>
    </message>
    <message>
        <source>this desktop has no notification settings to open.</source>
        <translation>このデスクトップには開ける通知設定がありません。</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>mewt tour, step %1 of %2</source>
        <translation>mewt ツアー、ステップ %1 / %2</translation>
    </message>
    <message>
        <source>skip</source>
        <translation>スキップ</translation>
    </message>
    <message>
        <source>back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>resume timer</source>
        <translation>タイマーを再開</translation>
    </message>
    <message>
        <source>pause timer</source>
        <translation>タイマーを一時停止</translation>
    </message>
    <message>
        <source>cat</source>
        <translation>猫</translation>
    </message>
    <message>
        <source>display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>layout</source>
        <translation>レイアウト</translation>
    </message>
    <message>
        <source>popover</source>
        <translation>ポップオーバー</translation>
    </message>
    <message>
        <source>system</source>
        <translation>システム</translation>
    </message>
    <message>
        <source>app</source>
        <translation>アプリ</translation>
    </message>
    <message>
        <source>help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>made with ♥</source>
        <translation>♥ を込めて</translation>
    </message>
    <message>
        <source>·</source>
        <translation>·</translation>
    </message>
    <message>
        <source>replay</source>
        <translation>もう一度見る</translation>
    </message>
    <message>
        <source>This notice could not be loaded. Please contact %1.</source>
        <translation>このライセンス表記を読み込めませんでした。%1 までお問い合わせください。</translation>
    </message>
    <message>
        <source>With thanks to the people whose work helps make mewt possible.</source>
        <translation>mewt を支えてくれている皆さんの仕事に感謝を込めて。</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>ライブラリ</translation>
    </message>
    <message>
        <source>Select a library to read its license.</source>
        <translation>ライブラリを選ぶとライセンスが表示されます。</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>selected</source>
        <translation>選択中</translation>
    </message>
    <message>
        <source>pomodoro flow</source>
        <translation>ポモドーロの流れ</translation>
    </message>
    <message>
        <source>sounds</source>
        <translation>サウンド</translation>
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
        <translation>タイマーの既定値</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>進む</translation>
    </message>
    <message>
        <source>mewt settings</source>
        <translation>mewt 設定</translation>
    </message>
    <message>
        <source>pull distance per step</source>
        <translation>1ステップあたりの引っぱる距離</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1ポイント</translation>
    </message>
    <message>
        <source>pull behavior</source>
        <translation>引っぱりの動作</translation>
    </message>
    <message>
        <source>%1 pt</source>
        <translation>%1pt</translation>
    </message>
    <message>
        <source>distance per step</source>
        <translation>1ステップあたりの距離</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>stop timer</source>
        <translation>タイマーを停止</translation>
    </message>
    <message>
        <source>skip phase</source>
        <translation>フェーズをスキップ</translation>
    </message>
    <message>
        <source>more actions</source>
        <translation>その他の操作</translation>
    </message>
    <message>
        <source>next focus</source>
        <translation>次の集中</translation>
    </message>
    <message>
        <source>next break</source>
        <translation>次の休憩</translation>
    </message>
    <message>
        <source>settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>allow</source>
        <translation>許可</translation>
    </message>
    <message>
        <source>update</source>
        <translation>アップデート</translation>
    </message>
    <message>
        <source>shows update details</source>
        <translation>アップデートの詳細を表示します</translation>
    </message>
    <message>
        <source>mewt %1 update available</source>
        <translation>mewt %1 のアップデートがあります</translation>
    </message>
    <message>
        <source>mewt %1 is available</source>
        <translation>mewt %1 が利用可能です</translation>
    </message>
    <message>
        <source>optional name</source>
        <translation>名前（任意）</translation>
    </message>
    <message>
        <source>shown while running and in the completion notification</source>
        <translation>実行中と完了通知に表示されます</translation>
    </message>
    <message>
        <source>optional name shown while running and in the completion notification</source>
        <translation>実行中と完了通知に表示される名前（任意）</translation>
    </message>
    <message>
        <source>add name</source>
        <translation>名前を追加</translation>
    </message>
    <message>
        <source>edit session name</source>
        <translation>セッション名を編集</translation>
    </message>
    <message>
        <source>edits the name shown while the timer runs</source>
        <translation>タイマー実行中に表示される名前を編集します</translation>
    </message>
    <message>
        <source>session name</source>
        <translation>セッション名</translation>
    </message>
    <message>
        <source>edit timer duration</source>
        <translation>タイマーの時間を編集</translation>
    </message>
    <message>
        <source>changes the configured timer duration</source>
        <translation>設定されたタイマーの時間を変更します</translation>
    </message>
    <message>
        <source>type minutes or MM:00, then press return</source>
        <translation>分数または MM:00 を入力して Return キーを押してください</translation>
    </message>
    <message>
        <source>timer duration</source>
        <translation>タイマーの時間</translation>
    </message>
    <message>
        <source>close detached controls</source>
        <translation>切り離したコントロールを閉じる</translation>
    </message>
    <message>
        <source>reattaches controls to the top bar paw</source>
        <translation>コントロールをトップバーの前足に戻します</translation>
    </message>
    <message>
        <source>reattach controls to top bar</source>
        <translation>コントロールをトップバーに戻す</translation>
    </message>
    <message>
        <source>reattach controls</source>
        <translation>コントロールを戻す</translation>
    </message>
    <message>
        <source>detach and pin controls</source>
        <translation>コントロールを切り離して固定</translation>
    </message>
    <message numerus="yes">
        <source>%1 duration, %n minutes</source>
        <translation>
            <numerusform>%1の時間、%n分</numerusform>
        </translation>
    </message>
    <message>
        <source>type exact minutes, then press return</source>
        <translation>正確な分数を入力して Return キーを押してください</translation>
    </message>
    <message>
        <source>m</source>
        <translation>分</translation>
    </message>
    <message>
        <source>long break interval</source>
        <translation>長い休憩の間隔</translation>
    </message>
    <message>
        <source>every %1 focus sessions</source>
        <translation>集中セッション%1回ごと</translation>
    </message>
    <message>
        <source>long break every %1 focus sessions · </source>
        <translation>集中セッション%1回ごとに長い休憩 · </translation>
    </message>
    <message>
        <source>type the number of focus sessions, then press return</source>
        <translation>集中セッションの回数を入力して Return キーを押してください</translation>
    </message>
    <message>
        <source>long break every</source>
        <translation>長い休憩は毎</translation>
    </message>
    <message>
        <source>focus sessions</source>
        <translation>集中セッション</translation>
    </message>
    <message>
        <source>settings can&apos;t be saved</source>
        <translation>設定を保存できません</translation>
    </message>
    <message>
        <source>mewt keeps your changes and saves them as soon as the disk allows.</source>
        <translation>mewt は変更を保持し、ディスクが使えるようになりしだい保存します。</translation>
    </message>
    <message>
        <source>clear search</source>
        <translation>検索をクリア</translation>
    </message>
    <message>
        <source>allow notifications to hear when time is up.</source>
        <translation>時間になったら知らせるには、通知を許可してください。</translation>
    </message>
    <message>
        <source>notification alerts and sounds are off.</source>
        <translation>通知のバナーとサウンドがオフです。</translation>
    </message>
    <message>
        <source>open your desktop&apos;s notification settings.</source>
        <translation>デスクトップの通知設定を開いてください。</translation>
    </message>
    <message>
        <source>this build has no feedback service, so notes go nowhere.</source>
        <translation>このビルドにはフィードバックの送り先がないため、メッセージはどこにも届きません。</translation>
    </message>
    <message>
        <source>too long to paste. a note sends up to %1 characters.</source>
        <translation>長すぎて貼り付けられません。送れるのは %1 文字までです。</translation>
    </message>
    <message>
        <source>download…</source>
        <translation>ダウンロード…</translation>
    </message>
    <message>
        <source>opens the new version&apos;s page in your browser</source>
        <translation>新しいバージョンのページをブラウザで開きます</translation>
    </message>
    <message>
        <source>the download page couldn&apos;t be opened.</source>
        <translation>ダウンロードページを開けませんでした。</translation>
    </message>
</context>
</TS>
