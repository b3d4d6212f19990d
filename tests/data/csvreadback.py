#!/usr/bin/env python3
"""Reads a CSV file the program wrote as a spreadsheet would, with Python's
csv module, and prints what it found as JSON (ASCII) on one line:
  bom        the file starts with the UTF-8 byte-order mark
  crlf       every line ends in CR LF
  rows       every row as a list of its fields (the header first)
  values_ok  every text in the form of a date or time is one, and every
             field of the number columns given reads as a number
Usage: csvreadback.py FILE [NUMBER_COLUMN ...]
"""
import csv
import datetime
import json
import re
import sys

path = sys.argv[1]
number_columns = [int(c) for c in sys.argv[2:]]
raw = open(path, "rb").read()
bom = raw.startswith(b"\xef\xbb\xbf")
crlf = raw.count(b"\n") == raw.count(b"\r\n") and raw.count(b"\r") == raw.count(b"\r\n")
with open(path, newline="", encoding="utf-8-sig") as f:
    rows = list(csv.reader(f))

values_ok = True
for row in rows[1:]:
    for i, field in enumerate(row):
        try:
            if re.fullmatch(r"\d{4}-\d{2}-\d{2}", field):
                datetime.date.fromisoformat(field)
            elif re.fullmatch(r"\d{2}:\d{2}:\d{2}", field):
                datetime.time.fromisoformat(field)
            if i in number_columns:
                float(field)
        except ValueError:
            values_ok = False

print(json.dumps({"bom": bom, "crlf": crlf, "rows": rows, "values_ok": values_ok}))
