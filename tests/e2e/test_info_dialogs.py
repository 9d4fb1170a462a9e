"""The work introduction (F2) and version (F11) dialogs: they open over the
running clock, Esc does not close them, "close" does; each can be opened again
(the clock is usable again in between)."""
import os
import shutil

from harness import SOURCE, Session, check, scenario

VK_F2 = 0x71
VK_F11 = 0x7A


def open_and_close(s, clock, key, shot):
    s.key(clock, key)
    box = s.dialog()
    check("close" in box["buttons"], "no close button in %r" % box)
    check(box["title"] == "", "the dialog has a caption %r" % box["title"])
    if shot:
        s.settled_screenshot(shot)
    s.key(box["hwnd"], 0x1B)  # Esc: no effect
    again = s.dialog()
    check(again["hwnd"] == box["hwnd"], "Esc closed the dialog")
    s.click(box["hwnd"], box["buttons"]["close"])
    s.wait_gone(box["hwnd"])


def run():
    with Session("info_dialogs") as s:
        s.write_config({"DataDir": "non"})
        skin_dir = s.path("standard")
        shutil.copytree(os.path.join(SOURCE, "skins", "standard"), skin_dir)
        names = [n for n in os.listdir(skin_dir) if n.lower().endswith(".hrl")]
        check(names, "no bundled skin")
        s.start(s.win(os.path.join(skin_dir, names[0])))
        clock = s.wait_window("Horalune", "Horalune")
        shots = os.environ.get("HORALUNE_SHOTS")
        for key, name in ((VK_F2, "intro.png"), (VK_F11, "version.png")):
            open_and_close(s, clock, key, os.path.join(shots, name) if shots else None)
        # A second time each: busy was cleared and nothing is left over.
        open_and_close(s, clock, VK_F2, None)
        open_and_close(s, clock, VK_F11, None)
        s.key(clock, 0x1B)
        s.expect_exit(0)


scenario(run)
