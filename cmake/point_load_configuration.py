"""point_load_configuration.py IMAGE NM: points the image's load-configuration directory entry at
its _load_config_used structure, which GNU ld leaves empty. The entry's size is the structure's
own first field, as the loader expects."""
import struct
import subprocess
import sys

SYMBOL = "_load_config_used"
PE32_PLUS = 0x20B
LOAD_CONFIG_ENTRY = 10
DATA_DIRECTORY_ENTRY_SIZE = 8
# Offsets in the PE32+ optional header.
IMAGE_BASE = 24
RVA_COUNT = 108
DATA_DIRECTORY = 112
SECTION_HEADER_SIZE = 40


def symbol_address(image, nm):
    for line in subprocess.run([nm, image], check=True, capture_output=True,
                               text=True).stdout.splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[2] == SYMBOL:
            return int(fields[0], 16)
    sys.exit(f"{image}: no {SYMBOL}")


def main(image, nm):
    address = symbol_address(image, nm)
    with open(image, "r+b") as f:
        data = bytearray(f.read())
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != PE32_PLUS:
            sys.exit(f"{image}: not a PE32+ image")
        rva = address - struct.unpack_from("<Q", data, optional + IMAGE_BASE)[0]
        if struct.unpack_from("<I", data, optional + RVA_COUNT)[0] <= LOAD_CONFIG_ENTRY:
            sys.exit(f"{image}: no room for the load-configuration entry")
        for i in range(sections):
            header = optional + optional_size + i * SECTION_HEADER_SIZE
            size, start, _, raw = struct.unpack_from("<4I", data, header + 8)
            if start <= rva < start + size:
                structure_size = struct.unpack_from("<I", data, raw + rva - start)[0]
                break
        else:
            sys.exit(f"{image}: {SYMBOL} lies in no section")
        entry = optional + DATA_DIRECTORY + LOAD_CONFIG_ENTRY * DATA_DIRECTORY_ENTRY_SIZE
        struct.pack_into("<II", data, entry, rva, structure_size)
        f.seek(0)
        f.write(data)


if __name__ == "__main__":
    main(*sys.argv[1:])
