"""The mutants scripts/mutate can make of a C++ source file.

The file is cut into tokens (comments, string and character literals and preprocessor lines are
never changed), and every place where one of these small faults can be put is listed:

    compare     a comparison moved across its boundary or turned over (<, <=, >, >=, ==, !=)
    arithmetic  + and -, * and /, % and /, += and -=, *= and /=, ++ and -- swapped
    logic       && and || swapped, a ! taken away
    negate      the condition of an if or a while negated
    always      the condition of an if replaced by true: the branch is always taken
    statement   an expression statement, break, continue, throw or a bare return dropped
    return      the value of a return replaced by {} (zero, false, empty)
    constant    an integer constant moved by one, true and false swapped

The sources are formatted by clang-format, so a binary operator has a blank on each side and a
template's angle brackets do not: that is how a comparison is told from a template argument list.
A mutant keeps the file's line count, so the lines it names are the lines of the real file.
"""

import bisect
import dataclasses
import re

TOKEN = re.compile(r"""
  (?P<pp>^[ \t]*\#(?:\\\n|[^\n])*)
| (?P<space>\s+)
| (?P<comment>//[^\n]*|/\*.*?\*/)
| (?P<raw>(?:u8|u|U|L)?R"(?P<delim>[^()\\\s]{0,16})\(.*?\)(?P=delim)")
| (?P<str>(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*")
| (?P<chr>(?:u8|u|U|L)?'(?:\\.|[^'\\\n])+')
| (?P<num>\.?\d(?:[eEpP][+-]|[\w.'])*)
| (?P<id>[A-Za-z_]\w*)
| (?P<op>>>=|<<=|<=>|->\*|\.\.\.|::|->|\+\+|--|<<|>>|<=|>=|==|!=|&&|\|\||[-+*/%&|^]=|\.\*|\S)
""", re.X | re.S | re.M)

BINARY = {
    "<": ("compare", "<="), "<=": ("compare", "<"), ">": ("compare", ">="),
    ">=": ("compare", ">"), "==": ("compare", "!="), "!=": ("compare", "=="),
    "+": ("arithmetic", "-"), "-": ("arithmetic", "+"), "*": ("arithmetic", "/"),
    "/": ("arithmetic", "*"), "%": ("arithmetic", "/"), "+=": ("arithmetic", "-="),
    "-=": ("arithmetic", "+="), "*=": ("arithmetic", "/="), "/=": ("arithmetic", "*="),
    "&&": ("logic", "||"), "||": ("logic", "&&"),
}
ASSIGNMENTS = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}
# Words that never begin an expression statement.
NOT_EXPRESSIONS = set("""
    if else for while do switch case default try catch return using typedef static const
    constexpr consteval constinit auto int bool char char8_t char16_t char32_t wchar_t double
    float long short unsigned signed void struct class enum union namespace template typename
    goto static_assert extern inline virtual friend operator new delete break continue throw
    thread_local volatile mutable explicit public private protected co_return co_await
    co_yield register decltype requires concept alignas
""".split())
# A return of one of these is left alone: {} gives the same value.
ZERO_VALUES = {"{}", "false", "0", "0u", "0.0", "nullptr", '""', 'u""', "std::nullopt"}
INTEGER = re.compile(r"^(0[xX][0-9a-fA-F']+|[1-9][0-9']*|0)([uUlL]*)$")


@dataclasses.dataclass
class Token:
    kind: str
    text: str
    start: int
    end: int


@dataclasses.dataclass
class Mutant:
    file: str
    kind: str
    start: int  # the span of the file that is replaced
    end: int
    replacement: str
    line: int  # first and last line of the span
    last_line: int
    before: str = ""  # the changed lines, before and after, for people
    after: str = ""

    def apply(self, text):
        return text[:self.start] + self.replacement + text[self.end:]


def tokenize(text):
    tokens = []
    for match in TOKEN.finditer(text):
        kind = match.lastgroup if match.lastgroup != "delim" else "raw"
        if kind in ("space", "comment", "pp"):
            continue
        tokens.append(Token(kind, match.group(), match.start(), match.end()))
    return tokens


def matching(tokens, index):
    """The index of the bracket that closes the one at index."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    opening, closing, depth = tokens[index].text, pairs[tokens[index].text], 0
    for i in range(index, len(tokens)):
        if tokens[i].text == opening:
            depth += 1
        elif tokens[i].text == closing:
            depth -= 1
            if depth == 0:
                return i
    return None


def statement_end(tokens, index):
    """The index of the ; that ends the statement beginning at index, brackets skipped."""
    i = index
    while i < len(tokens):
        text = tokens[i].text
        if text in ("(", "[", "{"):
            i = matching(tokens, i)
            if i is None:
                return None
        elif text == ";":
            return i
        elif text == "}":
            return None
        i += 1
    return None


def top_level(tokens, first, last):
    """The tokens from first to last (excluded) that are outside any bracket."""
    depth = 0
    for i in range(first, last):
        text = tokens[i].text
        if text in ("(", "[", "{"):
            depth += 1
        elif text in (")", "]", "}"):
            depth -= 1
        elif depth == 0:
            yield tokens[i]


def is_expression_statement(tokens, index, end):
    """Whether the statement from index to end is an assignment, a call or an increment (and so
    not a declaration, which would not compile once dropped)."""
    first = tokens[index]
    if first.text in ("++", "--"):
        return True
    if first.kind != "id" or first.text in NOT_EXPRESSIONS:
        return False
    i = index + 1
    while i < end:
        text = tokens[i].text
        if text in ("::", ".", "->") and tokens[i + 1].kind == "id":
            i += 2
        elif text == "[":
            i = matching(tokens, i) + 1
        else:
            break
    return tokens[i].text in ASSIGNMENTS or tokens[i].text in ("(", "++", "--")


class Finder:
    def __init__(self, file, text):
        self.file = file
        self.text = text
        self.tokens = tokenize(text)
        self.newlines = [i for i, c in enumerate(text) if c == "\n"]
        self.found = []

    def line_of(self, offset):
        return bisect.bisect_right(self.newlines, offset - 1) + 1

    def add(self, kind, start, end, replacement):
        self.found.append(Mutant(self.file, kind, start, end, replacement, self.line_of(start),
                                 self.line_of(max(start, end - 1))))

    def spaced(self, token):
        return (token.start > 0 and self.text[token.start - 1].isspace() and
                token.end < len(self.text) and self.text[token.end].isspace())

    def brace_kind(self, index, enclosing):
        """What a { opens: a block of statements, a declaration's body or a braced value."""
        before = self.tokens[index - 1].text if index > 0 else ";"
        if before in (")", "]", "else", "do", "try", "const", "override", "noexcept", "mutable",
                      "final"):
            return "block"
        if before in (";", "{", "}", ":") and enclosing == "block":
            return "block"
        i = index - 1
        while i >= 0 and self.tokens[i].text not in (";", "{", "}"):
            if self.tokens[i].text in ("namespace", "class", "struct", "enum", "union", "extern"):
                return "declaration"
            i -= 1
        return "value"

    def find(self):
        tokens = self.tokens
        scopes = ["declaration"]  # the kind of each open brace
        starts = set()  # indices of tokens that begin a statement
        controls = {}  # index of a control's ) -> the control's word
        skip_until = -1  # tokens inside static_assert(...) are left alone
        depth, depths = 0, []  # brackets open within the innermost brace, and the outer ones'
        for i, token in enumerate(tokens):
            text = token.text
            if text == "static_assert" and i + 1 < len(tokens) and tokens[i + 1].text == "(":
                skip_until = max(skip_until, matching(tokens, i + 1) or i)
            if text in ("(", "["):
                depth += 1
            elif text in (")", "]"):
                depth -= 1
            if text == "{":
                kind = self.brace_kind(i, scopes[-1])
                scopes.append(kind)
                depths.append(depth)
                depth = 0
                if kind == "block":
                    starts.add(i + 1)
            elif text == "}":
                closed = scopes.pop() if len(scopes) > 1 else "declaration"
                depth = depths.pop() if depths else 0
                if closed == "block" and scopes[-1] == "block" and depth == 0:
                    starts.add(i + 1)
            elif depth > 0 and text != ")":
                pass
            elif text == ";" and scopes[-1] == "block":
                starts.add(i + 1)
            elif text in ("else", "do") and scopes[-1] == "block":
                starts.add(i + 1)
            elif text in ("if", "while", "for", "switch", "catch"):
                opening = i + 1
                if opening < len(tokens) and tokens[opening].text == "constexpr":
                    opening += 1
                if opening < len(tokens) and tokens[opening].text == "(":
                    closing = matching(tokens, opening)
                    if closing is not None:
                        controls[closing] = text
                        if text in ("if", "while") and opening == i + 1:
                            self.condition(text, opening, closing)
            elif text == ")" and i in controls and depth == 0:
                starts.add(i + 1)
            if i in starts and scopes[-1] == "block":
                self.statement(i, starts)
            if i <= skip_until:
                continue
            self.operator(token)

    def condition(self, word, opening, closing):
        inside = list(top_level(self.tokens, opening + 1, closing))
        if not inside or any(t.text in (";", "=") for t in inside):
            return  # an init-statement or a declaration: nothing to negate
        start, end = self.tokens[opening + 1].start, self.tokens[closing - 1].end
        self.add("negate", start, end, "!(" + self.text[start:end] + ")")
        if word == "if" and self.text[start:end] not in ("true", "false"):
            self.add("always", start, end, "true")

    def statement(self, index, starts):
        tokens = self.tokens
        first = tokens[index]
        if first.text in ("case", "default"):
            for i in range(index + 1, len(tokens)):
                if tokens[i].text == ":":
                    starts.add(i + 1)
                    break
            return
        end = statement_end(tokens, index)
        if end is None:
            return
        start, stop = first.start, tokens[end].end
        dropped = ";" + "\n" * self.text.count("\n", start, stop)
        if first.text == "return":
            value = self.text[tokens[index + 1].start:tokens[end].start] if end > index + 1 else ""
            if not value:
                self.add("statement", start, stop, dropped)
            elif " ".join(value.split()) not in ZERO_VALUES:
                self.add("return", tokens[index + 1].start, tokens[end].start, "{}")
        elif first.text in ("break", "continue", "throw") or is_expression_statement(
                tokens, index, end):
            self.add("statement", start, stop, dropped)

    def operator(self, token):
        text = token.text
        if token.kind == "op":
            if text in BINARY and self.spaced(token):
                kind, replacement = BINARY[text]
                self.add(kind, token.start, token.end, replacement)
            elif text in ("++", "--"):
                self.add("arithmetic", token.start, token.end, "--" if text == "++" else "++")
            elif text == "!" and not self.text[token.end].isspace():
                self.add("logic", token.start, token.end, "")
        elif token.kind == "id" and text in ("true", "false"):
            self.add("constant", token.start, token.end, "false" if text == "true" else "true")
        elif token.kind == "num":
            match = INTEGER.match(text)
            if not match:
                return
            digits, suffix = match.group(1).replace("'", ""), match.group(2)
            value = int(digits, 16) if digits[:2] in ("0x", "0X") else int(digits)
            # Up from zero; otherwise up or down, alternating with the line.
            moved = value + 1 if value == 0 or self.line_of(token.start) % 2 == 0 else value - 1
            shown = f"0x{moved:X}" if digits[:2] in ("0x", "0X") else str(moved)
            self.add("constant", token.start, token.end, shown + suffix)


def describe(mutant, text):
    """Fills in the changed lines as a person reads them, before and after."""
    mutated = mutant.apply(text)
    lines = text.split("\n")
    before = " ".join(" ".join(lines[mutant.line - 1:mutant.last_line]).split())
    first_line_start = text.rfind("\n", 0, mutant.start) + 1
    after_end = mutated.find("\n", mutant.start + len(mutant.replacement))
    after_end = len(mutated) if after_end < 0 else after_end
    after_text = mutated[first_line_start:after_end]
    if mutant.kind == "statement":
        rest_end = text.find("\n", mutant.end)
        rest_end = len(text) if rest_end < 0 else rest_end
        after_text = text[first_line_start:mutant.start] + ";" + text[mutant.end:rest_end]
    after = " ".join(after_text.split())
    limit = 140
    mutant.before = before if len(before) <= limit else before[:limit - 1] + "…"
    mutant.after = after if len(after) <= limit else after[:limit - 1] + "…"
    return mutant


def mutants_of(file, text):
    finder = Finder(file, text)
    finder.find()
    return [describe(m, text) for m in finder.found]
