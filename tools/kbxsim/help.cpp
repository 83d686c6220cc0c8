#include "tools/kbxsim/help.h"

namespace kbxsim {
namespace {

constexpr std::string_view kUsage =
    "usage: kbxsim serial [--link PATH] [--settings BAUD,P,D] [--line-rate] [--load FILE.kbx]\n"
    "                     [--save FILE.kbx] [--id HEX4] [fault options] [--verbose]\n"
    "       kbxsim --help\n";

constexpr std::string_view kHelp = R"(
The simulated keyboard: plays the keyboard firmware on a pseudo-terminal, so
that the interface library can program it through a serial port.

kbxsim serial creates a pseudo-terminal, makes PATH a symbolic link to its
slave (replacing a symbolic link already there, never any other file) and
prints one line on standard output, the slave and the link separated by a
blank ("/dev/pts/4 /tmp/ttyKBX"), or the slave alone without --link. Then it
serves the line until SIGINT or SIGTERM, and removes the link. Point the
library at the link: KBX_COM1=PATH, interface string "COM1".

Memory: 8192 bytes, addresses 0-8191.
  0-1   firmware identification (--id, default 5631)
  2-3   checksum of the image, big-endian, set by the checksum update
  6-7   image length of what was downloaded, big-endian, magic included
The host cannot write addresses 0-3: write frames store nothing there (the
rest of the frame is stored).

Checksum: the frame 0xEF 0x12 sets bytes 2-3 to the sum, modulo 65536, of the
bytes from address 4 up to the image length in bytes 6-7 (not included); a
length below 4 sums nothing, one above 8192 sums up to the end of memory.

Protocol, one byte at a time; every byte the keyboard takes is acknowledged
with 0xFA, a byte it refuses gets 0xFE:
  0xEE              echo: answered with 0xEE and no 0xFA, at any point (a
                    frame in progress ends); with --settings only while the
                    line matches them
  0xEF 0x0F AAAA NN SS D..D CC
                    write frame: four hex digits of the address, two of the
                    count n, two of the nibble checksum of those six digits,
                    two digits per data byte (high digit first), two digits
                    of the nibble checksum of the 2n data digits
  0xEF 0x0E AAAA NN SS
                    read frame; after the 0xFA of its last byte the reply
                    text follows: 2n hex digits of the bytes and the two
                    digits of their nibble checksum
  0xEF 0x12         checksum update
  0xEF XX           any other command byte: acknowledged, nothing done
  0xF4              enable: acknowledged (a frame in progress ends)
  any other byte    outside a frame: acknowledged
Hex digits are "0"-"9" and "A"-"F". A nibble checksum is the sum of the
digit values modulo 256, high digit first. Inside a frame a byte that is not
a hex digit is refused at once; a checksum that does not match is refused on
its last digit, a write frame that reaches past address 8191 on the last digit
of its header; a refused frame is over and changes nothing. A read frame may
reach past the memory: those addresses read as 0. 0xEF starts a new
frame at any point.

Line settings: the pseudo-terminal keeps the baud rate and the odd-parity
flag that the host sets, but forces 8 data bits and no parity enable. The
echo is checked against --settings by baud rate and by odd versus not odd
parity only, so 9600,E,8 and 9600,N,8 look alike. Other bytes are answered
at any settings.

A host that takes the line exclusively (TIOCEXCL) must give it back
(TIOCNXCL) before it closes it: a pseudo-terminal keeps the flag across
closes, and later opens fail with EBUSY for users without CAP_SYS_ADMIN.

Options:
  --link PATH         symbolic link to the slave, removed at the end
  --settings B,P,D    the keyboard's own line settings: the echo is answered
                      only at them (P is N, E or O; D is 7 or 8); without it
                      the echo is answered at any settings
  --line-rate         write answers and replies no faster than the slave's
                      baud rate carries them (10 bits a byte), so that a
                      transfer takes as long as on a cable
  --load FILE.kbx     put the image's bytes from offset 4 on at addresses 4...
                      (the magic "Vyrn" is required, not stored) and update
                      the checksum, as a download does
  --save FILE.kbx     at the end, and on every SIGUSR1, write the memory as an
                      image: "Vyrn", then addresses 4 up to the image length
                      in bytes 6-7 (at most 8192; all 8192 bytes when the
                      length is below 10); written to a temporary file and
                      renamed into place
  --id HEX4           firmware identification, four hex digits
  --verbose           one line per byte received on standard error: the byte,
                      what it did and the answer
  --help              this text

Fault options (byte numbers count every byte received, the first is 1):
  --refuse-byte N     answer byte N with 0xFE and ignore it
  --refuse-all        answer every byte with 0xFE
  --lose-ack N        take byte N, but do not send its answer
  --silent-from N     from byte N on, neither take nor answer any byte
  --silent-for K      ... only for K bytes (from byte 1 without --silent-from)
  --corrupt-reply KIND[:NUMBER]
                      spoil the next read reply:
                        data:I           data digit I (from 0) changed
                        checksum-high    high checksum digit changed
                        checksum-low     low checksum digit changed
                        nul:I            a NUL character at position I
                        non-hex:I        the character "G" at position I
                        short:K          the last K characters left out
                        long:K           K digits "0" added
                      (positions beyond the text mean its last character;
                      K defaults to 1)
  --corrupt-replies C spoil the next C replies that way (0: every reply)

Exit codes: 0 stopped by SIGINT or SIGTERM (and the image saved when asked),
1 the pseudo-terminal, the link, the image or the save failed, 2 usage.
)";

}  // namespace

std::string_view helpText() { return kHelp; }

std::string_view usageText() { return kUsage; }

}  // namespace kbxsim
