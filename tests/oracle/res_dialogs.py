#!/usr/bin/env python3
"""Reads the dialogs out of a 32-bit resource file (.res) as a comparable model.

A .res file is a sequence of entries, each a RESOURCEHEADER followed by its data, every entry
starting on a DWORD boundary. The header holds DataSize and HeaderSize (DWORDs), the type and
the name (each either 0xFFFF and a WORD ordinal, or a NUL-terminated UTF-16LE string), padding
to a DWORD boundary, then DataVersion (DWORD), MemoryFlags (WORD), LanguageId (WORD), Version
and Characteristics (DWORDs). The first entry is the empty one (DataSize 0, HeaderSize 32,
type and name ordinal 0) that tells a 32-bit resource file from a 16-bit one.

Every RT_DIALOG (type 5) entry is decoded, both layouts:
  DLGTEMPLATE    style, exStyle, item count, x, y, cx, cy, menu, class, title
                 [DS_SETFONT: point size, typeface]; items DLGITEMTEMPLATE: style, exStyle,
                 x, y, cx, cy, id (WORD), class, title, extra data
  DLGTEMPLATEEX  dlgVer 1, signature 0xFFFF, helpId, exStyle, style, item count, x, y, cx, cy,
                 menu, class, title [DS_SETFONT or DS_SHELLFONT: point size, weight, italic,
                 charset, typeface]; items DLGITEMTEMPLATEEX: helpId, exStyle, style, x, y,
                 cx, cy, id (DWORD), class, title, extra data
Each item starts on a DWORD boundary (counted from the start of the dialog's data); the
variable arrays are WORD aligned. The extra data is a WORD count then that many bytes (what
resource compilers write; the classic template's documentation says the count includes the
WORD itself, but no compiler writes it so).

Model (JSON), one object per dialog in file order:
  name            int (ordinal) or str
  language        int (LANGID)
  memoryFlags     int
  extended        bool (DLGTEMPLATEEX)
  helpId          int, or null for DLGTEMPLATE (which has none)
  style, exStyle  unsigned 32-bit
  itemCount       the header's count (always equal to len(items))
  x, y, cx, cy    signed 16-bit
  menu, class     null (0x0000), int (ordinal) or str
  title           str (an ordinal title is given as an int)
  font            null without DS_SETFONT, else {pointSize, weight, italic, charset, typeface};
                  weight, italic and charset are null in DLGTEMPLATE
  items           [{helpId, exStyle, style, x, y, cx, cy, id, class, classOrdinal, text,
                    extra}]
                  id: signed 32-bit (a DLGTEMPLATE WORD id is read as signed 16-bit, so
                  IDC_STATIC is -1 in both layouts); class: the predefined class name
                  (Button, Edit, Static, ListBox, ScrollBar, ComboBox) for ordinals 0x80-0x85,
                  the ordinal as int for others, else the string; classOrdinal: the ordinal
                  or null for a string class; text: str, or int for an ordinal (0xFFFF, id),
                  as ICON controls have; extra: the extra data as lower-case hex ("" if none)

Usage: res_dialogs.py FILE.res [--all-types]
  prints the JSON list of dialogs; --all-types lists every entry's type, name and size instead.
"""
import json
import struct
import sys

RT_DIALOG = 5
DS_SETFONT = 0x40
CLASS_NAMES = {0x80: "Button", 0x81: "Edit", 0x82: "Static", 0x83: "ListBox",
               0x84: "ScrollBar", 0x85: "ComboBox"}


class ResFormatError(ValueError):
    """The bytes are not a well-formed 32-bit resource file or dialog template."""


def _align(offset, unit):
    return (offset + unit - 1) // unit * unit


class _Cursor:
    """Little-endian reads over a byte string with bounds checks."""

    def __init__(self, data, offset=0, what="data"):
        self.data = data
        self.pos = offset
        self.what = what

    def _take(self, fmt):
        size = struct.calcsize(fmt)
        if self.pos + size > len(self.data):
            raise ResFormatError("%s: truncated at offset %d (need %d bytes, have %d)"
                                 % (self.what, self.pos, size, len(self.data) - self.pos))
        value = struct.unpack_from(fmt, self.data, self.pos)[0]
        self.pos += size
        return value

    def word(self):
        return self._take("<H")

    def short(self):
        return self._take("<h")

    def dword(self):
        return self._take("<I")

    def long(self):
        return self._take("<i")

    def byte(self):
        return self._take("<B")

    def align(self, unit):
        self.pos = _align(self.pos, unit)

    def string(self):
        """A NUL-terminated UTF-16LE string (lone surrogates kept as they are)."""
        start = self.pos
        while True:
            if self.pos + 2 > len(self.data):
                raise ResFormatError("%s: string at offset %d has no terminating NUL"
                                     % (self.what, start))
            unit = struct.unpack_from("<H", self.data, self.pos)[0]
            self.pos += 2
            if unit == 0:
                return self.data[start:self.pos - 2].decode("utf-16-le", "surrogatepass")

    def sz_or_ord(self, empty=True):
        """0xFFFF + ordinal -> int; 0x0000 -> None (when `empty`) or ""; else the string."""
        if self.pos + 2 > len(self.data):
            raise ResFormatError("%s: truncated at offset %d" % (self.what, self.pos))
        first = struct.unpack_from("<H", self.data, self.pos)[0]
        if first == 0xFFFF:
            self.pos += 2
            return self.word()
        if first == 0 and empty:
            self.pos += 2
            return None
        return self.string()

    def raw(self, count):
        if self.pos + count > len(self.data):
            raise ResFormatError("%s: %d bytes of data at offset %d run past the end"
                                 % (self.what, count, self.pos))
        value = self.data[self.pos:self.pos + count]
        self.pos += count
        return value


def read_resources(data):
    """Every entry of a 32-bit .res file but the leading empty one, as dicts:
    type, name (int or str), language, memoryFlags, dataVersion, version, characteristics,
    data (bytes)."""
    if len(data) < 32:
        raise ResFormatError("not a 32-bit resource file: %d bytes, less than the empty entry"
                             % len(data))
    empty = struct.unpack_from("<IIHHHH", data, 0)
    if empty[:6] != (0, 32, 0xFFFF, 0, 0xFFFF, 0):
        raise ResFormatError("not a 32-bit resource file: the first entry is not the empty one")
    entries = []
    offset = 0
    while offset < len(data):
        if len(data) - offset < 8:
            if data[offset:].strip(b"\0"):
                raise ResFormatError("stray bytes at the end, offset %d" % offset)
            break
        data_size, header_size = struct.unpack_from("<II", data, offset)
        if header_size < 24 or offset + header_size > len(data):
            raise ResFormatError("entry at offset %d: header size %d out of range"
                                 % (offset, header_size))
        if offset + header_size + data_size > len(data):
            raise ResFormatError("entry at offset %d: data size %d runs past the end"
                                 % (offset, data_size))
        header = data[:offset + header_size]
        cur = _Cursor(header, offset + 8, "header at offset %d" % offset)
        rtype = cur.sz_or_ord(empty=False)
        name = cur.sz_or_ord(empty=False)
        cur.align(4)
        data_version = cur.dword()
        memory_flags = cur.word()
        language = cur.word()
        version = cur.dword()
        characteristics = cur.dword()
        start = offset + header_size
        if offset > 0:
            entries.append({"type": rtype, "name": name, "language": language,
                            "memoryFlags": memory_flags, "dataVersion": data_version,
                            "version": version, "characteristics": characteristics,
                            "data": data[start:start + data_size]})
        offset = _align(start + data_size, 4)
    return entries


def _class_fields(value):
    if isinstance(value, int):
        return CLASS_NAMES.get(value, value), value
    return value, None


def _title(value):
    return "" if value is None else value


def decode_dialog(data):
    """The model of one RT_DIALOG resource's data (without name and language)."""
    cur = _Cursor(data, 0, "dialog")
    if len(data) >= 4 and struct.unpack_from("<HH", data, 0) == (1, 0xFFFF):
        extended = True
        cur.pos = 4
        help_id = cur.dword()
        ex_style = cur.dword()
        style = cur.dword()
    else:
        extended = False
        help_id = None
        style = cur.dword()
        ex_style = cur.dword()
    count = cur.word()
    x, y, cx, cy = cur.short(), cur.short(), cur.short(), cur.short()
    menu = cur.sz_or_ord()
    wclass = cur.sz_or_ord()
    title = _title(cur.sz_or_ord())
    font = None
    if style & DS_SETFONT:
        point_size = cur.word()
        weight = italic = charset = None
        if extended:
            weight = cur.word()
            italic = cur.byte()
            charset = cur.byte()
        font = {"pointSize": point_size, "weight": weight, "italic": italic,
                "charset": charset, "typeface": cur.string()}
    items = []
    for index in range(count):
        cur.align(4)
        cur.what = "dialog item %d" % index
        if extended:
            item_help = cur.dword()
            item_ex = cur.dword()
            item_style = cur.dword()
        else:
            item_help = None
            item_style = cur.dword()
            item_ex = cur.dword()
        ix, iy, icx, icy = cur.short(), cur.short(), cur.short(), cur.short()
        item_id = cur.long() if extended else cur.short()
        class_name, class_ordinal = _class_fields(cur.sz_or_ord(empty=False))
        text = _title(cur.sz_or_ord())
        extra_size = cur.word()
        extra = cur.raw(extra_size)
        items.append({"helpId": item_help, "exStyle": item_ex, "style": item_style,
                      "x": ix, "y": iy, "cx": icx, "cy": icy, "id": item_id,
                      "class": class_name, "classOrdinal": class_ordinal, "text": text,
                      "extra": extra.hex()})
    return {"extended": extended, "helpId": help_id, "style": style, "exStyle": ex_style,
            "itemCount": count, "x": x, "y": y, "cx": cx, "cy": cy, "menu": menu,
            "class": wclass, "title": title, "font": font, "items": items}


def dialogs(data):
    """The models of every dialog of a .res file's bytes, in file order."""
    found = []
    for entry in read_resources(data):
        if entry["type"] != RT_DIALOG:
            continue
        try:
            model = decode_dialog(entry["data"])
        except ResFormatError as error:
            raise ResFormatError("dialog %r (language %d): %s"
                                 % (entry["name"], entry["language"], error)) from None
        found.append(dict({"name": entry["name"], "language": entry["language"],
                           "memoryFlags": entry["memoryFlags"]}, **model))
    return found


def read_file(path):
    with open(path, "rb") as f:
        return dialogs(f.read())


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    if len(args) != 1 or any(a not in ("--all-types",) for a in argv if a.startswith("--")):
        sys.stderr.write(__doc__.split("Usage:")[1])
        return 2
    with open(args[0], "rb") as f:
        data = f.read()
    try:
        if "--all-types" in argv:
            out = [{"type": e["type"], "name": e["name"], "language": e["language"],
                    "size": len(e["data"])} for e in read_resources(data)]
        else:
            out = dialogs(data)
    except ResFormatError as error:
        sys.stderr.write("res_dialogs: %s: %s\n" % (args[0], error))
        return 1
    json.dump(out, sys.stdout, indent=1)
    sys.stdout.write("\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
