#include "bench/synthetic_layout.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <utility>

namespace kbxbench {

namespace {

constexpr std::string_view kHeader =
    "! synthetic layout for the compiler benchmark\r\n"
    "TYPE KESPW/X\r\n"
    "MEMORY 64000\r\n"
    "VERSION  LAYOMAT 1.8\r\n"
    "INTERFACE AT\r\n"
    "SOUND 33,40,100,400\r\n"
    "RATE 20,500,MEDIUM\r\n"
    "LANGUAGE GR,C\r\n"
    "HOTKEY0 -C: \"{MakeSYS}\"\r\n"
    "HOTKEY1 +C: \"{MakeSYS}\"\r\n"
    "MODE -FCR+BA1\r\n"
    "MSR N3, LRC, : \"Lesefehler\"\r\n"
    "!@KEYGLOBALPRINT:1.00;1.00;0.00;3.00;  FFFFFF;       0;190;0;0;0;0;Sans\r\n"
    "!@KEYBOARDSIZE:304.80;152.40\r\n";

struct Layer {
    std::string_view name;
    std::string_view conditions;  // a mask and state of its own on every layer
    std::string_view attributes;
};

constexpr std::array kNamedLayers{
    Layer{"Normal-Layer", "-C-S-A-L", "/P"},       Layer{"Shift-Layer", "-C+S-A-L", "/P"},
    Layer{"Control-Layer", "+C-A-L", "/P"},        Layer{"ALT-Layer", "+A-L", "/P"},
    Layer{"FN-Key-Layer", "-C-S-A+L", "/P"},       Layer{"Release-Layer", "-C-S-A-L-K", "/P"},
    Layer{"NumLock-Layer", "+NL-C-S-A-L", "/K/P"},
};

// Layers under a lock with every combination of some of the conditions:
// many keys under many conditions.
struct CombinationLayers {
    std::string_view name;
    std::string_view lock;
    std::string_view letters;  // each is written with "+" or "-"
    std::string_view attributes;
};

constexpr std::array kCombinationLayers{
    CombinationLayers{"Scroll-Layer", "+SL", "SCAL", "/K"},
    CombinationLayers{"Caps-Layer", "+CL-SL", "SCA", "/A"},
};

// Texts chosen by key and layer: letters, digits, national characters (code
// page 437), brace names, a price with its keys.
constexpr std::array<std::string_view, 14> kTexts{
    "ab", "Xy", "12", "{F1}", "\x84\x94", "z{Return}", "{Shift+F2}", "q@", "{Beep}", "7,5", "{#5}", "\xE1s",
    "{Ctrl+c}", "Preis\\\"",
};

// Captions chosen by key and layer, as the editor writes them: the caption
// text, then the key's print settings.
constexpr std::array<std::string_view, 6> kCaptions{
    "Brot", "Milch 1,5%", "Kaffee\\nfein", "Br\x94tchen", "Summe", "Storno letzte Buchung",
};
constexpr std::string_view kCaptionSettings = "1.00;1.00;0.00;3.00;  80FFFF;       0;190;0;0;0;0;Sans";

// What fills the file after the keys: the lines the editor keeps and
// metadata it writes, and directives that set nothing new.
constexpr std::array<std::string_view, 12> kFiller{
    "! comment kept by the editor: price list of the week, printed on the caps\r\n",
    "!@KEYSIZE:A01 0.00;0.00;19.05;19.05\r\n",
    "SOUND 33,40,100,400\r\n",
    "!@KEYATTRIB:A01 00000AAA\r\n",
    "RATE 20,500,MEDIUM\r\n",
    "!  \r\n",
    "!@KEYPRINT:A01 \"Brot\";1.00;1.00;0.00;3.00;  80FFFF;       0;190;0;0;0;0;Sans\r\n",
    "LANGUAGE GR,C\r\n",
    "\r\n",
    "MODE -FCR+BA1\r\n",
    "INTERFACE AT\r\n",
    "   ! an indented remark\r\n",
};

constexpr int kRows = 8;
constexpr int kColumns = 16;
constexpr std::size_t kLineCapacity = 256;

std::size_t countLines(std::string_view text) {
    std::size_t lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

class LayoutText {
public:
    LayoutText() : source_(kHeader) {}

    void addLayer(std::string_view name, std::string_view conditions, std::string_view attributes) {
        line("!@KEYLAYER:%.*s\r\n", int(name.size()), name.data());
        for (int row = 0; row < kRows; ++row) {
            for (int column = 1; column <= kColumns; ++column) {
                const std::string_view caption = kCaptions[choice_ % kCaptions.size()];
                const std::string_view text = kTexts[choice_ % kTexts.size()];
                ++choice_;
                const char letter = char('A' + row);
                line("!@KEYPRINT:%c%02d \"%.*s\";%.*s\r\n", letter, column, int(caption.size()), caption.data(),
                     int(kCaptionSettings.size()), kCaptionSettings.data());
                line("%c%02d%.*s%.*s: \"%.*s\"\r\n", letter, column, int(conditions.size()), conditions.data(),
                     int(attributes.size()), attributes.data(), int(text.size()), text.data());
                line("!@KEYATTRIB:%c%02d 00000AAA\r\n", letter, column);
            }
        }
    }

    void addCombinationLayers(const CombinationLayers& layers) {
        const int combinations = 1 << layers.letters.size();
        for (int combination = 0; combination < combinations; ++combination) {
            std::string conditions(layers.lock);
            for (std::size_t bit = 0; bit < layers.letters.size(); ++bit) {
                conditions += (combination >> bit) & 1 ? '+' : '-';
                conditions += layers.letters[bit];
            }
            char name[32];
            std::snprintf(name, sizeof name, "%.*s-%02d", int(layers.name.size()), layers.name.data(), combination);
            addLayer(name, conditions, layers.attributes);
        }
    }

    void fillUpTo(std::size_t minimumLines) {
        std::size_t lines = countLines(source_);
        for (std::size_t i = 0; lines < minimumLines; ++i, ++lines) source_ += kFiller[i % kFiller.size()];
    }

    std::string take() { return std::move(source_); }

private:
    template <typename... Arguments>
    void line(const char* format, Arguments... arguments) {
        char text[kLineCapacity];
        const int length = std::snprintf(text, sizeof text, format, arguments...);
        if (length > 0) source_.append(text, std::min(std::size_t(length), sizeof text - 1));
    }

    std::string source_;
    std::size_t choice_ = 0;
};

}  // namespace

std::string syntheticLayout(std::size_t minimumLines) {
    LayoutText layout;
    for (const Layer& layer : kNamedLayers) layout.addLayer(layer.name, layer.conditions, layer.attributes);
    for (const CombinationLayers& layers : kCombinationLayers) layout.addCombinationLayers(layers);
    layout.fillUpTo(minimumLines);
    return layout.take();
}

}  // namespace kbxbench
