#!/usr/bin/env python3
"""Turns the user's guide from its source (UTF-8, LF line ends) into the
file the package holds: code page 932 with CRLF line ends, which Notepad on
a Japanese Windows shows as it is meant.

    make_guide.py SOURCE OUTPUT

A character that does not come back from code page 932 as itself stops the
build, naming its line, rather than reaching the user as another one.
"""
import sys


def fail(message):
    sys.exit("make_guide.py: " + message)


def main():
    if len(sys.argv) != 3:
        fail("usage: make_guide.py SOURCE OUTPUT")
    source, output = sys.argv[1:]
    with open(source, "rb") as file:
        raw = file.read()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as error:
        fail(f"{source} is not UTF-8 (byte {error.start})")
    if text.startswith("\ufeff") or "\r" in text:
        fail(f"{source}: keep the source without a byte order mark and with LF line ends")
    lines = []
    for number, line in enumerate(text.split("\n"), 1):
        for character in line:
            # Python's table also takes a few characters (U+301C, U+2212, ...)
            # that come back from Windows as others: refused as well.
            encoded = character.encode("cp932", errors="replace")
            if encoded.decode("cp932") != character:
                fail(f"{source}:{number}: {character!r} (U+{ord(character):04X}) has no code page 932 form")
        lines.append(line.encode("cp932"))
    with open(output, "wb") as file:
        file.write(b"\r\n".join(lines))


main()
