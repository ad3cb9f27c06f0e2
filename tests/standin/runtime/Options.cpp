#include "tests/standin/runtime/Options.h"

#include <cctype>
#include <cstdlib>

namespace tarn::standin {
namespace {

enum class Outcome { Accepted, Unrecognized, Invalid };

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> options) {
    for (std::string_view option : options) {
        if (text == option) return true;
    }
    return false;
}

// Options that take a size: the error text a real VM prints, and the smallest size it accepts.
struct SizeOption {
    std::string_view prefix;
    std::string_view what;
    uint64_t minimum;
    uint64_t VmSettings::*field;
};

const SizeOption kSizeOptions[] = {
    {"-Xmx", "Invalid maximum heap size", 1, &VmSettings::maxHeap},
    {"-Xms", "Invalid initial heap size", 1, &VmSettings::initialHeap},
    {"-Xmn", "Invalid initial young generation size", 1, nullptr},
    {"-Xss", "Invalid thread stack size", 1000, &VmSettings::threadStack},
    {"-Xmaxjitcodesize", "Invalid maximum code cache size", 1, nullptr},
};

Outcome SizeOptionOutcome(std::string_view text, VmSettings& settings, std::string& message) {
    for (const SizeOption& option : kSizeOptions) {
        if (!StartsWith(text, option.prefix)) continue;
        uint64_t size = 0;
        if (!ParseMemorySize(text.substr(option.prefix.size()), size) || size < option.minimum) {
            message = std::string(option.what) + ": " + std::string(text);
            return Outcome::Invalid;
        }
        if (option.field != nullptr) settings.*option.field = size;
        return Outcome::Accepted;
    }
    return Outcome::Unrecognized;
}

bool IsFlagName(std::string_view name) {
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

// -XX:+Name, -XX:-Name or -XX:Name=value; any well-formed flag is taken.
Outcome AdvancedOptionOutcome(std::string_view flag, std::string& message) {
    const size_t equals = flag.find('=');
    const bool named = !flag.empty() && (flag[0] == '+' || flag[0] == '-');
    if ((named && IsFlagName(flag.substr(1))) ||
        (!named && equals != std::string_view::npos && IsFlagName(flag.substr(0, equals)))) {
        return Outcome::Accepted;
    }
    message = "Unrecognized VM option '" + std::string(flag) + "'";
    return Outcome::Invalid;
}

bool IsAssertionOption(std::string_view text) {
    for (std::string_view base : {"-ea", "-da", "-enableassertions", "-disableassertions"}) {
        if (text == base || (StartsWith(text, base) && text[base.size()] == ':')) return true;
    }
    return IsOneOf(text, {"-esa", "-dsa", "-enablesystemassertions", "-disablesystemassertions"});
}

bool IsOtherXOption(std::string_view text) {
    if (IsOneOf(text, {"-Xint",        "-Xmixed",    "-Xcomp",           "-Xbatch",       "-Xrs",
                       "-Xnoclassgc",  "-Xincgc",    "-Xnoincgc",        "-Xcheck:jni",   "-Xfuture",
                       "-Xdebug",      "-Xnoagent",  "-Xprof",           "-Xdiag",        "-Xconcurrentio",
                       "-Xshare:auto", "-Xshare:on", "-Xshare:off",      "-Xverify:none", "-Xverify:remote",
                       "-Xverify:all", "-Xlog",      "-Xinternalversion"})) {
        return true;
    }
    for (std::string_view prefix :
         {"-Xloggc:", "-Xlog:", "-Xbootclasspath:", "-Xbootclasspath/a:", "-Xbootclasspath/p:", "-Xrun",
          "-agentlib:", "-agentpath:", "-javaagent:", "-verbose:"}) {
        if (StartsWith(text, prefix) && text.size() > prefix.size()) return true;
    }
    return text == "-verbose";
}

Outcome PropertyOutcome(std::string_view text, VmSettings& settings, std::string& message) {
    const std::string_view definition = text.substr(2);
    const size_t equals = definition.find('=');
    const std::string name(definition.substr(0, equals));
    const std::string value(equals == std::string_view::npos ? std::string_view() : definition.substr(equals + 1));
    if (name.empty()) return Outcome::Unrecognized;
    if (name == kCreateResultProperty) {
        char* end = nullptr;
        const long code = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0') {
            message = "Invalid value of " + name + ": " + value;
            return Outcome::Invalid;
        }
        settings.createResult = static_cast<jint>(code);
    }
    if (name == kCreateGateProperty) settings.createGate = value;
    settings.properties.emplace_back(name, value);
    return Outcome::Accepted;
}

Outcome OptionOutcome(const JavaVMOption& option, VmSettings& settings, std::string& message) {
    const std::string_view text = option.optionString;
    if (text == "exit")
        settings.exitHook = reinterpret_cast<ExitHook>(option.extraInfo);
    else if (text == "abort")
        settings.abortHook = reinterpret_cast<AbortHook>(option.extraInfo);
    else if (text == "vfprintf")
        settings.vfprintfHook = reinterpret_cast<VfprintfHook>(option.extraInfo);
    else if (StartsWith(text, "-D"))
        return PropertyOutcome(text, settings, message);
    else if (StartsWith(text, "-XX:"))
        return AdvancedOptionOutcome(text.substr(4), message);
    else if (IsAssertionOption(text) || IsOtherXOption(text))
        return Outcome::Accepted;
    else
        return SizeOptionOutcome(text, settings, message);
    return Outcome::Accepted;
}

// The JNI rule: with ignoreUnrecognized, unknown options that begin with "-X" or "_" are skipped.
bool MayIgnore(std::string_view text) { return StartsWith(text, "-X") || StartsWith(text, "_"); }

}  // namespace

bool ParseMemorySize(std::string_view text, uint64_t& size) {
    size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
    if (digits == 0 || digits > 18 || text.size() > digits + 1) return false;
    uint64_t value = std::strtoull(std::string(text.substr(0, digits)).c_str(), nullptr, 10);
    int shift = 0;
    if (text.size() > digits) {
        switch (text[digits]) {
            case 'k':
            case 'K':
                shift = 10;
                break;
            case 'm':
            case 'M':
                shift = 20;
                break;
            case 'g':
            case 'G':
                shift = 30;
                break;
            case 't':
            case 'T':
                shift = 40;
                break;
            default:
                return false;
        }
    }
    if (shift > 0 && value > (UINT64_MAX >> shift)) return false;
    size = value << shift;
    return true;
}

bool IsSupportedJniVersion(jint version) {
    return version == JNI_VERSION_1_2 || version == JNI_VERSION_1_4 || version == JNI_VERSION_1_6 ||
           version == JNI_VERSION_1_8 || version == JNI_VERSION_9 || version == JNI_VERSION_10 ||
           version == 0x00130000 || version == 0x00140000 || version == 0x00150000;
}

jint ParseVmOptions(const JavaVMInitArgs& arguments, VmSettings& settings, std::string& message) {
    for (jint i = 0; i < arguments.nOptions; ++i) {
        const JavaVMOption& option = arguments.options[i];
        if (option.optionString == nullptr) {
            message = "Option " + std::to_string(i) + " has no text";
            return JNI_EINVAL;
        }
        switch (OptionOutcome(option, settings, message)) {
            case Outcome::Accepted:
                break;
            case Outcome::Invalid:
                if (arguments.ignoreUnrecognized && StartsWith(option.optionString, "-XX:")) break;
                return JNI_EINVAL;
            case Outcome::Unrecognized:
                if (arguments.ignoreUnrecognized && MayIgnore(option.optionString)) break;
                message = std::string("Unrecognized option: ") + option.optionString;
                return JNI_ERR;
        }
    }
    return JNI_OK;
}

}  // namespace tarn::standin
