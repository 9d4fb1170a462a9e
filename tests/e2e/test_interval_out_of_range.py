"""A skin whose Interval is 1001 is refused with its message."""
from harness import Session, check, scenario


def run():
    with Session("interval_1001") as s:
        s.write_config()
        skin = s.write_skin("skin", initialize={"Interval": 1001})
        s.start(s.win(skin))
        box = s.message_box()
        check(box["text"] == "Intervalは0から1000迄を指定して下さい", "text %r" % box["text"])
        s.click(box["hwnd"], "OK")
        s.expect_exit(0)
        check(not s.find_windows("Horalune", "Horalune"), "clock window left behind")


scenario(run)
