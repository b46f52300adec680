#!/usr/bin/python3
"""The interface's own font: the system's Noto Sans CJK SC, regular and bold, cut down
to the characters of the program's texts (its sources and shipped data) and named
"Vantorel Interface". The full font is one large file shared by ten faces; glyphs drawn
from it map pages all over it, megabytes for a window of labels. Text the cut font
lacks (a page title, a bookmark's name) falls back to the full font as before.

    interface-font.py OUTPUT_FOLDER TEXT_FILE_OR_FOLDER...
"""
import os
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = 'Vantorel Interface'
SOURCE_FAMILY = 'Noto Sans CJK SC'
STYLES = ('Regular', 'Bold')


def files(paths):
    for path in paths:
        if os.path.isfile(path):
            yield path
        for where, _, names in os.walk(path):
            yield from (os.path.join(where, name) for name in names)


def texts(paths):
    """Printable ASCII and every other character the files (or files below folders) hold."""
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for path in files(paths):
        with open(path, 'rb') as f:
            raw = f.read()
        for encoding in ('utf-8', 'gb18030'):
            try:
                chars |= {c for c in raw.decode(encoding) if ord(c) >= 0xA0}
                break
            except UnicodeDecodeError:
                continue
    return ''.join(sorted(chars))


def source_face(style):
    """The file and face index fontconfig has for the source family in this style."""
    found = subprocess.run(['fc-list', '-f', '%{file}\t%{index}\t%{family}\n', f'{SOURCE_FAMILY}:style={style}'],
                           capture_output=True, text=True, check=True).stdout
    for line in found.splitlines():
        path, index, families = line.split('\t')
        if SOURCE_FAMILY in families.split(','):
            return path, int(index)
    sys.exit(f'interface-font: no "{SOURCE_FAMILY}" {style} font (Debian: fonts-noto-cjk)')


def rename(font, style):
    names = {1: FAMILY, 2: style, 3: f'{FAMILY} {style}', 4: f'{FAMILY} {style}',
             6: f'{FAMILY.replace(" ", "")}-{style}', 16: FAMILY, 17: style}
    table = font['name']
    for record in list(table.names):
        if record.nameID in names:
            table.removeNames(nameID=record.nameID)
    for name_id, value in names.items():
        table.setName(value, name_id, 3, 1, 0x409)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    output, folders = sys.argv[1], sys.argv[2:]
    os.makedirs(output, exist_ok=True)
    text = texts(folders)
    for style in STYLES:
        path, index = source_face(style)
        options = subset.Options()
        options.layout_features = ['*']
        options.name_IDs = ['*']
        options.name_languages = ['*']
        options.notdef_outline = True
        font = TTFont(path, fontNumber=index, recalcTimestamp=False)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        rename(font, style)
        font.save(os.path.join(output, f'interface-{style.lower()}.otf'))


if __name__ == '__main__':
    main()
