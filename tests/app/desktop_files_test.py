#!/usr/bin/env python3
"""The program as a member of the desktop, checked on a real installation.

Usage: desktop_files_test.py BUILD_DIR SOURCE_DIR

Installs the build into a scratch DESTDIR and checks the list of files
against tests/app/installed-files.txt; validates the desktop entry and the
AppStream metainfo with the freedesktop tools; registers the MIME type in a
scratch XDG_DATA_HOME and asks xdg-mime what an album is (by its name and,
under another name, by its content); checks that the manual pages still
say what the README says. Prints 'N passed, N failed'.
"""
import os
import shutil
import subprocess
import sys
import tempfile

BUILD, SOURCE = sys.argv[1], sys.argv[2]
results = []


def check(name, ok, detail=""):
    results.append(ok)
    print(("ok   " if ok else "FAIL ") + name + ("" if ok else ": " + detail))


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=120, **kw)


with tempfile.TemporaryDirectory() as scratch:
    root = os.path.join(scratch, "root")
    env = dict(os.environ, DESTDIR=root)
    installed = run(["cmake", "--install", BUILD, "--prefix", "/usr"], env=env)
    check("cmake --install into DESTDIR", installed.returncode == 0, installed.stderr)
    files = sorted(os.path.relpath(os.path.join(d, f), root)
                   for d, _, names in os.walk(root) for f in names)
    with open(os.path.join(SOURCE, "tests/app/installed-files.txt")) as f:
        expected = sorted(line.strip() for line in f if line.strip() and not line.startswith("#"))
    missing, extra = sorted(set(expected) - set(files)), sorted(set(files) - set(expected))
    check("installed files are the expected ones", not missing and not extra,
          f"missing {missing}, unexpected {extra}")

    desktop = os.path.join(root, "usr/share/applications/org.lumora.Lumora.desktop")
    result = run(["desktop-file-validate", desktop])
    check("desktop-file-validate", result.returncode == 0 and not result.stdout.strip(), result.stdout + result.stderr)
    with open(desktop, encoding="utf-8") as f:
        entry = f.read()
    check("desktop entry opens several files and albums",
          "Exec=lumora %F\n" in entry and "application/x-lumora-album;" in entry and "\nKeywords=" in entry, entry)

    metainfo = os.path.join(root, "usr/share/metainfo/org.lumora.Lumora.metainfo.xml")
    result = run(["appstreamcli", "validate", "--no-net", "--explain", metainfo])
    check("appstreamcli validate --no-net", result.returncode == 0, result.stdout + result.stderr)

    thumbnailer = os.path.join(root, "usr/share/thumbnailers/lumora.thumbnailer")
    with open(thumbnailer) as f:
        check("thumbnailer runs lumora-cli thumbnail",
              "Exec=lumora-cli thumbnail %i %o --size %s" in f.read())

    # The MIME type, as a desktop session would see it once installed.
    data_home = os.path.join(scratch, "data")
    os.makedirs(os.path.join(data_home, "mime/packages"))
    shutil.copy(os.path.join(root, "usr/share/mime/packages/lumora-album.xml"),
                os.path.join(data_home, "mime/packages"))
    result = run(["update-mime-database", os.path.join(data_home, "mime")])
    check("update-mime-database accepts the type", result.returncode == 0, result.stderr)
    album = os.path.join(scratch, "vacances.qza")
    disguised = os.path.join(scratch, "vacances.bin")
    made = run([os.path.join(BUILD, "src/cli/lumora-cli"), "album", "new", album])
    shutil.copy(album, disguised)
    mime_env = dict(os.environ, XDG_DATA_HOME=data_home, XDG_DATA_DIRS="/usr/share",
                    XDG_CURRENT_DESKTOP="GNOME")
    for path in (album, disguised):
        result = run(["xdg-mime", "query", "filetype", path], env=mime_env)
        check("xdg-mime query filetype " + os.path.basename(path),
              made.returncode == 0 and result.stdout.strip() == "application/x-lumora-album",
              result.stdout + result.stderr)
    # What the compiled database tells a file manager about the type.
    with open(os.path.join(data_home, "mime/application/x-lumora-album.xml"), encoding="utf-8") as f:
        compiled = f.read()
    check("the type says what it is in French and English",
          '<comment xml:lang="fr">Album photo Lumora</comment>' in compiled
          and "<comment>Lumora photo album</comment>" in compiled, compiled)

result = run([sys.executable, os.path.join(SOURCE, "scripts/make-man-pages.py"), "--check", SOURCE])
check("manual pages match the README", result.returncode == 0, result.stdout)

failed = results.count(False)
print(f"{len(results) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
