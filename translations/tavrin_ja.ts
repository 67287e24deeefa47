<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>AtomicWriter</name>
    <message>
        <source>it is a symbolic link (to %1); name the file itself</source>
        <translation>シンボリックリンク (リンク先: %1) です。ファイルそのものを指定してください</translation>
    </message>
    <message>
        <source>it is a symbolic link to nothing (%1)</source>
        <translation>リンク先のないシンボリックリンク (%1) です</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
</context>
<context>
    <name>CodeDecoder</name>
    <message>
        <source>scan %1</source>
        <translation>スキャン %1</translation>
    </message>
    <message>
        <source>extended</source>
        <translation>拡張</translation>
    </message>
    <message>
        <source>Num Lock on</source>
        <translation>Num Lock オン</translation>
    </message>
    <message>
        <source>no codes</source>
        <translation>コードなし</translation>
    </message>
    <message>
        <source>%1at byte %2 not a whole group: %3</source>
        <translation>%1%2 バイト目から不完全なグループ: %3</translation>
    </message>
    <message>
        <source>then </source>
        <translation>続いて </translation>
    </message>
</context>
<context>
    <name>CodePageMenu</name>
    <message>
        <source>&amp;Label Code Page</source>
        <translation>ラベルのコードページ(&amp;L)</translation>
    </message>
    <message>
        <source>The labels in %1 are not written in the code page in use, %2. They read as %3: choose it in Edit, Label Code Page to show them so. Until then the labels stay as they are.</source>
        <translation>%1 のラベルは、使用中のコードページ (%2) で書かれていません。%3 として読めます。[編集] の [ラベルのコードページ] でそれを選ぶと、そのように表示されます。それまでラベルはそのまま保たれます。</translation>
    </message>
</context>
<context>
    <name>CommandLineName</name>
    <message>
        <source>the name is not valid UTF-8 text, so it cannot be used as given; rename the file</source>
        <translation>名前が正しい UTF-8 の文字列ではないため、そのままでは使えません。ファイルの名前を変更してください</translation>
    </message>
</context>
<context>
    <name>ConfigCheck</name>
    <message>
        <source>column span</source>
        <translation>横方向の結合数</translation>
    </message>
    <message>
        <source>row span</source>
        <translation>縦方向の結合数</translation>
    </message>
    <message>
        <source>code count</source>
        <translation>コード数</translation>
    </message>
</context>
<context>
    <name>DialogPrompter</name>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
</context>
<context>
    <name>FileMessages</name>
    <message>
        <source>File: %1
%2</source>
        <translation>ファイル: %1
%2</translation>
    </message>
    <message>
        <source>This is a %1 configuration file (.%2); %3 opens .%4 files.</source>
        <translation>これは %1 の設定ファイル (.%2) です。%3 で開けるのは .%4 ファイルです。</translation>
    </message>
    <message>
        <source>a %1 configuration file</source>
        <translation>%1 の設定ファイル</translation>
    </message>
    <message>
        <source>It does not begin with &quot;%1&quot;: it is not %2.</source>
        <translation>先頭が「%1」ではないため、%2ではありません。</translation>
    </message>
    <message>
        <source>There is no file of this name.</source>
        <translation>この名前のファイルはありません。</translation>
    </message>
    <message>
        <source>It is a directory.</source>
        <translation>フォルダーです。</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>通常のファイルではありません。</translation>
    </message>
</context>
<context>
    <name>GridKeyboard</name>
    <message>
        <source>Keys</source>
        <translation>キー</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&lt;p&gt;&lt;b&gt;%1&lt;/b&gt; version %2&lt;/p&gt;&lt;p&gt;%3&lt;/p&gt;&lt;p&gt;Released under the MIT licence.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;%1&lt;/b&gt; バージョン %2&lt;/p&gt;&lt;p&gt;%3&lt;/p&gt;&lt;p&gt;MIT ライセンスで公開されています。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About %1</source>
        <translation>%1 について(&amp;A)</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>%1 について</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Qt について(&amp;Q)</translation>
    </message>
</context>
<context>
    <name>KeyAccessible</name>
    <message>
        <source>Key %1</source>
        <translation>キー %1</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>; merged over %1 keys</source>
        <translation>、%1 キーを結合</translation>
    </message>
</context>
<context>
    <name>KeyDocument</name>
    <message>
        <source>Set Label</source>
        <translation>ラベルの設定</translation>
    </message>
    <message>
        <source>Set Color</source>
        <translation>色の設定</translation>
    </message>
    <message>
        <source>Set Codes</source>
        <translation>コードの設定</translation>
    </message>
    <message>
        <source>Merge Keys</source>
        <translation>キーの結合</translation>
    </message>
    <message>
        <source>Split Key</source>
        <translation>キーの分割</translation>
    </message>
    <message>
        <source>Reset Key</source>
        <translation>キーのリセット</translation>
    </message>
    <message>
        <source>Cut Key</source>
        <translation>キーの切り取り</translation>
    </message>
    <message>
        <source>Cut Keys</source>
        <translation>キーの切り取り</translation>
    </message>
    <message>
        <source>Clear Key</source>
        <translation>キーのクリア</translation>
    </message>
    <message>
        <source>Clear Keys</source>
        <translation>キーのクリア</translation>
    </message>
    <message>
        <source>Swap Keys</source>
        <translation>キーの入れ替え</translation>
    </message>
    <message>
        <source>Paste Key</source>
        <translation>キーの貼り付け</translation>
    </message>
    <message>
        <source>Paste Keys</source>
        <translation>キーの貼り付け</translation>
    </message>
</context>
<context>
    <name>KeyTestReport</name>
    <message>
        <source>no key of this layout sends this</source>
        <translation>このレイアウトにはこれを送るキーがありません</translation>
    </message>
    <message>
        <source>%1 %2 codes; %3 seen, %4 not yet.</source>
        <translation>コードのある%2: %1 個。確認済み %3、未確認 %4。</translation>
    </message>
    <message>
        <source>key has</source>
        <translation>キー</translation>
    </message>
    <message>
        <source>keys have</source>
        <translation>キー</translation>
    </message>
    <message>
        <source> (same codes)</source>
        <translation> (同じコード)</translation>
    </message>
    <message>
        <source> (repeated %1 times)</source>
        <translation> (%1 回繰り返し)</translation>
    </message>
    <message>
        <source>Not yet seen: %1 %2.</source>
        <translation>未確認の%1: %2。</translation>
    </message>
    <message>
        <source>Key test of %1
</source>
        <translation>%1 のキーテスト
</translation>
    </message>
    <message>
        <source>Layout: %1
</source>
        <translation>レイアウト: %1
</translation>
    </message>
    <message>
        <source>Date: %1
</source>
        <translation>日時: %1
</translation>
    </message>
    <message>
        <source>Sequences received:
</source>
        <translation>受信したシーケンス:
</translation>
    </message>
    <message>
        <source>  none
</source>
        <translation>  なし
</translation>
    </message>
    <message>
        <source>Summary: </source>
        <translation>概要: </translation>
    </message>
    <message>
        <source>
Not yet seen:
</source>
        <translation>
未確認:
</translation>
    </message>
    <message>
        <source>
Keys with the same codes (neither a tester nor the till can tell them apart):
</source>
        <translation>
同じコードのキー (テストでもレジでも区別できません):
</translation>
    </message>
    <message>
        <source>key %1</source>
        <translation>キー %1</translation>
    </message>
    <message>
        <source>key</source>
        <translation>キー</translation>
    </message>
    <message>
        <source>keys</source>
        <translation>キー</translation>
    </message>
    <message>
        <source>Same codes, cannot be told apart: keys %1.</source>
        <translation>同じコードで区別できないキー: %1。</translation>
    </message>
</context>
<context>
    <name>LabelCodePage</name>
    <message>
        <source>System</source>
        <translation>システム</translation>
    </message>
    <message>
        <source>Japanese (Shift-JIS)</source>
        <translation>日本語 (Shift-JIS)</translation>
    </message>
    <message>
        <source>Western (Windows-1252)</source>
        <translation>西欧 (Windows-1252)</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Specified file does not exists.</source>
        <translation>指定されたファイルは存在しません。</translation>
    </message>
    <message>
        <source>Specified file is invalid.</source>
        <translation>指定されたファイルは無効です。</translation>
    </message>
    <message>
        <source>Failed to open specified file.</source>
        <translation>指定されたファイルを開けませんでした。</translation>
    </message>
    <message>
        <source>Failed to load configuration.</source>
        <translation>設定を読み込めませんでした。</translation>
    </message>
    <message>
        <source>Failed to save configuration.</source>
        <translation>設定を保存できませんでした。</translation>
    </message>
    <message>
        <source>Specified file already exists.
Overwrite it ?</source>
        <translation>指定されたファイルは既に存在します。
上書きしますか?</translation>
    </message>
    <message>
        <source>Failed to create object(s).</source>
        <translation>オブジェクトを作成できませんでした。</translation>
    </message>
    <message>
        <source>Key Configuration has already been changed.
Save it before load new configration ?</source>
        <translation>キー設定が変更されています。
新しい設定を読み込む前に保存しますか?</translation>
    </message>
    <message>
        <source>Key Configuration has already been changed.
Save it before load other configration?</source>
        <translation>キー設定が変更されています。
別の設定を読み込む前に保存しますか?</translation>
    </message>
    <message>
        <source>Key Configuration has already been changed.
Save it before exit ?</source>
        <translation>キー設定が変更されています。
終了する前に保存しますか?</translation>
    </message>
    <message>
        <source>Cannot add codes beyond the limit.</source>
        <translation>上限を超えてコードを追加することはできません。</translation>
    </message>
    <message>
        <source>Program completed.</source>
        <translation>書き込みが完了しました。</translation>
    </message>
    <message>
        <source>Failed to program.</source>
        <translation>書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Now programming (%d) ...</source>
        <translation>書き込み中 (%d) ...</translation>
    </message>
    <message>
        <source>Waiting (%d - %d) ...</source>
        <translation>待機中 (%d - %d) ...</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>バージョン %1</translation>
    </message>
</context>
<context>
    <name>ProblemText</name>
    <message>
        <source>%1 has a %2 of %3; it must be at least 1.</source>
        <translation>%1 の%2が %3 です。1 以上でなければなりません。</translation>
    </message>
    <message>
        <source>%1 has a %2 of %3, which runs past the edge of the grid.</source>
        <translation>%1 の%2が %3 で、グリッドの端を越えています。</translation>
    </message>
    <message>
        <source>%1 has a %2 of %3; key-lock positions are never merged.</source>
        <translation>%1 の%2が %3 です。キーロックのポジションは結合できません。</translation>
    </message>
    <message>
        <source>%1 has %2 codes; a key holds at most %3.</source>
        <translation>%1 にコードが %2 個あります。1 つのキーに入るのは %3 個までです。</translation>
    </message>
    <message>
        <source>%1 is hidden, but has a %2 of %3; it loads as 1, so that no merge over it uncovers another key&apos;s cells.</source>
        <translation>%1 は非表示ですが、%2が %3 です。ほかのキーのセルが結合で現れないように、1 として読み込みます。</translation>
    </message>
    <message>
        <source>%1 has the end mark F7 as code %2, so programming would stop there and leave out the codes after it.</source>
        <translation>%1 のコード %2 が終端記号 F7 のため、書き込みがそこで止まり、それ以降のコードが書き込まれません。</translation>
    </message>
    <message>
        <source>It has %1 bytes, but a %2 configuration file has exactly %3.</source>
        <translation>このファイルは %1 バイトですが、%2 の設定ファイルはちょうど %3 バイトです。</translation>
    </message>
    <message>
        <source>%1 covers the cell of key %2, which %3 covers too.</source>
        <translation>%1 がキー %2 のセルを覆っていますが、%3 もそのセルを覆っています。</translation>
    </message>
</context>
<context>
    <name>ProgramProfile</name>
    <message>
        <source>Tavrin Keyboard Config file(*tvr)|*.tvr</source>
        <translation>Tavrin キーボード設定ファイル(*tvr)|*.tvr</translation>
    </message>
    <message>
        <source>Tavrin Keyboard Config file(*.tvr)|*.tvr</source>
        <translation>Tavrin キーボード設定ファイル(*.tvr)|*.tvr</translation>
    </message>
    <message>
        <source>Edits, saves and programs the keys of the point-of-sale keyboard.</source>
        <translation>POS キーボードのキーを編集、保存し、キーボードに書き込みます。</translation>
    </message>
    <message>
        <source>Failed to open spesified file.</source>
        <translation>指定されたファイルを開けませんでした。</translation>
    </message>
    <message>
        <source>Key Lock Config file(*.qld)|*.qld</source>
        <translation>キーロック設定ファイル(*.qld)|*.qld</translation>
    </message>
    <message>
        <source>Edits, saves and programs the positions of the point-of-sale keyboard&apos;s key lock.</source>
        <translation>POS キーボードのキーロックのポジションを編集、保存し、キーボードに書き込みます。</translation>
    </message>
    <message>
        <source>Failed to open specified file.</source>
        <translation>指定されたファイルを開けませんでした。</translation>
    </message>
    <message>
        <source>key %1 (column %2, row %3)</source>
        <translation>キー %1 (%2 列、%3 行)</translation>
    </message>
    <message>
        <source>key %1</source>
        <translation>キー %1</translation>
    </message>
</context>
<context>
    <name>TKey</name>
    <message>
        <source>Codes: </source>
        <translation>コード: </translation>
    </message>
</context>
<context>
    <name>TLabelDlg</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>KeyLabel</source>
        <translation>キーラベル</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
</context>
<context>
    <name>TMainDlg</name>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規(&amp;N)</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新規</translation>
    </message>
    <message>
        <source>L&amp;oad</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>&amp;Label</source>
        <translation>ラベル(&amp;L)</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Co&amp;de</source>
        <translation>コード(&amp;D)</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>コード</translation>
    </message>
    <message>
        <source>Colo&amp;r</source>
        <translation>色(&amp;R)</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Prog One</source>
        <translation>1 キー書き込み</translation>
    </message>
    <message>
        <source>Prog All</source>
        <translation>全キー書き込み</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>プレビュー(&amp;V)</translation>
    </message>
    <message>
        <source>View</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>印刷(&amp;P)</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
    <message>
        <source>&amp;Test Keys</source>
        <translation>キーテスト(&amp;T)</translation>
    </message>
    <message>
        <source>Test Keys</source>
        <translation>キーテスト</translation>
    </message>
    <message>
        <source>This system&apos;s Qt lacks the %1 code page, so labels are shown and edited one byte per character.</source>
        <translation>このシステムの Qt には %1 のコードページがないため、ラベルは 1 バイトを 1 文字として表示、編集されます。</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation>最近使ったファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>設定(&amp;C)</translation>
    </message>
    <message>
        <source>Key lock</source>
        <translation>キーロック</translation>
    </message>
    <message>
        <source>
It is taken off the recent files.</source>
        <translation>
最近使ったファイルの一覧から削除しました。</translation>
    </message>
    <message>
        <source>not saved to a file</source>
        <translation>ファイルに未保存</translation>
    </message>
    <message>
        <source> (changed since last saved)</source>
        <translation> (前回の保存以降に変更あり)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>Cl&amp;ear Keys</source>
        <translation>キーのクリア(&amp;E)</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>すべて選択(&amp;A)</translation>
    </message>
    <message>
        <source>Merge &amp;Right</source>
        <translation>右と結合(&amp;R)</translation>
    </message>
    <message>
        <source>Merge &amp;Down</source>
        <translation>下と結合(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Split</source>
        <translation>分割(&amp;S)</translation>
    </message>
    <message>
        <source>1 key would fall off the grid and was not pasted.</source>
        <translation>1 個のキーがグリッドからはみ出すため、貼り付けませんでした。</translation>
    </message>
    <message>
        <source>%1 keys would fall off the grid and were not pasted.</source>
        <translation>%1 個のキーがグリッドからはみ出すため、貼り付けませんでした。</translation>
    </message>
</context>
<context>
    <name>TScanDlg</name>
    <message>
        <source>KeyCode</source>
        <translation>キーコード</translation>
    </message>
    <message>
        <source>Codes</source>
        <translation>コード</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>TTestKeysDlg</name>
    <message>
        <source>Key test report(*.txt)|*.txt</source>
        <translation>キーテストレポート(*.txt)|*.txt</translation>
    </message>
    <message>
        <source>Failed to save the report.</source>
        <translation>レポートを保存できませんでした。</translation>
    </message>
    <message>
        <source>Test Keys</source>
        <translation>キーテスト</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>概要</translation>
    </message>
    <message>
        <source>Keys pressed</source>
        <translation>押されたキー</translation>
    </message>
    <message>
        <source>Press the keys of the keyboard under test, one after the other. Each press gets a line here with the key of the layout that sends it.</source>
        <translation>テストするキーボードのキーを 1 つずつ押してください。押すたびに、それを送るレイアウト上のキーがここに 1 行ずつ表示されます。</translation>
    </message>
    <message>
        <source>Save Report…</source>
        <translation>レポートを保存…</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>TViewDlg</name>
    <message>
        <source>There is no printer installed.</source>
        <translation>プリンターがインストールされていません。</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; could not start the print job.</source>
        <translation>プリンター「%1」で印刷を開始できませんでした。</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; could not finish the print job.</source>
        <translation>プリンター「%1」で印刷を完了できませんでした。</translation>
    </message>
    <message>
        <source>KeyView</source>
        <translation>キービュー</translation>
    </message>
</context>
</TS>
