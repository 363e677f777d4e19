#!/usr/bin/env python3
"""Runs one row of the CLI table (cases.py) against the built tool.

Each row gets a scratch folder with a fresh fixture file, runs the tool there
and compares its exit status, standard output, standard error and the file's
bytes afterwards with the row. The command that starts the tool (and the
fixture helper) can be prefixed with an emulator for cross-built binaries.
"""
import argparse
import difflib
import os
import re
import shlex
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cases  # noqa: E402
from cases import Fixture  # noqa: E402

PROGRAM = "distag"  # argv[0] as the rows expect it
SKIP = 77
TIMEOUT = 20  # seconds; a run that hangs (a FIFO read, say) fails the row
BIG = 64 << 20  # files larger than this are checked around the block only


class Env:
    def __init__(self, args):
        self.emulator = shlex.split(args.emulator) if args.emulator else []
        self.tool = os.path.abspath(args.tool)
        self.fix_block_tool = os.path.abspath(args.fix_block)
        self.windows = self.tool.lower().endswith(".exe")

    def command(self, exe):
        return self.emulator + [exe]

    def fix_block(self, block):
        out = subprocess.run(self.command(self.fix_block_tool) + [block.hex()],
                             capture_output=True, check=True, timeout=TIMEOUT)
        return bytes.fromhex(out.stdout.decode().strip())


def words_of(block):
    return [block[2 * k] | block[2 * k + 1] << 8 for k in range(32)]


def with_words(block, words):
    b = bytearray(block)
    for k, v in words.items():
        v &= 0xffff
        b[2 * k], b[2 * k + 1] = v & 0xff, v >> 8
    return bytes(b)


def fixture_block(env, fx):
    if fx.block is not None:
        block = fx.block
    else:
        block = bytes(64)
        block = with_words(block, {**cases.BASE_WORDS, **fx.words})
    if fx.fix:
        block = env.fix_block(block)
    words = words_of(block)
    block = with_words(block, {k: words[k] ^ mask for k, mask in fx.flip.items()})
    return block


def background(size):
    return bytes((i * 31 + 7) & 0xff for i in range(size))


def make_fixture(env, fx, path):
    block = fixture_block(env, fx)
    if fx.fifo:
        os.mkfifo(path)
        return block
    if fx.size > BIG:
        with open(path, "wb") as f:
            f.truncate(fx.size)
            f.seek(fx.offset)
            f.write(block)
        return block
    data = bytearray(background(fx.size))
    end = min(fx.offset + 64, fx.size)
    if fx.offset < fx.size:
        data[fx.offset:end] = block[:end - fx.offset]
    with open(path, "wb") as f:
        f.write(data)
    return block


def s16(w):
    return w - 0x10000 if w & 0x8000 else w


def model_report(block):
    """The report of a valid block whose word 11 is not zero."""
    w = [s16(x) for x in words_of(block)]
    lines = ["Tag data :", "".join("%04x " % (x & 0xffff) for x in w[:16]),
             "Checksum OK", "%d" % w[11]]
    lines += ["%f" % (w[k] / w[11]) for k in cases.QUOTIENT_WORDS]
    o = 1 / (-1 / 32768 + 1)
    lines.append("%f %f %f %f %f" % (-1.0, o, o * (w[8] / 32768), o * (w[4] / 32768),
                                       o * (w[11] / 32768)))
    return "\n".join(lines) + "\n"


def hexdiff(name, expected, actual, base=0):
    out = []
    if len(expected) != len(actual):
        out.append("%s: size %d, expected %d" % (name, len(actual), len(expected)))
    for i in range(0, max(len(expected), len(actual)), 16):
        e, a = expected[i:i + 16], actual[i:i + 16]
        if e != a:
            out.append("%s @%08x expected %s" % (name, base + i, e.hex(" ")))
            out.append("%s @%08x actual   %s" % (name, base + i, a.hex(" ")))
        if len(out) > 40:
            out.append("...")
            break
    return out


def textdiff(name, expected, actual):
    if expected == actual:
        return []
    diff = difflib.unified_diff(expected.splitlines(True), actual.splitlines(True),
                                "expected " + name, "actual " + name)
    return [line.rstrip("\n") + ("" if line.endswith("\n") else "  (no newline)")
            for line in diff]


def normalize(env, text):
    """What the platform's C library decides, and nothing else, is evened out."""
    text = text.replace("\r\n", "\n") if env.windows else text
    if env.emulator:
        # The tool's path as the emulator hands it over, maybe as a Windows
        # path with a drive letter and either kind of slash.
        parts = [re.escape(p) for p in env.tool.strip("/").split("/")]
        path = r"(?:[A-Za-z]:)?[/\\]" + r"[/\\]".join(parts)
        text = re.sub(path + r"(?=: | \[)", PROGRAM, text)
    # glibc on x86 prints the default NaN as -nan, other C libraries as nan.
    return text.replace("-nan", "nan")


def check_file(row, path, expected_block):
    fx = row.file
    if fx.fifo:
        return []
    size = os.path.getsize(path)
    if fx.size > BIG:
        with open(path, "rb") as f:
            lo = max(fx.offset - 4096, 0)
            f.seek(lo)
            around = f.read(fx.offset + 64 + 4096 - lo)
        expected = bytearray(min(len(around), fx.size - lo))
        expected[fx.offset - lo:fx.offset - lo + 64] = expected_block
        errors = hexdiff("file", bytes(expected), around, lo)
        if size != fx.size:
            errors.append("file size %d, expected %d" % (size, fx.size))
        return errors
    expected = bytearray(background(fx.size))
    end = min(fx.offset + 64, fx.size)
    if fx.offset < fx.size:
        expected[fx.offset:end] = expected_block[:end - fx.offset]
    with open(path, "rb") as f:
        actual = f.read()
    return hexdiff("file", bytes(expected), actual)


def run_row(env, row, work):
    if row.posix_only and env.windows:
        print("skipped: needs a POSIX file system feature")
        return SKIP
    if row.needs_non_root and hasattr(os, "geteuid") and os.geteuid() == 0:
        print("skipped: root opens read-only files for writing")
        return SKIP
    folder = os.path.join(work, row.name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    fixture_name = row.file.name if row.file else None
    path = os.path.join(folder, fixture_name) if fixture_name else None
    original_block = expected_block = None
    if row.file:
        original_block = make_fixture(env, row.file, path)
        if row.after is not None:
            expected_block = env.fix_block(with_words(original_block, row.after))
        else:
            expected_block = original_block
        if row.file.read_only:
            os.chmod(path, 0o444)
    args = [a.replace("{file}", fixture_name or "") for a in row.args]
    if env.emulator:
        cmd = env.command(env.tool) + args
        kwargs = {}
    else:
        cmd = [PROGRAM] + args
        kwargs = {"executable": env.tool}
    try:
        proc = subprocess.run(cmd, cwd=folder, capture_output=True, timeout=TIMEOUT,
                              stdin=subprocess.DEVNULL, **kwargs)
    except subprocess.TimeoutExpired:
        print("FAIL: the run did not end within %d s" % TIMEOUT)
        return 1
    expected_out = row.stdout.replace("{file}", fixture_name or "")
    if "{report}" in expected_out:
        expected_out = expected_out.replace("{report}", model_report(expected_block))
    errors = []
    if proc.returncode != row.status:
        errors.append("exit status %d, expected %d" % (proc.returncode, row.status))
    errors += textdiff("stdout", normalize(env, expected_out),
                       normalize(env, proc.stdout.decode("latin-1")))
    errors += textdiff("stderr", normalize(env, row.stderr),
                       normalize(env, proc.stderr.decode("latin-1")))
    if row.file:
        errors += check_file(row, path, expected_block)
    print("$ " + " ".join(shlex.quote(c) for c in cmd))
    if errors:
        print("\n".join(errors))
        return 1
    print("ok")
    return 0


def main():
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("--list", action="store_true", help="print the row names")
    p.add_argument("--case", help="the row to run")
    p.add_argument("--tool", help="the distag binary")
    p.add_argument("--fix-block", help="the fix_block helper binary")
    p.add_argument("--emulator", default=os.environ.get("DISTAG_EMULATOR", ""),
                   help="command that runs the binaries (for cross builds)")
    p.add_argument("--work", default="cli-work", help="scratch folder")
    args = p.parse_args()
    if args.list:
        print("\n".join(row.name for row in cases.ROWS))
        return 0
    args.tool = args.tool or os.environ.get("DISTAG_TOOL")
    rows = [r for r in cases.ROWS if r.name == args.case]
    if len(rows) != 1 or not args.tool or not args.fix_block:
        p.error("need --case NAME (one row), --tool and --fix-block")
    return run_row(Env(args), rows[0], os.path.abspath(args.work))


if __name__ == "__main__":
    sys.exit(main())
