// The help of kbxdump, which is also the description of its printout.
//
// The printout layout is the help text below; tests and other tools read it,
// so it changes only together with them. In short:
// - one item per line: a label in columns 1-11, then its value; the lines of
//   a parameter block or a key are indented by two blanks under a heading;
// - header first, then the parameter blocks in chain order, then every key
//   that has a slot, in key index order;
// - offsets, lengths, counts, volumes and durations in decimal, bytes and bit
//   fields as two hex digits, texts in double quotes with "<01>" escapes;
// - a damaged image prints nothing on standard output and one message on
//   standard error; the exit codes are the table of exit_codes.h.

#include "tools/kbxdump/help.h"

#include "tools/kbxdump/exit_codes.h"

namespace kbxdump {
namespace {

constexpr std::string_view kHelpText = R"(Usage: kbxdump [--] IMAGE.kbx
       kbxdump --help | -h
       kbxdump --version

Prints the keyboard image IMAGE.kbx in readable form. "--" before a path
that starts with a dash keeps it from being read as an option.

Layout: one item per line, a label in columns 1-11 and its value. The lines
of a parameter block or a key are indented by two blanks under a heading.
Offsets, lengths, counts, volumes and durations are decimal; bytes and bit
fields are two hex digits; texts are in double quotes, every byte outside
20-7E and the characters " and < written as <01>.

Header (the values of an image compiled from TYPE MIRK alone):
  magic      "Vyrn"
  language   00: interface AT, CapsLock behaviour, language US
  serial     00: none
             (with COM: 9A: 9600 baud, parity N, 8 data bits, RTS/CTS handshake)
  length     317
  click      volume 85 (34 %), duration 2 (40 ms)
  alarm      volume 255 (100 %), duration 20 (400 ms)
  hotkey 0   00 04 54: [-C] code 54
  hotkey 1   04 04 54: [+C] code 54
  chain      304
  image      standard, data area from 304
             (models VELK, TARN: wide, key slots 158-189 at 304-367, data area from 400)
Hot keys: state, mask and code bytes; the conditions of state and mask; the
code, as E0 xx when its bit 7 is set. Chain: offset of the first parameter
block, or none. Volumes: the byte and its percentage; durations: the byte and
milliseconds (20 ms units).

Parameter blocks, in chain order, each under "block N at OFFSET, SIZE: TITLE":
  block 1 at 304, 4 bytes: model and modes
    model    6 MIRK
    mode A   BF: +T1 +T2 +T3 +MSR +FCR +KL -KVK +BCR
    mode B   00: BA1 +EF +EC +SE -MCS -M3 +IEK
    mode C   00: -MCO, slow output 0 D
  block 2 at 312, 1 byte: typematic rate
    rate     2C: 10 per second, delay 500 ms
  block 3: port settings        text "<01>9600,E,7,2<04><11>"
  block 4: port prefix          bytes 1B 40
  block 5: reader error text    text "Err\#"
  block 6: conversion entries   entry 61 "a", 2 bytes: 1E 9E   (one line each)
  block 8: parameter entries    entry 01 02 03 04 05 06 07 08  (one line each)
  any other block: unknown      data 01 02 03
Mode bytes: every named bit as the MODE item that gives its value, in bit
order; in parentheses the MSR item that gives the same value (-T1(N1),
-MSR(NA), -SE(NSE), +MCS(LRC)). Mode B begins with the BA setting of mode A
bit 6 and mode B bit 0. Mode C ends with the slow output code and its RATE
letter (D, F, M, V, S). Byte runs wrap after 16 bytes, each line with the
same label. Bytes that form no whole entry in blocks 6 and 8 follow as
"rest"; a block 1 or 2 of an unexpected size is shown as data with a note.

Keys, in key index order, each key that has a slot:
  keys       2 with definitions
  key A01 index 0: 2 records
    record 320 state 02 mask 82 attributes 00 [+S] bytes 2A 1E 9E AA
    record 330 state 00 mask 80 attributes 00 [] bytes 1E 9E
  key A02 index 1: short form, make code 1E
The identifier is the key's name on the image's model (pseudo keys by name,
"?" when the model has no such key). Records are shown in chain order with
their offset and the state, mask and attribute bytes, then in brackets the
same in source letters: conditions +X/-X for the mask bits 0-6 (L S C A SL
NL CL), +K when mask bit 7 is clear (press and release), -K when state bit 7
is set (release), nothing for a press, then the attributes /K /A /P /M /R /L
/C, one per bit. /S is never shown: the standard set 1B reads /K/A/M/R. The
bytes follow in hex on the same line however many there are, "none" for an
empty definition. A short form is the key's only definition, with state 00,
mask 00, attributes 1B and the make code (E0 xx when bit 7 of the slot is
set) as its bytes.

A damaged image (too short, bad magic, a length that disagrees with the file,
a link or slot outside the data area, a block or record past the end, a
record without its closing zero, a chain that loops or meets something read
already) prints nothing on standard output and one line on standard error:
  kbxdump: IMAGE.kbx: truncated at offset 302 (header says 317 bytes)
)";

}  // namespace

std::string helpText() {
    std::string text(kHelpText);
    text += '\n';
    text += cli::exitStatusText(kExitCodes);
    return text;
}

}  // namespace kbxdump
