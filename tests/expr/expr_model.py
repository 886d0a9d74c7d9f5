"""An independent model of the expression language's evaluation, built on Python's decimal.

It follows the language's stated rules directly: preparation (brackets, blanks), the token
cursor, operands, precedence climbing with the empty-operand rule, assignment chains, the
fixed-point operators (rounded half away from zero with decimal.ROUND_HALF_UP on exact
values) and number/text conversions. Texts are CP1252 bytes. Numbers are the scaled 64-bit
integers the engine holds; every result outside that range is the status 155.

Not modelled (the generator does not produce them): arrays, built-in functions other than
their refusal, field references, hooks.
"""
from decimal import Decimal, ROUND_HALF_UP, localcontext

OP_CHARS = set(b"*/!%\xf7+-(;,:)=><&@|")
SECOND_CHARS = set(b"=><&@|")
OPERATORS = [b"*", b"/", b"!", b"%", b"\xf7", b"+", b"-", b"=", b">", b"<", b"==", b">=",
             b"<=", b"<>", b"&", b"|", b"@", b"&&", b"||", b"@@"]
PRECEDENCE = [0, 4, 4, 4, 4, 4, 3, 3, 0, 2, 2, 2, 2, 2, 2, 1, 5, 1, 1, 1, 1]
ASSIGN = 8
INT_MIN, INT_MAX = -(2 ** 63), 2 ** 63 - 1
QUOTES = (0x27, 0x22)
BUILTINS = ("_#,FN#FLEN,FN#SLEN,FN#PARM,FN#VALN,FN#ACUM,CHK#,FILEFIND,FILEREL,FILELOCATE,"
            "FILESEL,FN$CHNG,FN$CHRS,FN$DATE,FN$FLDS,FN$MASK,FN$MIDS,FN$PARM,FN$TRIM,"
            "ENVELOP$,CHK$,SORT$,EXEC$,READ$,WRITE,MACRO$,ENVRON$,_$,KEY$,TIME$,IER,EXP$,"
            "SQLCHILD").encode().split(b",")
CONSTANTS = dict(zip(
    ("envron,lang,cmdline,apname,apdesc,langmodule,docpath,docroot,helppath,funclist,"
     "butlabels,maskparms,datem,datey,envvar,maincond,pdfhead,dialog,aux,scrbuf,fsel,wret,"
     "fnparm,usrfil,fileln,usrfif,top,next,previous,bottom,noprint,iscgi").encode().split(b","),
    [0, 0, 1, 2, 3, 4, 5, 5, 7, 8, 9, 10, 100, 10000, 9, 1, 3, 7, 31, 32, 33, 34, 35, 36, 37,
     38, 36, 16, 20, 32, 8192, 16384]))
TEXT_CONSTANTS = {b"lf$": b"\r\n", b"tab$": b"\t", b"pchr$": b"\\", b"null$": b""}
SYS_INTS = {b"_AUXSTAT": 0, b"_DEVHIG": 24, b"_DEVWID": 80, b"_LASTKEY": 4, b"_UPSTAT": 1,
            b"_LB": 128, b"_TRACE": 1, b"_PRECIS": 2, b"_BYEAR": 2000, b"_BKYEAR": 80}

MAX_DEPTH = 200


class Stop(Exception):
    """A status that ends the evaluation at once (nesting too deep)."""


def upper_ascii(b):
    return bytes(c - 32 if 0x61 <= c <= 0x7A else c for c in b)


def fold(b):
    """CP1252 upper case, used by the '*' patterns."""
    return b.decode("cp1252").upper().encode("cp1252")


def rounded(x):
    return int(x.to_integral_value(rounding=ROUND_HALF_UP))


def fits(v):
    return INT_MIN <= v <= INT_MAX


def text_to_number(text, precis):
    """(status, scaled value) of a number text."""
    t = text.strip(b" \t")
    exponent = 0
    d = t.find(b"D")
    if d >= 0:
        digits = b""
        for c in t[d + 1:]:
            if not 0x30 <= c <= 0x39:
                break
            digits += bytes([c])
        exponent = int(digits) if digits else 0
        t = t[:d]
    i = 0
    sign = b""
    if t[:1] in (b"+", b"-"):
        sign, i = t[:1], 1
    start = i
    while i < len(t) and 0x30 <= t[i] <= 0x39:
        i += 1
    int_digits = t[start:i]
    frac_digits = b""
    point = i < len(t) and t[i] == 0x2E
    if point:
        i += 1
        j = i
        while i < len(t) and 0x30 <= t[i] <= 0x39:
            i += 1
        frac_digits = t[j:i]
    literal = (int_digits or b"0") + b"." + (frac_digits or b"0")
    with localcontext() as ctx:
        ctx.prec = 200
        value = Decimal(literal.decode())
        # The zeros of a 'D' extend the integer part when they follow its digits directly.
        if exponent and not point and i == len(t):
            if exponent > 60:
                return (155, 0) if value != 0 else (0, 0)
            value = value.scaleb(exponent)
        scaled = rounded(value.scaleb(precis))
    if sign == b"-":
        scaled = -scaled
    return (0, scaled) if fits(scaled) else (155, 0)


def number_to_text(v, d):
    digits = str(abs(v)).rjust(d, "0")
    whole, frac = (digits[:len(digits) - d], digits[len(digits) - d:]) if d else (digits, "")
    frac = frac.rstrip("0")
    out = ("-" if v < 0 else "") + whole + ("." + frac if frac else "")
    return out.encode()


def name_kind(name):
    if b"@" in name:
        return None
    if b"(" in name:
        return "array"
    if b"$" in name:
        return "text"
    if b"#" in name:
        return "num"
    return "int"


def token_class(tok, first):
    for ch, cls in ((b"'", 1), (b'"', 1), (b"$", 3), (b"#", 6), (b"{", 8), (b"(", 16)):
        if ch in tok:
            return cls
    if not tok:
        return 64 if first == 0x28 else 0
    return 0 if tok[0] < 0x41 else 2


def find_operator(t, p):
    i = p
    while i < len(t):
        c = t[i]
        if c in QUOTES:
            j = t.find(bytes([c]), i + 1)
            if j < 0:
                return -1
            i = j + 1
            continue
        if c in OP_CHARS:
            return i
        i += 1
    return -1


def bracket_length(t, o):
    depth, i = 1, o + 1
    while i < len(t):
        c = t[i]
        if c in QUOTES:
            j = t.find(bytes([c]), i + 1)
            if j < 0:
                break
            i = j + 1
            continue
        if c == 0x28:
            depth += 1
        elif c == 0x29:
            depth -= 1
            if depth == 0:
                return i - o - 1
        i += 1
    return len(t) - o - 1


class Cursor:
    __slots__ = ("text", "start", "toklen", "bracket", "next", "end", "op", "prec", "cls",
                 "fn", "status")

    def __init__(self, text):
        self.text = text
        self.start = self.toklen = self.bracket = self.next = self.end = 0
        self.op = self.prec = self.cls = self.fn = self.status = 0

    def copy(self):
        c = Cursor(self.text)
        for k in self.__slots__:
            setattr(c, k, getattr(self, k))
        return c

    def token(self):
        return self.text[self.start:self.start + self.toklen]

    def content(self):
        s = self.start + self.toklen + 1
        return self.text[s:s + self.bracket]

    def written(self):
        return self.text[self.start:self.end]

    def empty_operand(self):
        return self.toklen == 0 and self.bracket == 0


def next_token(c):
    t, p, n = c.text, c.next, len(c.text)
    r = c.copy()
    r.start, r.bracket, r.op, r.fn, r.status = p, 0, 0, 0, 0
    i = find_operator(t, p)
    paren = False
    if i < 0:
        r.toklen, r.end, r.next = n - p, n, n
    else:
        r.toklen = i - p
        if t[i] == 0x28:
            paren = True
            r.bracket = bracket_length(t, i)
            after = i + r.bracket + 2
            i = find_operator(t, after) if after <= n else -1
        if i < 0:
            r.end = r.next = n
        elif t[i] in b";,":
            r.end, r.next = i, i + 1
        else:
            size = 2 if i + 1 < n and t[i + 1] in SECOND_CHARS else 1
            text = t[i:i + size]
            r.op = OPERATORS.index(text) + 1 if text in OPERATORS else 0
            r.end, r.next = i, i + size
    r.prec = PRECEDENCE[r.op]
    tok = r.token()
    cls = token_class(tok, t[p] if p < n else -1)
    if paren and tok:
        number = 0
        for name in (tok, upper_ascii(tok)):
            if name in BUILTINS:
                number = BUILTINS.index(name) + 1
                break
        r.fn = number
        cls |= 32 if number else 16
    if cls & 8:
        if len(tok) < 2 or tok[-1:] != b"}":
            r.status, cls = 147, 0
    r.cls = cls
    return r


def prepare(text):
    """(status, prepared text)."""
    opens = closes = 0
    i = 0
    while i < len(text):
        c = text[i]
        if c in QUOTES:
            j = text.find(bytes([c]), i + 1)
            i = len(text) if j < 0 else j + 1
            continue
        opens += c == 0x28
        closes += c == 0x29
        i += 1
    if opens != closes:
        return 129, b""
    out = bytearray()
    i = 0
    while i < len(text):
        c = text[i]
        if c in QUOTES:
            j = text.find(bytes([c]), i + 1)
            end = len(text) if j < 0 else j + 1
            out += text[i:end]
            i = end
            continue
        if c in b" \t":
            end = i
            while end < len(text) and text[end] in b" \t":
                end += 1
            before = i > 0 and text[i - 1] in OP_CHARS
            after = end < len(text) and text[end] in OP_CHARS
            if not before and not after:
                return 147, b""
            i = end
            continue
        out.append(c)
        i += 1
    return 0, bytes(out)


def going(st):
    return st != 122 and st < 128


class Model:
    def __init__(self, precis=2):
        self.ints = dict(SYS_INTS)
        self.ints[b"_PRECIS"] = precis
        self.nums = {}
        self.texts = {}
        self.depth = 0

    @property
    def precis(self):
        return self.ints[b"_PRECIS"]

    @property
    def scale(self):
        return 10 ** self.precis

    # -- entry ---------------------------------------------------------------------------
    def evaluate(self, text):
        """The console's answer: ('N', value) / ('T', bytes) / ('E', status)."""
        st, prepared = prepare(text)
        if st:
            return ("E", st)
        try:
            st, value = self.evaluate_prepared(prepared)
        except Stop as e:
            return ("E", e.args[0])
        if st == 0:
            return ("N", value)
        if st == 1:
            return ("T", value)
        return ("E", st)

    def nest(self):
        self.depth += 1
        if self.depth > MAX_DEPTH:
            raise Stop(145)

    def evaluate_prepared(self, text):
        self.nest()
        try:
            c = Cursor(text)
            c.cls = 1
            result = b""
            while True:
                c, top = self.read_operand(c, False)
                c, top = self.climb(c, 0, top)
                result = top
                if not (c.next < len(text) and going(c.status)):
                    break
            st = c.status
            is_text = c.cls & 1
            if is_text and st == 125:
                result, st = b"", 0
            if st < 122 or st == 123:
                return (1 if is_text else 0), result
            return st, result
        finally:
            self.depth -= 1

    # -- operands ------------------------------------------------------------------------
    def read_operand(self, c, assign_rhs):
        r = next_token(c)
        st = r.status
        value = 0
        if st < 128:
            st, value = self.fetch(r)
        if assign_rhs and st == 125:
            st = 128
        if st >= 128:
            value = 0
        r.status = st
        return r, value

    def fetch(self, r):
        cls, tok = r.cls, r.token()
        if cls & 64:
            st, value = self.evaluate_prepared(r.content())
            if st > 1:
                return st, value
            r.cls = st
            return 0, value
        if not tok:
            return 123, 0
        if cls & 16:
            raise NotImplementedError("arrays")
        if cls & 32:
            return (147 if r.fn > 33 else 148), 0
        if cls & 8:
            return 0, 0
        if cls & 2:
            return self.read_var(tok)
        if cls & 1:
            t = tok.strip(b" \t")
            if len(t) >= 2 and t[0] in QUOTES and t[-1] == t[0]:
                t = t[1:-1]
            return 0, (upper_ascii(tok) if len(t) == len(tok) else t)
        if cls == 0:
            if len(tok) > 1 and tok[0] == 0x2E and tok[1] > 0x40:
                if tok[1:] in CONSTANTS:
                    return 0, CONSTANTS[tok[1:]] * self.scale
                tok = tok[1:]
            return text_to_number(tok, self.precis)
        return 147, 0

    def read_var(self, name):
        kind = name_kind(name)
        if kind == "int":
            return 0, self.ints.get(name, 0) * self.scale
        if kind == "num":
            return 0, self.nums.get(name, 0)
        if kind == "text":
            if len(name) > 1 and name[0] == 0x2E and name[1] > 0x40 and name[1:] in TEXT_CONSTANTS:
                return 0, TEXT_CONSTANTS[name[1:]]
            return 0, self.texts.get(name, b"")
        return 147, 0

    # -- climbing ------------------------------------------------------------------------
    def climb(self, c, minimum, top):
        self.nest()
        try:
            while going(c.status) and c.op and c.prec >= minimum:
                left = top
                r, top = self.right_operand(c)
                if r.status == 0:
                    top = self.apply(c, left, r, top)
                c = r
            c.cls &= 1
            return c, top
        finally:
            self.depth -= 1

    def right_operand(self, c):
        r, top = self.read_operand(c, c.op == ASSIGN)
        if r.status == 123 and ((c.cls & 1) or r.op == 0):
            r.status = 147
            return r, top
        while going(r.status) and (r.prec > c.prec or r.empty_operand()):
            if r.op == 0:
                r.status = 147
                break
            r, top = self.climb(r, r.prec, top)
        return r, top

    def apply(self, lc, left, r, right):
        op = lc.op
        if op == ASSIGN:
            st, value = self.assign(lc, r, right)
            r.status = st
            return value
        lt, rt = lc.cls & 1, r.cls & 1
        if lt and rt:
            if op == 6:
                if len(left) + len(right) > 65535:
                    r.status = 146
                    return 0
                return left + right
            if op not in (9, 10, 11, 12, 13, 14):
                r.status = 147
                return right
            r.cls = 0
            return self.scale if self.compare_texts(op, left, right) else 0
        if lt != rt:
            if not lt and lc.cls & 8:
                st, right = text_to_number(right, self.precis)
                if st:
                    r.status = st
                    return 0
            else:
                r.status = 128
                return right
        r.cls = 0
        st, value = self.numeric(op, left, right)
        r.status = st
        return value

    def compare_texts(self, op, a, b):
        if op == 11:
            if a == b:
                return True
            if self.ints[b"_AUXSTAT"] & 128 or b"*" not in b:
                return False
            k = b.index(b"*")
            if k > 0:
                return len(a) >= k and fold(a[:k]) == fold(b[:k])
            needle = b[1:].split(b"*")[0]
            return fold(needle) in fold(a)
        return {9: a > b, 10: a < b, 12: a >= b, 13: a <= b, 14: a != b}[op]

    def numeric(self, op, a, b):
        s = self.scale
        ia, ib = abs(a) // s * (1 if a >= 0 else -1), abs(b) // s * (1 if b >= 0 else -1)
        with localcontext() as ctx:
            ctx.prec = 400
            da, db, ds = Decimal(a), Decimal(b), Decimal(s)
            if op == 1:
                v = rounded(da * db / ds)
            elif op == 2:
                v = 0 if b == 0 else rounded(da * ds / db)
            elif op == 3:
                if not -32768 <= ib <= 32767:
                    return 155, 0
                if ib < self.precis:
                    f = Decimal(10) ** (self.precis - ib)
                    v = rounded(da / f) * int(f)
                else:
                    v = a * 10 ** (ib - self.precis)
            elif op in (4, 5):
                p = rounded(da * db / (100 * ds))
                if not fits(p):
                    return 155, 0
                v = p if op == 4 else a - p
            elif op == 6:
                v = a + b
            elif op == 7:
                v = a - b
            elif 9 <= op <= 14:
                v = s if {9: a > b, 10: a < b, 11: a == b, 12: a >= b, 13: a <= b,
                          14: a != b}[op] else 0
            elif op == 15:
                v = (ia & ib) * s
            elif op in (16, 17):
                v = 0 if ia & ib else (ia | ib) * s
            elif op == 18:
                v = s if a and b else 0
            elif op == 19:
                v = s if a or b else 0
            elif op == 20:
                v = 0 if (ia == 0 and ib == 0) or (ia & ib) else s
            else:
                return 147, 0
        return (0, v) if fits(v) else (155, 0)

    # -- assignment ----------------------------------------------------------------------
    def assign(self, t, v, value):
        """(status, value left on top); v is updated to the last operand read."""
        self.nest()
        try:
            if v.op == ASSIGN:
                r, top = self.right_operand(v)
                if r.status == 0:
                    st, top = self.assign(v, r, top)
                else:
                    st = r.status
                for k in Cursor.__slots__:
                    setattr(v, k, getattr(r, k))
                value = top
                if st:
                    return st, value
            is_text = v.cls & 1
            if t.cls & 32:
                return 147, value
            if t.cls & 16:
                raise NotImplementedError("arrays")
            if t.cls & 8:
                return 148, value
            if not t.cls & 2:
                return 147, value
            if bool(t.cls & 1) != bool(is_text):
                return 128, value
            return self.store(t.token(), value), value
        finally:
            self.depth -= 1

    def store(self, name, value):
        kind = name_kind(name)
        if kind == "int":
            with localcontext() as ctx:
                ctx.prec = 100
                n = rounded(Decimal(value) / Decimal(self.scale))
            if not -32768 <= n <= 32767:
                return 155
            if name == b"_PRECIS" and not 0 <= n <= 4:
                return 168
            self.ints[name] = n
        elif kind == "num":
            self.nums[name] = value
        elif kind == "text":
            self.texts[name] = value
        else:
            return 147
        return 0

    def answer(self, text):
        """The probe's line for an expression."""
        kind, value = self.evaluate(text)
        if kind == "N":
            return "N " + (number_to_text(value, self.precis).decode() if value else "0")
        if kind == "T":
            return "T " + value.hex()
        return "E %d" % value
