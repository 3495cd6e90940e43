#!/usr/bin/env python3
"""Checks which processor a Windows program is built for, from its PE header.

    check_pe_machine.py PROGRAM x86|x64

Exits 0 when PROGRAM is a PE program for that processor, 1 otherwise.
"""
import struct
import sys

MACHINES = {0x014C: "x86", 0x8664: "x64"}


def machine(path):
    with open(path, "rb") as file:
        data = file.read(4096)
    if data[:2] != b"MZ" or len(data) < 64:
        return None
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    return MACHINES.get(struct.unpack_from("<H", data, offset + 4)[0])


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    found = machine(sys.argv[1])
    print(f"{sys.argv[1]}: a {found} program" if found else f"{sys.argv[1]}: not a PE program")
    sys.exit(0 if found == sys.argv[2] else 1)
