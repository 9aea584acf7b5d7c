#!/usr/bin/env python3
"""Checks that every folder includes only the headers of the folders it may use
(CONTRIBUTING.md, "Folders and what each may use"): an include names its folder,
so a header of a folder above is caught here, not left for a review to see.
Usage: python3 scripts/check-includes.py (exit 1 and one line per fault)."""
import os
import re
import subprocess
import sys

# Each folder and the folders whose headers it may include besides its own.
BELOW_SHELL = {"shell", "shell/media", "export", "corpus", "scaling", "assets"}
MAY_USE = {
    "app": None,  # everything
    "tests": None,
    "bench": None,
    "search": {"corpus", "shell", "export", "scaling"},
    "browser": BELOW_SHELL,
    "help": BELOW_SHELL,
    "info": BELOW_SHELL,
    "shell": {"shell/media", "export", "corpus", "scaling", "assets"},
    "shell/media": set(),
    "export": set(),
    "corpus": set(),
    "scaling": set(),
    "assets": set(),
    "tools": {"corpus", "search"},
}


def folder_of(path):
    """The folder of the table a file or header belongs to."""
    parts = path.split("/")
    if len(parts) > 2 and "/".join(parts[:2]) in MAY_USE:
        return "/".join(parts[:2])
    return parts[0]


def main():
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    files = subprocess.check_output(["git", "ls-files", "*.cpp", "*.h"], cwd=top, text=True).split()
    include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
    faults = []
    for path in files:
        here = folder_of(path)
        if here not in MAY_USE:
            faults.append(f"{path}: folder {here} is not in the table of folders")
            continue
        allowed = MAY_USE[here]
        with open(os.path.join(top, path), encoding="utf-8") as source:
            text = source.read()
        for match in include.finditer(text):
            header = match.group(1)
            if header.endswith(".moc"):
                continue
            line = text.count("\n", 0, match.start()) + 1
            if "/" not in header:
                faults.append(f'{path}:{line}: "{header}" does not name its folder')
                continue
            there = folder_of(header)
            if allowed is not None and there != here and there not in allowed:
                faults.append(f'{path}:{line}: {here}/ may not include "{header}"')
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
