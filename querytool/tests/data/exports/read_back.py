# Reads an exported file back with Python's standard readers and prints what they give: one line per
# row, each field as hexadecimal bytes, fields separated by blanks; for XML each field is written as
# NAME=VALUE, the element name with its _xHHHH_ escapes decoded and values in hexadecimal decoded.
#   python3 read_back.py xml|csv FILE
import csv
import re
import sys
import xml.etree.ElementTree as ET


def hex_of(data):
    return data.hex().upper() if data else "-"


def xml_rows(path):
    for row in ET.parse(path).getroot():
        fields = []
        for element in row:
            name = re.sub(r"_x([0-9A-F]{4,})_", lambda m: chr(int(m.group(1), 16)), element.tag)
            text = element.text or ""
            if element.get("encoding") == "hex":
                value = bytes.fromhex(text)
            else:
                value = text.encode("utf-8")
            fields.append(hex_of(name.encode("utf-8")) + "=" + hex_of(value))
        yield fields


def csv_rows(path):
    with open(path, newline="", encoding="latin-1") as f:
        for row in csv.reader(f):
            yield [hex_of(value.encode("latin-1")) for value in row]


kind, path = sys.argv[1], sys.argv[2]
for fields in (xml_rows if kind == "xml" else csv_rows)(path):
    print(" ".join(fields))
