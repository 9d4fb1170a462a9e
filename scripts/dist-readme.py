"""Writes the release's README.txt: UTF-8 with a BOM and CRLF line ends, so
Notepad shows the Japanese part correctly on any Windows. Usage:
    python3 dist-readme.py VERSION OUT"""
import sys

TEXT = """ほらるね {version} (64 ビット版 Windows 用)
============================================

ほらるねはデスクトップ時計です。スキンの絵の形をした枠のない窓にアナログ時計を
表示し、アラームと記念日カレンダーを備えています。

■ 使い方
1. この zip を好きなフォルダーに展開します (例: ドキュメント\\Horalune)。
   書き込みのできるフォルダーにしてください。アラームは設定ファイル
   Horalune.DAT としてここに保存され、表示位置などはスキンファイルに
   書き戻されます。
2. Horalune.exe を起動します。
3. 初めての起動では「設定用ファイル[Horalune.DAT]がありません.」と表示されます。
   [OK] を押すと「ファイルを選んで下さい」の画面が開きます。
4. standard フォルダーを開き、Standard.HRL を選んで [開く] を押すと時計が出ます。
   スキンファイル (.HRL) を Horalune.exe にドラッグして起動することもできます。

毎回同じスキンで始めるには、Horalune.DAT の [Default] に次のように書き加えます
(フルパスで指定します)。ファイルがなければメモ帳で作り、文字コード ANSI
(シフト JIS) で保存します。
    [Default]
    ExeDat=C:\\Users\\あなた\\Documents\\Horalune\\standard\\Standard.HRL
スキンの選択画面を開くフォルダーは DataDir= で変えられます (例: DataDir=standard)。

■ 操作
- 時計を右クリック、または通知領域のアイコンのクリックでメニューが出ます。
- F1 ヘルプ (Horalune-help.html)、F5 カレンダー、F12 スキンの変更、Esc 終了。
- 時計はドラッグで動かせます。

■ 同梱ファイル
  Horalune.exe          本体
  horalune-days.exe     記念日ファイルの確認 (コマンドプロンプトで
                        horalune-days 2027 Anniv.DAT: その年の祝日と記念日を一覧)
  horalune-frame.exe    スキン作者向け: スキンを絵に描き出す (skin-guide.md 参照)
  standard\\             標準スキン「ほらるね 月夜」
  Anniv.DAT             記念日ファイル (カレンダーが読みます)
  Horalune-help.html    ヘルプ
  skin-guide.md         スキン作者向けの説明 (英語)
  README.txt            このファイル

アンインストールはフォルダーごと削除するだけです。レジストリは使いません。


Horalune {version} for 64-bit Windows
=====================================

Horalune is a desktop clock: an analog clock in a borderless window cut to the
shape of a skin picture, with alarms and an anniversary calendar. Its interface
is in Japanese.

Getting started
1. Unzip into a folder you can write to (for example Documents\\Horalune). The
   alarms are kept there in the settings file Horalune.DAT, and the clock's
   position is written back into the skin file.
2. Start Horalune.exe.
3. On the first start a notice says that Horalune.DAT does not exist yet. Press
   OK; the file dialog ("ファイルを選んで下さい") opens.
4. Open the folder "standard", choose Standard.HRL and press Open. The clock
   appears. You can also drop a .HRL file onto Horalune.exe.

To start with the same skin every time, add an ExeDat line to the [Default] section
of Horalune.DAT, with a full path (if the file is not there, create it with
Notepad and save it as ANSI / Shift-JIS):
    [Default]
    ExeDat=C:\\Users\\you\\Documents\\Horalune\\standard\\Standard.HRL
DataDir= sets the folder the skin dialog opens in (for example DataDir=standard).

Keys: right-click the clock or click the tray icon for the menu; F1 help,
F5 calendar, F12 another skin, Esc exit. Drag the clock to move it.

Command-line tools (run them from a command prompt in this folder):
    horalune-days 2027 Anniv.DAT       the year's holidays and anniversaries, a day a line
    horalune-frame MySkin.HRL --time 10:08:30 -o preview.png   a skin drawn to a picture
    horalune-frame MySkin.HRL --settings                       its settings as the clock reads them

Linux: run it under Wine (wine Horalune.exe).

To uninstall, delete the folder. Horalune uses no registry keys.
"""


def main():
    version, out = sys.argv[1], sys.argv[2]
    text = TEXT.format(version=version).replace("\n", "\r\n")
    with open(out, "wb") as f:
        f.write(b"\xef\xbb\xbf" + text.encode("utf-8"))


main()
