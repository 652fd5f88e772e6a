#!/usr/bin/env python3
"""Checks that every relative link and image in the project's Markdown resolves to a file or folder.

Usage: check-links.py [FILE.md ...]; without arguments README.md and docs/*.md of the project.
Links to other sites (a scheme such as https: or mailto:) and links within the same page (#heading) are
not followed; a #heading after a path is dropped and the path checked. Code blocks and code spans are
skipped. Prints each broken link as FILE:LINE: TARGET and ends with status 1 if there is one.
"""
import os
import pathlib
import re
import sys
import urllib.parse

ROOT = pathlib.Path(__file__).resolve().parent.parent

INLINE = re.compile(r"!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")  # [text](target "title")
REFERENCE = re.compile(r"^\s{0,3}\[[^\]]+\]:\s*<?(\S+?)>?(?:\s.*)?$")     # [name]: target
HTML = re.compile(r"<(?:img|a)\b[^>]*?\b(?:src|href)=\"([^\"]+)\"", re.IGNORECASE)
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:")
FENCE = re.compile(r"^\s{0,3}(```|~~~)")
CODE_SPAN = re.compile(r"(`+).*?\1")


def targets(text):
    """(line number, target) of every link and image outside code."""
    fence = None
    for number, line in enumerate(text.splitlines(), 1):
        opened = FENCE.match(line)
        if fence:
            if opened and opened.group(1) == fence:
                fence = None
            continue
        if opened:
            fence = opened.group(1)
            continue
        line = CODE_SPAN.sub("", line)
        for pattern in (INLINE, REFERENCE, HTML):
            for match in pattern.finditer(line):
                yield number, match.group(1)


def broken(markdown):
    """The targets of one Markdown file that name nothing on disk."""
    for number, target in targets(markdown.read_text(encoding="utf-8")):
        if SCHEME.match(target) or target.startswith("#"):
            continue
        path = urllib.parse.unquote(target.split("#", 1)[0].split("?", 1)[0])
        base = ROOT if path.startswith("/") else markdown.parent
        if not (base / path.lstrip("/")).exists():
            yield number, target


def main(arguments):
    files = [pathlib.Path(name).resolve() for name in arguments] or \
        [ROOT / "README.md", *sorted((ROOT / "docs").glob("*.md"))]
    failures = 0
    for markdown in files:
        for number, target in broken(markdown):
            print(f"{os.path.relpath(markdown)}:{number}: {target}")
            failures += 1
    if failures:
        print(f"check-links: {failures} broken link(s)", file=sys.stderr)
        return 1
    print(f"check-links: every relative link resolves in {len(files)} file(s)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
