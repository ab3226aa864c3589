#!/usr/bin/env python3
"""Lists the internal names (those of an anonymous namespace, and file-level statics) that two
files of one library both define. Each library compiles as one translation unit, where two such
names are one name: the build breaks, or one overload quietly takes the other's calls. Exits 1
with each name and its files listed, 0 with a one-line summary when every name is defined once.
  scripts/internal-names.py [src folder]      (default: src next to this script)
Needs universal-ctags."""
import collections
import pathlib
import subprocess
import sys

src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "src")
OWN_FOLDERS = ("platform/linux", "platform/mpv", "platform/cdio")  # libraries of their own


def library_of(path: pathlib.Path) -> str:
    rel = path.relative_to(src).as_posix()
    return next((f for f in OWN_FOLDERS if rel.startswith(f + "/")), rel.split("/")[0])


def internal_names(paths: list[pathlib.Path]):
    """(file, name) for each internal name the files define: one ctags run for all of them."""
    tags = subprocess.run(["ctags", "-f", "-", "--fields=+sKZ", "--extras=-q", "--language-force=C++",
                           *map(str, paths)], check=True, capture_output=True, text=True).stdout
    for line in tags.splitlines():
        name, file, _, kind, *fields = line.split("\t")
        if name.startswith("__anon") or kind in ("member", "local", "parameter", "enumerator"):
            continue
        scope = next((f[len("scope:"):] for f in fields if f.startswith("scope:")), "")
        scope_kind, _, scope_name = scope.partition(":")
        at_anonymous = scope_kind == "namespace" and scope_name.split("::")[-1].startswith("__anon")
        static_at_file = "file:" in fields and scope_kind in ("", "namespace")
        if at_anonymous or static_at_file:
            yield pathlib.Path(file), name


files_of = collections.defaultdict(set)  # (library, name) -> files
sources = [p for p in sorted(src.rglob("*.cpp")) if p.parent != src]  # top-level files: no library
for path, name in internal_names(sources):
    files_of[(library_of(path), name)].add(path.relative_to(src).as_posix())

clashes = {key: files for key, files in files_of.items() if len(files) > 1}
for (library, name), files in sorted(clashes.items()):
    print(f"{library}: {name} in {' '.join(sorted(files))}")
if clashes:
    print(f"internal names: {len(clashes)} defined in more than one file of a library", file=sys.stderr)
    sys.exit(1)
print(f"internal names: ok ({len(files_of)} names, each in one file of its library)")
