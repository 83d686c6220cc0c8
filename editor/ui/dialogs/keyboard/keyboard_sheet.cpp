#include "editor/ui/dialogs/keyboard/keyboard_sheet.h"

#include <QCoreApplication>

#include "editor/ui/core/action_names.h"
#include "editor/ui/dialogs/keyboard/country_page.h"
#include "editor/ui/dialogs/keyboard/interface_page.h"
#include "editor/ui/dialogs/keyboard/key_shape_page.h"
#include "editor/ui/dialogs/keyboard/rate_page.h"
#include "editor/ui/dialogs/keyboard/sound_page.h"

namespace keyui::dialogs {

// The sheet is a plain property sheet; its texts are translated in this
// context.
struct KeyboardSettingsSheet {
    Q_DECLARE_TR_FUNCTIONS(keyui::dialogs::KeyboardSettingsSheet)
};

namespace {

constexpr char kSheetTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::KeyboardSettingsSheet",
                                                 "Keyboard Parameter einstellen");
constexpr char kCountryTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::KeyboardSettingsSheet", "Land");
constexpr char kInterfaceTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::KeyboardSettingsSheet", "Schnittstelle");
constexpr char kSoundTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::KeyboardSettingsSheet", "Ton");
constexpr char kRateTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::KeyboardSettingsSheet", "Tastenwiederholung");
constexpr char kKeyShapeTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::KeyboardSettingsSheet", "Tastenform");

}  // namespace

std::unique_ptr<PropertySheet> buildKeyboardSettingsSheet(QWidget* parent, KeyDocument& document,
                                                          const kbxdoc::ActiveContext& view) {
    kbxdoc::ActiveContext context = view;
    if (context.keyboard == nullptr) context.keyboard = &document.keyboard();
    // Whatever the view passes on, the document tells all its views.
    context.observer = &document;
    kbxdoc::KeyboardData& keyboard = *context.keyboard;

    auto sheet = std::make_unique<PropertySheet>(KeyboardSettingsSheet::tr(kSheetTitle), parent);
    sheet->addPage(new CountryPage(keyboard), KeyboardSettingsSheet::tr(kCountryTitle));
    sheet->addPage(new InterfacePage(keyboard), KeyboardSettingsSheet::tr(kInterfaceTitle));
    sheet->addPage(new SoundPage(keyboard), KeyboardSettingsSheet::tr(kSoundTitle));
    sheet->addPage(new RatePage(keyboard), KeyboardSettingsSheet::tr(kRateTitle));
    sheet->addPage(new KeyShapePage(context), KeyboardSettingsSheet::tr(kKeyShapeTitle));
    QObject::connect(sheet.get(), &QDialog::accepted, &document, [&document] {
        document.recordChange(action::named(action::kKeyboardSettings));
    });
    return sheet;
}

void runKeyboardSettingsSheet(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view) {
    auto sheet = buildKeyboardSettingsSheet(parent, document, view);
    sheet->exec();
}

}  // namespace keyui::dialogs
