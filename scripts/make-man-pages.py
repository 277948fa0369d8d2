#!/usr/bin/env python3
"""Makes the manual pages lumora(1) and lumora-cli(1) from README.md.

Usage: make-man-pages.py [--check] [SOURCE_DIR]

The synopsis of lumora-cli is the README's "Command line" block, its
description the notes under it; lumora(1) takes the README's "The program"
section. The pages are committed in docs/man; --check exits 1 when they no
longer match the README (the test suite runs it).
"""
import os
import re
import sys

VERSION = "2.0"


def section(text, title):
    match = re.search(r"^## " + re.escape(title) + r"\n(.*?)(?=^## |\Z)", text, re.S | re.M)
    if not match:
        sys.exit(f"README.md has no section '{title}'")
    return match.group(1).strip("\n")


def escape(text):
    text = text.replace("\\", "\\e")
    text = re.sub(r"^([.'])", r"\\&\1", text, flags=re.M)
    return text.replace("-", "\\-")


def inline(text):
    """Markdown emphasis and code to troff fonts."""
    text = escape(text)
    text = re.sub(r"`([^`]+)`", r"\\fB\1\\fR", text)
    return re.sub(r"\*\*([^*]+)\*\*", r"\\fB\1\\fR", text)


def paragraphs(markdown):
    """Plain paragraphs and bullet lists, images dropped."""
    out = []
    for block in re.split(r"\n\s*\n", markdown.strip()):
        if block.startswith("!["):
            continue
        if block.lstrip().startswith("- "):
            for item in re.split(r"^- ", block.strip(), flags=re.M):
                if item.strip():
                    out.append(".IP \\(bu 2\n" + inline(" ".join(item.split())))
        else:
            out.append(".PP\n" + inline(" ".join(block.split())))
    return out


def header(name, summary):
    title = escape(name.upper())
    return [f'.TH {title} 1 "" "Lumora {VERSION}" "User Commands"',
            ".SH NAME", f"{escape(name)} \\- {escape(summary)}"]


def cli_page(readme):
    text = section(readme, "Command line")
    block = re.search(r"```\n(.*?)```", text, re.S).group(1)
    notes = text[text.index("```", text.index("```") + 3) + 3:]
    notes = notes.split("\nExample")[0]
    lines = header("lumora-cli", "the album and picture operations of Lumora for scripts")
    lines.append(".SH SYNOPSIS")
    lines.append(".nf")
    lines += [escape(command) for command in block.strip("\n").split("\n")]
    lines.append(".fi")
    lines.append(".SH DESCRIPTION")
    lines += paragraphs(notes)
    example = re.search(r"Example[^\n]*\n\n```sh\n(.*?)```", text, re.S)
    if example:
        lines += [".SH EXAMPLE", ".nf", escape(example.group(1).rstrip("\n")), ".fi"]
    lines += [".SH SEE ALSO", "\\fBlumora\\fR(1)"]
    return "\n".join(lines) + "\n"


def program_page(readme):
    text = section(readme, "The program")
    lines = header("lumora", "photo albums on a desk: make, leaf through, show and print them")
    lines += [".SH SYNOPSIS", "\\fBlumora\\fR [\\fIFICHIER\\fR...]", ".SH DESCRIPTION"]
    lines += paragraphs(text)
    lines += [".SH FILES", ".TP", "\\fI~/.config/lumora/lumora.ini\\fR",
              "The preferences.", ".SH SEE ALSO", "\\fBlumora\\-cli\\fR(1)"]
    return "\n".join(lines) + "\n"


def main(argv):
    check = "--check" in argv
    args = [a for a in argv[1:] if a != "--check"]
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    with open(os.path.join(root, "README.md"), encoding="utf-8") as f:
        readme = f.read()
    pages = {"lumora.1": program_page(readme), "lumora-cli.1": cli_page(readme)}
    stale = []
    for name, page in pages.items():
        path = os.path.join(root, "docs", "man", name)
        if check:
            try:
                with open(path, encoding="utf-8") as f:
                    if f.read() != page:
                        stale.append(path)
            except FileNotFoundError:
                stale.append(path)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as f:
                f.write(page)
    if stale:
        print("out of date with README.md (run scripts/make-man-pages.py): " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
