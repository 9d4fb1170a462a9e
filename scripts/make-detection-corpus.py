#!/usr/bin/env python3
"""Japanese strings for measuring how well encoding detection tells CP932 from
UTF-8, made from public data a Debian system carries:

  - the Japanese message catalogs (/usr/share/locale/ja/LC_MESSAGES/*.mo):
    phrases, and the kanji, hiragana and katakana words inside them;
  - the Japanese names of countries and regions from iso-codes (the
    iso_3166-1 and iso_3166-2 catalogs among those);
  - the katakana words turned into half-width katakana;
  - every date of a year and every time of a day in full-width digits, and
    the symbols people write (①, ㈱, ～, ￥, 〒) around numbers and words.

Prints "category<TAB>string" lines (UTF-8), every string one that code page
932 holds. --sample N --seed S keeps N random strings of each category (the
committed test input is made so). --weights prints the character class table
of platform/japanese_class_weights.inc from the message catalogs instead
(shares of each class, with floors for the classes settings files hold more
of than program messages do).
"""
import argparse
import glob
import gettext
import math
import random
import re
import sys
import unicodedata

CATALOGS = "/usr/share/locale/ja/LC_MESSAGES"


def catalog_texts(pattern):
    texts = []
    for path in sorted(glob.glob(f"{CATALOGS}/{pattern}")):
        try:
            with open(path, "rb") as f:
                catalog = gettext.GNUTranslations(f)._catalog
        except (OSError, UnicodeDecodeError, gettext.struct.error if hasattr(gettext, "struct") else Exception):
            continue
        for key, value in catalog.items():
            if key and isinstance(value, str):
                texts.append(value)
    return texts


def holds(text):
    try:
        text.encode("cp932")
        return True
    except UnicodeEncodeError:
        return False


def is_japanese(text):
    return any(ord(c) >= 0x3000 for c in text)


def kanji_level(c):
    code = int.from_bytes(c.encode("cp932"), "big")
    return 1 if code <= 0x9872 else 2


def char_class(c):
    """Mirrors UnicodeClass in platform/japanese_text_model.cpp."""
    o = ord(c)
    if 0x3041 <= o <= 0x3096:
        return "hiragana"
    if 0x30A1 <= o <= 0x30FC and o != 0x30FB:
        return "katakana"
    if 0x4E00 <= o <= 0x9FFF or 0x3400 <= o <= 0x4DBF or 0xF900 <= o <= 0xFAFF:
        if not holds(c):
            return "other kanji"
        return "common kanji" if kanji_level(c) == 1 else "rare kanji"
    if 0xFF10 <= o <= 0xFF19 or 0xFF21 <= o <= 0xFF3A or 0xFF41 <= o <= 0xFF5A:
        return "full-width"
    if 0xFF61 <= o <= 0xFF9F:
        return "half-width kana"
    if (0x3000 <= o <= 0x303F or 0xFF01 <= o <= 0xFF5E or o == 0x30FB or 0xFFE0 <= o <= 0xFFE5
            or 0x2010 <= o <= 0x22FF or 0x25A0 <= o <= 0x266F):
        return "symbol"
    if 0x2460 <= o <= 0x24FF or 0x3200 <= o <= 0x33FF:
        return "nec symbol"
    if 0xC0 <= o <= 0x17F and o not in (0xD7, 0xF7):
        return "latin"
    if 0xA0 <= o <= 0xBF:
        return "latin symbol"
    if 0x391 <= o <= 0x3C9 or 0x401 <= o <= 0x451 or 0x2500 <= o <= 0x257F:
        return "foreign"
    return "rare"


# Characters in each class, in the order of the C++ enum.
CLASSES = [("hiragana", 83), ("katakana", 87), ("common kanji", 2965), ("rare kanji", 4138),
           ("other kanji", 20000), ("full-width", 62), ("symbol", 600), ("nec symbol", 83),
           ("half-width kana", 63), ("latin", 190), ("latin symbol", 32), ("foreign", 260),
           ("rare", 60000)]


# Messages of programs hold fewer names, dates and half-width text than
# settings files do: these classes get at least this share.
FLOORS = {"rare kanji": 1e-3, "full-width": 1e-3, "nec symbol": 1e-4, "half-width kana": 1e-3,
          "other kanji": 1e-6}


def weights(texts):
    counts = {name: 0 for name, _ in CLASSES}
    for text in texts:
        if not is_japanese(text):
            continue
        for c in text:
            if ord(c) >= 0x80:
                counts[char_class(c)] += 1
    total = sum(counts.values())
    lines = ["// Made by scripts/make-detection-corpus.py --weights.",
             f"// {total} non-ASCII characters of Japanese catalog texts, by class:",
             "constexpr double kWeight[kClasses] = {"]
    for name, size in CLASSES:
        share = max(counts[name] / total, FLOORS.get(name, 1e-5))
        lines.append(f"    {math.log(share / size):.2f},  // {name}: {counts[name]} of {total}, {size} characters")
    lines.append("};")
    # ASCII letters and digits right after a Japanese character: one alone
    # ("从q" is 莉子 misread) is rarer than a word ("Windowsの").
    japanese = alone = word = 0
    for text in texts:
        if not is_japanese(text):
            continue
        for i, c in enumerate(text[:-1]):
            if ord(c) < 0x3000:
                continue
            japanese += 1
            run = re.match(r"[A-Za-z0-9]+", text[i + 1:])
            if run:
                if len(run.group()) == 1:
                    alone += 1
                else:
                    word += 1
    lines.append(f"// After {japanese} Japanese characters: {alone} single ASCII letters or digits, {word} longer runs.")
    lines.append(f"constexpr double kLoneAsciiAfterJapanese = {math.log(alone / japanese / 62):.2f};")
    lines.append(f"constexpr double kAsciiRunAfterJapanese = {math.log(word / japanese / 62):.2f};")
    return "\n".join(lines)


HALF = {}
for code in range(0xFF61, 0xFFA0):
    full = unicodedata.normalize("NFKC", chr(code))
    if len(full) == 1:
        HALF[full] = chr(code)


def half_width(word):
    out = []
    for c in unicodedata.normalize("NFD", word):
        if c == "\u3099":
            out.append("\uFF9E")
        elif c == "\u309A":
            out.append("\uFF9F")
        elif c in HALF:
            out.append(HALF[c])
        else:
            return None
    return "".join(out)


def full_width_digits(n):
    return "".join(chr(0xFF10 + int(d)) for d in str(n))


def corpus():
    texts = [t for t in catalog_texts("*.mo") if is_japanese(t)]
    out = []
    phrases = set()
    words = set()
    katakana = set()
    for text in texts:
        line = text.strip().splitlines()[0].strip() if text.strip() else ""
        line = re.sub(r"%[-0-9.]*[a-zA-Z]|\{[^}]*\}|<[^>]*>", "", line).strip()
        if 2 <= len(line) <= 40 and is_japanese(line):
            phrases.add(line)
        for run in re.findall(r"[\u4E00-\u9FFF々]{2,4}|[\u3041-\u3096ー]{2,6}|[\u30A1-\u30FCー]{2,8}", text):
            words.add(run)
            if "\u30A1" <= run[0] <= "\u30FC":
                katakana.add(run)
    for name, items in (("phrase", phrases), ("word", words)):
        out += [(name, t) for t in sorted(items)]
    places = set()
    for text in catalog_texts("iso_3166*.mo"):
        places.add(text.strip())
    out += [("place", t) for t in sorted(places) if is_japanese(t)]
    for word in sorted(katakana):
        half = half_width(word)
        if half:
            out.append(("half-width", half))
    for month in range(1, 13):
        for day in range(1, 32):
            out.append(("date", f"{full_width_digits(month)}月{full_width_digits(day)}日"))
            out.append(("date", f"{full_width_digits(2026)}年{full_width_digits(month)}月{full_width_digits(day)}日"))
    for hour in range(24):
        for minute in range(0, 60, 5):
            noon = "午前" if hour < 12 else "午後"
            out.append(("date", f"{noon}{full_width_digits(hour % 12)}時{full_width_digits(minute)}分"))
    circled = [chr(0x2460 + i) for i in range(20)]
    sample = sorted(words)[:400]
    for i, word in enumerate(sample):
        out.append(("symbol", f"{circled[i % 20]}{word}"))
        out.append(("symbol", f"㈱{word}"))
        out.append(("symbol", f"{word}～{sample[(i * 7) % len(sample)]}"))
        out.append(("symbol", f"￥{full_width_digits(i * 37 + 100)}"))
        out.append(("symbol", f"〒{full_width_digits(100 + i)}－{full_width_digits(1000 + i * 3)}"))
    return [(c, t) for c, t in out if holds(t) and "\t" not in t and "\n" not in t]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--weights", action="store_true")
    parser.add_argument("--sample", type=int, default=0)
    parser.add_argument("--seed", type=int, default=22)
    args = parser.parse_args()
    if args.weights:
        print(weights(catalog_texts("*.mo")))
        return 0
    lines = corpus()
    if not lines:
        print(f"no Japanese catalogs under {CATALOGS}", file=sys.stderr)
        return 1
    if args.sample:
        rng = random.Random(args.seed)
        by_category = {}
        for category, text in lines:
            by_category.setdefault(category, []).append(text)
        lines = []
        for category in sorted(by_category):
            items = by_category[category]
            lines += [(category, t) for t in rng.sample(items, min(args.sample, len(items)))]
    for category, text in lines:
        print(f"{category}\t{text}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
