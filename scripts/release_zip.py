#!/usr/bin/env python3
"""Writes the release zip so that the same inputs always give the same bytes.

Usage: release_zip.py OUT.zip EPOCH NAME=FILE [NAME=FILE ...]

Entries are written in the order given, all dated EPOCH (UTC), with DOS
attributes only: no owner, permissions, umask or time zone of the machine
that packs them. Non-ASCII names are stored in code page 936, which
Windows' own zip folder on a Chinese system reads without a flag, together
with the Info-ZIP Unicode path field that 7-Zip, WinRAR and unzip read on
any system.
"""
import struct
import sys
import time
import zlib


def dos_date_time(epoch):
    t = time.gmtime(max(epoch, 315532800))  # zip dates begin in 1980
    if t.tm_year > 2107:
        t = time.gmtime(4354819198)
    date = (t.tm_year - 1980) << 9 | t.tm_mon << 5 | t.tm_mday
    clock = t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec // 2
    return date, clock


def encode_name(name):
    try:
        return name.encode("ascii"), b""
    except UnicodeEncodeError:
        stored = name.encode("gbk")
        unicode_path = struct.pack("<BI", 1, zlib.crc32(stored)) + name.encode("utf-8")
        return stored, struct.pack("<HH", 0x7075, len(unicode_path)) + unicode_path


def write_zip(out_path, epoch, entries):
    date, clock = dos_date_time(epoch)
    body = bytearray()
    central = bytearray()
    for name, path in entries:
        with open(path, "rb") as f:
            data = f.read()
        packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
        packed = packer.compress(data) + packer.flush()
        method = 8
        if len(packed) >= len(data):
            packed, method = data, 0
        crc = zlib.crc32(data)
        stored_name, extra = encode_name(name)
        offset = len(body)
        body += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, method, clock, date,
                            crc, len(packed), len(data), len(stored_name), len(extra))
        body += stored_name + extra + packed
        # Made by MS-DOS 2.0: the external attributes are DOS ones (archive).
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, method, clock,
                               date, crc, len(packed), len(data), len(stored_name),
                               len(extra), 0, 0, 0, 0x20, offset)
        central += stored_name + extra
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries),
                      len(central), len(body), 0)
    with open(out_path, "wb") as f:
        f.write(bytes(body) + bytes(central) + end)


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    entries = []
    for arg in argv[3:]:
        name, sep, path = arg.partition("=")
        if not sep or not name:
            sys.exit("release_zip: expected NAME=FILE, got " + arg)
        entries.append((name, path))
    write_zip(argv[1], int(argv[2]), entries)


if __name__ == "__main__":
    main(sys.argv)
