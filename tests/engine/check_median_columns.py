#!/usr/bin/env python3
"""Fails unless the function bodies of median_columns.h are what its generator prints.

usage: check_median_columns.py GENERATOR HEADER

The generator prints the bodies in the header's order, separated by lines "----"; a body
is every line between a function's opening line (the one ending in "{") and its closing
"}".
"""
import subprocess
import sys


def header_bodies(path):
    bodies, body, in_signature = [], None, False
    with open(path, encoding='utf-8') as header:
        for line in header.read().splitlines():
            if body is not None:
                if line == '}':
                    bodies.append('\n'.join(body))
                    body = None
                else:
                    body.append(line)
            elif line.startswith('inline '):
                in_signature = True
            if in_signature and line.endswith('{'):
                in_signature, body = False, []
    return bodies


def main():
    generator, header = sys.argv[1:3]
    printed = subprocess.run([sys.executable, generator], check=True, capture_output=True,
                             text=True).stdout
    expected = [section.strip('\n') for section in printed.split('\n----\n')]
    committed = header_bodies(header)
    if len(committed) != len(expected):
        sys.exit('%s has %d function bodies, the generator prints %d'
                 % (header, len(committed), len(expected)))
    for index, (have, want) in enumerate(zip(committed, expected)):
        if have != want:
            have_lines, want_lines = have.split('\n'), want.split('\n')
            line = next((i for i, (a, b) in enumerate(zip(have_lines, want_lines)) if a != b),
                        min(len(have_lines), len(want_lines)))
            sys.exit('function %d of %s differs from the generator at its line %d; run the '
                     'generator and paste its output' % (index + 1, header, line + 1))
    print('median_columns.h is what the generator prints (%d functions)' % len(committed))


if __name__ == '__main__':
    main()
