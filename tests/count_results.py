#!/usr/bin/env python3
"""Adds up the results of the three test layers into one closing line.

Takes the source root, then GoogleTest XML reports and the end-to-end
harness's JSON report. A report that is missing (its runner crashed or
hung) counts as one failure. Before the closing line it prints how the
non-blank lines of tests/ compare with those of src/. Exits 1 when anything
failed.
"""
import json
import os
import sys
import xml.etree.ElementTree as ElementTree


def count_gtest(path):
    root = ElementTree.parse(path).getroot()
    passed = failed = skipped = 0
    for case in root.iter('testcase'):
        if case.find('failure') is not None or case.find('error') is not None:
            failed += 1
        elif case.get('result') == 'skipped' or case.find('skipped') is not None:
            skipped += 1
        elif case.get('status', 'run') == 'run':
            passed += 1
    return passed, failed, skipped


def count_json(path):
    with open(path, encoding='utf-8') as report:
        data = json.load(report)
    return data['passed'], data['failed'], data['skipped']


def non_blank_lines(folder):
    total = 0
    for base, _dirs, files in os.walk(folder):
        for name in files:
            with open(os.path.join(base, name), 'rb') as file:
                data = file.read()
            if b'\0' not in data:  # text only: the icon is not code
                total += sum(1 for line in data.splitlines() if line.strip())
    return total


def main(root, paths):
    totals = [0, 0, 0]
    for path in paths:
        try:
            counts = count_json(path) if path.endswith('.json') else count_gtest(path)
        except (OSError, ValueError, KeyError, ElementTree.ParseError) as error:
            print(f'{path}: no report ({error})')
            counts = (0, 1, 0)
        print(f'  {path.rsplit("/", 1)[-1]:<12} passed {counts[0]}, failed {counts[1]}, skipped {counts[2]}')
        totals = [t + c for t, c in zip(totals, counts)]
    tests, sources = non_blank_lines(os.path.join(root, 'tests')), non_blank_lines(os.path.join(root, 'src'))
    print(f'test lines: {tests}, source lines: {sources} ({100 * tests // max(sources, 1)} %)')
    print(f'{totals[0]} passed, {totals[1]} failed, {totals[2]} skipped')
    return 1 if totals[1] else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2:]))
