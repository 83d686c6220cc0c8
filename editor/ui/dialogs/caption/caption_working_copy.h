#pragma once

// What the caption options dialog edits: the numbers and colours of one set
// of caption settings (the keyboard's defaults, one key's or a group's), the
// font record itself, and what the preview shows. Numbers and colours are
// written back only on OK; the font record is changed at once.

#include <cstdint>
#include <string>

#include "editor/document/active_context.h"

namespace keyui::dialogs {

enum class CaptionScope {
    Global,  // the keyboard's defaults, for every key without local settings
    Key,     // one key's local settings
    Group,   // every selected key 0-184, starting from the highest selected
};

inline constexpr double kPreviewKeySide = 13.0;  // mm
inline constexpr char kPreviewSample[] = "VYRN\\lineVyrn";

struct CaptionWorkingCopy {
    double leftMargin = 0;
    double topMargin = 0;
    double lineSpacing = 0;
    double fontHeight = 0;
    std::uint32_t textColour = 0;
    std::uint32_t keyColour = 0;
    kbxdoc::LogicalFont* font = nullptr;  // the record the settings came from
    double keyWidth = kPreviewKeySide;
    double keyHeight = kPreviewKeySide;
    double scaleX = 0;  // the document's, 0 while no view has drawn it
    double scaleY = 0;
    std::string previewText;  // Windows-1252
};

// The working copy of `settings`; the preview shows `caption` unless it is
// empty or starts with a backslash (a picture), then the sample text.
CaptionWorkingCopy workingCopyOf(kbxdoc::CaptionSettings& settings, const kbxdoc::KeyboardData& keyboard,
                                 std::string_view caption);

// Numbers and colours into `settings` (the font is not touched).
void writeBack(const CaptionWorkingCopy& copy, kbxdoc::CaptionSettings& settings);

// After a dialog changed the single selected key, the current-key copy
// (slot 200) follows it, so that a later write-back of a move or resize
// does not bring the old content back.
void followCurrentKeyCopy(const kbxdoc::ActiveContext& view);

}  // namespace keyui::dialogs
