#!/usr/bin/env python3
"""Adds up the results of the three test layers into one closing line.

Takes GoogleTest XML reports and the end-to-end harness's JSON report. A
report that is missing (its runner crashed or hung) counts as one failure.
Exits 1 when anything failed.
"""
import json
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


def main(paths):
    totals = [0, 0, 0]
    for path in paths:
        try:
            counts = count_json(path) if path.endswith('.json') else count_gtest(path)
        except (OSError, ValueError, KeyError, ElementTree.ParseError) as error:
            print(f'{path}: no report ({error})')
            counts = (0, 1, 0)
        print(f'  {path.rsplit("/", 1)[-1]:<12} passed {counts[0]}, failed {counts[1]}, skipped {counts[2]}')
        totals = [t + c for t, c in zip(totals, counts)]
    print(f'{totals[0]} passed, {totals[1]} failed, {totals[2]} skipped')
    return 1 if totals[1] else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
