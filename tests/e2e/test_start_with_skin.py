"""A skin on the command line, in a folder with a space (so it arrives in
quotation marks): the window takes the body's size and is kept inside the work
area; the body shows on the screen."""
from harness import Session, check, scenario


def run():
    with Session("start_with_skin") as s:
        s.write_config({"DataDir": "non"})
        # Placed far right and above the screen: it must come back to the
        # right edge and the top of the work area.
        skin = s.write_skin("my skin", body=(120, 80), colour=0x3060C0,
                            initialize={"PosX": 5000, "PosY": -300, "Interval": 250})
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        left, top, right, bottom = s.work_area()
        r = s.rect(clock)
        check((r[2] - r[0], r[3] - r[1]) == (120, 80), "window size %r" % (r,))
        check(r == (right - 120, top, right, top + 80), "window at %r, work area %r"
              % (r, (left, top, right, bottom)))
        centre = s.pixel((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        check(centre == 0x3060C0, "the body shows %06X" % centre)
        s.key(clock, 0x1B)
        s.expect_exit(0)


scenario(run)
