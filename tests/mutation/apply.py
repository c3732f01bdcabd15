#!/usr/bin/env python3
"""Applies one planted fault of faults.txt to a source tree.

    apply.py FAULTS_FILE NAME TREE    applies fault NAME; exit 0, or 1 when its text is not found once
    apply.py FAULTS_FILE --list       prints the fault names and their files, one a line
    apply.py --sync ROOT TREE          copies the files of ROOT's working tree (tracked and new,
                                       read as lines of paths on stdin) into TREE, writing only
                                       those whose content differs, so the others keep their
                                       time stamps and are not rebuilt

A fault is a block of faults.txt:

    == name
    file path/relative/to/the/tree
    - text that is there (one or more lines)
    + text that replaces it (none or more lines)

The "-" text is matched with any run of blanks and line breaks standing for any other, so
reformatting does not lose a fault; it must occur exactly once in the file.
"""
import re
import sys


def read_faults(path):
    faults, current = [], None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("== "):
                current = {"name": line[3:].strip(), "file": None, "old": [], "new": []}
                faults.append(current)
            elif current is None or not line.strip() or line.startswith("#"):
                continue
            elif line.startswith("file "):
                current["file"] = line[5:].strip()
            elif line.startswith("- ") or line == "-":
                current["old"].append(line[2:])
            elif line.startswith("+ ") or line == "+":
                current["new"].append(line[2:])
            else:
                sys.exit(f"{path}: cannot read line: {line}")
    return faults


def apply(fault, tree):
    path = f"{tree}/{fault['file']}"
    with open(path, encoding="utf-8") as f:
        text = f.read()
    tokens = " ".join(fault["old"]).split()
    pattern = re.compile(r"\s+".join(re.escape(t) for t in tokens))
    matches = list(pattern.finditer(text))
    if len(matches) != 1:
        print(f"{fault['name']}: found {len(matches)} times in {fault['file']}", file=sys.stderr)
        return False
    m = matches[0]
    text = text[: m.start()] + "\n".join(fault["new"]) + text[m.end() :]
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return True


def sync(root, tree):
    import os

    for rel in sys.stdin.read().split("\0"):
        if not rel:
            continue
        with open(os.path.join(root, rel), "rb") as f:
            data = f.read()
        target = os.path.join(tree, rel)
        try:
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        except FileNotFoundError:
            os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
    return 0


def main():
    if sys.argv[1] == "--sync":
        return sync(sys.argv[2], sys.argv[3])
    faults = read_faults(sys.argv[1])
    if sys.argv[2] == "--list":
        for fault in faults:
            print(f"{fault['name']} {fault['file']}")
        return 0
    fault = next((f for f in faults if f["name"] == sys.argv[2]), None)
    if fault is None:
        sys.exit(f"no fault named {sys.argv[2]}")
    return 0 if apply(fault, sys.argv[3]) else 1


if __name__ == "__main__":
    sys.exit(main())
