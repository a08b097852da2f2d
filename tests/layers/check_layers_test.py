#!/usr/bin/env python3
"""The layer check passes on the source tree and names each kind of offence in a small tree."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

REPOSITORY = pathlib.Path(__file__).resolve().parent.parent.parent
CHECK = REPOSITORY / "scripts" / "check-layers"

# A tree that keeps every rule: a window in app/, the program owning it, a Win32 file.
GOOD = {
    "src/base/text.h": "#pragma once\n",
    "src/records/settings.h": '#include "base/text.h"\n',
    "src/program/program.h": '#include "records/settings.h"\nclass frmMain;\n',
    "src/program/program.cpp": '#include "app/frmMain.h"\n#include "console/frmSetup.h"\n',
    "src/app/frmMain.h": '#include "program/program.h"\nclass frmMain : public forms::Form {};\n',
    "src/app/frmMain.cpp": '#include "app/frmMain.h"\n#include "enforce/ProcessCheck.h"\n',
    "src/enforce/ProcessCheck.h": '#include "base/text.h"\n',
    "src/console/frmSetup.h": "class frmSetup : public forms::Form {};\n",
    "src/console/frmSetup.cpp": '#include "console/frmSetup.h"\n#include "app/NewInputBox.h"\n',
    "src/app/NewInputBox.h": "#pragma once\n",
    "src/win32/windows_api.h": "#include <windows.h>\n#ifdef _WIN32\n#endif\n",
    "src/win32/main.cpp": '#include "program/program.h"\n#include "win32/windows_api.h"\n',
    "tests/windows/driver.cpp": "#include <tlhelp32.h>\n",
}

# One offending line added to the good tree, and the file:line the check must print.
OFFENCES = [
    ("src/base/date.h", '#include "records/settings.h"\n', "src/base/date.h:1"),
    ("src/records/log.cpp", '#include "forms/form.h"\n', "src/records/log.cpp:1"),
    ("src/enforce/DialogEnd.cpp", '#include "app/frmMain.h"\n', "src/enforce/DialogEnd.cpp:1"),
    ("src/app/frmMain.cpp", '#include "console/frmSetup.h"\n', "src/app/frmMain.cpp:3"),
    ("src/console/frmSetup.cpp", '#include "app/frmMain.h"\n', "src/console/frmSetup.cpp:3"),
    ("src/app/frmSmall.cpp", '#include "console/user_grid.h"\n', "src/app/frmSmall.cpp:1"),
    ("src/program/program.h", '#include "app/frmMain.h"\n', "src/program/program.h:3"),
    ("src/guard/guard.h", '#include "forms/form.h"\n', "src/guard/guard.h:1"),
    ("src/platform/x.h", '#include "win32/windows_api.h"\n', "src/platform/x.h:1"),
    ("src/records/file.cpp", "#include <windows.h>\n", "src/records/file.cpp:1"),
    ("src/records/file.cpp", "#include <Windows.h>\n", "src/records/file.cpp:1"),
    ("tests/unit/a_test.cpp", "#include <tlhelp32.h>\n", "tests/unit/a_test.cpp:1"),
    ("bench/measure.cpp", "  #include <io.h>\n", "bench/measure.cpp:1"),
    ("src/base/path.h", "#ifdef _WIN32\n#endif\n", "src/base/path.h:1"),
    ("src/base/path.h", "#if defined(_WIN32)\n#endif\n", "src/base/path.h:1"),
    ("fuzz/x.cpp", "#if 1\n#elif defined _WIN32\n#endif\n", "fuzz/x.cpp:2"),
    ("src/newfolder/x.cpp", '#include "base/text.h"\n', "src/newfolder/x.cpp:1"),
]


def run_check(root):
    return subprocess.run([sys.executable, str(CHECK), str(root)], capture_output=True, text=True)


def make_tree(root, files):
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        with path.open("a", encoding="utf-8") as file:
            file.write(text)


class LayerCheck(unittest.TestCase):
    def test_source_tree_keeps_the_layers(self):
        result = run_check(REPOSITORY)
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_good_tree_passes_and_each_offence_fails_with_its_line(self):
        with tempfile.TemporaryDirectory() as folder:
            make_tree(pathlib.Path(folder), GOOD)
            result = run_check(folder)
            self.assertEqual(result.returncode, 0, result.stdout)
        for name, text, where in OFFENCES:
            with self.subTest(file=name, line=text.strip()):
                with tempfile.TemporaryDirectory() as folder:
                    make_tree(pathlib.Path(folder), GOOD)
                    make_tree(pathlib.Path(folder), {name: text})
                    result = run_check(folder)
                    self.assertEqual(result.returncode, 1, result.stdout)
                    self.assertIn(where + ":", result.stdout)


if __name__ == "__main__":
    unittest.main()
