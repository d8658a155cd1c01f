#!/usr/bin/env python3
"""Checks that scripts/install-deps.sh names every Debian package the build and the tests use.

A package merely recommended by another is absent on a fresh machine, so every package whose
files the build or the tests touch must be on the fresh machine's package list, be named in
install-deps.sh, or be a hard dependency (Depends/Pre-Depends, recursively) of one named there.

    scripts/dev/check-deps.py BUILD_DIR FRESH_LIST [TRACE...]

BUILD_DIR   a configured and built tree (its headers come from `ninja -t deps`, its libraries
            from ldd on bin/*, its CMake packages from a traced re-configure)
FRESH_LIST  the packages a new machine has, one per line (a tab-separated "apt NAME VERSION"
            list also works)
TRACE       optional `strace -f -e trace=openat,execve -o FILE` logs of test runs, for what the
            tests open or run at run time (plugins, fonts, tools)
"""
import json, os, re, subprocess, sys, tempfile

def sh(*cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, **kw).stdout

def owners():
    table = {}
    info = '/var/lib/dpkg/info'
    for name in os.listdir(info):
        if name.endswith('.list'):
            pkg = name[:-5].split(':')[0]
            with open(os.path.join(info, name), errors='replace') as f:
                for line in f:
                    table.setdefault(line.rstrip('\n'), pkg)
    return table

def lookup(table, path):
    candidates = {path, os.path.realpath(path)}
    for p in list(candidates):
        if p.startswith('/usr/'):
            candidates.add(p[4:])
        else:
            candidates.add('/usr' + p)
    for p in candidates:
        if p in table:
            return table[p]
    return None

def used_paths(build, traces):
    paths = set()
    for line in sh('ninja', '-C', build, '-t', 'deps').splitlines():
        line = line.strip()
        if line.startswith('/usr/') or line.startswith('/lib'):
            paths.add(line)
    bindir = os.path.join(build, 'bin')
    for name in os.listdir(bindir):
        for m in re.finditer(r'=> (/\S+)', sh('ldd', os.path.join(bindir, name))):
            paths.add(m.group(1))
    with tempfile.TemporaryDirectory() as tmp:
        trace = os.path.join(tmp, 'trace.json')
        cache = os.path.join(build, 'CMakeCache.txt')
        generator = re.search(r'CMAKE_GENERATOR:INTERNAL=(.*)', open(cache).read()).group(1)
        sh('cmake', '-S', '.', '-B', os.path.join(tmp, 'b'), '-G', generator,
           '--trace-format=json-v1', '--trace-redirect=' + trace)
        for line in open(trace):
            f = json.loads(line).get('file', '')
            if f.startswith('/usr/'):
                paths.add(f)
    for t in traces:
        for m in re.finditer(r'(?:openat\(\w+, |execve\()"(/(?:usr|lib|etc|bin|sbin)[^"]*)"[^=]*= (\d+)',
                             open(t, errors='replace').read()):
            paths.add(m.group(1))
    return paths

def named_packages():
    text = open('scripts/install-deps.sh').read()
    block = re.search(r'packages=\((.*?)\)', text, re.S).group(1)
    return set(re.sub(r'#.*', '', block).split())

def closure(pkgs):
    out = sh('apt-cache', 'depends', '--recurse', '--no-recommends', '--no-suggests',
             '--no-conflicts', '--no-breaks', '--no-replaces', '--no-enhances', *sorted(pkgs))
    found = set(pkgs)
    for line in out.splitlines():
        m = re.match(r'\s*\|?(?:Depends|PreDepends): <?([^<>:\s]+)', line) or re.match(r'^(\S+)$', line)
        if m:
            found.add(m.group(1).split(':')[0])
    return found

def main():
    build, fresh_list, traces = sys.argv[1], sys.argv[2], sys.argv[3:]
    fresh = set()
    for line in open(fresh_list):
        fields = line.split('\t') if '\t' in line else line.split()
        if line.startswith('#') or not fields:
            continue
        fresh.add((fields[1] if len(fields) > 1 and fields[0] == 'apt' else fields[0]).split(':')[0])
    table = owners()
    used = {}
    for path in used_paths(build, traces):
        pkg = lookup(table, path)
        if pkg:
            used.setdefault(pkg, path)
    named = named_packages()
    covered = closure(named) | fresh
    missing = sorted(p for p in used if p not in covered)
    print(f'{len(used)} packages used; {len(named)} named; {len(covered)} covered')
    for p in missing:
        print(f'missing: {p} (for {used[p]})')
    return 1 if missing else 0

if __name__ == '__main__':
    sys.exit(main())
