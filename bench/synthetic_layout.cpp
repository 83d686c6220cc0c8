#include "bench/synthetic_layout.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace kbxbench {

namespace {

constexpr std::string_view kHeader =
    "! synthetic layout for the compiler benchmark\n"
    "TYPE KESPW/X\n"
    "MEMORY 60000\n"
    "VERSION  LAYOMAT 1.8\n"
    "INTERFACE AT\n"
    "SOUND 33,40,100,400\n"
    "RATE 20,500,MEDIUM\n"
    "LANGUAGE GR,C\n"
    "HOTKEY0 -C: \"{MakeSYS}\"\n"
    "HOTKEY1 +C: \"{MakeSYS}\"\n"
    "MODE -FCR+BA1\n"
    "MSR N3, LRC, : \"Lesefehler\"\n";

struct Layer {
    std::string_view name;
    std::string_view conditions;  // distinct mask and state on every row
    std::string_view attributes;
};

constexpr std::array kLayers{
    Layer{"Normal-Layer", "-C-S-A-L", "/P"},       Layer{"Shift-Layer", "-C+S-A-L", "/P"},
    Layer{"Control-Layer", "+C-A-L", "/P"},        Layer{"ALT-Layer", "+A-L", "/P"},
    Layer{"FN-Key-Layer", "-C-S-A+L", "/P"},       Layer{"Release-Layer", "-C-S-A-L-K", "/P"},
    Layer{"NumLock-Layer", "+NL-C-S-A-L", "/K/P"},
};

// Texts chosen by key and layer: letters, digits, national characters (code
// page 437), brace names.
constexpr std::array<std::string_view, 12> kTexts{
    "ab", "Xy", "12", "{F1}", "\x84\x94", "z{Return}", "{Shift+F2}", "q@", "{Beep}", "7,5", "{#5}", "\xE1s",
};

// What fills the file after the keys: the lines the editor keeps and
// metadata it writes, and directives that set nothing new.
constexpr std::array<std::string_view, 10> kFiller{
    "! comment kept by the editor: price list of the week, printed on the caps\n",
    "!@KEYSIZE:A01 0.00;0.00;19.05;19.05\n",
    "SOUND 33,40,100,400\n",
    "!@KEYATTRIB:A01 00000AAA\n",
    "RATE 20,500,MEDIUM\n",
    "!  \n",
    "!@KEYPRINT:A01 \"Brot\";1.00;1.00;0.00;3.00;  80FFFF;       0;190;0;0;0;0;Sans\n",
    "LANGUAGE GR,C\n",
    "\n",
    "MODE -FCR+BA1\n",
};

constexpr std::array<char, 4> kScrollLayerConditions{'S', 'C', 'A', 'L'};
constexpr int kScrollLayers = 1 << kScrollLayerConditions.size();
constexpr int kRows = 8;
constexpr int kColumns = 16;
constexpr std::size_t kLineCapacity = 160;

std::size_t countLines(std::string_view text) {
    std::size_t lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

}  // namespace

std::string syntheticLayout(std::size_t minimumLines) {
    std::string source(kHeader);
    char line[kLineCapacity];
    std::size_t textChoice = 0;
    const auto addLayer = [&](std::string_view name, std::string_view conditions, std::string_view attributes) {
        std::snprintf(line, sizeof line, "!@KEYLAYER:%.*s\n", int(name.size()), name.data());
        source += line;
        for (int row = 0; row < kRows; ++row) {
            for (int column = 1; column <= kColumns; ++column) {
                const std::string_view text = kTexts[textChoice++ % kTexts.size()];
                std::snprintf(line, sizeof line, "%c%02d%.*s%.*s: \"%.*s\"\n!@KEYATTRIB:%c%02d 00000AAA\n",
                              'A' + row, column, int(conditions.size()), conditions.data(),
                              int(attributes.size()), attributes.data(), int(text.size()), text.data(),
                              'A' + row, column);
                source += line;
            }
        }
    };
    for (const Layer& layer : kLayers) addLayer(layer.name, layer.conditions, layer.attributes);
    // Scroll-lock layers with every combination of Shift, Control, Alt and
    // the function-key layer: many keys under many conditions.
    for (int combination = 0; combination < kScrollLayers; ++combination) {
        std::string conditions = "+SL";
        for (std::size_t bit = 0; bit < kScrollLayerConditions.size(); ++bit) {
            conditions += (combination >> bit) & 1 ? '+' : '-';
            conditions += kScrollLayerConditions[bit];
        }
        char name[32];
        std::snprintf(name, sizeof name, "Scroll-Layer-%02d", combination);
        addLayer(name, conditions, "/K");
    }
    std::size_t lines = countLines(source);
    for (std::size_t i = 0; lines < minimumLines; ++i, ++lines) source += kFiller[i % kFiller.size()];
    return source;
}

}  // namespace kbxbench
