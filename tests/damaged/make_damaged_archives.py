#!/usr/bin/env python3
"""Writes the damaged and hostile PAK archives that the engine and quarrow-cli are tested against, and
expectations.tsv, which says what each must get:

    name  refused  <ArchiveProblem>
    name  opened   <entry count>  <skipped entries>  <files written below the destination>  <notes>

Skipped entries are "position:SkipReason" or "position:UnsafeName:NameProblem", comma-separated; the
files are relative paths with "/" between levels, ";"-separated, in UTF-8. The notes are what a
health check finds besides the problems that make extraction skip entries: "Kind", "Kind:1+2" (the
entries) or "Kind@24-30" (the bytes, end excluded), or both, comma-separated. Every archive is a few
hundred bytes at most; the folder is made anew on every run.

Usage: make_damaged_archives.py OUTPUT_FOLDER
"""

import os
import shutil
import struct
import sys

DATA_START = 24
ENTRY_SIZE = 64
NAME_SIZE = 40


def entry(name, size, offset):
    field = name[:NAME_SIZE].ljust(NAME_SIZE, b"\0")
    return struct.pack("<ii16x", size, offset) + field


class Archive:
    """An archive laid out as the packer lays it, with every number open to damage."""

    def __init__(self, magic=b"PAKS"):
        self.magic = magic
        self.data = b""
        self.entries = []  # [name bytes, size, offset]
        self.count = None
        self.index_offset = None
        self.cut_to = None
        self.trailer = b""

    def add(self, name, content):
        self.entries.append([name, len(content), DATA_START + len(self.data)])
        self.data += content
        return self

    def add_raw(self, name, size, offset):
        self.entries.append([name, size, offset])
        return self

    def bytes(self):
        data_end = DATA_START + len(self.data)
        natural_index = 16 * ((data_end + 1 + 15) // 16) + 1
        index = b"".join(entry(*e) for e in self.entries)
        count = len(self.entries) if self.count is None else self.count
        offset = natural_index if self.index_offset is None else self.index_offset
        header = self.magic + struct.pack("<iii", count, offset, 16447) + bytes(8)
        body = header + self.data + bytes(natural_index - data_end) + index + self.trailer
        return body if self.cut_to is None else body[: self.cut_to]


def good(name=b"GOOD.TXT", content=b"good"):
    return Archive().add(name, content)


def damaged_header_cases():
    cut_index = good().add(b"SECOND.TXT", b"second")
    cut_index.cut_to = len(cut_index.bytes()) - ENTRY_SIZE + 10

    def counted(count):
        a = good()
        a.count = count
        return a

    def indexed(offset, count=None):
        a = good()
        a.index_offset = offset
        a.count = count
        return a

    header_only = good()
    header_only.cut_to = 16
    return [
        ("not-a-pak-text", b"just some text, no archive\n", "refused", "BadMagic"),
        ("empty-file", b"", "refused", "BadMagic"),
        ("magic-cut-to-three-bytes", b"PAK", "refused", "BadMagic"),
        ("magic-pakx", good().bytes().replace(b"PAKS", b"PAKX", 1), "refused", "BadMagic"),
        ("header-cut-after-magic", b"PAKS\x01\0\0\0\x31\0", "refused", "TruncatedHeader"),
        ("header-without-index", header_only.bytes(), "refused", "IndexOutsideFile"),
        ("index-cut-inside-last-entry", cut_index.bytes(), "refused", "IndexOutsideFile"),
        ("count-negative", counted(-1).bytes(), "refused", "NegativeCount"),
        ("count-most-negative", counted(-(2**31)).bytes(), "refused", "NegativeCount"),
        ("count-huge", counted(2**31 - 1).bytes(), "refused", "IndexOutsideFile"),
        ("count-one-too-many", counted(2).bytes(), "refused", "IndexOutsideFile"),
        ("index-offset-negative", indexed(-64).bytes(), "refused", "IndexOutsideFile"),
        ("index-offset-past-end", indexed(1 << 30).bytes(), "refused", "IndexOutsideFile"),
        ("index-end-overflows-32-bits", indexed(2**31 - 16, 2).bytes(), "refused", "IndexOutsideFile"),
    ]


def opened_cases():
    """(name, archive, skipped, files, notes): the archive opens; the rest as in the manifest."""
    cases = []

    def case(name, archive, skipped, files, notes=()):
        cases.append((name, archive, skipped, files, notes))

    case("magic-lower-case", Archive(b"paks").add(b"GOOD.TXT", b"good"), [], ["GOOD.TXT"])
    empty = Archive()
    empty.index_offset = -5  # nothing is read there
    # The zeros that would stand before an index are no padding when the index is nowhere.
    case("count-zero-offset-negative", empty, [], [], ["Gap@24-33"])
    overlapping = good(b"DATA.BIN", b"data")
    overlapping.index_offset = 0  # the index is the header itself: its one entry is absurdly large
    overlapping.count = 1
    case("index-over-the-header", overlapping, ["1:DataOutsideArchive"], [], ["AppendedContent@64-97"])

    outside = (
        good()
        .add_raw(b"OFFSET-NEGATIVE.BIN", 4, -10)
        .add_raw(b"SIZE-NEGATIVE.BIN", -4, 24)
        .add_raw(b"SIZE-PAST-END.BIN", 5000, 24)
        .add_raw(b"OFFSET-PAST-END.BIN", 1, 1 << 20)
        .add_raw(b"END-OVERFLOWS-32-BITS.BIN", 2**31 - 1, 2**31 - 1)
        .add(b"LAST.TXT", b"last")
    )
    case("entries-outside-the-file", outside, [f"{i}:DataOutsideArchive" for i in range(2, 7)],
         ["GOOD.TXT", "LAST.TXT"])
    into_index = good()
    into_index.add_raw(b"INTO-INDEX.BIN", 40, 24)  # legal: its bytes run on into the index
    case("entry-reaching-into-the-index", into_index, [], ["GOOD.TXT", "INTO-INDEX.BIN"],
         ["OverlappingData:1+2@24-64"])
    shared = good(b"ONE.TXT", b"shared").add_raw(b"TWO.TXT", 6, 24)
    case("entries-sharing-their-data", shared, [], ["ONE.TXT", "TWO.TXT"], ["OverlappingData:1+2@24-30"])
    twice = good(b"SAME.TXT", b"first").add(b"SAME.TXT", b"second")
    case("same-name-twice", twice, [], ["SAME.TXT"], ["RepeatedName:1+2"])
    trailer = good()
    trailer.trailer = b"\r\nappended content after the index"
    case("bytes-after-the-index", trailer, [], ["GOOD.TXT"], ["AppendedContent@97-131"])
    hole = good()
    hole.data += b"hole"  # listed by no entry
    hole.add(b"TAIL.TXT", b"tail")
    case("bytes-between-entries", hole, [], ["GOOD.TXT", "TAIL.TXT"], ["Gap@28-32"])

    traversal = (
        good()
        .add(b"..\\ESCAPE.TXT", b"x")
        .add(b"DATA\\..\\..\\ESCAPE.TXT", b"x")
        .add(b"DATA\\..\\INSIDE.TXT", b"x")
        .add(b"\\ROOTED.TXT", b"x")
        .add(b"\\\\SERVER\\SHARE\\X.TXT", b"x")
        .add(b"C:\\DRIVE.TXT", b"x")
        .add(b"C:DRIVE.TXT", b"x")
        .add(b"../SLASH.TXT", b"x")
        .add(b"/tmp/ABSOLUTE.TXT", b"x")
    )
    # Empty levels are left out: the rooted and the network name land inside the destination.
    case("names-with-traversal", traversal,
         ["2:UnsafeName:ParentReference", "3:UnsafeName:ParentReference", "4:UnsafeName:ParentReference",
          "7:UnsafeName:InvalidCharacter", "8:UnsafeName:InvalidCharacter", "9:UnsafeName:InvalidCharacter",
          "10:UnsafeName:InvalidCharacter"],
         ["GOOD.TXT", "ROOTED.TXT", "SERVER/SHARE/X.TXT"])
    devices = good()
    for name in (b"CON", b"NUL.TXT", b"com1.bmp", b"LPT9", b"AUX .TXT", b"DATA\\PRN", b"CONIN$"):
        devices.add(name, b"x")
    case("names-of-devices", devices, [f"{i}:UnsafeName:DeviceName" for i in range(2, 9)], ["GOOD.TXT"])
    invalid = good()
    for name in (b"A<B", b"A>B", b'A"B', b"A|B", b"A?B", b"A*B", b"A\x01B", b"A\x1fB"):
        invalid.add(name, b"x")
    case("names-with-invalid-characters", invalid, [f"{i}:UnsafeName:InvalidCharacter" for i in range(2, 10)],
         ["GOOD.TXT"])
    levels = (
        good()
        .add(b"TRAILING.", b"x")
        .add(b"TRAILING ", b"x")
        .add(b"DIR.\\X.TXT", b"x")
        .add(b"", b"x")
        .add(b"\\", b"x")
        .add(b"A\\\\B.TXT", b"x")
        .add(b"DIR\\", b"x")
        .add(b"X.PAK.quarrow-tmp-0123456789abcdef", b"x")
    )
    case("names-with-bad-levels", levels,
         ["2:UnsafeName:TrailingDotOrSpace", "3:UnsafeName:TrailingDotOrSpace", "4:UnsafeName:TrailingDotOrSpace",
          "5:UnsafeName:Empty", "6:UnsafeName:EmptyFileName", "8:UnsafeName:EmptyFileName",
          "9:UnsafeName:ReservedName"],
         ["A/B.TXT", "GOOD.TXT"])
    forty = b"N" * 36 + b".BIN"
    chinese = "地图城池兵器将军宝物士兵城门粮草战马弓箭".encode("gbk")
    assert len(chinese) == NAME_SIZE
    case("names-without-terminator", good().add(forty, b"forty").add(chinese, b"chinese"), [],
         ["GOOD.TXT", forty.decode(), chinese.decode("gbk")])
    trail = b"\x81\x5c.BIN"  # a character whose second byte is the separator's code
    case("name-with-separator-as-second-byte", good().add(trail, b"one file"), [],
         ["GOOD.TXT", trail.decode("gbk")])
    undecodable = good().add(b"A\x81\x7f.BIN", b"x").add(b"ENDS-IN-LEAD\x81", b"x").add(b"\xff\xff", b"x")
    case("names-not-in-code-page-936", undecodable,
         ["2:UndecodableName", "3:UndecodableName", "4:UndecodableName"], ["GOOD.TXT"])
    case("file-then-folder-of-that-name", good(b"A", b"file").add(b"A\\B.TXT", b"below"), ["2:CannotWrite"], ["A"])
    case("folder-then-file-of-that-name", good(b"A\\B.TXT", b"below").add(b"A", b"file"), ["2:CannotWrite"],
         ["A/B.TXT"])
    return cases


def write(folder):
    if os.path.isdir(folder):
        shutil.rmtree(folder)
    os.makedirs(folder)
    lines = []
    for name, data, outcome, problem in damaged_header_cases():
        with open(os.path.join(folder, name + ".pak"), "wb") as f:
            f.write(data)
        lines.append(f"{name}.pak\t{outcome}\t{problem}")
    for name, archive, skipped, files, notes in opened_cases():
        with open(os.path.join(folder, name + ".pak"), "wb") as f:
            f.write(archive.bytes())
        count = len(archive.entries) if archive.count is None else archive.count
        lines.append(f"{name}.pak\topened\t{count}\t{','.join(skipped)}\t{';'.join(files)}\t{','.join(notes)}")
    with open(os.path.join(folder, "expectations.tsv"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write(sys.argv[1])
