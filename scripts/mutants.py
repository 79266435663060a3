"""One-line faults drawn from the game's own C++ tokens.

Every mutant changes one spot of one line: a comparison turned to its
neighbour, && and || swapped, a condition negated, + and - or * and /
swapped, a number moved by one, a simple statement removed, std::min and
std::max swapped. Comments, strings and character literals are blanked out
before anything is matched, and lines that cannot hold a fault of the game's
behaviour (preprocessor lines, static_assert, assert, which the optimised
build compiles away) are left alone.

The code is clang-formatted, which the matching leans on: binary operators
stand between spaces, template brackets, unary signs and pointer stars do not.
"""

import re
from decimal import Decimal, InvalidOperation
from typing import NamedTuple


class Mutant(NamedTuple):
    path: str  # relative to the repository root
    line: int  # 1-based
    column: int  # 1-based, where the change starts
    operator: str
    original: str  # the whole line, without its newline
    mutated: str  # the line as the mutant has it ("" for a removed statement)

    def key(self):
        return f"{self.path}:{self.line}:{self.column}:{self.operator}"


def blank_non_code(text):
    """The text with comments, strings and character literals turned to
    spaces, line breaks kept, so columns and line numbers still match."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
        elif c in "\"'":
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            end = min(end + 1, n)
        else:
            i += 1
            continue
        for j in range(i, end):
            if out[j] != "\n":
                out[j] = " "
        i = end
    return "".join(out)


SKIPPED_LINE = re.compile(r"\b(static_assert|assert|extern|using|typedef|namespace|template)\b")
RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
RELATIONAL_RE = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
LOGICAL = {"&&": "||", "||": "&&"}
LOGICAL_RE = re.compile(r"(?<=\s)(&&|\|\|)(?=\s)")
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*"}
ARITHMETIC_RE = re.compile(r"(?<=\s)([-+*/])(?==?\s)")
MIN_MAX_RE = re.compile(r"\b(std|glm)::(min|max)\b")
CONDITION_RE = re.compile(r"\b(if|while)\s*\(")
NUMBER_RE = re.compile(
    r"(?<![\w.])(0[xX][0-9a-fA-F]+|(?:\d+\.\d*|\.\d+|\d+)(?:[eE][-+]?\d+)?)([fFuUlL]*)(?![\w.])"
)
# Adding one to a float this large or larger rounds back to the same value.
FLOAT_PRECISE_UP_TO = {True: 2**24, False: 2**53}
NOT_STATEMENTS = re.compile(r"^(return|break|continue|goto|case|default|co_\w+|else|do)\b")
ASSIGNMENT_RE = re.compile(r"^[^\s=]+ (=|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=) .*;$")
STEP_RE = re.compile(r"^(?:(?:\+\+|--)[^\s;]+|[^\s;]+(?:\+\+|--));$")
CALL_RE = re.compile(r"^[^\s(=;{}]+\(.*\);$")
STREAM_RE = re.compile(r"^[\w:.]+(?:\(\))? << .*;$")


def relational(code):
    for m in RELATIONAL_RE.finditer(code):
        yield m.start(), m.end(), RELATIONAL[m.group(1)]


def logical(code):
    for m in LOGICAL_RE.finditer(code):
        yield m.start(), m.end(), LOGICAL[m.group(1)]


def arithmetic(code):
    for m in ARITHMETIC_RE.finditer(code):
        yield m.start(), m.end(), ARITHMETIC[m.group(1)]


def min_max(code):
    for m in MIN_MAX_RE.finditer(code):
        other = "max" if m.group(2) == "min" else "min"
        yield m.start(2), m.end(2), other


def matching_paren(code, open_at):
    depth = 0
    for i in range(open_at, len(code)):
        depth += {"(": 1, ")": -1}.get(code[i], 0)
        if depth == 0:
            return i
    return -1


def negated_condition(code):
    for m in CONDITION_RE.finditer(code):
        if code[m.end() :].lstrip().startswith("constexpr"):
            continue
        open_at = m.end() - 1
        close_at = matching_paren(code, open_at)
        if close_at > open_at + 1:
            yield open_at + 1, close_at, None  # wrapped in !( ) by the caller


def moved_by_one(text, suffix):
    """The literal plus one, written as a literal of the same kind, or None
    where one more would not change the value the compiler keeps."""
    if text[:2].lower() == "0x":
        return hex(int(text, 16) + 1)
    is_float = any(c in text for c in ".eE") or "f" in suffix.lower()
    try:
        value = Decimal(text)
    except InvalidOperation:
        return None
    if is_float and abs(value) >= FLOAT_PRECISE_UP_TO["f" in suffix.lower()]:
        return None
    moved = format(value + 1, "f")
    if is_float and "." not in moved:
        moved += ".0"
    return moved


def constants(code):
    for m in NUMBER_RE.finditer(code):
        moved = moved_by_one(m.group(1), m.group(2))
        if moved is not None:
            yield m.start(1), m.end(1), moved


def is_simple_statement(code, previous):
    """A whole call, assignment or step on one line, begun on this line:
    the code before ends a statement or opens or closes a block."""
    s = code.strip()
    if not s.endswith(";") or s.startswith(("}", "{", "(", "*", "&")) or NOT_STATEMENTS.match(s):
        return False
    if not (previous.endswith((";", "{", "}")) or (previous.endswith(":") and not previous.endswith("::"))):
        return False
    return any(r.match(s) for r in (ASSIGNMENT_RE, STEP_RE, CALL_RE, STREAM_RE))


def splice(line, start, end, replacement):
    return line[:start] + replacement + line[end:]


SPOT_OPERATORS = [
    ("relational", relational),
    ("logical", logical),
    ("arithmetic", arithmetic),
    ("min_max", min_max),
    ("constant", constants),
]


def line_mutants(path, number, line, code, previous):
    """Every mutant of one line; code is the line with comments and strings blanked."""
    for name, finder in SPOT_OPERATORS:
        for start, end, replacement in finder(code):
            yield Mutant(path, number, start + 1, name, line, splice(line, start, end, replacement))
    for start, end, _ in negated_condition(code):
        mutated = line[:start] + "!(" + line[start:end] + ")" + line[end:]
        yield Mutant(path, number, start + 1, "negate", line, mutated)
    if is_simple_statement(code, previous):
        yield Mutant(path, number, len(line) - len(line.lstrip()) + 1, "remove", line, "")


def file_mutants(path, text):
    """Every mutant of a source file, in line order."""
    lines = text.split("\n")
    code_lines = blank_non_code(text).split("\n")
    previous = "{"
    in_directive = False
    for index, (line, code) in enumerate(zip(lines, code_lines)):
        stripped = code.strip()
        directive = in_directive or stripped.startswith("#")
        in_directive = directive and stripped.endswith("\\")
        if directive or not stripped:
            continue
        if not SKIPPED_LINE.search(code):
            yield from line_mutants(path, index + 1, line, code, previous)
        previous = stripped
