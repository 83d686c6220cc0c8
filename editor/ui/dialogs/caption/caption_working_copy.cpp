#include "editor/ui/dialogs/caption/caption_working_copy.h"

#include "editor/document/key_table.h"

namespace keyui::dialogs {

namespace {

constexpr char kBackslash = '\\';

bool showsSample(std::string_view caption) { return caption.empty() || caption.front() == kBackslash; }

}  // namespace

CaptionWorkingCopy workingCopyOf(kbxdoc::CaptionSettings& settings, const kbxdoc::KeyboardData& keyboard,
                                 std::string_view caption) {
    CaptionWorkingCopy copy;
    copy.leftMargin = settings.leftMargin;
    copy.topMargin = settings.topMargin;
    copy.lineSpacing = settings.lineSpacing;
    copy.fontHeight = settings.fontHeight;
    copy.textColour = settings.textColour;
    copy.keyColour = settings.keyColour;
    copy.font = &settings.font;
    copy.scaleX = keyboard.scaleX;
    copy.scaleY = keyboard.scaleY;
    copy.previewText = showsSample(caption) ? std::string(kPreviewSample) : std::string(caption);
    return copy;
}

void writeBack(const CaptionWorkingCopy& copy, kbxdoc::CaptionSettings& settings) {
    settings.leftMargin = copy.leftMargin;
    settings.topMargin = copy.topMargin;
    settings.lineSpacing = copy.lineSpacing;
    settings.fontHeight = copy.fontHeight;
    settings.textColour = copy.textColour;
    settings.keyColour = copy.keyColour;
}

void followCurrentKeyCopy(const kbxdoc::ActiveContext& view) {
    if (view.keyboard == nullptr) return;
    const kbxdoc::SelectionCount selected = kbxdoc::countSelection(view);
    if (selected.count != 1 || selected.highest == kbxdoc::kCurrentKeySlot) return;
    auto& keys = view.keyboard->keys;
    keys[kbxdoc::kCurrentKeySlot] = keys[static_cast<std::size_t>(selected.highest)];
}

}  // namespace keyui::dialogs
