#!/usr/bin/env python3
"""Differential test of macro expansion: random macro sets and uses, run through fw-pp-dump
and through GCC's cpp; the token sequences must be equal. Cases that cpp rejects (an invalid
paste, a wrong argument count, a division by zero) are generated again, not compared.

    macro_diff.py --dump build/linux/bin/fw-pp-dump [--cpp cpp] [--count 300] [--start 1]
                  [--keep DIR]
"""
import argparse
import os
import random
import re
import subprocess
import sys
import tempfile

PUNCTUATORS = sorted("""... <<= >>= -> ++ -- << >> <= >= == != && || *= /= %= += -= &= ^= |= ##
# [ ] ( ) { } . & * + - ~ ! / % < > ^ | ? : ; = ,""".split(), key=len, reverse=True)
TOKEN = re.compile(r"""
    (?P<space>\s+)
  | (?P<string>(?:L|u8|u|U)?"(?:\\.|[^"\\\n])*")
  | (?P<char>(?:L|u8|u|U)?'(?:\\.|[^'\\\n])*')
  | (?P<number>\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.])*)
  | (?P<ident>[A-Za-z_$][A-Za-z0-9_$]*)
""", re.VERBOSE)


def tokenize(text):
    """The preprocessing tokens of cpp's output."""
    tokens, at = [], 0
    while at < len(text):
        m = TOKEN.match(text, at)
        if m:
            if not m.group("space"):
                tokens.append(m.group(0))
            at = m.end()
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, at):
                tokens.append(p)
                at += len(p)
                break
        else:
            tokens.append(text[at])
            at += 1
    return tokens


class Generator:
    """Random macro definitions and uses over a small pool of names, so that macros refer to
    each other, to themselves, and to names that are not macros."""

    def __init__(self, rng):
        self.r = rng
        self.objects = ["O%d" % i for i in range(5)]
        self.functions = ["F%d" % i for i in range(6)]
        self.plain = ["a", "b", "c"]
        self.params = {}

    def name(self):
        pool = self.objects + self.functions + self.plain
        return self.r.choice(pool)

    def atom(self, params):
        r = self.r.random()
        if params and r < 0.3:
            return self.r.choice(params)
        if r < 0.65:
            return self.name()
        if r < 0.8:
            return str(self.r.randint(0, 99))
        if r < 0.85:
            return '"s%d"' % self.r.randint(0, 9)
        if r < 0.87:
            return self.r.choice(["(", ")"])  # unbalanced: calls that start or end elsewhere
        return self.r.choice(["+", "-", "*", ",", "x", "1", "'c'", "'\\''", "L\"w\"",
                              '"q\\\\\\"x"', "/* c */"])

    def body(self, params, variadic):
        items = []
        for _ in range(self.r.randint(0, 6)):
            r = self.r.random()
            if params and r < 0.12:
                items.append("#" + self.r.choice(params))
            elif r < 0.25 and items and re.fullmatch(r"\w+", items[-1]):
                right = self.atom(params)
                if re.fullmatch(r"\w+", right):
                    items[-1] = items[-1] + self.r.choice([" ## ", "##"]) + right
                else:
                    items.append(right)
            elif r < 0.4:
                items.append(self.call(params, 0))
            else:
                items.append(self.atom(params))
        text = " ".join(items)
        # GNU comma elision (", ## __VA_ARGS__") is not supported; keep it out.
        return text.replace(", ## __VA_ARGS__", ", __VA_ARGS__")

    def call(self, params, depth):
        f = self.r.choice(self.functions)
        count = self.params.get(f, (1, False))[0]
        args = [self.argument(params, depth) for _ in range(count)]
        if self.r.random() < 0.1:
            return f  # a name without its arguments
        sep = self.r.choice([",", ", ", " ,", ",\n"])
        return "%s(%s)" % (f, sep.join(args))

    def argument(self, params, depth):
        items = []
        for _ in range(self.r.randint(0, 3)):
            r = self.r.random()
            if r < 0.25 and depth < 3:
                items.append(self.call(params, depth + 1))
            elif r < 0.35:
                items.append("(%s, %s)" % (self.atom(params), self.atom(params)))
            else:
                a = self.atom(params)
                if a in ("(", ")", ","):
                    a = "x"
                items.append(a)
        return " ".join(items)

    def definitions(self):
        lines = []
        for f in self.functions:
            count = self.r.randint(0, 3)
            variadic = self.r.random() < 0.2
            self.params[f] = (count + (1 if variadic else 0), variadic)
        for name in self.objects + self.functions:
            if self.r.random() < 0.15:
                continue  # left undefined
            if name in self.params:
                count, variadic = self.params[name]
                names = ["p%d" % i for i in range(count - (1 if variadic else 0))]
                plist = names + (["..."] if variadic else [])
                usable = names + (["__VA_ARGS__"] if variadic else [])
                lines.append("#define %s(%s) %s" % (name, ", ".join(plist),
                                                    self.body(usable, variadic)))
            else:
                lines.append("#define %s %s" % (name, self.body([], False)))
        self.r.shuffle(lines)
        return lines

    def condition(self):
        ops = ["+", "-", "*", "/", "%", "<<", ">>", "<", ">", "<=", ">=", "==", "!=", "&", "^",
               "|", "&&", "||"]

        def expr(depth):
            r = self.r.random()
            if depth > 2 or r < 0.3:
                choice = self.r.random()
                if choice < 0.3:
                    return "defined(%s)" % self.name()
                if choice < 0.5:
                    return self.r.choice(self.objects + self.plain)
                return str(self.r.randint(0, 20))
            if r < 0.4:
                return self.r.choice(["-", "!", "~"]) + expr(depth + 1)
            if r < 0.5:
                return "(%s ? %s : %s)" % (expr(depth + 1), expr(depth + 1), expr(depth + 1))
            return "(%s %s %s)" % (expr(depth + 1), self.r.choice(ops), expr(depth + 1))

        return expr(0)

    def case(self):
        lines = self.definitions()
        for _ in range(self.r.randint(2, 6)):
            r = self.r.random()
            if r < 0.15:
                lines += ["#if " + self.condition(), "yes", "#else", "no", "#endif"]
            elif r < 0.25:
                name = self.r.choice(self.objects)
                lines += ["#undef " + name, "#ifdef " + name, "never", "#endif",
                          "#define %s %s" % (name, self.body([], False))]
            else:
                uses = [self.call([], 0) if self.r.random() < 0.6 else self.name()
                        for _ in range(self.r.randint(1, 4))]
                lines.append(" ".join(uses))
        lines.append(") ) ) )")  # closes most calls that a replacement left open
        return "\n".join(lines) + "\n"


def run(cmd):
    p = subprocess.run(cmd, capture_output=True, text=True, errors="replace")
    return p.returncode, p.stdout, p.stderr


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--dump", required=True)
    ap.add_argument("--cpp", default="cpp")
    ap.add_argument("--count", type=int, default=300)
    ap.add_argument("--start", type=int, default=1,
                    help="starting value of the random generator")
    ap.add_argument("--keep", help="folder for the inputs of failed cases")
    ap.add_argument("--check-errors", action="store_true",
                    help="also require an error from fw-pp-dump where cpp gives one")
    args = ap.parse_args()

    rng = random.Random(args.start)
    gen = Generator(rng)
    passed = failed = rejected = 0
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "case.c")
        while passed + failed < args.count:
            text = gen.case()
            with open(path, "w") as f:
                f.write(text)
            rc, out, err = run([args.cpp, "-P", "-undef", "-std=c11", path])
            if rc != 0 or "error" in err:
                if args.check_errors and run([args.dump, "--no-predefined", path])[0] == 0:
                    failed += 1
                    print("=== no error where cpp gives one:\n%s%s" % (text, err))
                    continue
                rejected += 1
                if rejected > args.count * 20:
                    print("too many cases rejected by cpp")
                    return 1
                continue
            expected = tokenize(out)
            rc2, out2, err2 = run([args.dump, "--no-predefined", path])
            got = out2.splitlines()
            if rc2 == 0 and got == expected:
                passed += 1
                continue
            failed += 1
            if failed <= 3:
                first = next((i for i, (x, y) in enumerate(zip(expected, got)) if x != y),
                             min(len(expected), len(got)))
                print("=== case %d differs at token %d" % (passed + failed, first))
                print(text)
                print("cpp:    ", " ".join(expected[max(0, first - 5):first + 5]))
                print("fw-pp:  ", " ".join(got[max(0, first - 5):first + 5]))
                if err2:
                    print(err2)
            if args.keep:
                os.makedirs(args.keep, exist_ok=True)
                with open(os.path.join(args.keep, "case%d.c" % (passed + failed)), "w") as f:
                    f.write(text)
    print("macro_diff: random start %d, %d cases compared, %d rejected by cpp and made again"
          % (args.start, passed + failed, rejected))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
