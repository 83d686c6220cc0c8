#pragma once

// The point-of-sale library itself (libkbxfunc.so) behind kbxpos: opening
// it, its module callbacks printing each completed frame, and its calls.

#include <iosfwd>

#include "tools/kbxpos/point_of_sale.h"

namespace kbxpos {

class LibraryPointOfSale : public PointOfSale {
public:
    // Opens the library and registers every module's callback; frames are
    // printed to `out` as "track1 5: 12345". Check opened() afterwards.
    explicit LibraryPointOfSale(std::ostream& out);
    // Closes the display and the library.
    ~LibraryPointOfSale() override;
    LibraryPointOfSale(const LibraryPointOfSale&) = delete;
    LibraryPointOfSale& operator=(const LibraryPointOfSale&) = delete;

    bool opened() const { return opened_; }

    int beep() override;
    int cardReaderAutomatic(bool on) override;
    int cardReaderRead() override;
    int barcodeConfig(const std::string& text) override;
    int barcodeData(const std::string& text) override;
    int readerLeds(std::uint8_t state) override;
    int readerTracks(std::uint8_t tracks) override;
    int setLanguage(int language) override;
    int displayOpen() override;
    int displayClose() override;
    int display(std::string text, int row, int column) override;
    int setInterface(const std::string& keyword) override;

private:
    bool opened_ = false;
    bool displayOpened_ = false;
};

}  // namespace kbxpos
