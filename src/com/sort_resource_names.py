#!/usr/bin/env python3
"""Puts the named entries of an executable's resource directories into the order Windows looks
them up in.

Windows finds a named resource by a binary search that compares names in upper case. The GNU
linker sorts them in lower case, which disagrees as soon as a name holds a character that lies
between the two alphabets, such as "_" in "_IID_EXCELLINKE": FindResource then misses
"TYPELIB". The entries are reordered in place; no data moves.
"""
import struct
import sys


def section_offset(image, rva):
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    table = pe + 24 + optional_size
    for index in range(sections):
        size, address, _, raw = struct.unpack_from("<IIII", image, table + 40 * index + 8)
        if address <= rva < address + max(size, 1):
            return raw + rva - address
    raise ValueError("resource directory outside every section")


def resource_root(image):
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    rva, size = struct.unpack_from("<II", image, directories + 2 * 8)
    return section_offset(image, rva) if size else None


def entry_name(image, root, raw):
    name = struct.unpack_from("<I", raw, 0)[0] & 0x7FFFFFFF
    length = struct.unpack_from("<H", image, root + name)[0]
    return image[root + name + 2 : root + name + 2 + 2 * length].decode("utf-16-le")


def sort_directory(image, root, directory):
    named, numbered = struct.unpack_from("<HH", image, directory + 12)
    first = directory + 16
    entries = [bytes(image[first + 8 * i : first + 8 * i + 8]) for i in range(named)]
    entries.sort(key=lambda raw: entry_name(image, root, raw).upper())
    for index, raw in enumerate(entries):
        image[first + 8 * index : first + 8 * index + 8] = raw
    for index in range(named + numbered):
        target = struct.unpack_from("<I", image, first + 8 * index + 4)[0]
        if target & 0x80000000:
            sort_directory(image, root, root + (target & 0x7FFFFFFF))


def main(path):
    with open(path, "rb") as file:
        image = bytearray(file.read())
    root = resource_root(image)
    if root is None:
        return
    sort_directory(image, root, root)
    with open(path, "wb") as file:
        file.write(image)


if __name__ == "__main__":
    main(sys.argv[1])
