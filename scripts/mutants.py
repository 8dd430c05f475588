#!/usr/bin/env python3
"""The mutation run behind scripts/mutants.sh (see there for its use).

Keeps a copy of the working tree in build/mutants/tree with build folders of its own, so a fault is
compiled incrementally and never touches the tree a developer works in. Each fault: write the
changed line, build the tests it names, run them, write the file back."""
import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, 'build', 'mutants')
TREE = os.path.join(WORK, 'tree')
TIERS = ('native', 'fuzz', 'win64')


class Fault:
    def __init__(self, number, line, path, tiers, regex):
        self.number, self.line, self.path, self.tiers, self.regex = number, line, path, tiers, regex
        self.old = self.new = None
        self.anchor = ''  # the text is looked for from here on, when it occurs more than once in the file
        self.note = ''
        self.survivor = ''  # why it is known to survive; it is then left out of --sample

    def name(self):
        return f'#{self.number} {self.path}: {self.old.strip()} -> {self.new.strip()}'


def parse(list_path):
    """A fault: '@ FILE TIERS [CTEST-REGEX]', then '- OLD' and '+ NEW' (the text after '- ' and
    '+ ' exactly), then optional '= ANCHOR' (OLD is the first occurrence after the one place where
    ANCHOR is), '# note' and '! why it survives'. TIERS: native, fuzz, win64 joined by commas;
    they run in that order until one catches the fault."""
    faults, fault = [], None
    with open(list_path, encoding='utf-8') as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip('\n')
            where = f'{list_path}:{number}'
            if line.startswith('@ '):
                parts = line[2:].split()
                if len(parts) not in (2, 3) or not set(parts[1].split(',')) <= set(TIERS):
                    sys.exit(f'{where}: want "@ FILE TIERS [REGEX]"')
                fault = Fault(len(faults) + 1, number, parts[0], parts[1].split(','),
                              parts[2] if len(parts) == 3 else '')
                faults.append(fault)
            elif line.startswith(('- ', '+ ', '= ', '# ', '! ')) and fault is not None:
                text = line[2:]
                if line[0] == '-':
                    fault.old = text
                elif line[0] == '+':
                    fault.new = text
                elif line[0] == '=':
                    fault.anchor = text
                elif line[0] == '#':
                    fault.note = (fault.note + ' ' + text).strip()
                else:
                    fault.survivor = (fault.survivor + ' ' + text).strip()
            elif line.startswith('#') or not line.strip():
                continue
            else:
                sys.exit(f'{where}: not understood: {line}')
    for fault in faults:
        if fault.old is None or fault.new is None or fault.old == fault.new:
            sys.exit(f'{list_path}:{fault.line}: a fault needs "- OLD" and a different "+ NEW"')
    return faults


def run(cmd, cwd=TREE, log=None, env=None):
    """Runs cmd at low priority; its output goes to log (appended). Returns the exit code."""
    with open(log or os.devnull, 'a') as out:
        out.write('$ ' + ' '.join(cmd) + '\n')
        out.flush()
        return subprocess.call(['nice', '-n', '10'] + cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                               env=env)


def sync_tree():
    """Brings the copy to the working tree's files (tracked and new, not ignored). Only files whose
    bytes differ are written, so the copy's builds stay incremental."""
    listed = subprocess.run(['git', 'ls-files', '-z', '-co', '--exclude-standard'], cwd=ROOT, check=True,
                            capture_output=True).stdout.decode().split('\0')
    wanted = {p for p in listed if p and os.path.isfile(os.path.join(ROOT, p))}
    for rel in wanted:
        src, dst = os.path.join(ROOT, rel), os.path.join(TREE, rel)
        with open(src, 'rb') as f:
            data = f.read()
        try:
            with open(dst, 'rb') as f:
                if f.read() == data:
                    continue
        except OSError:
            os.makedirs(os.path.dirname(dst), exist_ok=True)
        with open(dst, 'wb') as f:
            f.write(data)
        shutil.copymode(src, dst)
    for top, dirs, files in os.walk(TREE):
        if top == TREE:
            dirs[:] = [d for d in dirs if d != 'build']
        for name in files:
            rel = os.path.relpath(os.path.join(top, name), TREE)
            if rel not in wanted:
                os.remove(os.path.join(top, name))


def build_dir(preset):
    return os.path.join(TREE, 'build', preset)


CONFIGURED = set()


def configure(preset, log):
    """Once a run: the copy's build may predate tests added or removed since."""
    if preset in CONFIGURED:
        return True
    if run(['cmake', '--preset', preset], log=log) != 0:
        return False
    CONFIGURED.add(preset)
    return True


def test_targets(preset, regex):
    """The executables of the tests the regex picks (a test is built as the target of its name)."""
    cmd = ['ctest', '--test-dir', build_dir(preset), '-N'] + (['-R', regex] if regex else [])
    listing = subprocess.run(cmd, capture_output=True, text=True).stdout
    names = re.findall(r'Test +#\d+: (\S+)', listing)
    targets = subprocess.run(['ninja', '-C', build_dir(preset), '-t', 'targets', 'all'],
                             capture_output=True, text=True).stdout
    known = {t.split(':')[0] for t in targets.splitlines()}
    return [n for n in names if n in known] or ['all']


def build(preset, regex, log):
    if not configure(preset, log):
        return False
    if preset == 'fuzz':
        return run(['cmake', '--build', '--preset', 'fuzz', '-j', '2'], log=log) == 0
    if preset == 'native':  # every unit test runs, and some need tools built beside them
        return run(['cmake', '--build', build_dir(preset), '-j', '2'], log=log) == 0
    return run(['cmake', '--build', build_dir(preset), '-j', '2', '--target'] + test_targets(preset, regex),
               log=log) == 0


def test(preset, regex, log):
    """True when the tests pass."""
    if preset == 'fuzz':
        return run(['scripts/fuzz.sh', '30000'], log=log) == 0
    if preset == 'native':  # every unit test: they take about a second together
        return run(['ctest', '--preset', 'native', '--timeout', '60'], log=log) == 0
    pick = ['-R', regex] if regex else []
    env = dict(os.environ, SPINDLE_VIRTUAL_DISPLAY='1')
    return run(['scripts/wine-session.sh', 'build/win64/wine', 'ctest', '--preset', 'win64', '-LE', 'two-monitors',
                '--timeout', '150'] + pick, log=log, env=env) == 0


def try_fault(fault, log):
    """'caught', 'survived', 'not found', 'ambiguous' or 'no build'."""
    path = os.path.join(TREE, fault.path)
    try:
        with open(path, encoding='utf-8', newline='') as f:
            original = f.read()
    except OSError:
        return 'not found', ''
    at = locate(fault, original)
    if isinstance(at, str):
        return at, ''
    try:
        with open(path, 'w', encoding='utf-8', newline='') as f:
            f.write(original[:at] + fault.new + original[at + len(fault.old):])
        for tier in fault.tiers:
            if not build(tier, fault.regex, log):
                return 'no build', tier
            if not test(tier, fault.regex, log):
                return 'caught', tier
        return 'survived', ''
    finally:
        # Written back with a new time, so the next build compiles the file again.
        with open(path, 'w', encoding='utf-8', newline='') as f:
            f.write(original)


def locate(fault, text):
    """Where the fault's text starts, or 'not found' / 'ambiguous'."""
    start = 0
    if fault.anchor:
        count = text.count(fault.anchor)
        if count != 1:
            return 'not found' if count == 0 else 'ambiguous'
        start = text.index(fault.anchor)
        at = text.find(fault.old, start)
        return 'not found' if at < 0 else at
    count = text.count(fault.old)
    if count != 1:
        return 'not found' if count == 0 else 'ambiguous'
    return text.index(fault.old)


def baseline(faults, log):
    """The unchanged tree must build and pass every tier the faults use, or nothing can be told."""
    for tier in TIERS:
        regexes = sorted({f.regex for f in faults if tier in f.tiers})
        if not regexes:
            continue
        regex = '' if '' in regexes else '|'.join(regexes)
        started = time.time()
        if not build(tier, regex, log) or not test(tier, regex, log):
            sys.exit(f'baseline: the unchanged tree fails in {tier} (see {log})')
        print(f'baseline {tier}: passes ({time.time() - started:.0f} s)', flush=True)


def main():
    parser = argparse.ArgumentParser(description='Plants each listed fault in a copy of the tree and runs '
                                     'the tests that must catch it.')
    parser.add_argument('pattern', nargs='?', default='', help='only faults whose file, text or note match')
    parser.add_argument('--list', default=os.path.join(ROOT, 'tests', 'mutants', 'faults.txt'))
    parser.add_argument('--sample', type=int, help='a random N of the faults (known survivors left out)')
    parser.add_argument('--seed', type=int, help='the sample\'s seed (printed; default: random)')
    parser.add_argument('--tier', choices=TIERS, help='only the faults of this tier, tested in it alone')
    parser.add_argument('--no-baseline', action='store_true', help='skip the run of the unchanged tree')
    parser.add_argument('--check', action='store_true', help='only tell whether each fault\'s text is found once')
    args = parser.parse_args()

    faults = parse(args.list)
    if args.pattern:
        faults = [f for f in faults if re.search(args.pattern, f'{f.path} {f.old} {f.new} {f.note}')]
    if args.tier:
        faults = [f for f in faults if args.tier in f.tiers]
        for fault in faults:
            fault.tiers = [args.tier]
    if args.sample:
        seed = args.seed if args.seed is not None else random.randrange(10000)
        print(f'sample of {args.sample}, seed {seed}')
        pool = [f for f in faults if not f.survivor]
        faults = sorted(random.Random(seed).sample(pool, min(args.sample, len(pool))), key=lambda f: f.number)
    if not faults:
        sys.exit('no fault matches')

    os.makedirs(TREE, exist_ok=True)
    log = os.path.join(WORK, 'last-run.log')
    open(log, 'w').close()
    sync_tree()
    if args.check:
        bad = 0
        for fault in faults:
            try:
                with open(os.path.join(TREE, fault.path), encoding='utf-8', newline='') as f:
                    at = locate(fault, f.read())
            except OSError:
                at = 'not found'
            if isinstance(at, str):
                bad += 1
                print(f'{at:9}  {fault.name()}')
        print(f'{len(faults) - bad} of {len(faults)} faults found once')
        return 1 if bad else 0
    started = time.time()
    if not args.no_baseline:
        baseline(faults, log)
    results = {}
    unexpected = 0
    for fault in faults:
        t0 = time.time()
        result, tier = try_fault(fault, log)
        results.setdefault(result, []).append(fault)
        by = f' by {tier}' if result == 'caught' else f' in {tier}' if tier else ''
        known = f'  (known: {fault.survivor})' if result == 'survived' and fault.survivor else ''
        if result != 'caught' and not (result == 'survived' and fault.survivor):
            unexpected += 1
        print(f'{result:9} {time.time() - t0:5.0f} s{by:10} {fault.name()}{known}', flush=True)
    counted = len(results.get('caught', [])) + len(results.get('survived', []))
    caught = len(results.get('caught', []))
    share = f'{100.0 * caught / counted:.0f}%' if counted else '-'
    others = ', '.join(f'{len(v)} {k}' for k, v in sorted(results.items()) if k not in ('caught', 'survived'))
    print(f'caught {caught} of {counted} ({share}){"; not counted: " + others if others else ""}; '
          f'{(time.time() - started) / 60:.1f} min; log {os.path.relpath(log, ROOT)}')
    return 1 if unexpected else 0


if __name__ == '__main__':
    sys.exit(main())
