#pragma once

// The point-of-sale library as kbxpos uses it: the device commands and the
// customer display. The program drives the real library; tests drive a
// recording one.

#include <cstdint>
#include <string>

namespace kbxpos {

class PointOfSale {
public:
    virtual ~PointOfSale() = default;

    // Each returns the library's result: 0 success, otherwise its failure code.
    virtual int beep() = 0;
    virtual int cardReaderAutomatic(bool on) = 0;
    virtual int cardReaderRead() = 0;
    virtual int barcodeConfig(const std::string& text) = 0;
    virtual int barcodeData(const std::string& text) = 0;
    virtual int readerLeds(std::uint8_t state) = 0;
    virtual int readerTracks(std::uint8_t tracks) = 0;
    virtual int displayOpen() = 0;
    virtual int displayClose() = 0;
    // Row 1 onwards: the text at `column`; row 0: a display command keyword
    // with `column` as its value. The text is the display's character set.
    virtual int display(std::string text, int row, int column) = 0;
    virtual int setInterface(const std::string& keyword) = 0;
    // The national keyboard module data is read with (0 US ... 7 Spanish).
    virtual int setLanguage(int language) = 0;
};

}  // namespace kbxpos
