#include "tools/kbxlayout/commands.h"

#include <array>
#include <optional>
#include <string>
#include <system_error>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/persist/layout_file.h"
#include "editor/persist/layout_reader.h"
#include "editor/persist/layout_writer.h"
#include "tools/kbxlayout/layout_summary.h"
#include "tools/kbxlayout/new_layout.h"
#include "tools/kbxlayout/program_folder.h"
#include "tools/kbxlayout/templates.h"
#include "tools/kbxlayout/tool_document.h"

namespace kbxlayout {
namespace {

constexpr char kCannotRead[] = "cannot read the layout file";
constexpr char kNotAFile[] = "not a file";
constexpr char kCannotWrite[] = "cannot write the layout file";

using kbxdoc::persist::LayoutContent;

struct NotALayoutReason {
    LayoutContent content;
    std::string_view reason;
};
constexpr std::array kNotALayoutReasons{
    NotALayoutReason{LayoutContent::empty, "not a layout (the file is empty)"},
    NotALayoutReason{LayoutContent::binary, "not a layout (it holds NUL bytes, as binary files do)"},
    NotALayoutReason{LayoutContent::noLayoutLine, "not a layout (no line of it is a layout statement)"},
};

// Why a file is no layout; none for a layout.
std::optional<std::string_view> notALayoutReason(LayoutContent content) {
    for (const NotALayoutReason& row : kNotALayoutReasons)
        if (row.content == content) return row.reason;
    return std::nullopt;
}

void complain(std::FILE* err, std::string_view subject, std::string_view reason) {
    std::fprintf(err, "%s: %.*s: %.*s\n", kProgramName, static_cast<int>(subject.size()), subject.data(),
                 static_cast<int>(reason.size()), reason.data());
}

// Reads a layout file as the editor opens one, and refuses a file that
// holds no layout, an empty one too: a command that summarises or rewrites
// a file must not take nothing for the default layout.
Outcome load(ToolDocument& document, const std::string& path, std::FILE* err) {
    kbx::InputFailure failure;
    const std::optional<std::string> bytes = kbxdoc::persist::readFileBytes(path, &failure);
    if (!bytes) {
        // A folder, FIFO or device; /dev/zero would never end.
        if (failure.problem == kbx::InputProblem::notARegularFile) {
            complain(err, path, kNotAFile);
        } else if (failure.problem == kbx::InputProblem::tooLarge) {
            complain(err, path, std::string(kCannotRead) + " (" + kbx::describe(failure) + ")");
        } else {
            complain(err, path, kCannotRead);
        }
        return Outcome::inputUnreadable;
    }
    kbxdoc::resetKeyboardData(document.context);
    document.keyboard->keptLines.clear();
    const std::size_t lines = kbxdoc::persist::readLayoutText(document.context, *bytes);
    const LayoutContent content = kbxdoc::persist::layoutContentOf(*bytes, lines, *document.keyboard);
    if (const std::optional<std::string_view> reason = notALayoutReason(content)) {
        complain(err, path, *reason);
        return Outcome::notALayout;
    }
    return Outcome::success;
}

Outcome save(const ToolDocument& document, const std::string& path, std::FILE* err) {
    if (!kbxdoc::saveLayout(document.context, path)) {
        complain(err, path, kCannotWrite);
        return Outcome::outputUnwritable;
    }
    return Outcome::success;
}

std::string_view modelName(int model) {
    const kbxdoc::KeyboardModel* found = kbxdoc::findKeyboardModel(model);
    return found != nullptr ? found->name : std::string_view();
}

}  // namespace

Outcome runNew(const Request& request, const std::filesystem::path& folder, std::FILE* out, std::FILE* err) {
    ToolDocument document;
    const NewLayout made = makeNewLayout(document, request.options, defaultTemplateFolders(folder));
    if (made.outcome != Outcome::success) {
        complain(err, made.subject, made.reason);
        return made.outcome;
    }
    const Outcome saved = save(document, request.output, err);
    if (saved != Outcome::success) return saved;
    if (made.templateFile) {
        std::fprintf(out, "%s: from the template %s\n", request.output.c_str(), made.templateFile->c_str());
    } else {
        const std::string_view name = modelName(made.model);
        std::fprintf(out, "%s: the built-in layout of %.*s\n", request.output.c_str(), static_cast<int>(name.size()),
                     name.data());
    }
    return Outcome::success;
}

Outcome runResave(const Request& request, std::FILE* err) {
    ToolDocument document;
    const Outcome loaded = load(document, request.input, err);
    if (loaded != Outcome::success) return loaded;
    return save(document, request.output, err);
}

Outcome runShow(const Request& request, std::FILE* out, std::FILE* err) {
    ToolDocument document;
    const Outcome loaded = load(document, request.input, err);
    if (loaded != Outcome::success) return loaded;
    const std::string summary = layoutSummary(document.context);
    std::fwrite(summary.data(), 1, summary.size(), out);
    return Outcome::success;
}

Outcome runTemplates(const Request& request, std::FILE* err) {
    const std::string problem = generateTemplates(request.output);
    if (problem.empty()) return Outcome::success;
    complain(err, request.output, problem);
    return Outcome::templatesFailed;
}

}  // namespace kbxlayout
