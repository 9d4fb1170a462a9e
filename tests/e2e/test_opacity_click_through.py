"""Window opacity and click-through as a user sets them: chosen from the popup
menu, shown as the window's layered alpha and styles, kept in Horalune.DAT
across a restart; with click-through on a click over the clock reaches the
window beneath, and the tray icon's menu is the way back."""
import os
import subprocess

from harness import Session, check, ini_keys, scenario, wait_until

WS_EX_TRANSPARENT = 0x20
WS_EX_LAYERED = 0x80000
TRAY_NOTIFY = 0x8064  # the clock's tray icon callback message
WM_RBUTTONUP = 0x205
COMMAND_EXIT = 5507


def xdotool(s, *args):
    subprocess.run(["xdotool"] + list(args), env=dict(s.env), check=True)


def look(s, clock):
    """(extended style, layered alpha or None)."""
    rc, lines = s.probe("exstyle", clock)
    check(rc == 0, "no window %d" % clock)
    return int(lines[0][1], 16), None if lines[0][2] == "-" else int(lines[0][2])


def window_at(s, x, y):
    rc, lines = s.probe("windowat", x, y)
    return int(lines[0][1]) if rc == 0 else None


def centre(s, clock):
    left, top, right, bottom = s.rect(clock)
    return (left + right) // 2, (top + bottom) // 2


def choose(s, open_menu, keys):
    """Opens the popup menu one way or the other and walks it with keys: Up
    from nothing chosen is "Exit", then "Click-Through", "Window Opacity"."""
    open_menu()
    menu = s.wait_window("#32768", "-", timeout=10)
    xdotool(s, "key", *keys)
    s.wait_gone(menu, timeout=10)


def right_click(s, clock):
    x, y = centre(s, clock)
    return lambda: xdotool(s, "mousemove", str(x), str(y), "click", "3")


def from_tray(s, clock):
    # What the shell sends when the user right-clicks the notification icon.
    return lambda: s.probe("post", clock, TRAY_NOTIFY, 1, WM_RBUTTONUP)


def wait_look(s, clock, style_bits, alpha):
    def matches():
        style, a = look(s, clock)
        return (style & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == style_bits and a == alpha
    wait_until(matches, 10, "styles/alpha %r, expected %#x/%r" % (look(s, clock), style_bits, alpha))


def saved_look(config, opacity, click_through):
    """The [Default] keys when they hold this opacity and click-through, else None."""
    keys = dict(ini_keys(config, "Default"))
    return keys if (keys.get("Opacity"), keys.get("ClickThrough")) == (opacity, click_through) else None


def run():
    with Session("opacity_click_through", managed=True) as s:
        config = s.write_config({"DataDir": "non"})
        skin = s.write_skin("skin", body=(160, 120), colour=0x202020,
                            initialize={"PosX": "300", "PosY": "200"})
        # A window beneath the clock, for clicks that pass through it.
        backdrop = subprocess.Popen(["wine", s.probe_exe, "backdrop", "0", "0", "1280", "900", "240000"],
                                    env=s.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        beneath = int(backdrop.stdout.readline().decode().split("\t")[1])
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        wait_look(s, clock, 0, None)  # a plain window until the user asks
        x, y = centre(s, clock)
        check(window_at(s, x, y) == clock, "the clock is not under the mouse")

        # 60 %: the fifth choice of the opacity submenu.
        choose(s, right_click(s, clock), ["Up", "Up", "Up", "Right"] + ["Down"] * 4 + ["Return"])
        wait_look(s, clock, WS_EX_LAYERED, 153)
        check(window_at(s, x, y) == clock, "a see-through clock still takes clicks")
        shots = os.environ.get("HORALUNE_SHOTS")
        if shots:
            s.settled_screenshot(os.path.join(shots, "opacity-60.png"))
        choose(s, right_click(s, clock), ["Up", "Up", "Return"])
        wait_look(s, clock, WS_EX_LAYERED | WS_EX_TRANSPARENT, 153)
        wait_until(lambda: window_at(s, x, y) == beneath, 10, "a click-through clock takes clicks")
        # The window shows a choice before the file holds it: wait for the save.
        keys = wait_until(lambda: saved_look(config, "60", "1"), 10,
                          "Opacity=60 and ClickThrough=1 not saved at once")
        check(keys.get("DataDir") == "non", "DataDir lost: %r" % keys)
        s.command(clock, COMMAND_EXIT)
        s.expect_exit(0)

        # Kept across a restart (the program turns click-through on only once
        # the shell has taken its tray icon, so this also finds the icon there);
        # the tray icon's menu turns it off again.
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        wait_look(s, clock, WS_EX_LAYERED | WS_EX_TRANSPARENT, 153)
        x, y = centre(s, clock)
        check(window_at(s, x, y) == beneath, "click-through not kept across a restart")
        xdotool(s, "mousemove", str(x), str(y))
        choose(s, from_tray(s, clock), ["Up", "Up", "Return"])
        wait_look(s, clock, WS_EX_LAYERED, 153)
        wait_until(lambda: window_at(s, x, y) == clock, 10, "the clock takes no clicks again")
        choose(s, right_click(s, clock), ["Up", "Up", "Up", "Right", "Return"])
        wait_look(s, clock, 0, None)
        s.command(clock, COMMAND_EXIT)
        s.expect_exit(0)
        check(saved_look(config, "100", "0"),
              "kept after exit: %r" % dict(ini_keys(config, "Default")))
        backdrop.kill()


scenario(run)
