#!/usr/bin/env python3
"""Test data for the benchmark, the same for the same seed.

  generate.py tree FOLDER [--files N] [--seed S]     a folder tree of mixed file sizes
  generate.py wide-pak FILE [--entries N]            an archive with N small entries, in the packer's layout
  generate.py wide-tar FILE [--entries N]            a tar with the same N entries, for comparison
  generate.py big-pak FILE [--entries N] [--megabytes M] [--seed S]
                                                     an archive of N entries of M megabytes in all, in the
                                                     packer's layout, and beside it a folder FILE.mod
                                                     holding a new version of its middle entry
"""
import argparse
import io
import os
import random
import struct
import tarfile


def file_size(rng):
    roll = rng.random()
    if roll < 0.85:
        return rng.randint(0, 8 * 1024)  # most game resources are small
    if roll < 0.99:
        return rng.randint(8 * 1024, 64 * 1024)
    if roll < 0.999:
        return rng.randint(64 * 1024, 2 * 1024 * 1024)
    return rng.randint(2 * 1024 * 1024, 8 * 1024 * 1024)


def make_tree(folder, files, seed):
    rng = random.Random(seed)
    total = 0
    for i in range(files):
        # Stored names must fit 40 bytes: D12\S3\F012345.BIN takes 18.
        directory = os.path.join(folder, "D%02d" % rng.randrange(40), "S%d" % rng.randrange(8))
        os.makedirs(directory, exist_ok=True)
        size = file_size(rng)
        with open(os.path.join(directory, "F%06d.BIN" % i), "wb") as out:
            out.write(rng.randbytes(size))
        total += size
    print("tree: %d files, %d bytes" % (files, total))


def entry_names(entries):
    return ["W%03d\\E%06d.DAT" % (i % 500, i) for i in range(entries)]


def make_wide_pak(path, entries):
    data_end = 24 + entries  # one byte per entry
    index_offset = 16 * ((data_end + 1 + 15) // 16) + 1
    with open(path, "wb") as out:
        out.write(b"PAKS" + struct.pack("<iii", entries, index_offset, 16447) + bytes(8))
        out.write(bytes(i % 251 for i in range(entries)))
        out.write(bytes(index_offset - data_end))
        for i, name in enumerate(entry_names(entries)):
            out.write(struct.pack("<ii", 1, 24 + i) + bytes(16) + name.encode("ascii").ljust(40, b"\0"))


def make_wide_tar(path, entries):
    with tarfile.open(path, "w", format=tarfile.USTAR_FORMAT) as tar:
        for i, name in enumerate(entry_names(entries)):
            info = tarfile.TarInfo(name.replace("\\", "/"))
            info.size = 1
            tar.addfile(info, io.BytesIO(bytes([i % 251])))


def big_entry_name(i):
    return "D%02d\\F%05d.BIN" % (i % 40, i)


def make_big_pak(path, entries, megabytes, seed):
    rng = random.Random(seed)
    size = megabytes * 1024 * 1024 // entries
    data_end = 24 + entries * size
    index_offset = 16 * ((data_end + 1 + 15) // 16) + 1
    block = rng.randbytes(size + 256)  # entries differ by where in the block they start
    with open(path, "wb") as out:
        out.write(b"PAKS" + struct.pack("<iii", entries, index_offset, 16447) + bytes(8))
        for i in range(entries):
            out.write(block[i % 256:i % 256 + size])
        out.write(bytes(index_offset - data_end))
        for i in range(entries):
            out.write(struct.pack("<ii", size, 24 + i * size) + bytes(16) +
                      big_entry_name(i).encode("ascii").ljust(40, b"\0"))
    middle = big_entry_name(entries // 2).split("\\")
    os.makedirs(os.path.join(path + ".mod", middle[0]), exist_ok=True)
    with open(os.path.join(path + ".mod", *middle), "wb") as out:
        out.write(rng.randbytes(size + 1000))
    print("big-pak: %d entries of %d bytes" % (entries, size))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("what", choices=["tree", "wide-pak", "wide-tar", "big-pak"])
    parser.add_argument("path")
    parser.add_argument("--files", type=int, default=20000)
    parser.add_argument("--entries", type=int, default=100000)
    parser.add_argument("--megabytes", type=int, default=300)
    parser.add_argument("--seed", type=int, default=3)
    args = parser.parse_args()
    if args.what == "tree":
        make_tree(args.path, args.files, args.seed)
    elif args.what == "big-pak":
        make_big_pak(args.path, args.entries, args.megabytes, args.seed)
    elif args.what == "wide-pak":
        make_wide_pak(args.path, args.entries)
    else:
        make_wide_tar(args.path, args.entries)


if __name__ == "__main__":
    main()
