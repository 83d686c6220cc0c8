#include "editor/ui/app/dialog_commands.h"

#include <array>

#include "editor/ui/app/command_table.h"
#include "editor/ui/dialogs/caption/caption_commands.h"
#include "editor/ui/dialogs/keyboard/keyboard_sheet.h"
#include "editor/ui/dialogs/layers/layer_sheet.h"
#include "editor/ui/dialogs/modules/module_sheet.h"
#include "editor/ui/dialogs/programming/programming_sheet.h"
#include "editor/ui/download/download_commands.h"

namespace keyui::app {

namespace {

void keyCaption(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view) {
    dialogs::runCaptionDialog(parent, document, view, dialogs::qtCaptionPrompts());
}

void globalCaptionOptions(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view) {
    dialogs::runGlobalCaptionOptions(parent, document, view, dialogs::qtCaptionPrompts());
}

void groupCaptionOptions(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view) {
    dialogs::runGroupCaptionOptions(parent, document, view, dialogs::qtCaptionPrompts());
}

void modules(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view) {
    dialogs::runModuleSheet(parent, document, view, [parent, &document, &view](int slot) {
        return dialogs::runSlotProgramming(parent, document, view, slot);
    });
}

void sendToKeyboard(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext&) {
    download::runSendToKeyboard(parent, document, download::programDownloadSetup());
}

void saveAndTest(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext&) {
    download::runSaveAndTest(parent, document, download::programDownloadSetup());
}

constexpr std::array kDialogCommands{
    DialogCommand{command::kKeyCaption, keyCaption, true},
    DialogCommand{command::kKeyProgramming, dialogs::runKeyProgramming, true},
    DialogCommand{command::kGroupCaption, groupCaptionOptions},
    DialogCommand{command::kLayerSettings, dialogs::runLayerSheet},
    DialogCommand{command::kCaptionOptions, globalCaptionOptions},
    DialogCommand{command::kKeyboardSettings, dialogs::runKeyboardSettingsSheet},
    DialogCommand{command::kModules, modules},
    DialogCommand{command::kSendToKeyboard, sendToKeyboard},
    DialogCommand{command::kSaveAndTest, saveAndTest},
};

}  // namespace

std::span<const DialogCommand> dialogCommands() { return kDialogCommands; }

}  // namespace keyui::app
