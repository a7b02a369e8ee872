#!/usr/bin/env python3
"""Merges Qt Linguist catalogues that two branches changed side by side.

Usage: merge-ts.py OUT IN1 IN2 ...  -- the union of every context's messages;
for a message present in several inputs, a finished translation wins.
With --git PATH it merges the two sides of a conflicted file in place.
As a git merge driver (--driver %A %O %B) it merges three ways, message by
message, into %A: a translation changed on one side only takes that side's
text, messages added on either side are kept. .gitattributes names it for
the catalogues; enable it once per clone with
  git config merge.ts-union.driver "python3 scripts/merge-ts.py --driver %A %O %B"
"""
import subprocess
import sys
import xml.etree.ElementTree as ET


def messages(tree):
    for context in tree.getroot().findall("context"):
        name = context.findtext("name")
        for message in context.findall("message"):
            key = (message.findtext("source"), message.findtext("comment"))
            yield name, key, message


def finished(message):
    t = message.find("translation")
    return t is not None and t.get("type") not in ("unfinished", "obsolete", "vanished") and (
        (t.text or "").strip() or len(t) > 0)


def merge(trees):
    base = trees[0]
    root = base.getroot()
    contexts = {c.findtext("name"): c for c in root.findall("context")}
    index = {(n, k): m for n, k, m in messages(base)}
    for other in trees[1:]:
        for name, key, message in messages(other):
            if name not in contexts:
                context = ET.SubElement(root, "context")
                ET.SubElement(context, "name").text = name
                contexts[name] = context
            mine = index.get((name, key))
            if mine is None:
                contexts[name].append(message)
                index[(name, key)] = message
            elif finished(message) and not finished(mine):
                parent = contexts[name]
                position = list(parent).index(mine)
                parent.remove(mine)
                parent.insert(position, message)
                index[(name, key)] = message
    return base


def text_of(message):
    t = message.find("translation") if message is not None else None
    return None if t is None else ET.tostring(t, encoding="unicode").strip()


def merge3(ours, base, theirs):
    """Three-way merge: where ours left a message as the base had it and
    theirs changed it, theirs wins; new messages of theirs are added."""
    base_index = {(n, k): m for n, k, m in messages(base)}
    our_index = {(n, k): m for n, k, m in messages(ours)}
    for name, key, message in messages(theirs):
        mine = our_index.get((name, key))
        if mine is None:
            continue
        original = base_index.get((name, key))
        if text_of(message) != text_of(original) and text_of(mine) == text_of(original):
            for context in ours.getroot().findall("context"):
                if context.findtext("name") == name:
                    position = list(context).index(mine)
                    context.remove(mine)
                    context.insert(position, message)
    return merge([ours, theirs])


def write(tree, path):
    root = tree.getroot()
    contexts = sorted(root.findall("context"), key=lambda c: c.findtext("name") or "")
    for context in root.findall("context"):
        root.remove(context)
    root.extend(contexts)
    ET.indent(tree, space="    ")
    with open(path, "wb") as f:
        f.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        tree.write(f, encoding="utf-8", xml_declaration=False)
        f.write(b"\n")
    # lconvert writes the layout lupdate writes, so merges add only lines.
    for lconvert in ("lconvert", "/usr/lib/qt5/bin/lconvert"):
        try:
            subprocess.run([lconvert, "-i", path, "-o", path], check=True, capture_output=True)
            return
        except (OSError, subprocess.CalledProcessError):
            continue


def main():
    if sys.argv[1] == "--driver":
        ours, base, theirs = sys.argv[2], sys.argv[3], sys.argv[4]
        write(merge3(ET.parse(ours), ET.parse(base), ET.parse(theirs)), ours)
    elif sys.argv[1] == "--git":
        path = sys.argv[2]
        sides = [subprocess.run(["git", "show", f":{n}:{path}"], check=True, capture_output=True).stdout
                 for n in (2, 3)]
        trees = [ET.ElementTree(ET.fromstring(s)) for s in sides]
        write(merge(trees), path)
    else:
        write(merge([ET.parse(p) for p in sys.argv[2:]]), sys.argv[1])


if __name__ == "__main__":
    main()
