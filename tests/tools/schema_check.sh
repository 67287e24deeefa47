#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The JSON Schema shipped for tvrtool's export against tvrtool import, both ways, by an
# independent validator: what export writes and a set of edited documents that import takes are
# accepted by the schema and imported; the documents import refuses are refused by the schema
# too, except for the few rules no JSON Schema can state (listed in the schema's description).
# Needs python3-jsonschema; skips without it.
# Usage: schema_check.sh TVRTOOL SCHEMA
set -euo pipefail
tvrtool=$1 schema=$2
python3 -c 'import jsonschema' 2>/dev/null || { echo "SKIP: python3-jsonschema is missing"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# A keyboard file with a merged key, codes and a colour, and a key-lock file, by hand.
python3 - "$dir" <<'PY'
import struct, sys
def record(label, visible=1, spans=(1, 1), codes=b'', color=0x8000000F):
    area = codes.ljust(64, b'\0')
    return bytes([visible, spans[1], spans[0], len(codes)]) + struct.pack('<I', color) \
        + label.ljust(20, b'\0') + area
keys = [record(str(i + 1).encode()) for i in range(84)]
keys[0] = record(b'Total|Sum', spans=(2, 1), codes=bytes.fromhex('121CF01CF0121C'), color=0xFF)
keys[7] = record(b'8', visible=0)
open(sys.argv[1] + '/a.tvr', 'wb').write(b'TVRN' + b''.join(keys))
open(sys.argv[1] + '/l.qld', 'wb').write(b'MGKY' + b''.join(record(str(i).encode()) for i in range(7)))
PY
for file in a.tvr l.qld; do
  "$tvrtool" export "$dir/$file" -o "$dir/$file.json"
done

python3 - "$tvrtool" "$schema" "$dir" <<'PY'
import copy, json, subprocess, sys, jsonschema
tvrtool, schema_path, work = sys.argv[1:]
schema = json.load(open(schema_path))
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
tavrin = json.load(open(work + '/a.tvr.json'))
lock = json.load(open(work + '/l.qld.json'))

def edited(base, *changes):
    doc = copy.deepcopy(base)
    for path, value in changes:
        *parents, last = path.split('.')
        node = doc
        for part in parents:
            node = node[int(part)] if isinstance(node, list) else node[part]
        if isinstance(node, list):
            last = int(last)
        if value is DROP:
            del node[last]
        else:
            node[last] = value
    return doc

DROP = object()
def imports(doc):
    path = work + '/case.json'
    with open(path, 'w', encoding='utf-8') as f:
        json.dump(doc, f, ensure_ascii=False)
    r = subprocess.run([tvrtool, 'import', path, '-o', work + '/case.out', '--force'],
                       capture_output=True, text=True)
    return r.returncode == 0, r.stderr.strip()

accepted = {
    'export of a keyboard': tavrin,
    'export of a key lock': lock,
    'colour by name': edited(tavrin, ('keys.3.color', 'windowText')),
    'colour as a raw value': edited(tavrin, ('keys.3.color', '0x01020304')),
    'colour in lower case': edited(tavrin, ('keys.3.color', '#ff8000')),
    'no index, column or row': edited(tavrin, ('keys.3.index', DROP), ('keys.3.column', DROP),
                                      ('keys.3.row', DROP)),
    'a key over the last column and row': edited(tavrin, ('keys.76.colSpan', 2),
                                                ('keys.83.visible', False)),
    'a hidden cell with a span (a warning)': edited(tavrin, ('keys.40.visible', False),
                                                    ('keys.40.colSpan', 2)),
    'a label of 20 bytes': edited(tavrin, ('keys.5.label.text', 'ABCDEFGHIJKLMNOPQRST')),
    'no code page': edited(tavrin, ('keys.5.label.codePage', DROP)),
    '63 codes': edited(tavrin, ('keys.5.codes', ['1C F0 1C'] * 21)),
    'spare bytes after the codes': edited(tavrin, ('keys.5.spareCodes', 'F7 00 12')),
    'fields this version does not know': edited(tavrin, ('comment', 'x'), ('keys.2.note', 1)),
}
refused = {  # as the import tests refuse them
    'newer version': edited(tavrin, ('version', 2)),
    'other program': edited(tavrin, ('program', 'Other')),
    'span below 1': edited(tavrin, ('keys.3.colSpan', 0)),
    'span past the grid': edited(tavrin, ('keys.80.colSpan', 2)),
    'row span past the grid': edited(tavrin, ('keys.6.rowSpan', 2)),
    'a span in a key-lock file': edited(lock, ('keys.3.rowSpan', 2)),
    'span over a byte': edited(tavrin, ('keys.3.rowSpan', 256)),
    'span not whole': edited(tavrin, ('keys.3.rowSpan', 1.5)),
    'not hex': edited(tavrin, ('keys.5.codes', ['1C F0', '1G'])),
    'a byte of three digits': edited(tavrin, ('keys.5.codes', ['1CF'])),
    'bytes apart by a tab': edited(tavrin, ('keys.5.codes', ['1C\tF0'])),
    '64 codes': edited(tavrin, ('keys.5.codes', ['1C'] * 64)),
    '64 codes in one string': edited(tavrin, ('keys.5.codes', [' '.join(['1C'] * 64)])),
    'long label': edited(tavrin, ('keys.5.label.text', 'ABCDEFGHIJKLMNOPQRSTU')),
    'zero in a label': edited(tavrin, ('keys.5.label.text', '\0')),
    'colour': edited(tavrin, ('keys.5.color', 'red')),
    'visibility': edited(tavrin, ('keys.5.visible', 'yes')),
    'index out of order': edited(tavrin, ('keys.5.index', 6)),
    'column that is not the key\'s': edited(tavrin, ('keys.5.column', 1)),
    'missing field': edited(tavrin, ('keys.5.codes', DROP)),
    'digits of another script': edited(tavrin, ('keys.5.codes', ['\u0663\u0663'])),
    'span far past an int': edited(tavrin, ('keys.3.colSpan', 1e300)),
    'version far past an int': edited(tavrin, ('version', -1e300)),
    'spare past the area': edited(tavrin, ('keys.5.spareCodes', ' '.join(['00'] * 65))),
    'a key too few': edited(tavrin, ('keys.83', DROP)),
    'wrong format': edited(tavrin, ('format', 'other')),
}
failures = 0
for name, doc in accepted.items():
    errors = [e.message for e in validator.iter_errors(doc)]
    ok, said = imports(doc)
    if errors or not ok:
        failures += 1
        print(f'FAIL {name}: schema {errors[:1] or "accepts"}, import {said or "takes it"}')
for name, doc in refused.items():
    schema_takes = validator.is_valid(doc)
    ok, said = imports(doc)
    if schema_takes or ok:
        failures += 1
        print(f'FAIL {name}: schema {"accepts" if schema_takes else "refuses"}, '
              f'import {"takes it" if ok else "refuses"}')
print(f'{len(accepted)} accepted and {len(refused)} refused by both' if not failures else '')
sys.exit(1 if failures else 0)
PY
echo "PASS"
