#!/usr/bin/env python3
"""Prints the bodies of the functions of median_columns.h, in their order.

Wires are symbolic. Sorted sequences are merged with Batcher's odd-even merge; an element
that can never hold rank 9 to 13 of the 21 pixels is replaced by -inf or +inf, so the
comparisons it takes part in fold away, and only operations that reach the result are
kept. tests/dispatch proves the printed network by the 0-1 principle.
"""
NEG, POS = 'NEG', 'POS'
ops = []  # (destination, 'Min' or 'Max', a, b)


def op(kind, a, b):
    absorbing, neutral = (NEG, POS) if kind == 'Min' else (POS, NEG)
    if absorbing in (a, b):
        return absorbing
    if a == neutral or a == b:
        return b
    if b == neutral:
        return a
    dest = 't%d' % (len(ops) + 1)
    ops.append((dest, kind, a, b))
    return dest


def merge(a, b):
    if not a or not b:
        return list(a or b)
    if len(a) == 1 and len(b) == 1:
        return [op('Min', a[0], b[0]), op('Max', a[0], b[0])]
    evens, odds = merge(a[0::2], b[0::2]), merge(a[1::2], b[1::2])
    out = [evens[0]]
    for i, w in enumerate(odds):
        if i + 1 < len(evens):
            out += [op('Min', w, evens[i + 1]), op('Max', w, evens[i + 1])]
        else:
            out.append(w)
    return out + evens[len(odds) + 1:]


def prune(seq, total=21, lowest=9, highest=13):
    """Elements of a sorted subset of total values that cannot hold ranks lowest..highest."""
    spare = total - len(seq)
    return [POS if i > highest else NEG if i + spare < lowest else s
            for i, s in enumerate(seq, 1)]


def emit(outputs):
    live, kept = set(outputs), []
    for dest, kind, a, b in reversed(ops):
        if dest in live:
            kept.append((dest, kind, a, b))
            live.update((a, b))
    name = lambda w: w if w.startswith('t') or w.lower().endswith('centre') else '%s[%s]' % (w[0], w[1:])
    return ['    const V %s = Ops::%s(%s, %s);' % (d, k, name(a), name(b))
            for d, k, a, b in reversed(kept)], name


column = [merge(merge(['r1'], ['r2']), ['r3'])]
column.append(merge(column[0], merge(['r0'], ['r4'])))
lines, name = emit(column[0] + column[1])
print('\n'.join(lines))
print('\n'.join('    three[%d] = %s;' % (i, name(w)) for i, w in enumerate(column[0])))
print('\n'.join('    five[%d] = %s;' % (i, name(w)) for i, w in enumerate(column[1])))
print('----')

ops.clear()
a, b, c = (['%s%d' % (n, i) for i in range(5)] for n in 'abc')
d, e = (['%s%d' % (n, i) for i in range(3)] for n in 'de')
ab = prune(merge(a, b))
cde = prune(merge(prune(c), prune(merge(d, e))))
pixels = prune(merge(ab, cde))
median = op('Max', pixels[8], op('Min', 'centre', pixels[12]))
lines, name = emit([median])
print('\n'.join(lines))
print('    return %s;' % name(median))
print('----')

ops.clear()
four = merge(merge(['r0'], ['r1']), merge(['r2'], ['r3']))
lines, name = emit(four)
print('\n'.join(lines))
print('\n'.join('    four[%d] = %s;' % (i, name(w)) for i, w in enumerate(four)))
print('----')

ops.clear()
three = merge(merge(['r0'], ['r1']), ['r2'])
lines, name = emit(three)
print('\n'.join(lines))
print('\n'.join('    three[%d] = %s;' % (i, name(w)) for i, w in enumerate(three)))
print('----')

# Two output rows: the 16 pixels they share, merged once, then each row's own five.
ops.clear()
p, q, r = (['%s%d' % (n, i) for i in range(4)] for n in 'pqr')
e, f = (['%s%d' % (n, i) for i in range(2)] for n in 'ef')
shared = prune(merge(prune(merge(p, q)), prune(merge(r, merge(e, f)))))
medians = []
for three, two, centre in (('a', 'b', 'upperCentre'), ('c', 'd', 'lowerCentre')):
    own = merge(['%s%d' % (three, i) for i in range(3)], ['%s%d' % (two, i) for i in range(2)])
    pixels = prune(merge(shared, prune(own)))
    medians.append(op('Max', pixels[8], op('Min', centre, pixels[12])))
lines, name = emit(medians)
print('\n'.join(lines))
print('    upper = %s;\n    lower = %s;' % (name(medians[0]), name(medians[1])))
