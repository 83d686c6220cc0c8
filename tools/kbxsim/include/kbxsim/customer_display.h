#pragma once

// The customer display attached to the keyboard: a screen of rows x columns
// characters (2 x 24 unless set otherwise) driven by the bytes of a display
// sequence, which the firmware opens with 0xEC and closes with 0x00:
//   0x01      clear the screen, cursor to the first row, first column
//   0xC0      cursor to the first row, first column
//   0xC1      cursor to the second row, first column
//   0xC9 p    cursor to p: 0x80 + column on the first row, 0x40 + column on
//             the second (a p of neither form leaves the cursor)
//   0xC8 c    display control: c = 8 + 4 x display on + 2 x cursor shown +
//             cursor blinking
//   any other byte is a character written at the cursor, which advances;
//   characters past the last column are dropped.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kbxsim {

inline constexpr std::size_t kDefaultDisplayRows = 2;
inline constexpr std::size_t kDefaultDisplayColumns = 24;
inline constexpr std::size_t kMostDisplayRows = 8;
inline constexpr std::size_t kMostDisplayColumns = 80;

struct DisplayControl {
    bool displayOn = true;
    bool cursorShown = false;
    bool cursorBlinking = false;
    friend bool operator==(const DisplayControl&, const DisplayControl&) = default;
};

class CustomerDisplay {
public:
    // Rows and columns are kept within 1 and the limits above.
    explicit CustomerDisplay(std::size_t rows = kDefaultDisplayRows, std::size_t columns = kDefaultDisplayColumns);

    // One byte inside a display sequence (not the 0xEC or the 0x00 around it).
    void take(std::uint8_t byte);
    // The sequence ended: an argument still awaited is given up.
    void endSequence() { pending_ = Pending::nothing; }

    // A new geometry clears the screen.
    void resize(std::size_t rows, std::size_t columns);
    std::size_t rows() const { return screen_.size(); }
    std::size_t columns() const { return columns_; }

    // The screen's rows, `columns()` bytes each (blanks where nothing was written).
    const std::vector<std::string>& screen() const { return screen_; }
    std::size_t cursorRow() const { return cursorRow_; }
    std::size_t cursorColumn() const { return cursorColumn_; }
    const DisplayControl& control() const { return control_; }
    std::uint64_t droppedCharacters() const { return dropped_; }

    // The screen in a frame of "+", "-" and "|", one line per row and a line
    // for each edge, each ending in a line break. Bytes below 0x20 show as
    // ".", bytes from 0x80 on are taken as code page 437 and shown in UTF-8.
    std::string framed() const;

private:
    enum class Pending { nothing, position, control };

    void clear();
    void position(std::uint8_t code);
    void setControl(std::uint8_t code);
    void write(std::uint8_t character);

    std::size_t columns_;
    std::vector<std::string> screen_;
    std::size_t cursorRow_ = 0;
    std::size_t cursorColumn_ = 0;
    DisplayControl control_;
    Pending pending_ = Pending::nothing;
    std::uint64_t dropped_ = 0;
};

}  // namespace kbxsim
