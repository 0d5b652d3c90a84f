#!/usr/bin/env python3
"""Checks a documentation site folder: every page parses as HTML with its
elements closed in order, every SVG file parses as XML, ids are unique within
a file, and every href and src is relative and resolves to a file of the site
and, with a fragment, to an id in that file. Prints one line per fault and
exits 1 when there is any."""
import os
import sys
import xml.etree.ElementTree as ElementTree
from html.parser import HTMLParser
from urllib.parse import unquote, urlsplit

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
        "source", "track", "wbr"}


class StrictPage(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.ids, self.links, self.faults = [], [], [], []

    def note_attributes(self, attrs):
        for name, value in attrs:
            if name == "id":
                self.ids.append(value)
            if name in ("href", "src"):
                self.links.append(value)

    def handle_starttag(self, tag, attrs):
        self.note_attributes(attrs)
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        self.note_attributes(attrs)

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag:
            self.faults.append("end tag </%s> does not close %s" % (tag, self.stack[-1:]))
            return
        self.stack.pop()


def read_html(path):
    parser = StrictPage()
    with open(path, encoding="utf-8") as page:
        text = page.read()
    if not text.startswith("<!DOCTYPE html>"):
        parser.faults.append("no doctype")
    parser.feed(text)
    parser.close()
    if parser.stack:
        parser.faults.append("elements left open: %s" % parser.stack)
    return parser.ids, parser.links, parser.faults


def read_svg(path):
    try:
        root = ElementTree.parse(path).getroot()
    except ElementTree.ParseError as error:
        return [], [], ["not well-formed XML: %s" % error]
    ids, links = [], []
    for element in root.iter():
        for name, value in element.attrib.items():
            if name == "id":
                ids.append(value)
            if name in ("href", "{http://www.w3.org/1999/xlink}href"):
                links.append(value)
    return ids, links, []


def main(root):
    root = os.path.realpath(root)
    files = {}
    faults = []
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            if name.endswith(".html"):
                files[path] = read_html(path)
            elif name.endswith(".svg"):
                files[path] = read_svg(path)
    for path, (ids, _, file_faults) in files.items():
        faults += ["%s: %s" % (path, fault) for fault in file_faults]
        if len(ids) != len(set(ids)):
            faults.append("%s: ids repeated" % path)
    checked = 0
    for path, (_, links, _) in files.items():
        for link in links:
            checked += 1
            parts = urlsplit(link)
            if parts.scheme or parts.netloc or link.startswith("/"):
                faults.append("%s: link %r is not relative" % (path, link))
                continue
            target = path if not parts.path else os.path.realpath(
                os.path.join(os.path.dirname(path), unquote(parts.path)))
            if not target.startswith(root + os.sep) or not os.path.isfile(target):
                faults.append("%s: link %r leads to no file of the site" % (path, link))
                continue
            if parts.fragment and target in files and parts.fragment not in files[target][0]:
                faults.append("%s: link %r names no anchor there" % (path, link))
    for fault in faults:
        print(fault)
    print("%d files, %d links, %d faults" % (len(files), checked, len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
