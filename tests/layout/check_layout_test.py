"""The layout check on small made-up trees: the loops and Win32 breaches it must
report, and the shapes of this code base it must let through."""
import os
import subprocess
import sys
import tempfile

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                     "check-layout.py")


def problems(files):
    """The check's complaints about a tree made of `files` (path -> text)."""
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w") as f:
                f.write(text)
        done = subprocess.run([sys.executable, CHECK, root], stdout=subprocess.PIPE, text=True)
        lines = done.stdout.splitlines()
        assert (done.returncode == 0) == (len(lines) == 1 and lines[0].startswith("layout:")), lines
        return [] if done.returncode == 0 else lines


# A sampler declared in a shared header but defined in the drawing file, and a
# pair path that the drawing file calls and that calls the sampler back.
CALL_LOOP = {
    "render/drawing.h": "#pragma once\nvoid Draw();\nvoid Sample(int x);\n",
    "render/turn.cpp": '#include "render/drawing.h"\n#include "render/pair.h"\n'
                       "void Draw() { Pair(1); }\nvoid Sample(int x) { (void)x; }\n",
    "render/pair.h": '#pragma once\n#include "render/drawing.h"\nvoid Pair(int x);\n',
    "render/pair.cpp": '#include "render/pair.h"\nvoid Pair(int x) {\n  Sample(x);\n}\n',
}


def test_call_loop_through_a_header_another_file_defines():
    found = problems(CALL_LOOP)
    assert any("loop" in p and "render/pair" in p and "render/turn" in p for p in found), found

    # Untied: the sampler in a file of its own below both.
    untied = dict(CALL_LOOP)
    untied["render/drawing.h"] = "#pragma once\nvoid Draw();\n"
    untied["render/sample.h"] = "#pragma once\nvoid Sample(int x);\n"
    untied["render/sample.cpp"] = '#include "render/sample.h"\nvoid Sample(int x) { (void)x; }\n'
    untied["render/turn.cpp"] = '#include "render/drawing.h"\n#include "render/pair.h"\nvoid Draw() { Pair(1); }\n'
    untied["render/pair.h"] = '#pragma once\n#include "render/sample.h"\nvoid Pair(int x);\n'
    assert problems(untied) == []


def test_shapes_that_are_not_loops():
    # One header, defined partly by its own source and partly by each side of
    # the platform seam, which call nothing back; a comment naming a function
    # is no call.
    tree = {
        "platform/clock.h": "#pragma once\nint Now();\nbool ReadSystem(int& t);\n",
        "platform/clock.cpp": '#include "platform/clock.h"\nint Now() {\n  int t = 0;\n'
                              "  return ReadSystem(t) ? t : 0;\n}\n",
        "platform/native/clock.cpp": '#include "platform/clock.h"\n'
                                     "// unlike Now(), reads the system\n"
                                     "bool ReadSystem(int& t) { t = 1; return true; }\n",
        "platform/win32/clock.cpp": '#include <windows.h>\n#include "platform/clock.h"\n'
                                    "bool ReadSystem(int& t) { t = 2; return true; }\n",
    }
    assert problems(tree) == []


def test_win32_rule_holds_in_every_folder():
    for path in ("tests/unit/helper.h", "render/blend.cpp", "tools/frame/main.cpp"):
        found = problems({path: "#ifdef _WIN32\n#endif\n"})
        assert found == [path + ": tests _WIN32 outside a win32 path"], found
        found = problems({path: "#include <windows.h>\n"})
        assert found == [path + ": includes a Windows header outside a win32 path"], found
    assert problems({"tests/unit/win32/helper.cpp": "#include <windows.h>\n#ifdef _WIN32\n#endif\n"}) == []


if __name__ == "__main__":
    for name, test in sorted(globals().items()):
        if name.startswith("test_"):
            test()
    print("passed")
