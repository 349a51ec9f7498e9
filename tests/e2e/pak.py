"""A reader of PAK archives written apart from the program, so that what the program writes is checked
by something that does not share its code: a 16-byte header ("PAKS", entry count, index offset, one
more word), then at the index offset one 64-byte entry per stored file (size, data offset, 16
reserved bytes, a 40-byte name in code page 936, ended by a zero byte when shorter)."""

import os
import struct


class Entry:
    def __init__(self, name, offset, size):
        self.name = name  # the stored name, decoded, "\" between folders
        self.offset = offset
        self.size = size


def read_index(path):
    with open(path, "rb") as archive:
        data = archive.read()
    magic, count, index_offset, _ = struct.unpack_from("<4siii", data, 0)
    if magic.upper() != b"PAKS":
        raise ValueError(f"{path} is not a PAK archive")
    if count < 0 or index_offset < 16 or index_offset + 64 * count > len(data):
        raise ValueError(f"{path} has a damaged header")
    entries = []
    for number in range(count):
        size, offset = struct.unpack_from("<ii", data, index_offset + 64 * number)
        raw_name = data[index_offset + 64 * number + 24:index_offset + 64 * (number + 1)]
        name = raw_name.split(b"\0", 1)[0].decode("gbk")
        entries.append(Entry(name, offset, size))
    return entries


def read_contents(path):
    """{stored name: bytes} of every entry."""
    with open(path, "rb") as archive:
        data = archive.read()
    return {entry.name: data[entry.offset:entry.offset + entry.size] for entry in read_index(path)}


def tree_contents(folder):
    """{name relative to the folder, "\" between levels: bytes} of every file below it."""
    contents = {}
    for here, _, files in os.walk(folder):
        for name in files:
            full = os.path.join(here, name)
            relative = os.path.relpath(full, folder).replace(os.sep, "\\")
            with open(full, "rb") as stored:
                contents[relative] = stored.read()
    return contents
