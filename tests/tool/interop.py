"""Reads the tool's export with parsers written elsewhere: python3-vobject and EBookContacts'
EVCard for vCard 3.0 and 4.0, khard for a folder of one card per file, Python's csv module for
CSV. Usage: interop.py VEDRIN_TOOL"""
import base64
import csv
import io
import os
import subprocess
import sys
import tempfile

import gi
import vobject

gi.require_version('EBookContacts', '1.2')
from gi.repository import EBookContacts  # noqa: E402


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
    expected = {slot: (name, mail, tell, memo.replace('\r\n', '\n'))
                for slot, (name, mail, tell, memo, _) in ENTRIES.items()}
    assert seen == expected, f'{fmt}: {seen!r}'
    # A value cut at a bare ';' reads as several values.
    cards = [EBookContacts.VCard.new_from_string(card + 'END:VCARD\r\n')
             for card in export(fmt).decode().split('END:VCARD\r\n')[:-1]]
    seen = {int(card.get_attribute('X-VEDRIN-NO').get_value()): tuple(
        '|'.join(card.get_attribute(key).get_values()) if card.get_attribute(key) else ''
        for key in ('FN', 'EMAIL', 'TEL', 'NOTE')) for card in cards}
    assert seen == expected, f'{fmt} in EVCard: {seen!r}'
    # One file per card, named by a UID that stays the same on every export.
    folders = [os.path.join(FOLDER, f'{fmt}-{run}') for run in (1, 2)]
    for folder in folders:
        export(fmt, '--output-dir', folder)
    assert len(os.listdir(folders[0])) == len(ENTRIES)
    assert sorted(os.listdir(folders[0])) == sorted(os.listdir(folders[1]))
    with open(os.path.join(FOLDER, 'khard.conf'), 'w') as out:
        out.write(f'[addressbooks]\n[[vedrin]]\npath = {folders[0]}\n[general]\n'
                  'editor = true\nmerge_editor = true\n')
    listed = subprocess.run(['khard', '-c', os.path.join(FOLDER, 'khard.conf'), 'list', '--parsable'],
                            check=True, capture_output=True, text=True).stdout.splitlines()
    assert sorted(line.split('\t')[0].removeprefix('urn:uuid:') + '.vcf' for line in listed) == \
        sorted(os.listdir(folders[0])), f'{fmt} in khard: {listed!r}'
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
