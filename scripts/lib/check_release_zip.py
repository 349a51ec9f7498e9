"""Checks a release zip: exactly Quarrow.exe, quarrow-cli.exe and README.txt in one top folder, and
both programs built for the zip's machine (the PE header's Machine field)."""

import struct
import sys
import zipfile

MACHINES = {"win32": 0x014C, "win64": 0x8664}  # IMAGE_FILE_MACHINE_I386, IMAGE_FILE_MACHINE_AMD64
EXPECTED = {"Quarrow.exe", "quarrow-cli.exe", "README.txt"}


def machine_of(image: bytes) -> int:
    if image[:2] != b"MZ":
        raise ValueError("no MZ header")
    (pe_offset,) = struct.unpack_from("<I", image, 0x3C)
    if image[pe_offset:pe_offset + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    (machine,) = struct.unpack_from("<H", image, pe_offset + 4)
    return machine


def main(path: str, architecture: str) -> int:
    wanted = MACHINES[architecture]
    with zipfile.ZipFile(path) as archive:
        files = [name for name in archive.namelist() if not name.endswith("/")]
        names = {name.rsplit("/", 1)[-1] for name in files}
        folders = {name.rsplit("/", 1)[0] for name in files if "/" in name}
        if names != EXPECTED or len(files) != len(EXPECTED) or len(folders) != 1:
            print(f"{path}: holds {sorted(files)}, expected {sorted(EXPECTED)} in one folder", file=sys.stderr)
            return 1
        for name in files:
            if name.endswith(".exe"):
                machine = machine_of(archive.read(name))
                if machine != wanted:
                    print(f"{path}: {name} is built for machine {machine:#06x}, not {wanted:#06x}", file=sys.stderr)
                    return 1
    print(f"{path}: {', '.join(sorted(names))}; programs for {architecture} ({wanted:#06x})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
