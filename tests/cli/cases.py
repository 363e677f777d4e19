"""The CLI table: one row per run of the tool.

A row gives the arguments ({file} stands for the fixture's name), the fixture
the runner makes in a scratch folder, and what must come out: exit status,
standard output ({report} stands for the report of the block the file must
hold afterwards), standard error, and the block's words afterwards (`after`:
words replaced in the original block, whose check words are then repaired;
None: the file must be byte for byte as it was).
"""
from dataclasses import dataclass, field
from typing import Dict, List, Optional

QUOTIENT_WORDS = [17, 16, 4, 12, 23, 8, 26, 27, 10, 20, 29]

# The data words of the default fixture block; its check words are repaired
# by the project's own fix_block. Words 17 and 11 are equal, so the first
# quotient line reads 1.000000.
BASE_WORDS = {k: (0x1357 * k + 0x0246) & 0xffff for k in range(2, 30)}
BASE_WORDS.update({4: 1000, 8: 2000, 11: 16000, 17: 16000, 29: 1})


@dataclass
class Fixture:
    name: str = "tag.bin"
    size: Optional[int] = None  # default: the block, then 160 more bytes; 1 KiB at least
    offset: int = 0x360
    words: Dict[int, int] = field(default_factory=dict)  # over BASE_WORDS
    block: Optional[bytes] = None  # the raw block instead of BASE_WORDS
    fix: bool = True  # repair the check words
    flip: Dict[int, int] = field(default_factory=dict)  # then XOR these words

    fifo: bool = False
    read_only: bool = False

    def __post_init__(self):
        if self.size is None:
            self.size = max(1024, self.offset + 64 + 160)


@dataclass
class Row:
    name: str
    args: List[str]
    file: Optional[Fixture]
    status: int
    stdout: str
    stderr: str = ""
    after: Optional[Dict[int, int]] = None
    posix_only: bool = False
    needs_non_root: bool = False


USAGE = ("Usage : distag [-m VAL -i INDEX] [-r \"a b c\"] [-o OFFSET] file\n"
         "\t\t -m VAL -i INDEX : replaces word at INDEX with value VAL\n"
         "\t\t -r \"a b c \" : replaces distortion info with a b c (floats)\n"
         "\t\t -o OFFSET : specify the offset of the 0x0119 tag\n")
OPENED = "Opened {file} at offset 360\n"
ZERO_BLOCK = bytes(64)
# A valid block whose words 0 and 31 differ from what fix_checksums writes:
# their equal differences cancel. Rewriting it shows the check words redone.
CANCELLING = Fixture(flip={0: 0x5a5a, 31: 0x5a5a})
GB = 1 << 30


def block_of(words):
    """A block of zeros but for the given words (check words not yet set)."""
    b = bytearray(64)
    for k, v in words.items():
        b[2 * k], b[2 * k + 1] = v & 0xff, (v >> 8) & 0xff
    return bytes(b)


def ok(name, args, after=None, file=None, extra="", flag=1, **kw):
    """A complete run on the default fixture: progress lines, then report."""
    fx = file or Fixture()
    head = "Opened {file} at offset %x\nTag flag : %d\n" % (fx.offset, flag)
    return Row(name, args, fx, 0, head + extra + "{report}", after=after, **kw)


def refused_before_open(name, args, stderr, stdout=""):
    return Row(name, args, Fixture(), 1, stdout, stderr)


ROWS = [
    # Reading and reporting.
    ok("read_only_run", ["{file}"]),
    ok("offset_decimal", ["-o", "864", "{file}"]),
    ok("offset_octal", ["-o", "01540", "{file}"]),
    ok("offset_hex_attached", ["-o0x400", "{file}"], file=Fixture(offset=0x400)),
    ok("offset_not_a_number_is_zero", ["-o", "xyz", "{file}"], file=Fixture(offset=0)),
    ok("offset_minus_one_wraps", ["-o", "-4294966272", "{file}"], file=Fixture(offset=0x400)),
    ok("double_dash_ends_options", ["--", "{file}"]),
    ok("options_after_file_never_seen", ["{file}", "-m", "5", "-i", "3"]),
    ok("index_without_m_has_no_effect", ["-i", "99", "{file}"]),
    ok("lone_dash_is_a_file_name", ["-"], file=Fixture(name="-")),

    # The word edit.
    ok("m_replaces_word", ["-m", "0x1234", "-i", "5", "{file}"], {5: 0x1234},
       extra="Modifiying entry 5 to 1234\n"),
    ok("m_back_range", ["-m0xfff0", "-i20", "{file}"], {20: 0xfff0},
       extra="Modifiying entry 20 to fff0\n"),
    ok("m_last_word", ["-m", "7", "-i", "31", "{file}"], {},
       extra="Modifiying entry 31 to 0007\n", file=CANCELLING),
    ok("m_without_i_is_word_0_and_lost", ["-m", "7", "{file}"], {},
       extra="Modifiying entry 0 to 0007\n", file=CANCELLING),
    ok("m_check_word_is_recomputed", ["-m", "0xbeef", "-i", "30", "{file}"], {},
       extra="Modifiying entry 30 to beef\n", file=CANCELLING),
    ok("m_keeps_low_16_bits", ["-m", "0x12345678", "-i", "3", "{file}"], {3: 0x5678},
       extra="Modifiying entry 3 to 5678\n"),
    ok("m_beyond_32_bits_is_ffff", ["-m", "0x100000000", "-i", "3", "{file}"], {3: 0xffff},
       extra="Modifiying entry 3 to ffff\n"),
    ok("m_minus_one_is_ffff", ["-m", "-1", "-i", "3", "{file}"], {3: 0xffff},
       extra="Modifiying entry 3 to ffff\n"),
    ok("m_not_a_number_is_zero", ["-m", "x", "-i", "3", "{file}"], {3: 0},
       extra="Modifiying entry 3 to 0000\n"),
    ok("i_reads_decimal_only", ["-m", "1", "-i", "0x10", "{file}"], {},
       extra="Modifiying entry 0 to 0001\n", file=CANCELLING),
    ok("later_option_wins", ["-m", "1", "-i", "3", "-m", "2", "-i", "6", "{file}"], {6: 2},
       extra="Modifiying entry 6 to 0002\n"),

    # The distortion edit.
    ok("r_replaces_parameters", ["-r", "0.5 0.25 -0.5", "{file}"],
       {8: 16383, 4: 8191, 11: -16383},
       extra="Replacing data with 0.500000 0.250000 -0.500000\n"),
    ok("r_detached_negative_argument", ["-r", "-0.1 0 1", "{file}"], {8: -3276, 4: 0, 11: 32767},
       extra="Replacing data with -0.100000 0.000000 1.000000\n"),
    ok("r_extremes", ["-r-1 1 -1.00004", "{file}"], {8: -32767, 4: 32767, 11: -32768},
       extra="Replacing data with -1.000000 1.000000 -1.000040\n"),
    ok("r_trailing_text_accepted", ["-r", "0.25 0.5 0.75 and more", "{file}"],
       {8: 8191, 4: 16383, 11: 24575},
       extra="Replacing data with 0.250000 0.500000 0.750000\n"),
    ok("r_last_one_wins", ["-r", "0.1 0.1 0.1", "-r", "0.2 0.2 0.2", "{file}"],
       {8: 6553, 4: 6553, 11: 6553},
       extra="Replacing data with 0.200000 0.200000 0.200000\n"),
    ok("m_then_r_on_same_word", ["-m", "0x1111", "-i", "8", "-r", "0.5 0.25 0.75", "{file}"],
       {8: 16383, 4: 8191, 11: 24575},
       extra="Modifiying entry 8 to 1111\nReplacing data with 0.500000 0.250000 0.750000\n"),
    ok("uniform_ff_block_passes", ["-r", "0.5 0.5 0.5", "{file}"], {8: 16383, 4: 16383, 11: 16383},
       extra="Replacing data with 0.500000 0.500000 0.500000\n",
       file=Fixture(block=b"\xff" * 64, fix=False), flag=-1),

    # Refused before the file is opened: nothing printed on standard output.
    refused_before_open("unknown_option", ["-x", "{file}"], "distag: unknown option -- x\n" + USAGE),
    refused_before_open("long_option_is_dash_letter", ["--help", "{file}"],
                        "distag: unknown option -- -\n" + USAGE),
    refused_before_open("missing_argument", ["-o"], "distag: option requires an argument -- o\n" + USAGE),
    refused_before_open("missing_argument_after_others", ["-m", "1", "-r"],
                        "distag: option requires an argument -- r\n" + USAGE),
    refused_before_open("no_file", [], USAGE),
    refused_before_open("no_file_after_options", ["-m", "5", "-i", "3"], USAGE),
    refused_before_open("r_commas", ["-r", "0.1,0.2,0.3", "{file}"], "Failed to parse new data\n"),
    refused_before_open("r_two_numbers", ["-r", "0.1 0.2", "{file}"], "Failed to parse new data\n"),
    refused_before_open("r_bad_after_good", ["-r", "0.1 0.2 0.3", "-r", "x", "{file}"],
                        "Failed to parse new data\n"),
    refused_before_open("r_bad_before_unknown_option", ["-r", "1 2", "-x", "{file}"],
                        "Failed to parse new data\n"),
    refused_before_open("r_out_of_range_first_in_order", ["-r", "0.1 1.5 -2", "{file}"],
                        "Value 1.500000 out of range\n"),
    refused_before_open("r_just_out_of_range", ["-r", "1.00004 0 0", "{file}"],
                        "Value 1.000040 out of range\n"),
    refused_before_open("r_not_a_number", ["-r", "0 0 nan", "{file}"], "Value nan out of range\n"),
    refused_before_open("r_infinite", ["-r", "1e39 0 0", "{file}"], "Value inf out of range\n"),
    refused_before_open("index_too_large", ["-m", "1", "-i", "32", "{file}"], "Index 32 out of range\n"),
    refused_before_open("index_negative", ["-i", "-1", "-m", "1", "{file}"], "Index -1 out of range\n"),
    refused_before_open("index_wraps_past_int", ["-m", "1", "-i", "4294967297", "{file}"],
                        "Index 4294967297 out of range\n"),
    refused_before_open("index_text_as_given", ["-m", "1", "-i", " 40x", "{file}"],
                        "Index  40x out of range\n"),
    refused_before_open("index_checked_before_file", ["-m", "1", "-i", "99"], "Index 99 out of range\n"),

    # The file cannot be used.
    Row("missing_file", ["missing.bin"], None, 1, "Can't open missing.bin\n"),
    Row("empty_file_name", [""], None, 1, "Can't open \n"),
    Row("directory", ["."], None, 1, "Can't open .\n"),
    Row("read_only_file", ["-m", "1", "-i", "3", "{file}"], Fixture(read_only=True), 1,
        "Can't open {file}\n", needs_non_root=True),
    Row("checksum_nok", ["-m", "1", "-i", "3", "{file}"], Fixture(flip={5: 0x0001}), 1,
        OPENED + "Checksum NOK, exiting\n"),
    Row("checksum_nok_unfixed_block", ["{file}"], Fixture(fix=False), 1,
        OPENED + "Checksum NOK, exiting\n"),
    Row("offset_at_end", ["-o", "1024", "-m", "1", "-i", "3", "{file}"], Fixture(size=1024, offset=1024), 1,
        "Opened {file} at offset 400\nCan't read tag at offset 400\n"),
    Row("block_cut_short", ["-o", "0x3e0", "-m", "1", "-i", "3", "{file}"], Fixture(size=1024, offset=0x3e0), 1,
        "Opened {file} at offset 3e0\nCan't read tag at offset 3e0\n"),
    Row("offset_far_past_end", ["-o", "0xffffffff", "{file}"], Fixture(), 1,
        "Opened {file} at offset ffffffff\nCan't read tag at offset ffffffff\n"),
    Row("empty_file", ["-o", "0", "{file}"], Fixture(size=0, offset=0), 1,
        "Opened {file} at offset 0\nCan't read tag at offset 0\n"),
    Row("fifo_fails_fast", ["-m", "1", "-i", "3", "{file}"], Fixture(fifo=True), 1,
        OPENED + "Can't read tag at offset 360\n", posix_only=True),
    Row("write_back_fails", ["-o", "0", "-m", "1", "-i", "3", "/dev/full"], None, 1,
        "Opened /dev/full at offset 0\nTag flag : 0\nModifiying entry 3 to 0001\n"
        "Can't write /dev/full\n", posix_only=True),
    Row("second_write_back_fails", ["-o", "0", "-r", "0 0 0.5", "/dev/full"], None, 1,
        "Opened /dev/full at offset 0\nTag flag : 0\nReplacing data with 0.000000 0.000000 0.500000\n"
        "Can't write /dev/full\n", posix_only=True),

    # Offsets past 2 GiB on a sparse file of over 4 GiB.
    ok("offset_2_gib", ["-o", "0x80000000", "-r", "0.1 0.2 0.3", "{file}"],
       {8: 3276, 4: 6553, 11: 9830}, extra="Replacing data with 0.100000 0.200000 0.300000\n",
       file=Fixture(size=4 * GB + 4096, offset=0x80000000)),
    ok("offset_near_4_gib", ["-o", "0xffffff00", "-m", "0x4242", "-i", "29", "{file}"],
       {29: 0x4242}, extra="Modifiying entry 29 to 4242\n",
       file=Fixture(size=4 * GB + 4096, offset=0xffffff00)),

    # Golden reports, worked out by hand.
    Row("report_example", ["-r", "0.1 -0.05 0.9", "{file}"], Fixture(block=ZERO_BLOCK, fix=False), 0,
        OPENED + "Tag flag : 0\n"
        "Replacing data with 0.100000 -0.050000 0.900000\n"
        "Tag data :\n"
        "c63f e067 0000 0000 f99a 0000 0000 0000 0ccc 0000 0000 7332 0000 0000 0000 0000 \n"
        "Checksum OK\n"
        "29490\n"
        "0.000000\n0.000000\n-0.055544\n0.000000\n0.000000\n0.111089\n"
        "0.000000\n0.000000\n0.000000\n0.000000\n0.000000\n"
        "-1.000000 1.000031 0.099979 -0.049989 0.899991\n",
        after={4: -1638, 8: 3276, 11: 29490}),
    Row("report_flag_before_and_after", ["-m", "5", "-i", "29", "{file}"],
        Fixture(block=block_of({11: 0x4000, 29: 3})), 0,
        OPENED + "Tag flag : 3\n"
        "Modifiying entry 29 to 0005\n"
        "Tag data :\n"
        "10dd 64b6 0000 0000 0000 0000 0000 0000 0000 0000 0000 4000 0000 0000 0000 0000 \n"
        "Checksum OK\n"
        "16384\n"
        "0.000000\n0.000000\n0.000000\n0.000000\n0.000000\n0.000000\n"
        "0.000000\n0.000000\n0.000000\n0.000000\n0.000305\n"
        "-1.000000 1.000031 0.000000 0.000000 0.500015\n",
        after={29: 5}),
    Row("report_zero_divisor", ["{file}"], Fixture(block=block_of({16: -100, 17: 100})), 0,
        OPENED + "Tag flag : 0\n"
        "Tag data :\n"
        "7d67 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 \n"
        "Checksum OK\n"
        "0\n"
        "inf\n-inf\n-nan\n-nan\n-nan\n-nan\n-nan\n-nan\n-nan\n-nan\n-nan\n"
        "-1.000000 1.000031 0.000000 0.000000 0.000000\n"),
    Row("report_negative_divisor", ["{file}"],
        Fixture(block=block_of({11: -2, 17: 1})), 0,
        OPENED + "Tag flag : 0\n"
        "Tag data :\n"
        "dd83 0aca 0000 0000 0000 0000 0000 0000 0000 0000 0000 fffe 0000 0000 0000 0000 \n"
        "Checksum OK\n"
        "-2\n"
        "-0.500000\n" + "-0.000000\n" * 10 +
        "-1.000000 1.000031 0.000000 0.000000 -0.000061\n"),
]
