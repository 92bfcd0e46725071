#!/usr/bin/env python3
"""Writes a firmware folder for trying the update on the built-in simulated device.

    scripts/make_demo_firmware.py DEST [--corrupt]
    cd DEST && vemo-panel --simulate 0x82     (or 0x78)

DEST/firmware/ gets a model 0x82 image of release 2.3 and DEST/firmware/H3/ a model 0x78
package of release 2.4 for the simulator's two stock modules. The simulated 0x82 runs the
version in an installed image's first byte; the simulated 0x78 keeps "VEMO" and the version
byte at the start of each module, after the 4-byte length of the length-prefixed one.
With --corrupt the image and "firmware.cfg" change after their digests were taken, so the tool
refuses both and writes nothing. With --installed the packages hold the releases the built-in
simulated devices already run (2.2 and 2.3), so no update is due and the window connects at once.
"""
import argparse
import hashlib
import pathlib

IDENTIFICATION = b"VEMO"


def digest(data: bytes) -> str:
    return hashlib.md5(data).hexdigest().upper()


def pattern(size: int, seed: int) -> bytes:
    return bytes((i * 31 + i // 251 + seed) & 0xFF for i in range(size))


def module(version: int, size: int, seed: int) -> bytes:
    return IDENTIFICATION + bytes([version]) + pattern(size - 5, seed)


def spoil(data: bytes) -> bytes:
    return data[:100] + bytes([data[100] ^ 0xFF]) + data[101:]


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("dest", type=pathlib.Path)
    parser.add_argument("--corrupt", action="store_true")
    parser.add_argument("--installed", action="store_true")
    args = parser.parse_args()
    image_release, module_release = (22, 23) if args.installed else (23, 24)
    firmware = args.dest / "firmware"
    package = firmware / "H3"
    package.mkdir(parents=True, exist_ok=True)

    image = bytes([image_release]) + pattern(200 * 1024 - 1, 7)
    name = f"KORALIN_{image_release}_demo_{digest(image)}.bin"
    (firmware / name).write_bytes(spoil(image) if args.corrupt else image)

    # id, idOffset, idLength, idValue, versionOffset, version, flags, label, file, content
    id_value = int.from_bytes(IDENTIFICATION, "big")
    modules = [
        (0x0300, 4, 4, id_value, 8, module_release, "L", "System", "system.bin",
         module(module_release, 600, 1)),
        (0x0301, 0, 4, id_value, 4, module_release, "-", "Encoder", "encoder.bin",
         module(module_release, 450, 2)),
    ]
    lines = []
    for *fields, file_name, content in modules:
        lines.append(" ".join(str(f) for f in fields) + f" {file_name} {digest(content)}")
        (package / file_name).write_bytes(content)
    table = ("\r\n".join(lines) + "\r\n").encode("ascii")
    (package / "extension.bin").write_bytes((digest(table) + "\r\n").encode("ascii"))
    (package / "firmware.cfg").write_bytes(spoil(table) if args.corrupt else table)
    print(f"{firmware}: {name}, H3/firmware.cfg with {len(modules)} modules")


if __name__ == "__main__":
    main()
