#include "tools/kbxpos/library_point_of_sale.h"

#include <array>
#include <ostream>
#include <string_view>
#include <utility>

#include "platform/code_pages.h"
#include "kbxfunc.h"

namespace kbxpos {
namespace {

// Where the callbacks print; the library's callbacks carry no context.
std::ostream*& frameOutput() {
    static std::ostream* out = nullptr;
    return out;
}

struct Module {
    std::string_view name;
    int(KBX_CALL* setCallback)(KbxfuncCallback);
    char*(KBX_CALL* buffer)();
};

constexpr std::array kModules{
    Module{"track1", &kbx_msr_callback_track1, &kbx_msr_get_track1},
    Module{"track2", &kbx_msr_callback_track2, &kbx_msr_get_track2},
    Module{"track3", &kbx_msr_callback_track3, &kbx_msr_get_track3},
    Module{"barcode", &kbx_callback_barcode, &kbx_get_barcode},
    Module{"keylock", &kbx_callback_keylock, &kbx_get_keylock},
    Module{"functioncard", &kbx_callback_functioncard, &kbx_get_functioncard},
};

template <std::size_t Index>
void KBX_CALL printFrame(int count) {
    std::ostream* out = frameOutput();
    if (out == nullptr) return;
    const Module& module = kModules[Index];
    const char* buffer = module.buffer();
    const std::string_view text(buffer, std::char_traits<char>::length(buffer));
    *out << module.name << ' ' << count << ": " << kbx::platform::ansiToUtf8(text) << std::endl;
}

template <std::size_t... Index>
constexpr std::array<KbxfuncCallback, sizeof...(Index)> frameCallbacks(std::index_sequence<Index...>) {
    return {&printFrame<Index>...};
}

constexpr auto kFrameCallbacks = frameCallbacks(std::make_index_sequence<kModules.size()>());

int KBX_CALL printDisplayComplete(int) {
    if (std::ostream* out = frameOutput()) *out << "display complete" << std::endl;
    return 0;
}

}  // namespace

LibraryPointOfSale::LibraryPointOfSale(std::ostream& out) {
    if (kbx_open() != 0) return;
    opened_ = true;
    frameOutput() = &out;
    for (std::size_t i = 0; i < kModules.size(); ++i) kModules[i].setCallback(kFrameCallbacks[i]);
    kbx_callback_displaycomplete(&printDisplayComplete);
}

LibraryPointOfSale::~LibraryPointOfSale() {
    if (displayOpened_) kbx_display_close();
    if (opened_) kbx_close();
    unload_kbxi32();
    frameOutput() = nullptr;
}

int LibraryPointOfSale::beep() { return kbx_beep(); }
int LibraryPointOfSale::cardReaderAutomatic(bool on) { return on ? kbx_msr_autoinput_on() : kbx_msr_autoinput_off(); }
int LibraryPointOfSale::cardReaderRead() { return kbx_msr_read_data(); }
int LibraryPointOfSale::barcodeConfig(const std::string& text) { return kbx_barcode_config(text.c_str()); }
int LibraryPointOfSale::barcodeData(const std::string& text) { return kbx_barcode_data(text.c_str()); }
int LibraryPointOfSale::readerLeds(std::uint8_t state) { return kbx_msr_set_leds(state); }
int LibraryPointOfSale::readerTracks(std::uint8_t tracks) { return kbx_msr_set_tracks(tracks); }
int LibraryPointOfSale::setLanguage(int language) { return kbx_set_language(language); }

int LibraryPointOfSale::displayOpen() {
    const int result = kbx_display_open();
    displayOpened_ = displayOpened_ || result == 0;
    return result;
}

int LibraryPointOfSale::displayClose() {
    const int result = kbx_display_close();
    if (result == 0) displayOpened_ = false;
    return result;
}

int LibraryPointOfSale::display(std::string text, int row, int column) {
    return kbx_display(text.data(), row, column);
}

int LibraryPointOfSale::setInterface(const std::string& keyword) { return kbx_set_interface(keyword.c_str()); }

}  // namespace kbxpos
