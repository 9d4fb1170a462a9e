#!/usr/bin/env python3
"""Checks the house rules that the compiler cannot see.

1. Win32 files: only a file with `win32` in its path may include a Windows
   header or test _WIN32.
2. Layers: a file includes only its own module and the modules below it.
3. No two files include or call each other in a loop.

Exits 1 and lists every breach; prints one line when all is well.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Bottom to top. Modules on one floor do not include each other.
FLOORS = [
    ["platform", "platform/native", "platform/win32"],
    ["skin"],
    ["render"],
    ["alarm", "calendar"],
    ["ui", "app"],
    ["resources", "ui/win32"],
    ["skin/win32", "render/win32", "alarm/win32", "calendar/win32"],
    ["app/win32"],
    ["tools", "bench", "fuzz", "tests"],
]
FLOOR = {module: level for level, modules in enumerate(FLOORS) for module in modules}
# Helpers above everything may include anything below them and each other.
FREE = {"tools", "bench", "fuzz", "tests"}
# The seam's two sides are one module seen from above.
SAME = {"platform/native": "platform", "platform/win32": "platform"}

WINDOWS_HEADERS = re.compile(
    r'#\s*include\s*<(windows|windowsx|shellapi|commdlg|commctrl|mmsystem|vfw|shlwapi|'
    r'winuser|wingdi|winbase|objbase|shlobj|winnls)\.h>', re.I)
WIN32_TEST = re.compile(r'\b_WIN32\b')
INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')
SOURCE = re.compile(r'\.(cpp|h|c)$')


def module_of(path):
    parts = path.split("/")
    top = parts[0]
    if top in FREE:
        return top
    if len(parts) > 2 and parts[1] in ("win32", "native"):
        return top + "/" + parts[1]
    return top


def sources():
    for folder, dirs, files in os.walk(ROOT):
        rel = os.path.relpath(folder, ROOT).replace(os.sep, "/")
        dirs[:] = [d for d in dirs if not d.startswith(".") and
                   not (rel == "." and d in ("build", "out", "dist"))]
        for name in files:
            if SOURCE.search(name):
                path = name if rel == "." else rel + "/" + name
                yield path


def main():
    problems = []
    graph = {}
    files = sorted(sources())
    known = set(files)
    for path in files:
        module = module_of(path)
        if module not in FLOOR:
            problems.append(f"{path}: not in a known folder")
            continue
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        is_win32 = "win32" in path
        if not is_win32 and not path.startswith("tests/"):
            if WINDOWS_HEADERS.search(text):
                problems.append(f"{path}: includes a Windows header outside a win32 path")
            if WIN32_TEST.search(text):
                problems.append(f"{path}: tests _WIN32 outside a win32 path")
        graph[path] = []
        for target in INCLUDE.findall(text):
            resolved = target if target in known else os.path.normpath(
                os.path.join(os.path.dirname(path), target)).replace(os.sep, "/")
            if resolved not in known:
                continue  # a system or generated header
            graph[path].append(resolved)
            if module in FREE:
                continue
            other = module_of(resolved)
            if other in FREE:
                problems.append(f"{path}: includes {resolved} from a helper folder")
                continue
            a, b = SAME.get(module, module), SAME.get(other, other)
            if a == b:
                continue
            if FLOOR[other] > FLOOR[module]:
                problems.append(f"{path}: includes {resolved}, a layer above it")
            elif FLOOR[other] == FLOOR[module]:
                problems.append(f"{path}: includes {resolved}, a neighbour on its own layer")

    # Loops, with a header and its source as one node: a file that includes a
    # header calls into that header's source, so this finds call loops too.
    def unit(path):
        return re.sub(r"\.(cpp|h|c)$", "", path)

    units = {}
    for path, targets in graph.items():
        units.setdefault(unit(path), set()).update(unit(t) for t in targets if unit(t) != unit(path))
    graph = {node: sorted(targets) for node, targets in units.items()}
    state = {}

    def visit(node, stack):
        state[node] = 1
        stack.append(node)
        for nxt in graph.get(node, []):
            if state.get(nxt) == 1:
                loop = stack[stack.index(nxt):] + [nxt]
                problems.append("include or call loop: " + " -> ".join(loop))
            elif nxt not in state:
                visit(nxt, stack)
        stack.pop()
        state[node] = 2

    for node in graph:
        if node not in state:
            visit(node, [])

    if problems:
        print("\n".join(problems))
        return 1
    print(f"layout: {len(files)} files follow the layering and Win32 rules")
    return 0


if __name__ == "__main__":
    sys.exit(main())
