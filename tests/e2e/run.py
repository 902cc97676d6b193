#!/usr/bin/env python3
"""Runs the end-to-end tests and writes their counts for the closing line."""
import argparse
import json
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--results', help='JSON file for the counts')
    parser.add_argument('pattern', nargs='?', default='test_*.py')
    args = parser.parse_args()

    sys.path.insert(0, HERE)
    suite = unittest.defaultTestLoader.discover(HERE, pattern=args.pattern, top_level_dir=HERE)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    failed = len(result.failures) + len(result.errors) + len(result.unexpectedSuccesses)
    skipped = len(result.skipped)
    passed = result.testsRun - failed - skipped
    print(f'end-to-end: passed {passed}, failed {failed}, skipped {skipped}')
    if args.results:
        with open(args.results, 'w', encoding='utf-8') as report:
            json.dump({'passed': passed, 'failed': failed, 'skipped': skipped}, report)
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
