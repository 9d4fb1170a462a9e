"""ExeDat naming a missing file: the warning, then the skin dialog in the data
directory with the second filter; giving up ends the program."""
import os

from harness import Session, check, scenario


def run():
    with Session("exedat_missing") as s:
        os.makedirs(s.path("skins"))
        missing = s.win(s.path("skins", "gone.HRL"))
        s.write_config({"DataDir": "skins", "ExeDat": missing})
        s.start()
        box = s.message_box()
        expected = ("設定用ファイル[Horalune.DAT]より\n[Default]\nExeDat = …\nで指定したファイル\n"
                    + missing + "\nがありません.\n他のファイルを選択をして下さい.")
        check(box["text"] == expected, "text %r" % box["text"])
        s.click(box["hwnd"], "OK")

        chooser = s.dialog("ファイルを選んで下さい")
        s.screenshot(s.path("chooser.png"))
        filter_text = s.text(chooser["hwnd"], 0x470)  # the file-type list
        check(filter_text == "ほらるねファイル(*.HRL)", "filter %r" % filter_text)
        folder = s.text(chooser["hwnd"], 0x471)  # the folder it opened in
        check(folder == "skins", "folder %r" % folder)
        s.click(chooser["hwnd"], 2)  # Cancel
        s.wait_gone(chooser["hwnd"])

        bye = s.message_box()
        check(bye["text"] == "ほらるねを終了します", "text %r" % bye["text"])
        s.click(bye["hwnd"], "OK")
        s.expect_exit(0)


scenario(run)
