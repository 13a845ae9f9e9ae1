#!/usr/bin/env python3
"""Checks the help file's project before and around compilation.

Usage: check_help_links.py STAGED_PROJECT.hhp SOURCE_ROOT

- every page in help/pages is in the project, and every file of the project
  was staged (pictures included);
- every link, picture, contents and index entry names a file of the project,
  and every #anchor exists in its page;
- every page is in the contents, and every picture is shown by some page;
- the programs open the help file by the project's name, and every page they
  name (kmhelp.chm::/page.htm, or a page name in their sources) exists.
Prints every fault and exits 1 when there is one.
"""
import html.parser
import os
import re
import sys
from urllib.parse import unquote

# The programs that open the help file, and where they keep their sources.
PROGRAM_SOURCES = {"the editor": ["editor"], "the plug-ins": ["display", "wmp", "winamp"]}


class LinkCollector(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []      # (attribute, value)
        self.anchors = set()

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for name in ("href", "src"):
            if attrs.get(name):
                self.links.append((name, attrs[name]))
        if tag == "param" and (attrs.get("name") or "").lower() == "local":
            self.links.append(("Local", attrs.get("value") or ""))
        for name in ("name", "id"):
            if tag == "a" and attrs.get(name):
                self.anchors.add(attrs[name])


def read_project(path):
    options, files, section = {}, [], None
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("["):
                section = line
            elif section == "[OPTIONS]" and "=" in line:
                key, value = line.split("=", 1)
                options[key] = value
            elif section == "[FILES]":
                files.append(line.replace("\\", "/"))
    return options, files


def parse(path):
    collector = LinkCollector()
    with open(path, encoding="latin-1") as f:
        collector.feed(f.read())
    return collector


def check(project_path, root):
    faults = []
    stage = os.path.dirname(project_path)
    options, files = read_project(project_path)
    listed = {name.lower() for name in files}
    sitemaps = [options.get("Contents file", ""), options.get("Index file", "")]

    for name in files + sitemaps:
        if not os.path.isfile(os.path.join(stage, name)):
            faults.append(f"{name}: in the project but not staged")
    pages_dir = os.path.join(root, "help", "pages")
    for name in sorted(os.listdir(pages_dir)):
        if name.endswith(".htm") and name.lower() not in listed:
            faults.append(f"{name}: a page that is not in the project's [FILES]")
    default = options.get("Default topic", "")
    if default.lower() not in listed:
        faults.append(f"default topic {default!r} is not in the project")
    if options.get("Compiled file") != "kmhelp.chm":
        faults.append("the project does not compile kmhelp.chm, the file the programs open")

    parsed = {}
    for name in files + sitemaps:
        if name.endswith((".htm", ".hhc", ".hhk")) and os.path.isfile(os.path.join(stage, name)):
            parsed[name] = parse(os.path.join(stage, name))

    referenced = set()
    in_contents = set()
    for name, page in parsed.items():
        base = os.path.dirname(name)
        for attribute, value in page.links:
            if re.match(r"^[a-z][a-z0-9+.-]*:", value, re.I):
                continue  # http:, mailto: and the like leave the help file
            target, _, anchor = unquote(value).partition("#")
            target = os.path.normpath(os.path.join(base, target)).replace("\\", "/") if target else name
            if target.lower() not in listed:
                faults.append(f"{name}: {attribute} {value!r} names no file of the help")
                continue
            referenced.add(target.lower())
            if name == options.get("Contents file"):
                in_contents.add(target.lower())
            if anchor and target in parsed and anchor not in parsed[target].anchors:
                faults.append(f"{name}: {value!r}: no anchor {anchor!r} in {target}")
    for name in files:
        if name.endswith(".htm") and name.lower() not in in_contents:
            faults.append(f"{name}: not in the contents")
        if name.startswith("images/") and name.lower() not in referenced:
            faults.append(f"{name}: a picture that no page shows")

    # What the programs open: the help file's own name (its first page), or
    # one of its pages.
    for program, folders in PROGRAM_SOURCES.items():
        mentions = 0
        for folder in folders:
            for directory, _, names in os.walk(os.path.join(root, folder)):
                for source in names:
                    if not source.endswith((".cpp", ".h", ".rc")):
                        continue
                    path = os.path.join(directory, source)
                    with open(path, encoding="latin-1") as f:
                        text = f.read()
                    mentions += len(re.findall(r"kmhelp\.chm", text))
                    for page in re.findall(r"kmhelp\.chm::/?([^\"\s]+)", text):
                        if page.split("#")[0].lower() not in listed:
                            faults.append(f"{path}: opens the missing page {page!r}")
                    for page in re.findall(r"\"([^\"\s]+\.html?)(?:#[^\"]*)?\"", text):
                        if page.lower() not in listed:
                            faults.append(f"{path}: names the missing page {page!r}")
        if mentions == 0:
            faults.append(f"no source of {program} opens kmhelp.chm any more: check this test")
    return faults


def main(args):
    if len(args) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    faults = check(*args)
    for fault in faults:
        print(fault)
    print(f"{len(faults)} faults in the help file's links")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
