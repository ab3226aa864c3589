#!/usr/bin/env bash
# Compiles each file of the program (src/, tools/) on its own, without precompiled headers: a file
# that does not include what it uses fails here, while the normal build, each library in one
# piece over precompiled Qt headers, hands it what an earlier file or the precompiled headers
# included. Only the compiler's front end runs (-fsyntax-only): no code, no moc, no linking; the
# rest of the build does not matter to an include. Exits 1 with each failing file's errors.
#   scripts/check-includes.sh [build dir]      (default: build-plain; configured here)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-plain}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=IncludeCheck -DREELBOX_TESTS=OFF \
      -DREELBOX_BENCH=OFF -DREELBOX_UNITY=OFF -DREELBOX_PCH=OFF \
      -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The compile commands CMake wrote, each file once, run two at a time (nproc here).
python3 - "$dir/compile_commands.json" "$PWD" "$(nproc)" <<'EOF'
import concurrent.futures, json, os, shlex, subprocess, sys, time

commands, top, jobs = sys.argv[1], sys.argv[2], int(sys.argv[3])
files = {}
for entry in json.load(open(commands)):
    path = entry["file"]
    if any(path.startswith(f"{top}/{folder}/") for folder in ("src", "tools")):
        files.setdefault(path, entry)

def check(entry):
    argv, skip = [], False  # the command without its output and dependency files
    for word in shlex.split(entry["command"]):
        if skip:
            skip = False
        elif word in ("-o", "-MT", "-MF"):
            skip = True
        elif word != "-MD":
            argv.append(word)
    compiler = next(i for i, w in enumerate(argv) if w.endswith(("c++", "g++", "clang++")))
    argv = argv[compiler:] + ["-fsyntax-only"]  # without the launcher (ccache)
    done = subprocess.run(argv, cwd=entry["directory"], capture_output=True, text=True)
    return entry["file"], done.returncode, done.stderr

start = time.monotonic()
failed = []
with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
    for path, code, errors in pool.map(check, files.values()):
        if code:
            failed.append(path)
            sys.stderr.write(errors)
for path in failed:
    print(f"{os.path.relpath(path, top)}: does not compile on its own", file=sys.stderr)
print(f"includes: {len(files) - len(failed)} of {len(files)} files compile on their own"
      f" ({time.monotonic() - start:.0f} s)")
sys.exit(1 if failed else 0)
EOF
