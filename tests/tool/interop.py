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


# A real 1 x 1 orange PNG picture.
PNG = base64.b64decode('iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4'
                       '38AAAAQBAYDFKhhdAAAAAElFTkSuQmCC')
FOLDER = tempfile.mkdtemp()
PICTURE = os.path.join(FOLDER, 'face.png')
ENTRIES = {
    1: ('山田 太郎', 'taro@example.jp', '03-1234-5678', '東京都\r\n千代田区1,2;3\\4', 'C:\\写真\\a.jpg'),
    2: ('ｻﾄｳ　ﾊﾅｺ', '', '090', '"引用", ;', ''),
    5: ('Smith; John', 'js@example.com', '', '', PICTURE),
}


def export(fmt, *more):
    return subprocess.run([sys.argv[1], '--folder', FOLDER, 'export', '--format', fmt, *more],
                          check=True, capture_output=True).stdout


with open(PICTURE, 'wb') as out:
    out.write(PNG)
with open(os.path.join(FOLDER, 'meibo.dat'), 'wb') as out:
    for slot in range(1, 6):
        for text, width in zip(ENTRIES.get(slot, ('',) * 5), (30, 30, 30, 90, 256)):
            out.write(text.encode('cp932').ljust(width))
for fmt in ('vcard', 'vcard4'):
    seen = {int(card.x_vedrin_no.value): tuple(
        card.contents[key][0].value if key in card.contents else ''
        for key in ('fn', 'email', 'tel', 'note'))
        for card in vobject.readComponents(export(fmt).decode('utf-8'))}
    assert seen == {slot: (name, mail, tell, memo.replace('\r\n', '\n'))
                    for slot, (name, mail, tell, memo, _) in ENTRIES.items()}, f'{fmt}: {seen!r}'
photos = [c.photo.value for c in vobject.readComponents(export('vcard', '--photos').decode())
          if 'photo' in c.contents]
assert photos == [PNG], f'vCard 3.0 photos: {photos!r}'
# vobject splits 4.0's data URI at its comma, so that one is read here.
assert (b'\r\nPHOTO:data:image/png;base64,' + base64.b64encode(PNG) + b'\r\n'
        in export('vcard4', '--photos').replace(b'\r\n ', b'')), 'vCard 4.0 photo'
rows = [(row['Name'], row['E-mail 1 - Value'], row['Phone 1 - Value'], row['Notes'],
         row['Vedrin Picture'], int(row['Vedrin No']))
        for row in csv.DictReader(io.StringIO(export('csv').decode('utf-8-sig'), newline=''))]
assert rows == [(name, mail, tell, memo.replace('\r\n', '\n'), picture, slot)
                for slot, (name, mail, tell, memo, picture) in ENTRIES.items()], f'csv rows {rows!r}'
