#include "tools/kbxlayout/help.h"

#include "cli/exit_status.h"
#include "tools/kbxlayout/catalogue_names.h"
#include "tools/kbxlayout/outcomes.h"

namespace kbxlayout {
namespace {

constexpr char kUsage[] =
    "Usage: kbxlayout new (--model NAME | --template NAME) [--country CC] [--glidepoint]\n"
    "                     [--opos] [--templates DIR] OUT.kbf\n"
    "       kbxlayout resave IN.kbf OUT.kbf\n"
    "       kbxlayout show IN.kbf\n"
    "       kbxlayout templates DIR\n"
    "       kbxlayout --help | --version\n";

constexpr char kOptionForms[] =
    "\n"
    "Options may stand before or after the files; a value follows as --opt VALUE\n"
    "or --opt=VALUE. \"--\" ends the options, so that a file may start with a dash:\n"
    "kbxlayout show -- -odd.kbf. -h is --help; --version prints the version.\n";

constexpr char kSubcommands[] =
    "\n"
    "new        writes a new layout as the editor's new-document dialog makes it.\n"
    "           --template NAME reads the template of that name (a template name\n"
    "           or button text) for the country CC (default US), with --glidepoint\n"
    "           its Glidepoint variant where there is one, from DIR (a folder laid\n"
    "           out as LAY: NAME/CCNAME.kbf) or else from LAY beside the program or\n"
    "           the source tree's data/LAY. Without a template file, and with\n"
    "           --model NAME, the new layout is the built-in key layout of the model\n"
    "           with the keyboard's default settings (and the language CC when\n"
    "           given). --opos adds the point-of-sale prefixes and suffixes of the\n"
    "           modules and the card reader's bad-read text.\n"
    "resave     reads a layout and writes it again as the editor saves it.\n"
    "show       prints a summary of a layout (below).\n"
    "           resave and show refuse a file that holds no layout: a binary\n"
    "           file (one with NUL bytes), an empty file, or a text none of whose\n"
    "           lines is a layout statement; such a file is left as it is.\n"
    "templates  writes every template of the catalogue into DIR.\n"
    "\n"
    "Layers: every run uses the default layer table (Normal-Layer, Shift-Layer,\n"
    "Control-Layer, ALT-Layer, StdKey-Layer, AlwaysActive); a file that programs\n"
    "other conditions adds its layers to it. No settings file is read or written.\n"
    "Files are written to a temporary file and renamed into place.\n"
    "\n"
    "The summary of show:\n"
    "  Model: INDEX NAME (TYPE statement)\n"
    "  Keys placed: the number of keys of the key layout\n"
    "  Settings: interface and serial line, country and lock keys, sound,\n"
    "    typematic rate, hot keys, memory and version texts, the MODE and MSR\n"
    "    statements of the modules\n"
    "  Layers: INDEX NAME: conditions LETTERS, defaults /LETTERS, for each layer\n"
    "    in use (+X on, -X off, absent: does not matter; K the trigger)\n"
    "  Keys: each key with a caption or programming, by identifier (A01) and then\n"
    "    the module pseudo keys (M1H ... KLT): the caption in quotes, then one\n"
    "    line per programmed layer, LAYER: \"TEXT\" /LETTERS, the attributes the\n"
    "    key sends with there (its own, or the layer's where it follows the layer)\n"
    "  Kept lines: the number of lines kept unread and written back at the end\n"
    "Texts are printed as UTF-8.\n"
    "\n";

std::string exitRows() {
    return cli::exitStatusText(cli::exitCodesOf(kOutcomes, &OutcomeRow::exitCode, &OutcomeRow::description));
}

}  // namespace

std::string helpText() {
    std::string text = kUsage;
    text += kOptionForms;
    text += kSubcommands;
    text += "Models: " + modelNames() + "\n";
    text += "Templates: " + templateNames() + "\n";
    text += "Countries: " + countryCodes() + "\n\n";
    text += exitRows();
    return text;
}

}  // namespace kbxlayout
