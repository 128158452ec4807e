#!/usr/bin/env python3
"""Proves that tools/debian-packages.txt installs everything the tree builds with.

Usage: deps.py ROOT BUILD

A package dropped from the list stays installed on the machine that dropped
it, so that machine still builds and only a fresh one fails. This check asks
dpkg, not the compiler: every system header a file of the tree includes,
every pkg-config module and every find_package/find_library/find_path/
find_program result CMake uses must come from a package that the list names
or pulls in (apt-cache depends --recurse, no network needed). The same holds
for debian/control: what the program alone needs (the package build) must
come from Build-Depends, and Build-Depends must be on the list, so that
`make deb` finds them installed.

Each offender is one line: what was asked for, where it was found and its
package. Listed packages that nothing needs any more are warnings.
"""

import os
import re
import subprocess
import sys

ROOT, BUILD = sys.argv[1], sys.argv[2]
os.chdir(ROOT)

CMAKE_KEYWORDS = {"REQUIRED", "QUIET", "IMPORTED_TARGET", "GLOBAL", "NO_CMAKE_PATH", "NO_CMAKE_ENVIRONMENT_PATH"}
# find_package names whose results CMake caches under another prefix, or
# that no package file stands for (the thread library is the C library's).
CACHE_PREFIX = {"PkgConfig": "PKG_CONFIG"}
NO_FILE = {"Threads"}


def run(args, **kw):
    try:
        return subprocess.run(args, capture_output=True, text=True, **kw).stdout
    except FileNotFoundError:
        return ""


def listed_packages(path):
    with open(path, encoding="utf-8") as f:
        return [line.strip() for line in f if line.strip() and not line.lstrip().startswith("#")]


def build_depends():
    text = open("debian/control", encoding="utf-8").read()
    m = re.search(r"^Build-Depends:(.*?)(?=^\S)", text, re.S | re.M)
    names = []
    for item in (m.group(1) if m else "").split(","):
        item = item.strip()
        if item:
            names.append(re.split(r"[\s(\[|]", item, maxsplit=1)[0])
    return names


def dependency_graph(packages):
    """Each package apt can reach from the given ones, with what it depends on.

    Alternatives and virtual packages' providers all count: any of them may
    be what a machine installed."""
    out = run(["apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests", "--no-conflicts",
               "--no-breaks", "--no-replaces", "--no-enhances", *packages])
    graph, current, last = {}, None, None
    clean = lambda name: name.strip().strip("<>").split(":")[0]
    for line in out.splitlines():
        if not line.strip():
            continue
        if not line[0].isspace():
            current = clean(line)
            graph.setdefault(current, set())
        elif line.startswith("    ") and last:
            graph.setdefault(last, set()).add(clean(line))
        elif "Depends:" in line and current:
            last = clean(line.split(":", 1)[1])
            graph[current].add(last)
    return graph


def closure(graph, packages):
    """The given packages and everything they pull in."""
    seen, todo = set(), list(packages)
    while todo:
        pkg = todo.pop()
        if pkg not in seen:
            seen.add(pkg)
            todo += graph.get(pkg, ())
    return seen


def owners(paths):
    """dpkg's owning packages of each path (empty when no package ships it)."""
    result = {p: set() for p in paths}
    if not paths:
        return result
    out = run(["dpkg", "-S", *paths])
    for line in out.splitlines():
        if line.startswith("diversion "):
            continue
        pkgs, _, path = line.partition(": ")
        if path in result:
            result[path] |= {p.strip().split(":")[0] for p in pkgs.split(",")}
    return result


def tracked(*patterns):
    return run(["git", "ls-files", "--", *patterns]).split()


def cmake_calls(files):
    """(file, command, arguments, inside a test or benchmark block) per find/pkg-config call."""
    calls = []
    for path in files:
        text = re.sub(r"#[^\n]*", "", open(path, encoding="utf-8").read())
        depth_only = []  # one flag per open if(): does it guard tests or benchmarks?
        for m in re.finditer(r"\b(\w+)\s*\(([^)]*)\)", text):
            command, args = m.group(1).lower(), m.group(2).split()
            if command == "if":
                depth_only.append(bool(re.search(r"LV_(TESTS|BENCH|FUZZ)", m.group(2))))
            elif command == "endif" and depth_only:
                depth_only.pop()
            elif command in ("find_package", "find_library", "find_path", "find_program", "pkg_check_modules",
                             "pkg_search_module"):
                calls.append((path, command, args, any(depth_only)))
    return calls


def cache_entries():
    entries = {}
    with open(os.path.join(BUILD, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            m = re.match(r"^([A-Za-z0-9_]+):(FILEPATH|PATH)=(.*)$", line.rstrip("\n"))
            if m:
                entries[m.group(1)] = m.group(3)
    return entries


def pc_modules(args):
    mods = [a for a in args[1:] if a not in CMAKE_KEYWORDS]
    return [re.split(r"[<>=]", m)[0] for m in mods]


def main():
    listed = listed_packages("tools/debian-packages.txt")
    build_deps = build_depends()
    graph = dependency_graph(listed + [p for p in build_deps if p not in listed and p != "debhelper-compat"])
    listed_closure = closure(graph, listed)
    # Package builds always have build-essential: Build-Depends leaves it out.
    deps_closure = closure(graph, ["build-essential"] + [p for p in build_deps if p != "debhelper-compat"])
    cache = cache_entries()
    offenders, warnings = [], []

    # What CMake asks for: (what, file found, needed by the program's own build).
    cmake_files = [f for f in tracked("CMakeLists.txt", "*/CMakeLists.txt", "*.cmake")]
    wanted = []
    include_dirs = []
    for path, command, args, guarded in cmake_calls(cmake_files):
        program = not guarded and not path.startswith(("tests/", "bench/", "tools/"))
        if not args:
            continue
        if command.startswith("pkg_"):
            for mod in pc_modules(args):
                pc = run(["pkg-config", "--path", mod]).strip()
                wanted.append((f"pkg-config module {mod} ({path})", pc, program))
                include_dirs += [d[2:] for d in run(["pkg-config", "--cflags-only-I", mod]).split()]
        elif command == "find_package":
            name = args[0]
            if name in NO_FILE:
                continue
            prefix = CACHE_PREFIX.get(name, name)
            found = [v for k, v in cache.items()
                     if (k.startswith(prefix + "_") or k.startswith(prefix.upper() + "_"))
                     and (os.path.isfile(v) or (k.endswith("_DIR") and os.path.isdir(v)))]
            if not found:
                warnings.append(f"find_package({name}) in {path}: CMake cached no file to tell its package by")
            for value in found:
                wanted.append((f"find_package({name}) ({path})", value, program))
        else:
            var = args[0]
            value = cache.get(var, "")
            if command == "find_path" and os.path.isdir(value):
                include_dirs.append(value)
            wanted.append((f"{command}({var}) ({path})", value if os.path.exists(value) else "", program))

    # System headers, searched as the compiler does: the tree's own and
    # generated headers first, then the libraries' folders, then its defaults.
    verbose = subprocess.run(["g++", "-xc++", "-E", "-v", "/dev/null"], capture_output=True, text=True).stderr
    defaults = re.search(r"#include <\.\.\.> search starts here:\n(.*?)End of search list", verbose, re.S)
    defaults = [d.strip() for d in defaults.group(1).splitlines()] if defaults else ["/usr/include"]
    own = [os.path.join(ROOT, d) for d in ("src", "tests", "bench", ".")] + [BUILD]
    search = []
    for d in include_dirs + defaults:
        if d not in search:
            search.append(d)
    includes = {}
    for path in tracked("*.c", "*.cc", "*.cpp", "*.h", "*.hpp"):
        for m in re.finditer(r"^\s*#\s*include\s*<([^>]+)>", open(path, encoding="utf-8", errors="replace").read(), re.M):
            includes.setdefault(m.group(1), []).append(path)
    for header, users in sorted(includes.items()):
        if any(os.path.exists(os.path.join(d, header)) for d in own):
            continue
        program = any(u.startswith("src/") for u in users)
        found = next((os.path.join(d, header) for d in search if os.path.exists(os.path.join(d, header))), "")
        wanted.append((f"<{header}> ({users[0]})", found, program))

    # The fuzz targets link clang's libFuzzer runtime: no header names it.
    if run(["git", "grep", "-l", "-e", "-fsanitize=fuzzer", "--", "*CMakeLists.txt", "*.cmake"]).strip():
        runtime = run(["clang-14", "--print-runtime-dir"]).strip()
        lib = os.path.join(runtime, "libclang_rt.fuzzer-x86_64.a") if runtime else ""
        wanted.append(("clang's libFuzzer runtime", lib if os.path.isfile(lib) else "", False))

    owner_of = owners(sorted({f for _, f, _ in wanted if f and not f.startswith("/usr/local/")}))
    used = set()
    for what, found, program in wanted:
        if not found:
            offenders.append(f"{what}: not found, no installed package provides it")
            continue
        if found.startswith("/usr/local/"):
            offenders.append(f"{what}: {found} comes from no package")
            continue
        pkgs = owner_of.get(found, set())
        used |= pkgs
        if not pkgs:
            offenders.append(f"{what}: {found} comes from no package")
        elif not pkgs & listed_closure:
            offenders.append(f"{what}: {found} from package {', '.join(sorted(pkgs))}, "
                             "which tools/debian-packages.txt does not list")
        elif program and not pkgs & deps_closure:
            offenders.append(f"{what}: {found} from package {', '.join(sorted(pkgs))}, "
                             "which debian/control's Build-Depends does not name")

    for pkg in build_deps:
        if pkg != "debhelper-compat" and pkg not in listed:
            offenders.append(f"debian/control Build-Depends: {pkg} is not in tools/debian-packages.txt")

    # A listed library package that no header, module or CMake file comes from.
    needed = closure(graph, used)
    for pkg in listed:
        if pkg.startswith("lib") and pkg.endswith("-dev") and pkg not in used and pkg not in needed:
            warnings.append(f"{pkg} is listed but nothing in the tree builds with it any more")
    for pkg in build_deps:
        if pkg.startswith("lib") and pkg.endswith("-dev") and pkg not in used and pkg not in needed:
            warnings.append(f"debian/control Build-Depends: {pkg} is named but the program does not build with it")

    for line in warnings:
        print(f"deps: warning: {line}")
    for line in offenders:
        print(f"deps: {line}")
    if offenders:
        print(f"deps: {len(offenders)} offenders: list their packages or stop using them")
        return 1
    print(f"deps: {len(wanted)} headers, modules and CMake results, each from a listed package")
    return 0


if __name__ == "__main__":
    sys.exit(main())
