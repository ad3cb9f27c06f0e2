#include "tests/standin/runtime/Describe.h"

#include "tests/standin/common/Utf.h"

namespace tarn::standin {
namespace {

constexpr size_t kShownElements = 20;

// One field descriptor at signature[at]; advances at. False when malformed.
bool SkipType(const std::string& signature, size_t& at) {
    while (at < signature.size() && signature[at] == '[') ++at;
    if (at >= signature.size()) return false;
    if (signature[at] == 'L') {
        const size_t end = signature.find(';', at);
        if (end == std::string::npos || end == at + 1) return false;
        at = end + 1;
        return true;
    }
    return std::string_view("ZBCSIJFD").find(signature[at++]) != std::string_view::npos;
}

}  // namespace

std::string Quote(std::u16string_view text) {
    std::string quoted(1, '"');
    quoted += ToUtf8(text);
    quoted += '"';
    return quoted;
}

std::string QuoteName(const char* modifiedUtf8) {
    return modifiedUtf8 == nullptr ? "null" : Quote(FromModifiedUtf8(modifiedUtf8));
}

std::string Describe(const Object* object) {
    if (object == nullptr) return "null";
    switch (object->kind) {
        case Kind::String:
            return Quote(object->text);
        case Kind::Class:
            return "class " + (object->represented != nullptr ? object->represented->name : std::string("?"));
        case Kind::CharArray:
            return "char[" + std::to_string(object->text.size()) + "]" + Quote(object->text);
        case Kind::Throwable:
            return object->cls->name + "(" + (object->hasMessage ? Quote(object->text) : std::string("null")) + ")";
        case Kind::ObjectArray: {
            std::string text = object->represented->name + "[" + std::to_string(object->elements.size()) + "]{";
            for (size_t i = 0; i < object->elements.size() && i < kShownElements; ++i) {
                text += (i > 0 ? ", " : "") + Describe(object->elements[i]);
            }
            return text + (object->elements.size() > kShownElements ? ", ...}" : "}");
        }
        default:
            return object->cls->name + "#" + std::to_string(object->id);
    }
}

std::string DescribeValue(char type, const Value& value) {
    switch (type) {
        case 'V':
            return "void";
        case 'Z':
            return value.number != 0 ? "true" : "false";
        case 'L':
        case '[':
            return Describe(value.object);
        default:
            return std::to_string(value.number);
    }
}

std::string DescribeArguments(const std::string& signature, const std::vector<Value>& arguments) {
    std::vector<char> types;
    ParameterTypes(signature, types);
    std::string text = "(";
    for (size_t i = 0; i < arguments.size() && i < types.size(); ++i) {
        text += (i > 0 ? ", " : "") + DescribeValue(types[i], arguments[i]);
    }
    return text + ")";
}

bool ParameterTypes(const std::string& signature, std::vector<char>& types) {
    types.clear();
    if (signature.empty() || signature[0] != '(') return false;
    size_t at = 1;
    while (at < signature.size() && signature[at] != ')') {
        const char first = signature[at];
        if (!SkipType(signature, at)) return false;
        types.push_back(first == '[' ? 'L' : first);
    }
    if (at >= signature.size()) return false;
    ++at;
    if (at < signature.size() && signature[at] == 'V') return at + 1 == signature.size();
    return SkipType(signature, at) && at == signature.size();
}

}  // namespace tarn::standin
