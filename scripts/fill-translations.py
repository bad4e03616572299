#!/usr/bin/env python3
"""Finishes the entries of a Qt translation catalogue that need no translator.

Usage: fill-translations.py CATALOGUE.ts [DONOR.ts ...]

An unfinished entry takes the finished English of the same text in the same context from the
first donor catalogue that has one (an older copy of the catalogue, the other side of a merge);
otherwise a text written without Chinese characters (the tools' English messages) is its own
English. Entries with Chinese text and no donor stay unfinished for a translator. Prints how many
entries were filled and how many are still unfinished. The file is written in ElementTree's
layout; run lupdate over it afterwards to get lupdate's own layout back.
"""
import re
import sys
import xml.etree.ElementTree as ET

CHINESE = re.compile('[\u2e80-\u9fff\uf900-\ufaff\uff00-\uffef]')


def finished(tree):
    known = {}
    for context in tree.getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            translation = message.find('translation')
            if translation is not None and translation.get('type') is None and translation.text:
                known[(name, message.findtext('source'))] = translation.text
    return known


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    tree = ET.parse(argv[1])
    donors = [finished(ET.parse(path)) for path in argv[2:]]
    filled = left = 0
    for context in tree.getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            translation = message.find('translation')
            if translation is None or translation.get('type') != 'unfinished':
                continue
            source = message.findtext('source') or ''
            english = next((d[(name, source)] for d in donors if (name, source) in d), None)
            if english is None and source and not CHINESE.search(source):
                english = source
            if english is None:
                left += 1
                continue
            translation.text = english
            del translation.attrib['type']
            filled += 1
    tree.write(argv[1], encoding='utf-8', xml_declaration=True)
    print(f'{argv[1]}: {filled} filled, {left} still unfinished')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
