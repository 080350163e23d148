#!/usr/bin/env python3
"""Writes the editor packages' keyword lists from `scenpack keywords --json`:

    editors/make_keyword_files.py [SCENPACK]

writes editors/vscode/syntaxes/scenpack.tmLanguage.json (the TextMate
grammar of both descriptions) and editors/notepad++/scenpack.xml (Notepad++'s
user-defined language). tests/editors checks that both list exactly the
keywords the program knows, so run this again whenever they change.
"""
import json
import pathlib
import re
import subprocess
import sys
from xml.sax.saxutils import escape

HERE = pathlib.Path(__file__).resolve().parent


def keywords(exe):
    listing = json.loads(subprocess.run([exe, "keywords", "--json"], check=True, capture_output=True).stdout)
    return {kind: [r["keyword"] for r in listing[kind]["records"]] for kind in ("line", "train")}, \
        sorted(set(listing["line"]["sections"]) | set(listing["train"]["sections"]))


def alternation(words):
    # Longest first, so that "curvad1" is not cut short by a shorter word.
    return "|".join(re.escape(w).replace("\\ ", " ") for w in sorted(words, key=lambda w: (-len(w), w)))


def grammar(words):
    return {
        "$schema": "https://raw.githubusercontent.com/martinring/tmlanguage/master/tmlanguage.json",
        "name": "scenpack description",
        "scopeName": "source.scenpack",
        "patterns": [
            {"include": "#comment"}, {"include": "#section"}, {"include": "#line-keyword"},
            {"include": "#train-keyword"}, {"include": "#string"}, {"include": "#number"},
        ],
        "repository": {
            # A field that holds '-' before the first comma is a comment.
            "comment": {"name": "comment.line.scenpack", "match": "^[^,\\r\\n]*-.*$"},
            "section": {"name": "entity.name.section.scenpack", "match": "^\\s*\\[[^\\]\\r\\n]*\\]"},
            "line-keyword": {"name": "keyword.other.line.scenpack",
                             "match": "(?i)^\\s*(?:" + alternation(words["line"]) + ")(?=\\s*(?:,|$))"},
            "train-keyword": {"name": "keyword.other.train.scenpack",
                              "match": "(?i)^\\s*(?:" + alternation(words["train"]) + ")(?=\\s*(?:,|$))"},
            "string": {"name": "string.quoted.double.scenpack", "begin": "\"", "end": "\"|$"},
            "number": {"name": "constant.numeric.scenpack", "match": "(?<![\\w.])-?[0-9]+(?:\\.[0-9]+)?(?![\\w.])"},
        },
    }


def quoted(words):
    return " ".join("&quot;" + escape(w) + "&quot;" if " " in w else escape(w) for w in words)


def user_defined_language(words):
    return f"""<?xml version="1.0" encoding="UTF-8" ?>
<!-- scenpack's descriptions in Notepad++: Language > User Defined Language >
     Define your language... > Import..., then pick "scenpack" from the
     Language menu. Written by editors/make_keyword_files.py from
     `scenpack keywords --json`. -->
<NotepadPlus>
    <UserLang name="scenpack" ext="" udlVersion="2.1">
        <Settings>
            <Global caseIgnored="yes" allowFoldOfComments="no" foldCompact="no" forcePureLC="2" decimalSeparator="1" />
            <Prefix Keywords1="no" Keywords2="no" Keywords3="no" Keywords4="no" Keywords5="no" Keywords6="no" Keywords7="no" Keywords8="no" />
        </Settings>
        <KeywordLists>
            <Keywords name="Comments">00- 01 02 03 04</Keywords>
            <Keywords name="Numbers, prefix1"></Keywords>
            <Keywords name="Numbers, prefix2"></Keywords>
            <Keywords name="Numbers, extras1"></Keywords>
            <Keywords name="Numbers, extras2"></Keywords>
            <Keywords name="Numbers, suffix1"></Keywords>
            <Keywords name="Numbers, suffix2"></Keywords>
            <Keywords name="Numbers, range"></Keywords>
            <Keywords name="Operators1">,</Keywords>
            <Keywords name="Operators2"></Keywords>
            <Keywords name="Folders in code1, open"></Keywords>
            <Keywords name="Folders in code1, middle"></Keywords>
            <Keywords name="Folders in code1, close"></Keywords>
            <Keywords name="Folders in code2, open"></Keywords>
            <Keywords name="Folders in code2, middle"></Keywords>
            <Keywords name="Folders in code2, close"></Keywords>
            <Keywords name="Folders in comment, open"></Keywords>
            <Keywords name="Folders in comment, middle"></Keywords>
            <Keywords name="Folders in comment, close"></Keywords>
            <Keywords name="Keywords1">{quoted(words["line"])}</Keywords>
            <Keywords name="Keywords2">{quoted(words["train"])}</Keywords>
            <Keywords name="Keywords3"></Keywords>
            <Keywords name="Keywords4"></Keywords>
            <Keywords name="Keywords5"></Keywords>
            <Keywords name="Keywords6"></Keywords>
            <Keywords name="Keywords7"></Keywords>
            <Keywords name="Keywords8"></Keywords>
            <Keywords name="Delimiters">00[ 01 02] 03&quot; 04 05&quot; 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23</Keywords>
        </KeywordLists>
        <Styles>
            <WordsStyle name="DEFAULT" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="COMMENTS" fgColor="008000" bgColor="FFFFFF" fontStyle="2" nesting="0" />
            <WordsStyle name="LINE COMMENTS" fgColor="008000" bgColor="FFFFFF" fontStyle="2" nesting="0" />
            <WordsStyle name="NUMBERS" fgColor="FF8000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="KEYWORDS1" fgColor="0000FF" bgColor="FFFFFF" fontStyle="1" nesting="0" />
            <WordsStyle name="KEYWORDS2" fgColor="8000FF" bgColor="FFFFFF" fontStyle="1" nesting="0" />
            <WordsStyle name="KEYWORDS3" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="KEYWORDS4" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="KEYWORDS5" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="KEYWORDS6" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="KEYWORDS7" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="KEYWORDS8" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="OPERATORS" fgColor="808080" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="FOLDER IN CODE1" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="FOLDER IN CODE2" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="FOLDER IN COMMENT" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="DELIMITERS1" fgColor="800000" bgColor="FFFFFF" fontStyle="1" nesting="0" />
            <WordsStyle name="DELIMITERS2" fgColor="808080" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="DELIMITERS3" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="DELIMITERS4" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="DELIMITERS5" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="DELIMITERS6" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="DELIMITERS7" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
            <WordsStyle name="DELIMITERS8" fgColor="000000" bgColor="FFFFFF" fontStyle="0" nesting="0" />
        </Styles>
    </UserLang>
</NotepadPlus>
"""


def main():
    exe = sys.argv[1] if len(sys.argv) > 1 else "scenpack"
    words, _ = keywords(exe)
    (HERE / "vscode/syntaxes/scenpack.tmLanguage.json").write_text(json.dumps(grammar(words), indent=2) + "\n")
    (HERE / "notepad++/scenpack.xml").write_text(user_defined_language(words))


if __name__ == "__main__":
    main()
