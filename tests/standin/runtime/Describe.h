// How values appear in the trace: "text" for strings, class a/b/C, a/b/C#7 for other objects,
// java/lang/String[2]{"a", "b"} for arrays, a/b/C("message") for exceptions.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "tests/standin/runtime/Model.h"

namespace tarn::standin {

std::string Describe(const Object* object);
std::string Quote(std::u16string_view text);
std::string QuoteName(const char* modifiedUtf8);  // a JNI name or signature argument; null allowed
std::string DescribeValue(char type, const Value& value);
std::string DescribeArguments(const std::string& signature, const std::vector<Value>& arguments);  // (a, b)
// The parameter types of a method signature, one letter each (L for objects and arrays); false when
// the signature is malformed.
bool ParameterTypes(const std::string& signature, std::vector<char>& types);

}  // namespace tarn::standin
