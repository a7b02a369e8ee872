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
instead of "data" for N zero bytes (a package that unpacks large).
"""
import hashlib
import io
import json
import sys
import tarfile

out, recipe = sys.argv[1], json.loads(sys.argv[2])
members = recipe.get("members", [])
overrides = recipe.get("md5override", {})
unlisted = set(recipe.get("unlisted", []))


def content(entry):
    if "zeros" in entry:
        return bytes(entry["zeros"])
    return entry.get("data", "").encode()


def add(tar, entry):
    info = tarfile.TarInfo(entry["name"])
    kind = entry.get("type", "file")
    info.mode = entry.get("mode", 0o644)
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


with tarfile.open(out, "w:gz", format=tarfile.PAX_FORMAT) as tar:
    for entry in members:
        add(tar, entry)
    if recipe.get("md5list"):
        lines = []
        for entry in members:
            if entry.get("type", "file") == "file" and entry["name"] not in unlisted:
                digest = overrides.get(entry["name"]) or hashlib.md5(content(entry)).hexdigest()
                lines.append("%s  %s\n" % (digest, entry["name"]))
        add(tar, {"name": "md5sum.list", "data": "".join(lines)})
