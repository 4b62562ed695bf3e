#!/usr/bin/env python3
"""Keeps a command-line program's man page true to its --help: every option the program's help
lists must appear in the man page, and every command and subcommand must head an entry (a line
that starts with its name in bold).

Usage: check_man_page.py PROGRAM MAN_PAGE
"""

import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])(--[a-z][a-z-]*)")
ENTRY = re.compile(r"^\s*([a-z][a-z-]*)(\s|$)")


def help_text(program, path):
    # The help goes to standard output; standard error may carry a sanitizer's report.
    run = subprocess.run([program, *path, "--help"], capture_output=True, text=True, check=False)
    return run.stdout


def subcommands(text):
    """The names listed in the help's "Subcommands:" section."""
    names, inside = [], False
    for line in text.splitlines():
        if line.startswith("Subcommands:"):
            inside = True
        elif inside and line.strip() and not line.startswith(" "):
            match = ENTRY.match(line)
            if match:
                names.append(match.group(1))
        elif inside and line.startswith("  ") and not line.startswith("   "):
            match = ENTRY.match(line)
            if match:
                names.append(match.group(1))
    return names


def collect(program, path, found):
    text = help_text(program, path)
    found.update(OPTION.findall(text))
    for name in subcommands(text):
        if name not in path:
            found.add(" ".join([*path, name]))
            collect(program, [*path, name], found)


def plain(troff):
    """The man page's words with troff's escapes and font changes taken out."""
    text = re.sub(r"\\f[BIRP]", "", troff)
    text = text.replace("\\-", "-")
    text = re.sub(r"^\.[A-Z]+\s*", "", text, flags=re.MULTILINE)
    return re.sub(r"\s+", " ", text.replace('"', ""))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    program, page = sys.argv[1:]
    found = set()
    collect(program, [], found)
    with open(page, encoding="utf-8") as f:
        troff = f.read()
    words = plain(troff)
    headings = [
        plain(line).strip()
        for line in troff.splitlines()
        if line.startswith(".B") or line.startswith("\\fB")
    ]

    def mentioned(item):
        if item.startswith("--"):
            return item in words
        return any(h == item or h.startswith(item + " ") for h in headings)

    missing = sorted(item for item in found if not mentioned(item))
    if not found:
        sys.exit(f"{program} printed no help")
    if missing:
        sys.exit(f"{page} does not mention: " + ", ".join(missing))
    print(f"{page}: all {len(found)} commands and options of {program} are there")


if __name__ == "__main__":
    main()
