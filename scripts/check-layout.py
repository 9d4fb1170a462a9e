#!/usr/bin/env python3
"""Checks the house rules that the compiler cannot see.

1. Win32 files: only a file with `win32` in its path may include a Windows
   header or test _WIN32.
2. Layers: a file includes only its own module and the modules below it.
3. No two files include or call each other in a loop. A header is one node with
   its source of the same name; a call to a function a header declares leads
   to the source that defines it, whatever that file is called.

Exits 1 and lists every breach; prints one line when all is well.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
if len(sys.argv) > 1:
    ROOT = os.path.abspath(sys.argv[1])  # another tree, as the check's own test gives

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
# A free function at the start of a line, declared (ends in ";") or defined
# (ends in "{"); group 1 is its name, the last part of a qualified one.
_FUNCTION = r'^[A-Za-z_][\w:<>,*&\s]*?\b([A-Za-z_]\w*)\s*\([^;{}()]*(?:\([^;{}()]*\)[^;{}()]*)*\)' \
            r'\s*(?:const\s*)?(?:noexcept\s*)?(?:->\s*[\w:<>]+\s*)?'
DECLARATION = re.compile(_FUNCTION + ';', re.M)
DEFINITION = re.compile(_FUNCTION + r'\{', re.M)
NOT_FUNCTIONS = {"if", "for", "while", "switch", "return", "sizeof", "TEST", "TEST_F", "TEST_P"}
COMMENT = re.compile(r'//[^\n]*|/\*.*?\*/', re.S)


def function_names(pattern, text):
    return {name for name in pattern.findall(text) if name not in NOT_FUNCTIONS}


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
    declared, defined, uncommented = {}, {}, {}
    files = sorted(sources())
    known = set(files)
    for path in files:
        module = module_of(path)
        if module not in FLOOR:
            problems.append(f"{path}: not in a known folder")
            continue
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        uncommented[path] = COMMENT.sub("", text)
        if path.endswith(".h"):
            declared[path] = function_names(DECLARATION, uncommented[path])
        else:
            defined[path] = function_names(DEFINITION, uncommented[path])
        is_win32 = "win32" in path
        if not is_win32:
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
    # header calls into that header's source. A call to a function that a header
    # declares and another source defines leads to that source as well.
    def unit(path):
        return re.sub(r"\.(cpp|h|c)$", "", path)

    definers = {}
    for path, names in defined.items():
        for name in names:
            definers.setdefault(name, set()).add(path)

    def reachable_headers(path):
        seen, todo = set(), list(graph[path])
        while todo:
            header = todo.pop()
            if header not in seen:
                seen.add(header)
                todo.extend(graph.get(header, []))
        return seen

    def linked_together(caller, callee):
        # The native build links no win32 file, the Windows build no native one.
        side = "win32" if "win32" in caller else "native" if "/native/" in caller else None
        other = "win32" if "win32" in callee else "native" if "/native/" in callee else None
        return side is None or other is None or side == other

    units = {}
    for path, targets in graph.items():
        edges = units.setdefault(unit(path), set())
        # A source that defines part of what a header declares includes it for
        # the declarations: only its calls lead anywhere.
        edges.update(unit(t) for t in targets if not defined.get(path, set()) & declared.get(t, set()))
        text = uncommented[path]
        for header in reachable_headers(path):
            for name in declared.get(header, ()):
                if name in defined.get(path, ()) or not re.search(r"\b%s\s*\(" % name, text):
                    continue
                edges.update(unit(d) for d in definers.get(name, ()) if linked_together(path, d))
    for node, edges in units.items():
        edges.discard(node)
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
