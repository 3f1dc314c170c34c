#!/usr/bin/env python3
"""Real Korean prose for the question counts: the sentences of the Korean
Debian FAQ (package debian-faq-ko), one a line, taken from its HTML pages.

    bench/faq_corpus.py [FOLDER] > corpus.txt

FOLDER defaults to /usr/share/doc/debian/FAQ/ko; the pages of its
subfolders are read too, so that the folder of another package of HTML
pages (gimp-help-ko) serves as well. Lines are whole sentences with at least
two Hangul syllables; a sentence is printed once."""
import glob
import html
import re
import sys

folder = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/doc/debian/FAQ/ko"
seen = set()
for page in sorted(glob.glob(folder + "/**/*.html", recursive=True)):
    with open(page, encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r"<(script|style)[^>]*>.*?</\1>", " ", text, flags=re.S)
    # A paragraph is one line however the page wraps it.
    text = " ".join(text.split())
    text = re.sub(r"</?(p|div|li|h\d|pre|tr|td|dt|dd|br|title|table)\b[^>]*>",
                  "\n", text)
    text = html.unescape(re.sub(r"<[^>]+>", "", text))
    for paragraph in text.split("\n"):
        for sentence in re.split(r"(?<=[.?!])\s+", " ".join(paragraph.split())):
            if len(re.findall("[가-힣]", sentence)) >= 2 and sentence not in seen:
                seen.add(sentence)
                print(sentence)
