"""A command line naming a skin whose body bitmap does not load, or naming no
skin at all: the error message, then exit code 0."""
from harness import Session, check, scenario

TEXT = "引数が異常、もしくは使用できないファイルです"


def run():
    with Session("unusable_body") as s:
        s.write_config()
        skin = s.write_skin("skin", write_body=False)
        s.start(s.win(skin))
        box = s.message_box()
        check(box["text"] == TEXT, "text %r" % box["text"])
        s.click(box["hwnd"], "OK")
        s.expect_exit(0)

        s.write("notes.txt", "これは時計ではない\r\n")
        s.start(s.win(s.path("notes.txt")))
        box = s.message_box()
        check(box["text"] == TEXT, "text %r" % box["text"])
        s.click(box["hwnd"], "OK")
        s.expect_exit(0)


scenario(run)
