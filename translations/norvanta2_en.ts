<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BatchReport</name>
    <message>
        <source>「%1」→「%2」：%3</source>
        <translation>“%1” → “%2”: %3</translation>
    </message>
    <message>
        <source>「%1」：%2</source>
        <translation>“%1”: %2</translation>
    </message>
    <message>
        <source>
ほか %1 件</source>
        <translation>
and %1 more</translation>
    </message>
    <message>
        <source>%1 件のうち %2 件を処理したところで中止しました。</source>
        <translation>Stopped after %2 of %1 file(s).</translation>
    </message>
    <message>
        <source>
処理した %1 件を元に戻しますか？</source>
        <translation>
Undo the %1 file(s) processed?</translation>
    </message>
</context>
<context>
    <name>CardNames</name>
    <message>
        <source>%1メモリーカードなど（FAT・exFAT）の名前に使えません</source>
        <translation>%1 not allowed in names on memory cards (FAT, exFAT)</translation>
    </message>
    <message>
        <source>文字「%1」は</source>
        <translation>The character “%1” is</translation>
    </message>
    <message>
        <source>制御文字（U+%1）は</source>
        <translation>The control character (U+%1) is</translation>
    </message>
    <message>
        <source>終わりの「.」は</source>
        <translation>A “.” at the end is</translation>
    </message>
    <message>
        <source>終わりの空白は</source>
        <translation>A space at the end is</translation>
    </message>
    <message>
        <source>「%1」は装置の名前のため、</source>
        <translation>“%1” is a device name and</translation>
    </message>
</context>
<context>
    <name>CopyBatch</name>
    <message>
        <source>次のファイルは処理していません。

</source>
        <translation>These files were not processed.

</translation>
    </message>
    <message>
        <source>「%1」に一時的な名前を付けられませんでした。</source>
        <translation>Could not give “%1” a temporary name.</translation>
    </message>
    <message>
        <source>「%1」を先に移せなかったため、処理していません</source>
        <translation>not processed because “%1” could not be moved first</translation>
    </message>
    <message>
        <source>「%1」を削除できませんでした。</source>
        <translation>Could not delete “%1”.</translation>
    </message>
    <message>
        <source>「%1」が移した後で変わったため、置き換えていません</source>
        <translation>not replaced because “%1” changed after it was moved</translation>
    </message>
    <message>
        <source>「%1」を確かめられないため、置き換えていません（%2）</source>
        <translation>not replaced because “%1” cannot be checked (%2)</translation>
    </message>
    <message>
        <source>途中で同じ名前のファイルが作られたため、コピーしていません</source>
        <translation>not copied because a file of the same name was made meanwhile</translation>
    </message>
    <message>
        <source>コピーの間に内容が変わったため、コピーしていません（元のファイルはそのままです）</source>
        <translation>not copied because its content changed while copying (the original is untouched)</translation>
    </message>
    <message>
        <source>通常のファイルではないため、コピーしていません</source>
        <translation>not copied because it is not a regular file</translation>
    </message>
    <message>
        <source>「%1」を「%2」に%3できませんでした。</source>
        <translation>Could not %3 “%1” to “%2”.</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>move</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>copy</translation>
    </message>
    <message>
        <source>途中で同じ名前のファイルが作られたため、名前を変えていません</source>
        <translation>not renamed because a file of the same name was made meanwhile</translation>
    </message>
    <message>
        <source>「%1」を「%2」にできませんでした。</source>
        <translation>Could not rename “%1” to “%2”.</translation>
    </message>
    <message>
        <source>元のファイルは「%1」という名前で残っています</source>
        <translation>the original remains under the name “%1”</translation>
    </message>
    <message>
        <source>コピー先「%1」への書き込みを確かめられませんでした。</source>
        <translation>Could not confirm the writing of “%1”.</translation>
    </message>
    <message>
        <source>元のファイルを確かめられないため、削除していません（%1）</source>
        <translation>original not deleted because it cannot be checked (%1)</translation>
    </message>
    <message>
        <source>コピーした後で変わったため、元のファイルを削除していません</source>
        <translation>original not deleted because it changed after copying</translation>
    </message>
    <message>
        <source>それまでに %1 個のファイルをコピーしました。</source>
        <translation> %1 file(s) had been copied by then.</translation>
    </message>
    <message>
        <source>それまでに %1 個のファイルを移動先に置きました。元のファイルは一つも削除していません。</source>
        <translation> %1 file(s) had been placed in the target by then. No original was deleted.</translation>
    </message>
    <message>
        <source>%1 個のファイルを移動先に置き、元のファイルを %2 個削除したところです。</source>
        <translation> %1 file(s) had been placed in the target and %2 original(s) deleted.</translation>
    </message>
    <message>
        <source>
処理を中止しました。</source>
        <translation>
The batch was stopped.</translation>
    </message>
    <message>
        <source>

次のファイルは処理していません。
</source>
        <translation>

These files were not processed.
</translation>
    </message>
    <message>
        <source>ごみ箱が使えないため、置き換えたファイルを次の名前で残しました。

</source>
        <translation>The trash cannot be used, so the replaced files were kept under these names.

</translation>
    </message>
    <message>
        <source>置き換えたファイル</source>
        <translation>the replaced file</translation>
    </message>
    <message>
        <source>置き換える「%1」をごみ箱に移せませんでした。</source>
        <translation>Could not move “%1”, which was to be replaced, to the trash.</translation>
    </message>
</context>
<context>
    <name>CopyJournal</name>
    <message>
        <source>置き換える「%1」をごみ箱にも別の名前にも移せません。
%2
ファイルは一つも変えていません。</source>
        <translation>“%1”, which is to be replaced, can be moved neither to the trash nor to another name.
%2
No file was changed.</translation>
    </message>
    <message>
        <source>処理の記録を「%1」に書けないため、処理を始めませんでした。
%2
ファイルは一つも変えていません。</source>
        <translation>The batch was not started: its journal cannot be written to “%1”.
%2
No file was changed.</translation>
    </message>
</context>
<context>
    <name>CopyPlan</name>
    <message>
        <source>コピー先のフォルダ「%1」にファイルを作れません。
%2
ファイルは一つもコピーしていません。</source>
        <translation>Cannot create files in the target folder “%1”.
%2
No file was copied.</translation>
    </message>
    <message>
        <source>通し番号が 2147483647 を超えます</source>
        <translation>the number exceeds 2147483647</translation>
    </message>
    <message>
        <source>ファイル名になりません（空の名前、「.」、「..」、「/」や NUL 文字を含む名前）</source>
        <translation>not a file name (empty, “.”, “..”, or containing “/” or NUL)</translation>
    </message>
    <message>
        <source>「%1」と同じ名前になります</source>
        <translation>would get the same name as “%1”</translation>
    </message>
    <message>
        <source>大文字と小文字だけが違う名前は、このフォルダでは別のファイルになりません</source>
        <translation>names differing only in letter case are the same file in this folder</translation>
    </message>
    <message>
        <source>コピー先を確かめられません（%1）</source>
        <translation>the target cannot be checked (%1)</translation>
    </message>
    <message>
        <source>コピー先にある同じ名前のものがファイルではありません（フォルダなど）</source>
        <translation>the target of the same name is not a file (a folder, say)</translation>
    </message>
    <message>
        <source>コピー先に同じ名前のファイルがあります</source>
        <translation>a file of the same name is in the target</translation>
    </message>
    <message>
        <source>次のファイルは新しい名前にできません。
ファイルは一つもコピーしていません。

</source>
        <translation>These files cannot take their new names.
No file was copied.

</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>characters</translation>
    </message>
    <message>
        <source>バイト</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>名前が長すぎます（このフォルダでは %1 %2まで）</source>
        <translation>the name is too long (at most %1 %2 in this folder)</translation>
    </message>
    <message>
        <source>%1と同名のファイルが存在します。上書きしますか？</source>
        <translation>A file named %1 already exists. Replace it?</translation>
    </message>
</context>
<context>
    <name>DigitAlignment</name>
    <message>
        <source>このフォルダではファイルの名前を変えられません（%1）</source>
        <translation>files cannot be renamed in this folder (%1)</translation>
    </message>
    <message>
        <source>「%1」と同じ名前になります</source>
        <translation>would get the same name as “%1”</translation>
    </message>
    <message>
        <source>新しい名前を確かめられません（%1）</source>
        <translation>the new name cannot be checked (%1)</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあります</source>
        <translation>a file of the same name exists</translation>
    </message>
    <message>
        <source>「%1」を「%2」にできませんでした。
%3
処理を中止しました。それまでに %4 個のファイルの名前を変えました。</source>
        <translation>Could not rename “%1” to “%2”.
%3
The batch was stopped. %4 file(s) had been renamed by then.</translation>
    </message>
    <message>
        <source>いちばん長い名前に数字がないため、番号の位置が決まりません</source>
        <translation>the longest name has no digits, so the number cannot be placed</translation>
    </message>
    <message>
        <source>いちばん長い名前が数字で始まるため、番号の前の文字数が決まりません</source>
        <translation>the longest name starts with a digit, so the text before the number is unknown</translation>
    </message>
    <message>
        <source>番号が「%1」の番号と同じ位置にありません</source>
        <translation>the number is not where the number of “%1” is</translation>
    </message>
    <message>
        <source>次のファイルは桁合わせできません。
ファイルの名前は一つも変えていません。

</source>
        <translation>These files cannot be aligned.
No file was renamed.

</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>読んでいる間に変わりました</source>
        <translation>changed while being read</translation>
    </message>
    <message>
        <source>元のファイルのアクセス権を付けられません</source>
        <translation>cannot give it the permissions of the original</translation>
    </message>
    <message>
        <source>元のファイルの更新日時を付けられません</source>
        <translation>cannot give it the modification time of the original</translation>
    </message>
    <message>
        <source>使用中です</source>
        <translation>in use</translation>
    </message>
    <message>
        <source>中止しました</source>
        <translation>stopped</translation>
    </message>
</context>
<context>
    <name>IncomingText</name>
    <message>
        <source>Norvanta2: ほかのプログラムからヘッドネームを受け取れません（%1）。%2</source>
        <translation>Norvanta2: cannot receive head names from other programs (%1). %2</translation>
    </message>
    <message>
        <source>使えるランタイムフォルダがありません</source>
        <translation>no usable runtime folder</translation>
    </message>
    <message>
        <source>同じユーザーのほかの Norvanta2 が受け取っています</source>
        <translation>another Norvanta2 of the same user receives them</translation>
    </message>
    <message>
        <source>待ち受けを始められません: %1</source>
        <translation>cannot start listening: %1</translation>
    </message>
    <message>
        <source>接続を受け付けられません: %1</source>
        <translation>cannot accept connections: %1</translation>
    </message>
    <message>
        <source>数秒ごとにやり直します。</source>
        <translation>Trying again every few seconds.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>このままにする(&amp;K)</source>
        <translation>&amp;Keep as it is</translation>
    </message>
</context>
<context>
    <name>PhotoSets</name>
    <message>
        <source>番号が拡張子の中にあるため、同じ組のファイルをそろえられません</source>
        <translation>the number is in the extension, so the files of its set cannot be matched</translation>
    </message>
    <message>
        <source>同じ組の「%1」と番号の桁がそろいません</source>
        <translation>its number does not match the digits of “%1” of the same set</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>前回の処理が終わらないうちにプログラムが終了しました。

処理: %1（%2）
元のフォルダ: %3
先のフォルダ: %4
%5 件のうち %6 件を処理していました。

処理したファイルを元に戻しますか？</source>
        <translation>The program ended before the last batch was finished.

Batch: %1 (%2)
Source folder: %3
Target folder: %4
%6 of %5 file(s) had been processed.

Undo the files processed?</translation>
    </message>
    <message>
        <source>「%1」という名前で残しました</source>
        <translation>kept under the name “%1”</translation>
    </message>
    <message>
        <source>「%1」という名前で残っています</source>
        <translation>remains under the name “%1”</translation>
    </message>
    <message>
        <source>次のファイルは元の名前に戻せませんでした。

</source>
        <translation>These files could not get their old names back.

</translation>
    </message>
    <message>
        <source>次の処理の記録は読めないため、使わずに別の名前で残しました。

</source>
        <translation>These journals cannot be read; they were not used and were kept under other names.

</translation>
    </message>
</context>
<context>
    <name>RecoveryProgress</name>
    <message>
        <source>前回の処理を元に戻しています…</source>
        <translation>Undoing the last batch…</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>&amp;Stop</translation>
    </message>
</context>
<context>
    <name>SysInfo</name>
    <message>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation>System information is not available at this time</translation>
    </message>
</context>
<context>
    <name>Thumbnail</name>
    <message>
        <source>対応していないファイルが選択されました。</source>
        <translation>The chosen file is not a supported picture.</translation>
    </message>
    <message>
        <source>画像が大きすぎるため表示できません。</source>
        <translation>The picture is too large to show.</translation>
    </message>
</context>
<context>
    <name>Undo</name>
    <message>
        <source>処理の前からあったファイルと区別できないため、そのままにしています</source>
        <translation>left as it is because it cannot be told apart from a file that was there before the batch</translation>
    </message>
    <message>
        <source>見つからないため、元に戻していません</source>
        <translation>not undone because it cannot be found</translation>
    </message>
    <message>
        <source>処理の後で変わったため、元に戻していません</source>
        <translation>not undone because it changed after the batch</translation>
    </message>
    <message>
        <source>ごみ箱に移せないため、そのままにしています（%1）</source>
        <translation>left as it is because it cannot be moved to the trash (%1)</translation>
    </message>
    <message>
        <source>置き換えたファイルがごみ箱（「%1」）にないため、戻していません</source>
        <translation>not put back because the replaced file is not in the trash (“%1”)</translation>
    </message>
    <message>
        <source>その名前に別のファイルがあります</source>
        <translation>another file has that name</translation>
    </message>
    <message>
        <source>元に戻せませんでした（%1）</source>
        <translation>could not be undone (%1)</translation>
    </message>
    <message>
        <source>リネーム</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>ネーム追加</source>
        <translation>Add prefix</translation>
    </message>
    <message>
        <source>拡張子置換</source>
        <translation>Change extension</translation>
    </message>
    <message>
        <source>桁合わせ</source>
        <translation>Align digits</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>処理の記録を「%1」に書けないため、元に戻しませんでした。
%2</source>
        <translation>Nothing was undone: the journal cannot be written to “%1”.
%2</translation>
    </message>
    <message>
        <source>次のファイルは元に戻していません。

</source>
        <translation>These files were not undone.

</translation>
    </message>
</context>
<context>
    <name>UsageNotes</name>
    <message>
        <source>使い方の説明 %1 を読み込めませんでした。
（%2）</source>
        <translation>Could not read the usage notes %1.
(%2)</translation>
    </message>
    <message>
        <source>Readme.txt</source>
        <extracomment>The file name of the usage notes in this language, shipped beside the program.</extracomment>
        <translation>Readme.en.txt</translation>
    </message>
</context>
<context>
    <name>norvanta2-send</name>
    <message>
        <source>使い方: norvanta2-send [--] テキスト
       norvanta2-send --help | --version
起動中の Norvanta2 にテキストを渡し、いちばん新しいヘッドネームにします。

  --help     この使い方を表示して終わります。何も渡しません。
  --version  バージョンを表示して終わります。何も渡しません。
  --         続く引数を、- で始まっていてもそのまま渡します。
</source>
        <translation>Usage: norvanta2-send [--] TEXT
       norvanta2-send --help | --version
Hands TEXT to the running Norvanta2, which makes it the newest head name.

  --help     print this usage and end; send nothing.
  --version  print the version and end; send nothing.
  --         pass the next argument as it is, even if it starts with -.
</translation>
    </message>
    <message>
        <source>受け取る Norvanta2 が起動していません。</source>
        <translation>No running Norvanta2 to receive it.</translation>
    </message>
    <message>
        <source>受け取り口にいるのは別のユーザーのプログラムです。渡しません。</source>
        <translation>The receiver belongs to another user. Nothing sent.</translation>
    </message>
    <message>
        <source>テキストが長すぎます（UTF-8 で %1 バイトまで）。</source>
        <translation>The text is too long (at most %1 bytes in UTF-8).</translation>
    </message>
    <message>
        <source>Norvanta2 にテキストを渡しきれませんでした。</source>
        <translation>Could not hand the whole text to Norvanta2.</translation>
    </message>
</context>
<context>
    <name>nv::FileListModel</name>
    <message>
        <source>ファイルネーム</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>Ext.</translation>
    </message>
    <message>
        <source>更新日付</source>
        <translation>Modified</translation>
    </message>
</context>
<context>
    <name>nv::Form1</name>
    <message>
        <source>リネーム元のドライブを選んでください。</source>
        <translation>Choose the source drive.</translation>
    </message>
    <message>
        <source>リネーム元のフォルダを選んでください。</source>
        <translation>Choose the source folder.</translation>
    </message>
    <message>
        <source>左ダブルクリックで画像が確認できます。右クリックでファイルを全部選択します。</source>
        <translation>Double-click to see the picture. Right-click to select all files.</translation>
    </message>
    <message>
        <source>リネーム先のドライブを選んでください。</source>
        <translation>Choose the target drive.</translation>
    </message>
    <message>
        <source>リネーム先のフォルダを選んでください。</source>
        <translation>Choose the target folder.</translation>
    </message>
    <message>
        <source>左クリックでファイルネーム欄に続きが表示されます。ダブルクリックで画像が確認できます。</source>
        <translation>Click to continue from this file in the name fields. Double-click to see the picture.</translation>
    </message>
    <message>
        <source>リネーム元フォルダ</source>
        <translation>&amp;Source folder</translation>
    </message>
    <message>
        <source>リネーム先フォルダ</source>
        <translation>T&amp;arget folder</translation>
    </message>
    <message>
        <source>ヘッドネーム</source>
        <translation>&amp;Head name</translation>
    </message>
    <message>
        <source>通し番号</source>
        <translation>First &amp;number</translation>
    </message>
    <message>
        <source>通し番号の最初の数字を入れてください。</source>
        <translation>Enter the first number of the sequence.</translation>
    </message>
    <message>
        <source>桁数</source>
        <translation>Di&amp;gits</translation>
    </message>
    <message>
        <source>通し番号の桁数を選択できます。上下のボタンで選んで選択したい数字をクリックしてください。</source>
        <translation>The number of digits of the sequence. Scroll with the arrows and click the one you want.</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>E&amp;xtension</translation>
    </message>
    <message>
        <source>リネームしたい拡張子を入力してください。また登録してあればリストより選択できます。</source>
        <translation>Type the extension to rename, or pick a saved one from the list.</translation>
    </message>
    <message>
        <source>登録</source>
        <translation>A&amp;dd</translation>
    </message>
    <message>
        <source>現在表示中の拡張子を登録できます。</source>
        <translation>Adds the extension shown to the list.</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remo&amp;ve</translation>
    </message>
    <message>
        <source>現在表示中の拡張子を削除できます。</source>
        <translation>Removes the extension shown from the list.</translation>
    </message>
    <message>
        <source>リネーム後イメージ</source>
        <translation>New name preview</translation>
    </message>
    <message>
        <source>リネーム後のファイルネームのイメージが表示されます。</source>
        <translation>Shows what the file names will be after renaming.</translation>
    </message>
    <message>
        <source>リネーム(&amp;R)</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>選択したファイルをリネームします。</source>
        <translation>Renames the selected files.</translation>
    </message>
    <message>
        <source>ネーム追加</source>
        <translation>Add &amp;prefix</translation>
    </message>
    <message>
        <source>拡張子置換(&amp;K)</source>
        <translation>Change &amp;extension</translation>
    </message>
    <message>
        <source>ファイルネームはそのままに拡張子だけリネームします。普通使う事は無いでしょう。</source>
        <translation>Changes only the extension and keeps the file name. Rarely needed.</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>プログラムを終了します。設定のいくつかはこのボタンを押すことで記録されます。</source>
        <translation>Quits the program. Some settings are saved only by this button.</translation>
    </message>
    <message>
        <source>ファイル移動</source>
        <translation>&amp;Move files</translation>
    </message>
    <message>
        <source>ファイルをリネーム先フォルダに移動します。チェックがなければリネームコピーします。</source>
        <translation>Moves the files into the target folder. Unticked, they are copied under their new names.</translation>
    </message>
    <message>
        <source>簡易表示</source>
        <translation>&amp;Compact view</translation>
    </message>
    <message>
        <source>リストビューを簡易表示に切り替えます。</source>
        <translation>Switches the file lists to the compact view.</translation>
    </message>
    <message>
        <source>桁合わせ</source>
        <translation>A&amp;lign digits</translation>
    </message>
    <message>
        <source>通し番号の桁数を一番多いファイルに合わせます。</source>
        <translation>Pads the numbers to the digits of the longest one.</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Re&amp;fresh</translation>
    </message>
    <message>
        <source>リネーム元フォルダの内容を更新します。</source>
        <translation>Reads the source folder again.</translation>
    </message>
    <message>
        <source>リストビューのファイルをダブルクリックするとここにサムネイルが表示されます。</source>
        <translation>Double-click a file in a list to see its thumbnail here.</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>A&amp;bout</translation>
    </message>
    <message>
        <source>使い方</source>
        <translation>&amp;Usage notes</translation>
    </message>
    <message>
        <source>拡張子の一覧を読み込めませんでした。
%1
%2
一覧を空にして始めます。このファイルは残し、登録や削除をしても書き換えません。</source>
        <translation>Could not read the list of extensions.
%1
%2
Starting with an empty list. The file is kept and is not rewritten when you add or remove extensions.</translation>
    </message>
    <message>
        <source>設定を読み込めませんでした。
%1
%2</source>
        <translation>Could not read the settings.
%1
%2</translation>
    </message>
    <message>
        <source>使えない設定ファイルを削除できませんでした。
%1
%2
次の起動でも同じ設定が読み込まれます。</source>
        <translation>Could not delete the unusable settings file.
%1
%2
The same settings will be read at the next start.</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。
%1
%2</source>
        <translation>Could not save the settings.
%1
%2</translation>
    </message>
    <message>
        <source>拡張子の一覧を保存できません。
%1
起動時に読み込めなかったファイルです。書き換えると、登録してあった拡張子が失われます。</source>
        <translation>Cannot save the list of extensions.
%1
This file could not be read at start; writing it would lose the extensions it holds.</translation>
    </message>
    <message>
        <source>拡張子の一覧を保存できませんでした。
%1
%2</source>
        <translation>Could not save the list of extensions.
%1
%2</translation>
    </message>
    <message>
        <source>拡張子をリネームしようとしています<byte value="xd"/>
プログラムを実行できなくなる可能性があります<byte value="xd"/>
拡張子のリネームをしますか？</source>
        <translation>You are about to change file extensions.<byte value="xd"/>
Programs may no longer open the files.<byte value="xd"/>
Change the extensions?</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Caution</translation>
    </message>
    <message>
        <source>フォルダを開けませんでした。
%1
%2</source>
        <translation>Could not open the folder.
%1
%2</translation>
    </message>
    <message>
        <source>予期しないエラーが発生しましたので終了します。</source>
        <translation>An unexpected error occurred; the program will end.</translation>
    </message>
    <message>
        <source>フロッピディスクの準備ができていません。</source>
        <translation>The drive is not ready.</translation>
    </message>
    <message>
        <source>リネーム元のドライブ</source>
        <translation>Source drive</translation>
    </message>
    <message>
        <source>リネーム元のフォルダ</source>
        <translation>Source folders</translation>
    </message>
    <message>
        <source>リネーム先のドライブ</source>
        <translation>Target drive</translation>
    </message>
    <message>
        <source>リネーム先のフォルダ</source>
        <translation>Target folders</translation>
    </message>
    <message>
        <source>サムネイル</source>
        <translation>Thumbnail</translation>
    </message>
    <message>
        <source>リネーム元のフォルダ「%1」を確かめられません。
%2
ファイルは一つも処理していません。</source>
        <translation>Cannot check the source folder “%1”.
%2
No file was processed.</translation>
    </message>
    <message>
        <source>選択した %1 件と同じ組の %2 件も処理します。よろしいですか？</source>
        <translation>Along with the %1 selected file(s), %2 file(s) of the same sets will be processed. Go ahead?</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>Ed&amp;it</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U): %1 %2 件</source>
        <translation>&amp;Undo %1 (%2 file(s))</translation>
    </message>
    <message>
        <source>%1 件の処理を元に戻します。よろしいですか？</source>
        <translation>%1 file(s) will be undone. Go ahead?</translation>
    </message>
</context>
<context>
    <name>nv::Form2</name>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>フォルダの中にあるファイルの続きを表示する。</source>
        <translation>&amp;Continue from the files in the target folder</translation>
    </message>
    <message>
        <source>移動元と移動先のフォルダを同一フォルダにする。</source>
        <translation>Use the &amp;same folder as source and target</translation>
    </message>
    <message>
        <source>ヘッドネームの先頭に何文字か追加する。</source>
        <translation>&amp;Add characters before the head name</translation>
    </message>
    <message>
        <source>撮影日時の順に並べる</source>
        <translation>Sort by capture &amp;time</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>同じ名前のファイルを組にしてリネームする（RAW・JPEG・サイドカーなど）</source>
        <translation>&amp;Rename files of the same name as a set (RAW, JPEG, sidecars...)</translation>
    </message>
</context>
<context>
    <name>nv::Form4</name>
    <message>
        <source>プログラムへ戻る</source>
        <translation>&amp;Back to the program</translation>
    </message>
    <message>
        <source>使い方</source>
        <translation>Usage notes</translation>
    </message>
</context>
<context>
    <name>nv::frmAbout</name>
    <message>
        <source>Readme.ja.txt</source>
        <extracomment>The file name of the UTF-8 usage notes in this language that the about box links to.</extracomment>
        <translation>Readme.en.txt</translation>
    </message>
    <message>
        <source>&#x3000;本ソフトは、画像ファイルなどを整理するためファイル名を一括リネームするためのものです。
&#x3000;本ソフトの最大の売りは画像の確認がサムネイルで簡単に出来るということです。&#x3000;ファイルの続きから簡単に一括リネームします。&#x3000;その辺の仕様は前回作ったNorvantaと同じになっています。</source>
        <translation>This program renames files in batches to keep pictures and other files in order.
Its strength is checking pictures easily as thumbnails. It carries on renaming from where the files leave off, just as the earlier Norvanta did.</translation>
    </message>
    <message>
        <source>本ソフトはフリーソフトです。どなたでも無料でお使いいただけます。本ソフトを使用したことによって生じたいかなる損害についても、作者は一切の責任を負いません。</source>
        <translation>This program is free software; anyone may use it free of charge. The author accepts no responsibility for any damage arising from its use.</translation>
    </message>
    <message>
        <source>ｼｽﾃﾑ情報(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
    <message>
        <source>%1のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
</TS>
