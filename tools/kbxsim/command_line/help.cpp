#include "tools/kbxsim/command_line/help.h"

#include "tools/kbxsim/command_line/exit_codes.h"

namespace kbxsim {
namespace {

constexpr std::string_view kUsage =
    "Usage: kbxsim serial [--link PATH] [--settings BAUD,P,D] [--line-rate] [--adapter-latency MS]\n"
    "                     [--load FILE.kbx] [--save FILE.kbx] [--id HEX4] [--channel PATH [--language N]\n"
    "                     [--do INPUT]... [--display ROWS,COLUMNS]] [fault options] [--verbose]\n"
    "       kbxsim --help | -h\n"
    "       kbxsim --version\n";

constexpr std::string_view kHelp = R"(
The simulated keyboard: plays the keyboard firmware on a pseudo-terminal, so
that the interface library can program it through a serial port, and with
--channel on the keyboard channel socket as well, for the keyboard port
(controller ports, keyboard device, driver device) and USB.

kbxsim serial creates a pseudo-terminal, makes PATH a symbolic link to its
slave (replacing a symbolic link already there, never any other file) and
prints one line on standard output, the slave and the link separated by a
blank ("/dev/pts/4 /tmp/ttyKBX"), or the slave alone without --link (when
that line cannot be written, it stops at once). Then it serves the line
until SIGINT or SIGTERM, and removes the link. Point the library at the
link: KBX_COM1=PATH, interface string "COM1".

One kbxsim per path: while one serves a link it holds a lock on the file
PATH.lock beside it (removed at its end), and a second kbxsim on the same
--link, or on the --channel socket where one still listens, is refused
("another kbxsim serves this path", exit status 1) and changes nothing. At
its end kbxsim removes the link and the socket only while they are still the
ones it made.

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

Device commands: 0xEF and a command byte from 0x18 to 0x44 (beep 0x2B, the
module switches and reads, reader LEDs 0x42-0x44, fat finger 0x32/0x33) are
acknowledged and printed on standard output ("command EF 2B beep"); 0x27
and 0x28 carry a text up to a 0x00, 0x36 one byte (the tracks). Argument
bytes are taken as they are, 0xEE and 0xEF included.

Customer display: outside a frame, 0xEC opens a display sequence and 0x00
closes it; every byte between is acknowledged and taken as it is:
  0x01 clear   0xC0 first row   0xC1 second row
  0xC9 P       position: 0x80 + column (first row), 0x40 + column (second)
  0xC8 C       display control: 8 + 4 x on + 2 x cursor + blinking
  other bytes  a character at the cursor, which advances (dropped past the
               last column)
The screen, 2 rows of 24 columns unless --display says otherwise, is printed
on standard output in a frame after every sequence that changed it:
  display
  +------------------------+
  |HELLO                   |
  |                        |
  +------------------------+

Keyboard channel (--channel PATH): a Unix SOCK_SEQPACKET socket, the wire
format of platform/channel_protocol.h, any number of clients at once. A
connection sends requests until it subscribes to key events; the keyboard
types on every subscribed connection and they send back what the desktop
got, printed as "desktop make 1E" / "desktop break E0 38 alt".
  ports 0x60/0x64  status bit 0 while an answer waits, bit 1 always clear;
                   0x64 <- 0x60 makes the next 0x60 write the controller
                   command byte; other 0x60 writes go to the keyboard, which
                   answers each. The LED command 0xED and its value carry a
                   nibble: 0x10 + low nibble, then 0x20 + high nibble of a
                   protocol byte (preceded by an implied 0xEF when no frame
                   is in progress) or 0x30 + high nibble of a display byte
                   (preceded by an implied 0xEC when no sequence is open)
  keyboard device  capture 0x000B400C, release 0x000B4010, clear 0x000B4014,
                   available 0x000B0400, get 0x000B0800, send 0x000B4000,
                   translate on/off 0x000B1000/0x000B2000; the answers to
                   its sends wait in a queue until taken or cleared
  driver device    0x000B0008 with the words 0x00EF and the byte: ok when
                   the keyboard acknowledged it
  USB              send: 0 when acknowledged, else 1; check: 0 unless the
                   keyboard is silent or refuses every byte
The reply to a read frame is typed as key presses (make and break; digits
1-9 0 are 0x02-0x0B, A-F 0x1E 0x30 0x2E 0x20 0x12 0x21). Fault options work
here too; an implied byte counts as a received byte.

Module input, from --do (typed once the first connection subscribed), from
standard input (one a line) or from a test:
  swipe T1 [T2 [T3]]   tracks framed by 0x62, 0x63, 0x64 ("-" empty track,
                       "..." a track with blanks)
  barcode TEXT         framed by 0x65
  keylock N            framed by 0x66
  card in TEXT         framed by 0x67
  card out [TEXT]      framed by 0x67
  type TEXT            plain keys
A marker is a make and a break of its scan code. Characters are typed on
the national keyboard of --language with Shift, AltGr and accent keys as it
needs them; one it has no key for as an Alt code on the keypad.

A host that takes the line exclusively (TIOCEXCL) must give it back
(TIOCNXCL) before it closes it: a pseudo-terminal keeps the flag across
closes, and later opens fail with EBUSY for users without CAP_SYS_ADMIN.
A host that cannot (one killed during a transfer) leaves the hold behind;
whenever the line has been quiet for a quarter of a second, kbxsim looks in
/proc whether a host still has the line open and gives back the hold of a
host that is gone (--verbose tells when). Without privileges the programs of
other users are not seen there: their holds count as left behind.

Options (a value follows as "--option VALUE" or "--option=VALUE"; "--" ends
the options):
  --link PATH         symbolic link to the slave, removed at the end
  --settings B,P,D    the keyboard's own line settings: the echo is answered
                      only at them (P is N, E or O; D is 7 or 8); without it
                      the echo is answered at any settings
  --line-rate         carry the host's bytes to the keyboard and its answers
                      and replies back no faster than the slave's line
                      settings do (start, data, parity and stop bits at the
                      baud rate), so that a transfer takes as long as on a
                      cable
  --adapter-latency MS
                      hold every answer MS milliseconds (0-1000) before the
                      host gets it, as a USB-serial adapter's latency timer
                      does (16 on common adapters)
  --load FILE.kbx     put the image's bytes from offset 4 on at addresses 4...
                      (the magic "Vyrn" is required, not stored) and update
                      the checksum, as a download does
  --save FILE.kbx     at the end, and on every SIGUSR1, write the memory as an
                      image: "Vyrn", then addresses 4 up to the image length
                      in bytes 6-7 (at most 8192; all 8192 bytes when the
                      length is below 10); written to a temporary file and
                      renamed into place. A place where no image can be
                      written (a missing or read-only folder, a folder as
                      FILE.kbx) is refused at the start
  --id HEX4           firmware identification, four hex digits
  --verbose           one line per byte received on standard error: the byte,
                      what it did and the answer (on the channel too, an
                      implied byte marked), and one per channel request
  --channel PATH      serve the keyboard channel at PATH (a socket left by a
                      kbxsim that ended is replaced; one where a kbxsim
                      listens, or any other file, is not), removed at the end
  --language N        keyboard of the module input: 0 US, 1 German (default),
                      2 French, 3 UK, 4 Swiss German, 5 Swiss French,
                      6 Italian, 7 Spanish
  --do INPUT          module input, as above; repeated, in order
  --display R,C       rows and columns of the customer display (2,24; at most
                      8,80)
  -h, --help          this text
  --version           the program's name and version

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
)";

}  // namespace

std::string helpText() {
    std::string text(kHelp);
    text += '\n';
    text += cli::exitStatusText(kExitCodes);
    return text;
}

std::string_view usageText() { return kUsage; }

}  // namespace kbxsim
