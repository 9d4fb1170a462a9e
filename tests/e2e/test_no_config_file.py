"""Without Horalune.DAT the program says so and starts with its defaults."""
from harness import Session, check, scenario

NOTICE = ("設定用ファイル[Horalune.DAT]がありません.\n標準設定で開始します.\n\n"
          "終了時にルートフォルダに作成します.")


def run():
    with Session("no_config") as s:
        skin = s.write_skin("skin", body=(90, 90))
        s.start(s.win(skin))
        box = s.message_box()
        check(box["text"] == NOTICE, "text %r" % box["text"])
        check(not s.find_windows("Horalune", "Horalune") or
              not any(w["visible"] for w in s.find_windows("Horalune", "Horalune")),
              "the clock shows before the notice is closed")
        s.click(box["hwnd"], "OK")
        clock = s.wait_window("Horalune", "Horalune")
        s.key(clock, 0x1B)
        s.expect_exit(0)


scenario(run)
