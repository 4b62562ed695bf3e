#!/usr/bin/env python3
"""Keeps the code readable in pieces: no source file over 600 lines, no function over 80.

Data tables (the built-in English texts, the dialog and menu text tables, the LED pictures) are
long by nature and listed in DATA_TABLES. Tests and benchmarks are held to the same limits.

A function is found the way a reader finds it: a line that opens a body ('{' at its end) after a
parameter list, at namespace or class level, up to the matching '}'. Lambdas and blocks inside a
function count toward the function that holds them.

Usage: check_code_size.py [SOURCE_DIR]
"""

import os
import re
import sys

MAX_FILE_LINES = 600
MAX_FUNCTION_LINES = 80
SKIPPED_FOLDERS = {"build", "docs", ".git"}
DATA_TABLES = {
    "i18n/english_strings.cpp",
    "i18n/dialog_texts.cpp",
    "i18n/menu_texts.cpp",
    "workspace/item_pictures.cpp",
}
FUNCTION_HEAD = re.compile(r"\)\s*(const\s*)?(noexcept\s*)?(override\s*)?(->\s*[\w:<>, ]+\s*)?"
                           r"(:\s*[^;]*)?\{\s*(//.*)?$")
NOT_A_FUNCTION = re.compile(r"^\s*(if|for|while|switch|catch|else|do|return)\b|=\s*\[|\]\s*\(")


def strip_strings_and_comments(line):
    line = re.sub(r'"(\\.|[^"\\])*"', '""', line)
    line = re.sub(r"'(\\.|[^'\\])*'", "''", line)
    return line.split("//")[0]


def long_functions(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.readlines()
    found = []
    depth = 0
    start = None
    start_depth = 0
    head = ""
    for number, raw in enumerate(lines, 1):
        line = strip_strings_and_comments(raw)
        if start is None and depth <= 3 and FUNCTION_HEAD.search(line.rstrip() + "") \
                and not NOT_A_FUNCTION.search(line):
            start, start_depth, head = number, depth, raw.strip()
        depth += line.count("{") - line.count("}")
        if start is not None and depth <= start_depth:
            length = number - start + 1
            if length > MAX_FUNCTION_LINES:
                found.append((start, length, head))
            start = None
    return found


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    problems = []
    for dirpath, dirnames, files in os.walk(root):
        dirnames[:] = [d for d in dirnames
                       if not (os.path.relpath(os.path.join(dirpath, d), root) in SKIPPED_FOLDERS
                               or d.startswith("build"))]
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(dirpath, name)
            rel = os.path.relpath(path, root)
            if rel in DATA_TABLES:
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                count = sum(1 for _ in f)
            if count > MAX_FILE_LINES:
                problems.append(f"{rel}: {count} lines (at most {MAX_FILE_LINES})")
            for start, length, head in long_functions(path):
                problems.append(f"{rel}:{start}: function of {length} lines "
                                f"(at most {MAX_FUNCTION_LINES}): {head}")
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"code size: every file within {MAX_FILE_LINES} lines, every function within "
          f"{MAX_FUNCTION_LINES}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
