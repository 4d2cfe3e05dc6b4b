#!/usr/bin/env python3
"""Lists the files under src/ longer than 500 lines and the C++ functions
longer than 80 lines, and exits 1 when it finds any that EXCEPTIONS below
does not allow.

    tools/check_sizes.py [FOLDER ...]       (default: src/ of this tree)

Paths are shown from the folder above each FOLDER ("src/...").

A function is counted from the line of its name to the line of its closing
brace. The braces are matched by a scan that passes over comments, string
and character literals (raw strings too) and preprocessor lines. Lambdas
and local classes count towards the function they stand in.
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]
MAX_FILE_LINES = 500
MAX_FUNCTION_LINES = 80
CPP_SUFFIXES = {".cpp", ".h", ".hpp", ".cc", ".cxx"}

# What may stay longer, and why: (path from the top of the tree, function
# name or None for the whole file, reason).
EXCEPTIONS = [
]

# What may stand between a parameter list's ")" and the body's "{".
AFTER_PARAMETERS = {"{", ":", "->", "const", "volatile", "noexcept", "override", "final",
                    "mutable", "&", "&&", "requires", "try", "throw"}
CLASS_KEYWORDS = {"class", "struct", "union"}
IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|'?[A-Za-z0-9_.])*")
RAW_PREFIX = re.compile(r"(?:u8|u|U|L)?R$")
TWO_CHARACTER_PUNCTUATION = {"::", "->", "&&"}


class Token:
    __slots__ = ("text", "line")

    def __init__(self, text, line):
        self.text = text
        self.line = line

    def __repr__(self):
        return f"{self.text}@{self.line}"


def skip_quoted(text, i, quote):
    """The index after the literal whose opening quote is at i."""
    i += 1
    while i < len(text) and text[i] != quote and text[i] != "\n":
        i += 2 if text[i] == "\\" else 1
    return i + 1


def skip_raw_string(text, i):
    """The index after the raw string whose opening quote is at i."""
    open_paren = text.index("(", i)
    closing = ")" + text[i + 1:open_paren] + '"'
    end = text.find(closing, open_paren)
    return len(text) if end < 0 else end + len(closing)


def skip_preprocessor_line(text, i):
    """The index of the line break that ends the directive at i."""
    while True:
        end = text.find("\n", i)
        if end < 0:
            return len(text)
        if not text[i:end].rstrip().endswith("\\"):
            return end
        i = end + 1


def tokens_of(text):
    """The code's tokens, each with its line, without comments, literals or
    preprocessor lines; a literal stands as one token "literal"."""
    tokens = []
    line = 1
    at_line_start = True
    i = 0
    while i < len(text):
        c = text[i]
        start = i
        if c == "\n":
            line += 1
            at_line_start = True
            i += 1
            continue
        if c.isspace():
            i += 1
            continue
        if c == "#" and at_line_start:
            i = skip_preprocessor_line(text, i)
        elif text.startswith("//", i):
            end = text.find("\n", i)
            i = len(text) if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = len(text) if end < 0 else end + 2
        elif c in "\"'":
            is_raw = c == '"' and tokens and text[i - 1] == "R" \
                and RAW_PREFIX.match(tokens[-1].text)
            if is_raw:
                tokens.pop()
                i = skip_raw_string(text, i)
            else:
                i = skip_quoted(text, i, c)
            tokens.append(Token("literal", line))
        elif IDENTIFIER.match(text, i):
            i = IDENTIFIER.match(text, i).end()
            tokens.append(Token(text[start:i], line))
        elif NUMBER.match(text, i):
            i = NUMBER.match(text, i).end()
            tokens.append(Token("literal", line))
        else:
            width = 2 if text[i:i + 2] in TWO_CHARACTER_PUNCTUATION else 1
            i += width
            tokens.append(Token(text[start:i], line))
        at_line_start = False
        line += text.count("\n", start, i)
    return tokens


def matching_close(tokens, i):
    """The index of the bracket that closes the one at i."""
    opening = tokens[i].text
    closing = {"{": "}", "(": ")", "[": "]", "<": ">"}[opening]
    depth = 0
    for j in range(i, len(tokens)):
        if tokens[j].text == opening:
            depth += 1
        elif tokens[j].text == closing:
            depth -= 1
            if depth == 0:
                return j
    return len(tokens) - 1


def without_template_heads(header):
    """The header's tokens with every "template <...>" left out."""
    kept = []
    i = 0
    while i < len(header):
        if header[i].text == "template" and i + 1 < len(header) and header[i + 1].text == "<":
            i = matching_close(header, i + 1) + 1
        else:
            kept.append(header[i])
            i += 1
    return kept


def top_level_parentheses(header):
    """(open, close) index pairs of the header's outermost parentheses."""
    pairs = []
    i = 0
    while i < len(header):
        if header[i].text == "(":
            close = matching_close(header, i)
            pairs.append((i, close))
            i = close + 1
        else:
            i += 1
    return pairs


def function_name(header, open_paren):
    """The name before the parameter list at open_paren, and its line."""
    j = open_paren - 1
    if j < 0:
        return "(unnamed)", header[open_paren].line
    operator = next((k for k in range(j, max(j - 4, -1), -1) if header[k].text == "operator"),
                    None)
    if operator is not None:
        j = operator
    elif not IDENTIFIER.fullmatch(header[j].text):
        return "lambda", header[j].line
    while j >= 2 and header[j - 1].text == "::" and IDENTIFIER.fullmatch(header[j - 2].text):
        j -= 2
    if j >= 1 and header[j - 1].text == "~":
        j -= 1
    end = open_paren
    return "".join(t.text for t in header[j:end]), header[j].line


def parameter_list(header):
    """The index of the "(" of the header's parameter list, or None when
    the header does not end in a function's head."""
    for open_paren, close in top_level_parentheses(header):
        following = header[close + 1].text if close + 1 < len(header) else "{"
        if following in AFTER_PARAMETERS:
            return open_paren
    return None


def kind_of_block(header):
    """What the "{" after these tokens opens: "scope" for a namespace or
    class body (whose declarations are read one by one), "function" for a
    function's body (with its name's index in the header), or "other"."""
    words = [t.text for t in header]
    if "namespace" in words or words == ["extern", "literal"]:
        return "scope", None
    header = without_template_heads(header)
    open_paren = parameter_list(header)
    if open_paren is not None:
        return "function", function_name(header, open_paren)
    if "=" not in words and CLASS_KEYWORDS & set(words) and "enum" not in words:
        return "scope", None
    return "other", None


def body_start(tokens, i, header_start):
    """The index of the "{" of the body of the function whose head starts at
    header_start and reaches the "{" at i: after a constructor's ":" the
    braces right after a member's name hold its initial value."""
    words = [t.text for t in tokens[header_start:i]]
    initialises = any(words[k] == ":" and words[k - 1] == ")" for k in range(1, len(words)))
    while initialises and (IDENTIFIER.fullmatch(tokens[i - 1].text) or tokens[i - 1].text == ">"):
        i = matching_close(tokens, i) + 1
        while i < len(tokens) and tokens[i].text != "{":
            if tokens[i].text == "(":
                i = matching_close(tokens, i)
            i += 1
    return i


def long_functions(tokens):
    """(name, first line, line count) of every function over the limit."""
    found = []
    header_start = 0
    i = 0
    while i < len(tokens):
        text = tokens[i].text
        if text in (";", "}") or (text == ":" and i > 0 and tokens[i - 1].text in
                                  ("public", "private", "protected", "signals", "slots",
                                   "Q_SIGNALS", "Q_SLOTS")):
            header_start = i + 1
        elif text == "(":
            i = matching_close(tokens, i)
        elif text == "{":
            kind, name = kind_of_block(tokens[header_start:i])
            if kind == "function":
                start = body_start(tokens, i, header_start)
                close = matching_close(tokens, start)
                lines = tokens[close].line - name[1] + 1
                if lines > MAX_FUNCTION_LINES:
                    found.append((name[0], name[1], lines))
                i = close
            elif kind == "other":
                i = matching_close(tokens, i)
            header_start = i + 1
        i += 1
    return found


def line_count(path):
    """The file's lines, or None when it is not text."""
    data = path.read_bytes()
    if b"\0" in data:
        return None
    return data.count(b"\n") + (0 if data.endswith(b"\n") or not data else 1)


def exception_for(path, function):
    """The exception that allows this file (function None) or function."""
    return next((e for e in EXCEPTIONS if e[0] == path and e[1] == function), None)


def problems_in(folder, looked_at, used):
    """What is too long under folder; the files go into looked_at, the
    exceptions that allowed something into used."""
    problems = []
    for path in sorted(p for p in folder.rglob("*") if p.is_file()):
        shown = path.relative_to(folder.parent).as_posix()
        looked_at.add(shown)
        lines = line_count(path)
        found = []
        if lines is not None and lines > MAX_FILE_LINES:
            found.append((None, f"{shown}: {lines} lines (over {MAX_FILE_LINES})"))
        if path.suffix in CPP_SUFFIXES:
            tokens = tokens_of(path.read_text(encoding="utf-8", errors="replace"))
            found += [(name, f"{shown}:{first}: {name} is {count} lines "
                             f"(over {MAX_FUNCTION_LINES})")
                      for name, first, count in long_functions(tokens)]
        for function, problem in found:
            exception = exception_for(shown, function)
            if exception:
                used.add(exception)
            else:
                problems.append(problem)
    return problems


def main(arguments):
    folders = [pathlib.Path(a).resolve() for a in arguments] or [ROOT / "src"]
    looked_at = set()
    used = set()
    problems = [p for folder in folders for p in problems_in(folder, looked_at, used)]
    for problem in problems:
        print(problem)
    for exception in EXCEPTIONS:
        if exception[0] in looked_at and exception not in used:
            print(f"note: {exception[0]} {exception[1] or ''} no longer needs its exception",
                  file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
