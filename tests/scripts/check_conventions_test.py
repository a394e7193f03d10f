#!/usr/bin/env python3
"""Runs scripts/check-conventions on a small tree per case: each planted break is caught with its
file:line, and what the conventions allow passes."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-conventions"

# name, file under src/, its text, the expected report (None: the tree passes)
CASES = [
    ("bare text id", "calls/Popup.cpp", "int a;\nauto t = LoadResStr(1800);\n",
     "calls/Popup.cpp:2: LoadResStr takes a named text id"),
    ("bare text id after a space", "app/Cmd.cpp", "auto t = LoadResStr( 3022);\n", "app/Cmd.cpp:1:"),
    ("named text id", "calls/Popup.cpp", "auto t = LoadResStr(TxtCallsPopupCaption);\n", None),
    ("date format outside its home", "reports/Export.cpp", 'auto f = QStringLiteral("yyyy-MM-dd");\n',
     'reports/Export.cpp:1: "yyyy-MM-dd" is spelled in core/DateFormats.h only'),
    ("time format outside its home", "web/Api.h", 'inline auto f = "HH:mm:ss";\n', 'web/Api.h:1: "HH:mm:ss"'),
    ("formats at home", "core/DateFormats.h", 'constexpr QLatin1String IsoDateFormat("yyyy-MM-dd");\n', None),
    ("mutable extern in a header", "core/Globals.h", "#pragma once\nextern QString DataDir;\n",
     "core/Globals.h:2: a header declares no mutable extern"),
    ("extern const in a header", "devices/Params.h", "extern const std::array<int, 3> Params;\n", None),
    ("the data mutex", "core/DataStore.h", "extern QRecursiveMutex DataMutex;\n", None),
    ("extern in a source file", "core/Globals.cpp", "extern int counter;\n", None),
]


class CheckConventionsTest(unittest.TestCase):
    def test_cases(self):
        for name, file, text, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                src = pathlib.Path(root, "src")
                (src / file).parent.mkdir(parents=True)
                (src / file).write_text(text, encoding="utf-8")
                run = subprocess.run([sys.executable, str(SCRIPT), str(src)], capture_output=True, text=True)
                if expected is None:
                    self.assertEqual((run.returncode, run.stdout), (0, ""))
                else:
                    self.assertEqual(run.returncode, 1, run.stdout)
                    self.assertIn(expected, run.stdout)


if __name__ == "__main__":
    unittest.main()
