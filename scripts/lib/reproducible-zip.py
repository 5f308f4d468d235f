#!/usr/bin/python3
"""Zips a folder so that the same files give the same bytes, wherever and
whenever it runs:

    reproducible-zip.py ZIP FOLDER EPOCH

ZIP holds FOLDER under its own name. Every entry carries the time EPOCH
(seconds since 1970, read in UTC; the zip format starts at 1980), entries
are sorted by name with each folder before what it holds, modes are fixed
(folders 755, files 644), and no entry has extra fields.
"""
import os
import sys
import time
import zipfile


def entry(name, epoch, is_folder):
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # 1980-01-01 at the earliest
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.create_system = 3  # Unix, so that the modes below are read
    if is_folder:
        info.external_attr = (0o40755 << 16) | 0x10  # and the MS-DOS folder bit
        info.compress_type = zipfile.ZIP_STORED
    else:
        info.external_attr = 0o100644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
    info.extra = b""
    return info


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    zip_path, folder, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    folder = os.path.normpath(folder)
    parent = os.path.dirname(folder)

    names = []
    for root, folders, files in os.walk(folder):
        relative = os.path.relpath(root, parent).replace(os.sep, "/")
        names.append(relative + "/")
        names.extend(relative + "/" + name for name in files)
    names.sort()

    with zipfile.ZipFile(zip_path, "w") as archive:
        for name in names:
            is_folder = name.endswith("/")
            data = b""
            if not is_folder:
                with open(os.path.join(parent, name), "rb") as source:
                    data = source.read()
            archive.writestr(entry(name, epoch, is_folder), data, compresslevel=9)


if __name__ == "__main__":
    main()
