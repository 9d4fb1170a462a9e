"""Esc writes the display options back into the skin file in their order and
ends the program with exit code 0."""
from harness import Session, check, ini_keys, scenario


def run():
    with Session("esc_saves") as s:
        s.write_config({"DataDir": "non"})
        skin = s.write_skin("skin", body=(100, 60), initialize={
            "SpecialMenu": 1, "Effect": 3, "AntiAliasing": 0, "Topmost": 1})
        before = [k for k, _ in ini_keys(skin, "Initialize")]
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        r = s.rect(clock)
        s.key(clock, 0x1B)
        s.expect_exit(0)
        keys = ini_keys(skin, "Initialize")
        values = dict(keys)
        check(values.get("AntiAliasing") == "0", "AntiAliasing %r" % values.get("AntiAliasing"))
        check(values.get("Effect") == "3", "Effect %r" % values.get("Effect"))
        check(values.get("Topmost") == "1", "Topmost %r" % values.get("Topmost"))
        check((values.get("PosX"), values.get("PosY")) == (str(r[0]), str(r[1])),
              "position %r, window %r" % ((values.get("PosX"), values.get("PosY")), r))
        # Keys already present are replaced in place; the new ones follow in
        # the order they were written.
        new = [k for k, _ in keys if k not in before]
        check(new == ["PosY", "PosX"], "new keys %r" % new)
        check([k for k, _ in keys][:len(before)] == before, "keys moved: %r" % keys)

    with Session("esc_saves_order") as s:
        s.write_config()
        skin = s.path("skin", "clock.HRL")
        s.write_skin("skin", body=(100, 60))
        # Without SpecialMenu 1 no Effect is written.
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        s.key(clock, 0x1B)
        s.expect_exit(0)
        written = [k for k, _ in ini_keys(skin, "Initialize")][2:]
        check(written == ["AntiAliasing", "Topmost", "PosY", "PosX"], "written %r" % written)


scenario(run)
