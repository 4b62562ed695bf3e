#!/usr/bin/env python3
"""Keeps the libraries a tree: every arrow points down, and the README draws what the build does.

The build files declare each library's direct dependencies
(`varnel_core_module(NAME DEPS a b ...)`; for the command-line tool, its `target_link_libraries`).
This check fails when
  - those declarations form a cycle (two libraries that need each other);
  - a source file includes a header of a library its own library does not depend on, directly or
    through others (an include against the tree's direction, or sideways);
  - a window source (a folder's `ui/`) includes the windows of a library below which its own
    library does not depend on;
  - the README's "Architecture" table does not list exactly the libraries and direct
    dependencies the build declares.

Usage: check_dependencies.py [SOURCE_DIR]        check the tree (default: this script's project)
       check_dependencies.py --self-test          show that a back-edge and a stale README fail
"""

import os
import re
import shutil
import sys
import tempfile

CORE_MODULE = re.compile(r"varnel_core_module\(\s*(\w+)([^)]*)\)")
LINK_LIBRARIES = re.compile(r"target_link_libraries\(\s*(\w+)([^)]*)\)")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z0-9_]+)/(ui/)?[^"]+"', re.MULTILINE)
TABLE_ROW = re.compile(r"^\|\s*`([a-z0-9_]+)/?`\s*\|\s*([^|]*)\|", re.MULTILINE)
# Folders whose sources are programs over the libraries rather than libraries themselves; they
# declare their dependencies by the libraries they link.
PROGRAM_FOLDERS = {"cli": "varnel_cli_commands"}
# Folders that are not part of the shipped tree.
IGNORED_FOLDERS = {"tests", "bench", "build", "cmake", "docs", "scripts"}
SOURCE_SUFFIXES = (".cpp", ".h")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def declared_dependencies(root):
    """Maps each library folder to the set of libraries it names as direct dependencies."""
    graph = {}
    for folder in sorted(os.listdir(root)):
        cmake = os.path.join(root, folder, "CMakeLists.txt")
        if folder in IGNORED_FOLDERS or not os.path.isfile(cmake):
            continue
        text = read(cmake)
        match = CORE_MODULE.search(text)
        if match:
            if match.group(1) != folder:
                raise SystemExit(f"{cmake}: library '{match.group(1)}' lives in folder '{folder}'")
            deps_part = re.split(r"\bLIBS\b", match.group(2))[0]
            graph[folder] = set(re.sub(r"\bDEPS\b", " ", deps_part).split())
        elif folder in PROGRAM_FOLDERS:
            for target, args in LINK_LIBRARIES.findall(text):
                if target == PROGRAM_FOLDERS[folder]:
                    graph[folder] = set(re.findall(r"\bvarnel_([a-z0-9_]+)\b", args))
    return graph


def find_cycle(graph):
    """Returns a list of libraries forming a cycle, or None."""
    state = {}
    stack = []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for dep in sorted(graph.get(node, ())):
            if state.get(dep) == "open":
                return stack[stack.index(dep):] + [dep]
            if dep not in state:
                cycle = visit(dep)
                if cycle:
                    return cycle
        stack.pop()
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            cycle = visit(node)
            if cycle:
                return cycle
    return None


def closure(graph, node):
    seen = set()
    todo = list(graph.get(node, ()))
    while todo:
        dep = todo.pop()
        if dep not in seen:
            seen.add(dep)
            todo.extend(graph.get(dep, ()))
    return seen


def include_problems(root, graph):
    problems = []
    for folder in sorted(graph):
        below = closure(graph, folder)
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            in_ui = os.path.relpath(dirpath, os.path.join(root, folder)).split(os.sep)[0] == "ui"
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(dirpath, name)
                for target, ui in INCLUDE.findall(read(path)):
                    if target == folder and (in_ui or not ui):
                        continue
                    rel = os.path.relpath(path, root)
                    if target == folder:
                        problems.append(f"{rel}: the core of '{folder}' includes its own windows")
                    elif target not in graph:
                        continue  # a system or third-party header that happens to have a slash
                    elif target not in below:
                        problems.append(
                            f"{rel}: '{folder}' includes '{target}/', which is not below it")
                    elif ui and not in_ui:
                        problems.append(f"{rel}: the core of '{folder}' includes '{target}/ui/'")
    return problems


def readme_problems(root, graph):
    text = read(os.path.join(root, "README.md"))
    section = re.search(r"^## Architecture\n(.*?)(?=^## |\Z)", text, re.MULTILINE | re.DOTALL)
    if not section:
        return ["README.md: no '## Architecture' section"]
    listed = {}
    for name, deps in TABLE_ROW.findall(section.group(1)):
        listed[name] = set(re.findall(r"`([a-z0-9_]+)`", deps))
    problems = []
    for name in sorted(set(graph) | set(listed)):
        if name not in listed:
            problems.append(f"README.md: the Architecture table lacks '{name}'")
        elif name not in graph:
            problems.append(f"README.md: the Architecture table lists '{name}', which is no library")
        elif listed[name] != graph[name]:
            problems.append(
                f"README.md: '{name}' depends on {sorted(graph[name])} in the build, "
                f"{sorted(listed[name])} in the Architecture table")
    return problems


def check(root):
    graph = declared_dependencies(root)
    problems = []
    for name, deps in sorted(graph.items()):
        for dep in sorted(deps - set(graph)):
            problems.append(f"{name}/CMakeLists.txt: depends on unknown library '{dep}'")
    cycle = find_cycle(graph)
    if cycle:
        problems.append("the build's dependencies form a cycle: " + " -> ".join(cycle))
    else:
        problems += include_problems(root, graph)
    problems += readme_problems(root, graph)
    return graph, problems


def self_test(root):
    """Copies the build files, README and sources to a scratch tree, adds back-edges, and checks
    that each one is caught while the untouched copy passes."""
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        tree = os.path.join(scratch, "tree")
        shutil.copytree(root, tree, ignore=shutil.ignore_patterns(
            "build*", ".git", "tests", "bench", "docs", "*.png"))
        _, problems = check(tree)
        if problems:
            failures.append("the unchanged copy fails: " + "; ".join(problems))

        def expect_failure(what, path, old, new):
            full = os.path.join(tree, path)
            original = read(full)
            with open(full, "w", encoding="utf-8") as f:
                f.write(original.replace(old, new, 1) if old else original + new)
            _, found = check(tree)
            if not found:
                failures.append(f"{what} was not caught")
            with open(full, "w", encoding="utf-8") as f:
                f.write(original)

        expect_failure("a link from platform up to i18n", "platform/CMakeLists.txt",
                       "varnel_core_module(platform LIBS",
                       "varnel_core_module(platform DEPS i18n LIBS")
        expect_failure("an include from platform up to i18n", "platform/status.h",
                       "", '\n#include "i18n/string_table.h"\n')
        expect_failure("an include from the core into its windows", "app/varnel_profile.h",
                       "", '\n#include "app/ui/main_frame.h"\n')
        expect_failure("an include from platform's windows up to i18n's", "platform/ui/qt_text.h",
                       "", '\n#include "i18n/ui/language_dialog.h"\n')
        expect_failure("a README table missing a dependency", "README.md",
                       "| `mail` | `platform` `i18n` `addressbook` |",
                       "| `mail` | `platform` `i18n` |")
    return failures


def main(argv):
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(argv) > 1 and argv[1] == "--self-test":
        failures = self_test(argv[2] if len(argv) > 2 else here)
        for failure in failures:
            print("self-test:", failure)
        print(f"{5 - len(failures)} passed, {len(failures)} failed")
        return 1 if failures else 0
    root = argv[1] if len(argv) > 1 else here
    graph, problems = check(root)
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"dependency tree: {len(graph)} libraries, every include and link points down")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
