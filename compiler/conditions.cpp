#include "compiler/conditions.h"

#include <array>
#include <string_view>

#include "compiler/diagnostics.h"
#include "compiler/line_cursor.h"
#include "compiler/setting_names.h"

namespace kbxc {
namespace {

constexpr char kUnknownSign[] = "unknown sign. '/+-' expected";
constexpr char kUnknownCondition[] = "unknown layer chracter";
constexpr char kUnknownAttribute[] = "unknown attribut";

using Condition = names::ConditionName;
using Attribute = names::AttributeName;
using names::kAttributes;
using names::kConditions;

void applyCondition(const Condition& condition, bool plus, DefinitionBytes& definition) {
    if (condition.bit == kTriggerBit) {
        if (plus) {
            definition.mask &= std::uint8_t(~kTriggerBit);  // on press and on release
        } else {
            definition.state |= kTriggerBit;  // on release
        }
        return;
    }
    definition.mask |= condition.bit;
    if (plus) definition.state |= condition.bit;
}

void applyAttribute(const Attribute& attribute, DefinitionBytes& definition) {
    if (attribute.bit != 0) {
        definition.attributes |= attribute.bit;
        return;
    }
    definition.attributes = std::uint8_t((definition.attributes & kAttributeProtected) | kAttributeStandardSet);
    definition.state &= std::uint8_t(~kTriggerBit);
    definition.mask &= std::uint8_t(~kTriggerBit);
}

}  // namespace

bool readConditions(LineCursor& cursor, DefinitionBytes& definition, Diagnostics& diagnostics) {
    while (!cursor.atEnd()) {
        const char sign = cursor.peek();
        if (sign == ':' || sign == '"') return true;
        if (sign == '+' || sign == '-') {
            cursor.advance();
            const Condition* found = nullptr;
            for (const Condition& condition : kConditions) {
                if (cursor.startsWith(condition.letters)) {
                    found = &condition;
                    break;
                }
            }
            if (found == nullptr) {
                diagnostics.reportLineError(kUnknownCondition);
                return false;
            }
            cursor.advance(found->letters.size());
            applyCondition(*found, sign == '+', definition);
        } else if (sign == '/') {
            cursor.advance();
            const char letter = cursor.peek();
            const Attribute* found = nullptr;
            for (const Attribute& attribute : kAttributes) {
                if (!cursor.atEnd() && attribute.letter == letter) found = &attribute;
            }
            if (found == nullptr) {
                diagnostics.reportLineError(kUnknownAttribute);
                return false;
            }
            cursor.advance();
            applyAttribute(*found, definition);
        } else {
            diagnostics.reportLineError(kUnknownSign);
            return false;
        }
    }
    return true;
}

}  // namespace kbxc
