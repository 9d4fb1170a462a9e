"""The Windows build draws the same frames as the native build: horalune-frame
prints a digest of the presented frame for every second of a day, once under
Wine and once natively, for the bundled skin and for random skins (odd sizes,
pivots off the picture, soft masks, with and without anti-aliasing, random
effects), and every line must agree. The native tool comes from the native build (make test
builds it first; HORALUNE_NATIVE_FRAME names another)."""
import os
import random
import subprocess
import time

from harness import BUILD, SOURCE, Session, bmp24, check, ini_text, scenario

FRAME_TOOL = os.path.join(BUILD, "tools", "horalune-frame.exe")
NATIVE_TOOL = os.environ.get("HORALUNE_NATIVE_FRAME") or os.path.join(
    SOURCE, "build", "native", "tools", "horalune-frame")
BUNDLED = os.path.join(SOURCE, "skins", "standard", "Standard.HRL")


def random_picture(rng, width, height):
    colours = [rng.randrange(1 << 24) for _ in range(4)]
    return bmp24(width, height, lambda x, y: colours[(x * 3 + y * 5 + x * y) % 4])


def random_mask(rng, width, height):
    """Runs of 0 and 255 with soft values between, as hands have."""
    levels = [0, 255, 255, rng.randrange(1, 255), rng.randrange(1, 255)]
    pick = [levels[rng.randrange(len(levels))] for _ in range(width * height)]
    return bmp24(width, height, lambda x, y: pick[y * width + x] * 0x010101)


def write_random_skin(folder, seed):
    """A small skin, so that a day of frames stays quick natively too."""
    rng = random.Random(seed)
    os.makedirs(folder, exist_ok=True)

    def put(name, data):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)

    width, height = rng.randrange(40, 90), rng.randrange(40, 90)
    put("body.bmp", random_picture(rng, width, height))
    init = [("Title", "random %d" % seed), ("TransparentColor", "non"),
            ("AntiAliasing", str(seed % 2)), ("Effect", str(rng.randrange(7))),
            ("AxisPosX", str(rng.randrange(-5, width + 5))),
            ("AxisPosY", str(rng.randrange(-5, height + 5)))]
    sections = [("Initialize", init), ("Body", [("Graph", "body.bmp")])]
    for hand in ("HourHand", "MinuteHand", "SecondHand"):
        w, h = rng.randrange(1, 14), rng.randrange(1, 60)
        put(hand + ".bmp", random_picture(rng, w, h))
        put(hand + "_mask.bmp", random_mask(rng, w, h))
        sections.append((hand, [("Graph", hand + ".bmp"), ("Mask", hand + "_mask.bmp"),
                                ("AxisX", str(rng.randrange(-3, w + 3))),
                                ("AxisY", str(rng.randrange(-3, h + 3)))]))
    path = os.path.join(folder, "random.HRL")
    put("random.HRL", ini_text(sections))
    return path


def digests(command, env=None):
    started = time.monotonic()
    done = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          timeout=1500)
    check(done.returncode == 0, "%s failed: %s" % (command[0], done.stderr.decode(errors="replace")))
    lines = done.stdout.decode().splitlines()
    check(len(lines) == 86400, "%s printed %d lines" % (command[0], len(lines)))
    return lines, time.monotonic() - started


def main():
    check(os.path.exists(NATIVE_TOOL), "no native horalune-frame at %s (build native first)" % NATIVE_TOOL)
    with Session("same_frames") as s:
        # The bundled skin anti-aliased (where last bits show); the random
        # ones take turns with and without.
        skins = [(BUNDLED, ["--antialiasing", "on"])]
        for seed in (1, 2, 3):
            skins.append((write_random_skin(s.path("random%d" % seed), seed), []))
        # The native runs (slow under the sanitizers) all start first and
        # share the cores with the Wine runs one after another.
        # Their output goes to files: a full pipe would stop them.
        outputs = [s.path("native%d.txt" % i) for i in range(len(skins))]
        native = []
        for (skin, options), output in zip(skins, outputs):
            with open(output, "wb") as out, open(output + ".err", "wb") as err:
                native.append(subprocess.Popen([NATIVE_TOOL, skin, "--day-digests"] + options,
                                               stdout=out, stderr=err))
        try:
            windows = [digests(["wine", FRAME_TOOL, s.win(skin), "--day-digests"] + options, env=s.env)
                       for skin, options in skins]
            for (skin, options), run, output, (windows_lines, windows_time) in zip(
                    skins, native, outputs, windows):
                run.wait(timeout=1500)
                with open(output, "rb") as out, open(output + ".err", "rb") as err:
                    native_lines = out.read().decode().splitlines()
                    check(run.returncode == 0, "native horalune-frame failed: %s" %
                          err.read().decode(errors="replace"))
                differing = [w for w, n in zip(windows_lines, native_lines) if w != n]
                name = "%s %s" % (os.path.basename(skin), " ".join(options))
                check(len(native_lines) == 86400 and not differing,
                      "%s: %d seconds differ, first %s" % (name, len(differing), differing[:3]))
                print("%s: 86400 frames agree (Wine run %.0f s)" % (name, windows_time))
        finally:
            for run in native:
                if run.poll() is None:
                    run.kill()


scenario(main)
