#!/usr/bin/env python3
"""The manual's pages, contents, index and context map hold together:

  check_help.py HELP_DIR CONTEXTS_H [VLM.chm]

Every link and picture of a page, every entry of the contents and the index
and every target of the context map names a file of the manual (and an
anchor of it, when one is given); every page is in the project and in the
contents; every context number of the program has a topic. Given the
compiled manual, chmls must list every page and every picture the pages
link, and its context map must tie each number to its topic by the path the
viewer opens. The pages name no product and no maker."""
import html.parser
import os
import re
import subprocess
import sys
import tempfile

# Names the manual must not carry: the makers and the products of others,
# and the design papers behind the program.
FORBIDDEN = ["Windows", "Microsoft", "TrueType", "Arial", "Times New Roman", "Courier", "Comic Sans",
             "Wingdings", "Symbol", "Old English", "ScanDisk", "SimSun", "HTML Help", "hhctrl",
             "Apple", "Adobe", "规范", "Part "]


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.anchors, self.title, self._in_title = [], set(), "", False
        self.text = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for name in ("href", "src"):
            if attrs.get(name):
                self.links.append(attrs[name])
        for name in ("id", "name"):
            if attrs.get(name) and tag != "meta":
                self.anchors.add(attrs[name])
        if tag == "param" and attrs.get("name", "").lower() == "local":
            self.links.append(attrs.get("value", ""))
        if tag == "title":
            self._in_title = True

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data
        self.text.append(data)


def parse(path):
    page = Page()
    with open(path, encoding="utf-8") as f:
        page.feed(f.read())
    return page


def project_section(hhp, name):
    lines, inside = [], False
    for line in open(hhp, encoding="utf-8").read().splitlines():
        if line.startswith("["):
            inside = line.strip() == f"[{name}]"
        elif inside and line.strip():
            lines.append(line.strip())
    return lines


def main():
    help_dir, contexts_h = sys.argv[1], sys.argv[2]
    chm = sys.argv[3] if len(sys.argv) > 3 else None
    faults = []
    pages = sorted(f for f in os.listdir(help_dir) if f.endswith(".htm"))
    parsed = {name: parse(os.path.join(help_dir, name)) for name in pages}

    def resolves(source, link):
        if re.match(r"^[a-z]+:", link) or link.startswith("#") and link == "#":
            return
        target, _, anchor = link.partition("#")
        target = target or source
        if not os.path.isfile(os.path.join(help_dir, target)):
            faults.append(f"{source}: {link} names no file of the manual")
        elif anchor and target in parsed and anchor not in parsed[target].anchors:
            faults.append(f"{source}: {link} names no anchor of {target}")

    pictures = set()
    for name, page in parsed.items():
        if not page.title.strip():
            faults.append(f"{name}: no title")
        for link in page.links:
            resolves(name, link)
            if link.startswith("images/"):
                pictures.add(link)
        text = " ".join(page.text) + " " + " ".join(page.links)
        for word in FORBIDDEN:
            if word in text:
                faults.append(f"{name}: names {word!r}")

    contents = parse(os.path.join(help_dir, "toc.hhc"))
    for link in contents.links:
        resolves("toc.hhc", link)
    for link in parse(os.path.join(help_dir, "index.hhk")).links:
        resolves("index.hhk", link)
    for name in pages:
        if name not in contents.links:
            faults.append(f"{name} is not in the contents")

    hhp = os.path.join(help_dir, "VLM.hhp")
    listed = project_section(hhp, "FILES")
    for name in pages:
        if name not in listed:
            faults.append(f"{name} is not in the project's [FILES]")
    aliases = dict(line.split("=", 1) for line in project_section(hhp, "ALIAS"))
    for topic in aliases.values():
        resolves("VLM.hhp", topic)
    numbers = dict(re.findall(r"^#define\s+(\w+)\s+(\d+)", open(contexts_h).read(), re.M))
    if not numbers:
        faults.append(f"{contexts_h} defines no context number")
    for symbol in numbers:
        if symbol not in aliases:
            faults.append(f"context {symbol} has no topic in the project's [ALIAS]")
    expected = {int(numbers[s]): "/" + aliases[s] for s in numbers if s in aliases}

    if chm:
        listing = subprocess.run(["chmls", "-n", "list", chm], capture_output=True, text=True, check=True).stdout
        inside = {line.strip() for line in listing.splitlines()}
        for name in pages + sorted(pictures) + ["style.css"]:
            if "/" + name not in inside:
                faults.append(f"{chm} lacks {name}")
        with tempfile.TemporaryDirectory() as work:
            # chmls writes the map beside the file it reads, named after it.
            copy = os.path.join(work, "manual.chm")
            with open(chm, "rb") as source, open(copy, "wb") as target:
                target.write(source.read())
            subprocess.run(["chmls", "extractalias", copy], capture_output=True, check=True, cwd=work)
            found = {}
            with open(os.path.join(work, "manual.ali"), encoding="latin-1") as f:
                for line in f:
                    symbol, _, topic = line.strip().partition("=")
                    found[int(symbol.replace("helpid", ""))] = topic
        if found != expected:
            faults.append(f"{chm}'s context map is {found}, expected {expected}")

    for fault in faults:
        print(fault)
    print(f"help: {len(pages)} pages, {len(pictures)} pictures, {len(expected)} topics of the map checked"
          + (f", {len(faults)} faults" if faults else ""))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
