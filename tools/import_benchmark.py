"""Times the import's dry run and takes its peak memory for vCard and CSV files of 10 MB, 100 MB
and the 256 MB input limit, and for one card with a 400 KB note of distinct characters that
have no Shift-JIS form. Bounds: 1 s per 10 MB (at least 1 s), and 3 times the input in memory
over what the tool takes to start. Usage: import_benchmark.py VEDRIN_TOOL"""
import os
import subprocess
import sys
import tempfile
import time

MB = 1000 * 1000
LIMIT = 256 * 1024 * 1024  # the import's own limit


def card(i):
    return (f'BEGIN:VCARD\r\nVERSION:3.0\r\nUID:{i:08d}-0000-5000-8000-000000000000\r\n'
            f'FN:山田 太郎{i}\r\nN:山田;太郎{i};;;\r\nX-PHONETIC-LAST-NAME:やまだ\r\n'
            f'X-PHONETIC-FIRST-NAME:たろう\r\nEMAIL:taro{i}@example.jp\r\nTEL:03-1234-{i % 10000:04d}\r\n'
            f'ADR:;;本町2-2;渋谷区;東京都;150-0001;日本\r\nNOTE:会議のあと\\n電話する {i}\r\n'
            'END:VCARD\r\n').encode()


def row(i):
    return (f'太郎{i},山田,たろう,やまだ,taro{i}@example.jp,03-1234-{i % 10000:04d},'
            f'"会議のあと\n電話する {i}",本町2-2,3階,渋谷区,東京都\r\n').encode()


CSV_HEADER = ('\ufeffFirst Name,Last Name,Phonetic First Name,Phonetic Last Name,E-mail 1 - Value,'
              'Phone 1 - Value,Notes,Home Address,Home Address 2,Home City,Home State\r\n').encode()


def write(path, size, head, piece):
    with open(path, 'wb') as out:
        out.write(head)
        written, i = len(head), 0
        while True:
            bytes_ = piece(i)
            if written + len(bytes_) > size:
                return written
            out.write(bytes_)
            written += len(bytes_)
            i += 1


def run(arguments, folder):
    """The run's status, seconds and peak memory in bytes. The peak is the one GNU time reports:
    a child of this script counts the script's own peak from the moment it was started, which
    would hide all the tool holds below it."""
    peak_file = os.path.join(folder, 'peak')
    start = time.monotonic()
    status = subprocess.run(['/usr/bin/time', '-f', '%M', '-o', peak_file] + arguments,
                            stdout=subprocess.DEVNULL, cwd=folder).returncode
    seconds = time.monotonic() - start
    with open(peak_file) as peak:
        kilobytes = int(peak.read().split()[-1])
    os.remove(peak_file)
    return status, seconds, kilobytes * 1024


def measure(tool, path, size, start_up):
    status, seconds, peak = run([tool, 'import', path], os.path.dirname(path))
    grown = peak - start_up
    within = status == 0 and seconds <= max(1.0, size / (10 * MB)) and grown <= 3 * size
    print(f'{os.path.basename(path):>10} {size / MB:6.1f} MB {seconds:7.2f} s '
          f'{grown / MB:8.1f} MB over start-up ({grown / size:5.2f} x) {"ok" if within else "OVER"}')
    return within


def main():
    tool = os.path.abspath(sys.argv[1])
    all_within = True
    with tempfile.TemporaryDirectory() as folder:
        start_up = run([tool, '--version'], folder)[2]
        note = os.path.join(folder, 'note.vcf')
        with open(note, 'wb') as out:
            out.write(('BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x\r\nNOTE:'
                       + ''.join(chr(0x20000 + i) for i in range(100000))
                       + '\r\nEND:VCARD\r\n').encode())
        all_within &= measure(tool, note, os.path.getsize(note), start_up)
        for size in (10 * MB, 100 * MB, LIMIT):
            for kind, head, piece in (('vcf', b'', card), ('csv', CSV_HEADER, row)):
                path = os.path.join(folder, f'{size // MB}mb.{kind}')
                all_within &= measure(tool, path, write(path, size, head, piece), start_up)
                os.remove(path)
    sys.exit(0 if all_within else 1)


main()
