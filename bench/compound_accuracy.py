#!/usr/bin/env python3
"""How well compound words are read, with the dictionary deciding
(--answers auto) and each line read as one breath (--phrase), with
N-insertion on and with the default options (N-insertion off):

  - the share of the standard's examples (tests/data/standard_examples.tsv,
    counted as tests/cli/accuracy_test.cpp counts them with --phrase) and of
    the everyday words (tests/data/everyday_words.tsv) read right, through
    pimoru-cli;
  - the N-insertion questions left to ask per 100 lines of 2,000 lines of
    real prose, word by word and read as one breath, through
    pimoru_question_count: the sentences of the Korean
    Debian FAQ (debian-faq-ko) and, to make up the 2,000, whole sentences of
    the Korean GIMP manual (gimp-help-ko, unpacked with `apt-get download`
    into build/bench-corpus/ when not installed), taken evenly through it.

    bench/compound_accuracy.py [--build DIR] [--count DIR] [--misses]

--build names the build whose pimoru-cli and data are measured (default
build/default), --count the build whose pimoru_question_count counts the
questions (default the same); --misses lists every word read wrong.

Before the compound lexicon was used, the figures were: standard examples
332 of 374 (88.8%) and everyday words 56 of 135 (41.5%), both with
N-insertion on and off; 3.4 N-insertion questions left per 100 lines word
by word (68 of 1,138), 28.3 read as one breath (566 of 1,636).
"""
import argparse
import glob
import os
import re
import subprocess
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GIMP = "usr/share/gimp/2.0/help/ko"
LINES = 2000


def normalised(reading):
    """Spaces dropped, and a final merged into the tense initial of its
    place (있다 → 이따 for 읻따), as the accuracy test compares."""
    jamo = unicodedata.normalize("NFD", reading.replace(" ", ""))
    for final, initial in (("\u11a8", "\u1101"), ("\u11ae", "\u1104"),
                           ("\u11b8", "\u1108")):
        jamo = jamo.replace(final + initial, initial)
    return jamo


def read_rows(path, columns):
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or line.startswith("article\t") \
                    or line.startswith("text\t"):
                continue
            rows.append(line.split("\t")[:columns])
    return rows


def standard_examples():
    """(text, accepted readings) of the examples that count with --phrase."""
    rows = read_rows(os.path.join(ROOT, "tests/data/standard_examples.tsv"), 6)
    return [(text, readings.split("|"))
            for _a, text, readings, _ans, _n, known in rows
            if not known or known.startswith("across a space:")]


def everyday_words():
    rows = read_rows(os.path.join(ROOT, "tests/data/everyday_words.tsv"), 3)
    return [(text, readings.split("|")) for text, readings, _takes in rows]


def readings(cli, data, texts, n_insert):
    args = [cli, "--data", data, "--no-h-strong", "--no-real-endings",
            "--answers", "auto", "--phrase"] + (["--n-insert"] if n_insert
                                                else [])
    out = subprocess.run(args, input="".join(t + "\n" for t in texts),
                         capture_output=True, text=True, check=True).stdout
    return [line.split("\t")[0] for line in out.split("\n")[:len(texts)]]


def share(cli, data, cases, n_insert, name, misses):
    got = readings(cli, data, [t for t, _ in cases], n_insert)
    wrong = [(t, g, r) for (t, r), g in zip(cases, got)
             if normalised(g) not in map(normalised, r)]
    right = len(cases) - len(wrong)
    print(f"{name}, N-insertion {'on' if n_insert else 'off (default)'}: "
          f"{right} of {len(cases)} read right ({100.0 * right / len(cases):.1f}%)")
    if misses:
        for text, reading, accepted in wrong:
            print(f"    {text} -> {reading}  (accepted: {'|'.join(accepted)})")


def gimp_folder():
    if os.path.isdir("/" + GIMP):
        return "/" + GIMP
    unpacked = os.path.join(ROOT, "build", "bench-corpus", "gimp-help-ko")
    if not os.path.isdir(unpacked):
        os.makedirs(os.path.dirname(unpacked), exist_ok=True)
        where = os.path.dirname(unpacked)
        subprocess.run(["apt-get", "download", "gimp-help-ko"], cwd=where,
                       check=True, capture_output=True)
        deb = sorted(glob.glob(os.path.join(where, "gimp-help-ko_*.deb")))[-1]
        subprocess.run(["dpkg-deb", "-x", deb, unpacked], check=True)
        os.remove(deb)
    return os.path.join(unpacked, GIMP)


def prose():
    """2,000 lines: the FAQ's sentences, then the manual's to make them up."""
    path = os.path.join(ROOT, "build", "bench-corpus", "prose2000.txt")
    if os.path.exists(path):
        return path
    corpus = os.path.join(ROOT, "bench", "faq_corpus.py")
    faq = subprocess.run([corpus], capture_output=True, text=True,
                         check=True).stdout.splitlines()
    manual = [line for line in subprocess.run(
        [corpus, gimp_folder()], capture_output=True, text=True,
        check=True).stdout.splitlines() if re.search(r"[가-힣][.?!]$", line)]
    wanted = LINES - len(faq)
    lines = faq + [manual[k * len(manual) // wanted] for k in range(wanted)]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    return path


def questions_left(count, data, corpus):
    """Word by word, and with each line read as one breath, where the
    junctions across spaces are asked about too."""
    for phrase in ([], ["--phrase"]):
        with open(corpus, encoding="utf-8") as f:
            out = subprocess.run([count, data, "--n-insert"] + phrase, stdin=f,
                                 capture_output=True, text=True,
                                 check=True).stdout
        for line in out.splitlines():
            if line.startswith("n-insertion"):
                asked, decided, left, per100 = line.split()[1:]
                print(f"N-insertion questions, {out.splitlines()[0]}: "
                      f"{asked} asked without the dictionary, {decided} "
                      f"decided, {left} left: {per100} per 100 lines")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build/default"))
    parser.add_argument("--count")
    parser.add_argument("--misses", action="store_true")
    args = parser.parse_args()
    cli = os.path.join(args.build, "bin", "pimoru-cli")
    data = os.path.join(args.build, "share", "pimoru")
    count = os.path.join(args.count or args.build, "bench",
                         "pimoru_question_count")
    if "dictionary found" not in subprocess.run(
            [cli, "--version"], capture_output=True, text=True).stdout:
        sys.exit("compound_accuracy: the dictionary is not installed "
                 "(scripts/install-deps)")
    for n_insert in (True, False):
        share(cli, data, standard_examples(), n_insert, "Standard examples",
              args.misses)
        share(cli, data, everyday_words(), n_insert, "Everyday words",
              args.misses)
    questions_left(count, data, prose())


if __name__ == "__main__":
    main()
