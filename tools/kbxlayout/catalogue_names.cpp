#include "tools/kbxlayout/catalogue_names.h"

#include <cctype>

#include "editor/document/catalogue.h"
#include "editor/document/new_document.h"

namespace kbxlayout {
namespace {

constexpr std::string_view kListSeparator = ", ";

void appendName(std::string& list, std::string_view name) {
    if (!list.empty()) list += kListSeparator;
    list += name;
}

}  // namespace

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::optional<int> modelByName(std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (const kbxdoc::KeyboardModel& model : kbxdoc::keyboardModels())
        if (equalIgnoringCase(model.name, name)) return model.index;
    return std::nullopt;
}

std::optional<int> buttonByTemplateName(std::string_view name) {
    if (name.empty()) return std::nullopt;
    const auto buttons = kbxdoc::modelButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (equalIgnoringCase(buttons[i].templateName, name)) return static_cast<int>(i);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (equalIgnoringCase(buttons[i].text, name)) return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> countryByCode(std::string_view code) {
    const int count = static_cast<int>(kbxdoc::countryEntries().size());
    for (int i = 0; i < count; ++i)
        if (equalIgnoringCase(kbxdoc::languageCode(i), code)) return i;
    return std::nullopt;
}

std::string modelNames() {
    std::string list;
    for (const kbxdoc::KeyboardModel& model : kbxdoc::keyboardModels())
        if (!model.name.empty()) appendName(list, model.name);
    return list;
}

std::string templateNames() {
    std::string list;
    for (const kbxdoc::ModelButton& button : kbxdoc::modelButtons()) appendName(list, button.templateName);
    return list;
}

std::string countryCodes() {
    std::string list;
    const int count = static_cast<int>(kbxdoc::countryEntries().size());
    for (int i = 0; i < count; ++i) appendName(list, kbxdoc::languageCode(i));
    return list;
}

}  // namespace kbxlayout
