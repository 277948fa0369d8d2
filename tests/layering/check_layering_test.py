#!/usr/bin/env python3
"""The layering check finds each kind of breach in a small planted tree."""
import os
import subprocess
import sys
import tempfile

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layering.py")

CASES = [
    # (file, include line, is a breach)
    ("src/core/formats/a.cpp", '#include "core/platform/file.h"', False),
    ("src/core/formats/a.cpp", '#include "core/album/album_item.h"', True),
    ("src/core/formats/pcd/a.cpp", '#include "core/picture/picture.h"', False),
    ("src/core/formats/a.cpp", '#include "core/colour/palette.h"', True),
    ("src/core/picture/a.cpp", '#include "core/formats/jpeg_reader.h"', True),
    ("src/core/colour/a.cpp", '#include "core/picture/picture.h"', False),
    ("src/core/picture_document/a.cpp", '#include "core/formats/image_format.h"', False),
    ("src/core/print/a.cpp", '#include "core/gather/gather.h"', True),
    ("src/core/gather/a.cpp", '#include "core/sound/sounds.h"', False),
    ("src/core/sound/a.cpp", '#include "core/gather/gather.h"', True),
    ("src/core/newfolder/a.cpp", '#include "core/album/album_item.h"', True),
    ("src/core/layout/a.cpp", '#include "core/album/album_document.h"', True),
    ("src/core/album/a.cpp", '#include "core/layout/pagination.h"', False),
    ("src/core/platform/a.h", '#include "core/res/strings.h"', True),
    ("src/core/slideshow/a.cpp", '#include "core/album/album_item.h"', False),
    ("src/core/album/a.cpp", "#include <QString>", True),
    ("src/core/album/a.cpp", "#include <QtCore/QString>", True),
    ("src/core/album/a.cpp", '#include "gui/album/album_view.h"', True),
    ("src/gui/album/a.cpp", '#include "app/main_window.h"', True),
    ("src/gui/album/a.cpp", '#include "core/album/album_item.h"', False),
    ("src/gui/platform/a.cpp", '#include "gui/album/album_view.h"', True),
    ("src/gui/widgets/a.cpp", '#include "gui/print/album_print.h"', True),
    ("src/gui/widgets/a.cpp", '#include "gui/platform/commands.h"', False),
    ("src/gui/print/a.cpp", '#include "gui/album/album_view.h"', False),
    ("src/cli/a.cpp", '#include "app/lumora_app.h"', True),
    ("src/cli/a.cpp", '#include "gui/album/book_pictures.h"', False),
    ("src/app/a.cpp", '#include "cli/cli_support.h"', True),
    ("src/app/a.cpp", '#include "gui/album/album_view.h"', False),
    ("src/core/album/a.cpp", '    ReportStop(album_text::FirstTabStays());', True),
    ("src/core/formats/a.cpp", "ShowHeldMessages(ReadMessages(read));", True),
    ("src/core/gather/a.cpp", "CurrentErrorReporter().ShowMessage(t, c, i);", True),
    ("src/core/album/a.h", "// the caller shows them (ShowHeldMessages(messages))", False),
    ("src/core/platform/services.cpp", "void ShowHeldMessages(const std::vector<HeldMessage>& m)", False),
    ("src/gui/album/a.cpp", "    ReportStop(album_text::FirstTabStays());", False),
]


def run(relpath, line):
    with tempfile.TemporaryDirectory() as root:
        path = os.path.join(root, relpath)
        os.makedirs(os.path.dirname(path))
        with open(path, "w", encoding="utf-8") as source:
            source.write(line + "\n")
        return subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)


def main():
    failures = 0
    for relpath, line, breach in CASES:
        result = run(relpath, line)
        if (result.returncode != 0) != breach:
            failures += 1
            print(f"FAILED: {relpath} with {line}: exit {result.returncode}\n{result.stdout}")
    print(f"{len(CASES) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
