#!/usr/bin/env python3
"""run.py [PATTERN] [--results FILE]: runs the end-to-end tests (the files
matching PATTERN, by default all) and writes their counts to FILE."""
import json
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
args = sys.argv[1:]
results = args.pop(args.index('--results') + 1) if '--results' in args else None
args = [a for a in args if a != '--results']
sys.path.insert(0, HERE)
outcome = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(
    unittest.defaultTestLoader.discover(HERE, pattern=args[0] if args else 'test_*.py', top_level_dir=HERE))
# A test whose subtests failed counts once.
failed = len({getattr(test, 'test_case', test).id() for test, _ in outcome.failures + outcome.errors})
counts = {'passed': outcome.testsRun - failed - len(outcome.skipped), 'failed': failed, 'skipped': len(outcome.skipped)}
print('end-to-end: {passed} passed, {failed} failed, {skipped} skipped'.format(**counts))
if results:
    with open(results, 'w', encoding='utf-8') as report:
        json.dump(counts, report)
sys.exit(1 if failed else 0)
