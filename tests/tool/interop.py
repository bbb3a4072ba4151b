"""Reads the tool's export with parsers written elsewhere: python3-vobject for vCard 3.0 and 4.0,
Python's csv module for CSV. Usage: interop.py VEDRIN_TOOL"""
import base64
import csv
import io
import os
import subprocess
import sys
import tempfile

import vobject
import zlib


def field(text, width):
    data = text.encode('cp932')
    assert len(data) <= width
    return data + b' ' * (width - len(data))


def png(width=3, height=2):
    """A small real PNG picture."""
    def chunk(kind, data):
        return (len(data).to_bytes(4, 'big') + kind + data
                + zlib.crc32(kind + data).to_bytes(4, 'big'))
    rows = b''.join(b'\0' + b'\xff\x80\x00' * width for _ in range(height))
    header = width.to_bytes(4, 'big') + height.to_bytes(4, 'big') + b'\x08\x02\0\0\0'
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(rows))
            + chunk(b'IEND', b''))


PICTURE = os.path.join(tempfile.mkdtemp(), 'face.png')
ENTRIES = {
    1: ('山田 太郎', 'taro@example.jp', '03-1234-5678', '東京都\r\n千代田区1,2;3\\4', 'C:\\写真\\a.jpg'),
    2: ('ｻﾄｳ　ﾊﾅｺ', '', '090', '"引用", ;', ''),
    5: ('Smith; John', 'js@example.com', '', '', PICTURE),
}


def main():
    tool = sys.argv[1]
    with open(PICTURE, 'wb') as out:
        out.write(png())
    folder = tempfile.mkdtemp()
    roster = b''
    for slot in range(1, max(ENTRIES) + 1):
        name, mail, tell, memo, picture = ENTRIES.get(slot, ('', '', '', '', ''))
        roster += (field(name, 30) + field(mail, 30) + field(tell, 30) + field(memo, 90)
                   + field(picture, 256))
    with open(os.path.join(folder, 'meibo.dat'), 'wb') as out:
        out.write(roster)

    def export(fmt, *more):
        return subprocess.run([tool, '--folder', folder, 'export', '--format', fmt, *more],
                              check=True, capture_output=True).stdout

    failures = []
    for fmt in ('vcard', 'vcard4'):
        cards = list(vobject.readComponents(export(fmt).decode('utf-8')))
        got = {int(c.x_vedrin_no.value): (c.fn.value, c.contents.get('email', [None])[0],
                                          c.contents.get('tel', [None])[0],
                                          c.contents.get('note', [None])[0]) for c in cards}
        for slot, (name, mail, tell, memo, _) in ENTRIES.items():
            fn, email, tel, note = got[slot]
            seen = (fn, email.value if email else '', tel.value if tel else '',
                    note.value if note else '')
            if seen != (name, mail, tell, memo.replace('\r\n', '\n')):
                failures.append(f'{fmt} slot {slot}: {seen!r}')
    photos = [c.photo.value for c in vobject.readComponents(export('vcard', '--photos').decode())
              if 'photo' in c.contents]
    if photos != [png()]:
        failures.append(f'vCard 3.0 photos: {photos!r}')
    # vobject splits 4.0's data URI at its comma, so that one is read here.
    unfolded = export('vcard4', '--photos').replace(b'\r\n ', b'')
    if b'\r\nPHOTO:data:image/png;base64,' + base64.b64encode(png()) + b'\r\n' not in unfolded:
        failures.append('vCard 4.0 photo')
    rows = list(csv.DictReader(io.StringIO(export('csv').decode('utf-8-sig'), newline='')))
    for row, (slot, (name, mail, tell, memo, picture)) in zip(rows, ENTRIES.items()):
        seen = (row['Name'], row['E-mail 1 - Value'], row['Phone 1 - Value'], row['Notes'],
                row['Vedrin No'], row['Vedrin Picture'])
        if seen != (name, mail, tell, memo.replace('\r\n', '\n'), str(slot), picture):
            failures.append(f'csv slot {slot}: {seen!r}')
    if len(rows) != len(ENTRIES):
        failures.append(f'csv has {len(rows)} rows')
    print('\n'.join(failures) or 'all cards and rows read alike')
    return 1 if failures else 0


sys.exit(main())
