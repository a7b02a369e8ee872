#!/usr/bin/env python3
"""Writes an update package (a .tar.gz) for the tests.

Usage: make-update-package.py OUT.tar.gz RECIPE_JSON

RECIPE_JSON: {"members": [{"name": "run.sh", "data": "...", "mode": 493},
                        {"name": "lib", "type": "dir"},
                        {"name": "link", "type": "symlink", "target": "/etc"}],
            "md5list": true,
            "md5override": {"name": "wrong md5 to list"},
            "unlisted": ["name left out of md5sum.list"]}
With "md5list" the archive also gets md5sum.list over every file member
(after them, as md5sum would write it), where "md5override" replaces sums
and the names in "unlisted" are left out. A file member may give "zeros": N
instead of "data" for N zero bytes (a package that unpacks large), or "tar":
RECIPE for the uncompressed archive of that recipe as its data, and
"paxPad": N for a pax header with an N-byte comment before it.

Hostile forms: "format": "gnu" writes GNU headers (long names as ././@LongLink)
instead of pax; "folders": N adds N folders; "listSelf" lists md5sum.list in
itself; "badChecksum": NAME changes that member's mode without its header's
checksum; "after": {"zeros": N} or {"tar": RECIPE} follows the archive's end
inside the compressed stream.
"""
import gzip
import hashlib
import io
import json
import sys
import tarfile


def content(entry):
    if "zeros" in entry:
        return bytes(entry["zeros"])
    if "tar" in entry:
        return build_tar(entry["tar"])
    return entry.get("data", "").encode()


def add(tar, entry):
    info = tarfile.TarInfo(entry["name"])
    kind = entry.get("type", "file")
    info.mode = entry.get("mode", 0o644)
    if "paxPad" in entry:
        info.pax_headers = {"comment": "x" * entry["paxPad"]}
    if kind == "dir":
        info.type = tarfile.DIRTYPE
        info.mode = 0o755
        tar.addfile(info)
    elif kind == "symlink":
        info.type = tarfile.SYMTYPE
        info.linkname = entry["target"]
        tar.addfile(info)
    else:
        data = content(entry)
        info.size = len(data)
        tar.addfile(info, io.BytesIO(data))


def spoil_checksum(data, name):
    at = 0
    while at + 512 <= len(data) and data[at:at + 512] != bytes(512):
        header = bytearray(data[at:at + 512])
        size = int(header[124:136].strip(b"\0 ") or b"0", 8)
        if header[0:100].rstrip(b"\0").decode() == name:
            mode = int(header[100:108].strip(b"\0 "), 8) ^ 0o001
            header[100:108] = b"%07o\0" % mode
            return data[:at] + bytes(header) + data[at + 512:]
        at += 512 + (size + 511) // 512 * 512
    raise SystemExit("no member " + name)


def build_tar(recipe):
    members = list(recipe.get("members", []))
    members += [{"name": "d/%d" % i, "type": "dir"} for i in range(recipe.get("folders", 0))]
    overrides = recipe.get("md5override", {})
    unlisted = set(recipe.get("unlisted", []))
    out = io.BytesIO()
    form = tarfile.GNU_FORMAT if recipe.get("format") == "gnu" else tarfile.PAX_FORMAT
    with tarfile.open(fileobj=out, mode="w", format=form) as tar:
        for entry in members:
            add(tar, entry)
        if recipe.get("md5list"):
            lines = []
            for entry in members:
                if entry.get("type", "file") == "file" and entry["name"] not in unlisted:
                    digest = overrides.get(entry["name"]) or hashlib.md5(content(entry)).hexdigest()
                    lines.append("%s  %s\n" % (digest, entry["name"]))
            if recipe.get("listSelf"):
                lines.append("%s  md5sum.list\n" % hashlib.md5(b"").hexdigest())
            add(tar, {"name": "md5sum.list", "data": "".join(lines)})
    data = out.getvalue()
    if "badChecksum" in recipe:
        data = spoil_checksum(data, recipe["badChecksum"])
    if "after" in recipe:
        data += content(recipe["after"])
    return data


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(gzip.compress(build_tar(json.loads(sys.argv[2])), mtime=0))
