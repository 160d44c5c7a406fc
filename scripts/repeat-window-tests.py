#!/usr/bin/env python3
"""Runs window test programs of a built tree many times each, to find the ones
that fail now and then. The programs are spread over shards that run side by
side, each with its own copy of the Wine prefix, its own display and its own
wineserver, so that they do not take each other's focus.
  scripts/repeat-window-tests.py BUILD [--regex R] [--repeats N] [--shards K] [--until HH:MM]
BUILD is the build folder of scripts/test.sh (build/ of a checkout, after a run
that built the win64 tests). By default every test that holds the desktop lock
runs 50 times, in 4 shards. A program stops at its first failure; its output
is kept in build/repeat/shardK.log. Ends with a line per program."""
import argparse
import datetime
import json
import os
import shutil
import subprocess
import sys


def window_tests(build, regex):
    args = ['ctest', '--show-only=json-v1'] + (['-R', regex] if regex else [])
    data = json.loads(subprocess.run(args, cwd=build, capture_output=True, text=True, check=True).stdout)
    tests = []
    for t in data['tests']:
        props = {p['name']: p['value'] for p in t.get('properties', [])}
        if 'desktop' in (props.get('RESOURCE_LOCK') or []):
            tests.append((t['name'], t['command'], props.get('WORKING_DIRECTORY'), props.get('ENVIRONMENT', [])))
    return tests


def costs(build):
    cost = {}
    try:
        with open(os.path.join(build, 'Testing', 'Temporary', 'CTestCostData.txt')) as f:
            for line in f:
                p = line.split()
                if len(p) == 3:
                    cost[p[0]] = float(p[2])
    except OSError:
        pass
    return cost


def run_shard(index, tests, build, repeats, until):
    base = os.path.join(build, 'repeat', 'shard%d' % index)
    shutil.rmtree(base, ignore_errors=True)
    os.makedirs(base)
    prefix = os.path.join(base, 'prefix')
    subprocess.run(['cp', '-a', tests[0][1][1], prefix], check=True)
    r, w = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(w), '-screen', '0', '1280x800x24', '-nolisten', 'tcp',
                             '-noreset'], pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(w)
    display = ':' + os.read(r, 16).decode().strip()
    env = dict(os.environ, DISPLAY=display, WINEPREFIX=prefix)
    subprocess.run(['wineserver', '-p'], env=env)
    results = []
    with open(os.path.join(build, 'repeat', 'shard%d.log' % index), 'w') as log:
        for name, command, folder, environment in tests:
            run_env = dict(env)
            run_env.update(dict(x.split('=', 1) for x in environment))
            command = [command[0], prefix] + command[2:]
            runs, failed = 0, False
            while runs < repeats and datetime.datetime.now().strftime('%H:%M') < until:
                runs += 1
                try:
                    p = subprocess.run(command, cwd=folder, env=run_env, capture_output=True, text=True, timeout=900)
                    failed = p.returncode != 0
                    output = p.stdout[-4000:] + p.stderr[-2000:]
                except subprocess.TimeoutExpired:
                    failed, output = True, 'no end after 900 s'
                    subprocess.run(['wineserver', '-k'], env=env)
                    subprocess.run(['wineserver', '-p'], env=env)
                if failed:
                    log.write('FAIL %s run %d\n%s\n' % (name, runs, output))
                    break
            log.write('%s %s %d runs\n' % ('FAIL' if failed else 'PASS', name, runs))
            log.flush()
            results.append((name, runs, failed))
    subprocess.run(['wineserver', '-k'], env=env)
    xvfb.kill()
    return results


def main():
    a = argparse.ArgumentParser()
    a.add_argument('build')
    a.add_argument('--regex', default='')
    a.add_argument('--repeats', type=int, default=50)
    a.add_argument('--shards', type=int, default=4)
    a.add_argument('--until', default='99:99', help='start no run after this time of day (HH:MM)')
    o = a.parse_args()
    build = os.path.abspath(o.build)
    tests = window_tests(build, o.regex)
    if not tests:
        sys.exit('no window tests picked')
    cost = costs(build)
    tests.sort(key=lambda t: -cost.get(t[0], 1.0))
    shards = [[] for _ in range(max(1, o.shards))]
    load = [0.0] * len(shards)
    for t in tests:
        i = load.index(min(load))
        shards[i].append(t)
        load[i] += cost.get(t[0], 1.0)
    children = []
    for i, group in enumerate(shards):
        if not group:
            continue
        pid = os.fork()
        if pid == 0:
            results = run_shard(i, group, build, o.repeats, o.until)
            os._exit(1 if any(f for _, _, f in results) else 0)
        children.append(pid)
    bad = 0
    for pid in children:
        bad |= os.waitpid(pid, 0)[1]
    for i in range(len(shards)):
        path = os.path.join(build, 'repeat', 'shard%d.log' % i)
        if os.path.exists(path):
            with open(path) as f:
                sys.stdout.write(''.join(line for line in f if line.startswith(('PASS ', 'FAIL '))))
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())
