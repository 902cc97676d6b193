#!/usr/bin/env python3
"""count_results.py ROOT REPORT...: adds up the test layers' reports
(GoogleTest XML, a JSON of counts, the end-to-end unittest log) into the
closing line. A missing
report (its runner crashed or hung) counts as one failure. Before that line
it compares the non-blank lines of ROOT/tests with those of ROOT/src."""
import json
import os
import re
import sys
import xml.etree.ElementTree as ElementTree


def counts(path):
    if path.endswith('.log'):
        with open(path, encoding='utf-8', errors='replace') as log:
            text = log.read()
        ran = int(re.search(r'^Ran (\d+) tests?', text, re.M).group(1))
        failed = len(set(re.findall(r'^(?:FAIL|ERROR): \S+ \(([^)]*)\)', text, re.M)))
        skipped = int((re.search(r'skipped=(\d+)', text.split('\nRan ')[-1]) or [0, 0])[1])
        return ran - failed - skipped, failed, skipped
    if path.endswith('.json'):
        with open(path, encoding='utf-8') as report:
            data = json.load(report)
        return data['passed'], data['failed'], data['skipped']
    cases = list(ElementTree.parse(path).getroot().iter('testcase'))
    failed = sum(1 for c in cases if c.find('failure') is not None or c.find('error') is not None)
    skipped = sum(1 for c in cases if c.get('result') == 'skipped' or c.find('skipped') is not None)
    return len(cases) - failed - skipped, failed, skipped


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
            found = counts(path)
        except (OSError, ValueError, KeyError, AttributeError, ElementTree.ParseError) as error:
            print(f'{path}: no report ({error})')
            found = (0, 1, 0)
        print(f'  {os.path.basename(path):<12} passed {found[0]}, failed {found[1]}, skipped {found[2]}')
        totals = [t + c for t, c in zip(totals, found)]
    tests, sources = non_blank_lines(os.path.join(root, 'tests')), non_blank_lines(os.path.join(root, 'src'))
    print(f'test lines: {tests}, source lines: {sources} ({100 * tests // max(sources, 1)} %)')
    print(f'{totals[0]} passed, {totals[1]} failed, {totals[2]} skipped')
    return 1 if totals[1] else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2:]))
