#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The JSON Schema shipped for tvrtool's export must accept what export writes, for both kinds
# of file, and be a valid schema itself. Needs python3-jsonschema; skips without it.
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
  python3 - "$schema" "$dir/$file.json" <<'PY'
import json, sys, jsonschema
schema = json.load(open(sys.argv[1]))
jsonschema.Draft202012Validator.check_schema(schema)
jsonschema.Draft202012Validator(schema).validate(json.load(open(sys.argv[2])))
PY
done
echo "PASS"
