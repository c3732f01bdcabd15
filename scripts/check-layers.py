#!/usr/bin/env python3
"""Fails when a source file includes a header from a higher layer, or from a sibling folder of
its own layer. The program's folders are layered, lowest first; each may include headers of its
own folder and of any lower layer. Headers are included by file name, so the check finds the
folder of each included name. Prints every offending include, one per line."""
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# Layer of each folder (relative to the repository); folders of one layer must not include
# each other.
LAYERS = [
    ["app/core/data"],
    ["app/core/workout"],
    ["app/core/reports", "app/core/charts"],
    ["app/core/import", "app/core/export"],
    ["app/core/export/pdf", "monthpane", "triang"],
    ["cli", "app/ui/platform"],
    ["app/ui/charts"],
    ["app/ui/catalogs"],
    ["app/ui/logs"],
    ["app/ui/reports", "app/ui/graphs", "app/ui/import"],
    ["app/ui/shell"],
    ["app"],
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
# Everything below this rank is free of widgets and may not include a window's header.
CORE = ["app/core/data", "app/core/workout", "app/core/reports", "app/core/charts",
        "app/core/import", "app/core/export", "app/core/export/pdf"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
# Headers of Qt's widget module (a core file may use Qt Core, and PDF output Qt Gui).
WIDGETS = re.compile(r'^\s*#\s*include\s+<(QtWidgets/|QtCharts/|Q(Widget|Dialog|MainWindow|'
                     r'Application|MessageBox|LineEdit|ComboBox|Label|PushButton|Chart\w*)>)')


def main():
    where = {}
    for folder in RANK:
        path = os.path.join(ROOT, folder)
        if not os.path.isdir(path):
            continue
        for name in os.listdir(path):
            if name.endswith((".h", ".cpp")):
                where.setdefault(name, []).append(folder)
    problems = []
    for name, folders in sorted(where.items()):
        if len([f for f in folders if f.startswith("app")]) > 1 and name.endswith(".h"):
            problems.append(f"{name}: one header name in {', '.join(folders)}")
    for folder in RANK:
        path = os.path.join(ROOT, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cpp")):
                continue
            with open(os.path.join(path, name), encoding="utf-8") as source:
                for number, line in enumerate(source, 1):
                    if folder in CORE and WIDGETS.match(line):
                        problems.append(f"{folder}/{name}:{number}: core file includes a widget")
                        continue
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    header = os.path.basename(match.group(1))
                    homes = where.get(header)
                    if not homes:
                        continue  # generated (moc, export headers) or a system header
                    home = folder if folder in homes else homes[0]
                    if home == folder:
                        continue
                    if RANK[home] >= RANK[folder]:
                        problems.append(f"{folder}/{name}:{number}: includes {header} from "
                                        f"{home}, which is not a lower layer")
                    elif folder in CORE and home not in CORE:
                        problems.append(f"{folder}/{name}:{number}: core file includes {header}")
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) cross the layers")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
