"""F12's command: choose another skin in the dialog. The old skin file gets the
display options, the window takes the new skin's size and place; a skin whose
body does not load is refused and the clock stays exactly as it was."""

from harness import Session, check, ini_keys, scenario, wait_until

IDM_LOAD_SKIN = 5508
FILE_NAME_BOX = 0x47C  # the open-file dialog's file name box
OPEN = 1


def choose(s, clock, skin_path):
    s.command(clock, IDM_LOAD_SKIN)
    chooser = s.dialog("ファイルを選んで下さい")
    s.set_text(chooser["hwnd"], FILE_NAME_BOX, s.win(skin_path))
    s.click(chooser["hwnd"], OPEN)
    s.wait_gone(chooser["hwnd"])


def run():
    with Session("load_skin") as s:
        s.write_config({"DataDir": "skins"})
        first = s.write_skin("skins/a", body=(120, 80), initialize={"PosX": 30, "PosY": 40})
        second = s.write_skin("skins/b", body=(160, 100), colour=0x20A040,
                              initialize={"PosX": 10, "PosY": 20, "SpecialMenu": 1, "Effect": 0})
        broken = s.write_skin("skins/c", body=(50, 50), write_body=False)

        s.start(s.win(first))
        clock = s.wait_window("Horalune", "Horalune")
        check(s.rect(clock) == (30, 40, 150, 120), "first skin at %r" % (s.rect(clock),))

        choose(s, clock, second)
        wait_until(lambda: s.rect(clock) == (10, 20, 170, 120), 20, "timed out waiting for the second skin")
        s.wait_window("Horalune", "Horalune")  # shown again
        old = dict(ini_keys(first, "Initialize"))
        check((old.get("PosX"), old.get("PosY"), old.get("Topmost"), old.get("AntiAliasing"))
              == ("30", "40", "0", "1"), "old skin's options %r" % old)
        check("Effect" not in old, "Effect written without SpecialMenu 1")

        choose(s, clock, broken)
        box = s.message_box()
        check(box["text"] == "認識できないファイルです", "text %r" % box["text"])
        s.click(box["hwnd"], "OK")
        s.wait_gone(box["hwnd"])
        s.wait_window("Horalune", "Horalune")
        check(s.rect(clock) == (10, 20, 170, 120), "after the refusal %r" % (s.rect(clock),))

        s.key(clock, 0x1B)
        s.expect_exit(0)
        new = dict(ini_keys(second, "Initialize"))
        check((new.get("PosX"), new.get("PosY"), new.get("Effect")) == ("10", "20", "0"),
              "second skin's options %r" % new)
        check("PosX" not in dict(ini_keys(broken, "Initialize")), "the refused skin was written")


scenario(run)
