#include "tests/standin/runtime/Options.h"

#include <cctype>
#include <cstdlib>

namespace tarn::standin {
namespace {

enum class Outcome { Accepted, Unrecognized, Invalid };

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

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

// -XX:+Name, -XX:-Name or -XX:Name=value; any well-formed flag is taken.
Outcome AdvancedOptionOutcome(std::string_view flag, std::string& message) {
    const bool named = !flag.empty() && (flag[0] == '+' || flag[0] == '-');
    const size_t equals = flag.find('=');
    const std::string_view name = named ? flag.substr(1) : flag.substr(0, equals);
    bool wellFormed = (named || equals != std::string_view::npos) && !name.empty() &&
                      std::isalpha(static_cast<unsigned char>(name[0]));
    for (char c : name) wellFormed = wellFormed && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (wellFormed) return Outcome::Accepted;
    message = "Unrecognized VM option '" + std::string(flag) + "'";
    return Outcome::Invalid;
}

// The common options without a value of their own, and those that take the rest of the text.
bool IsOtherOption(std::string_view text) {
    for (std::string_view option : {"-ea", "-da", "-esa", "-dsa", "-enableassertions", "-disableassertions",
                                    "-enablesystemassertions", "-disablesystemassertions", "-verbose", "-Xint",
                                    "-Xmixed", "-Xcomp", "-Xbatch", "-Xrs", "-Xnoclassgc", "-Xcheck:jni", "-Xdebug",
                                    "-Xshare:auto", "-Xshare:on", "-Xshare:off", "-Xverify:none", "-Xlog"}) {
        if (text == option) return true;
    }
    for (std::string_view prefix : {"-ea:", "-da:", "-enableassertions:", "-disableassertions:", "-Xloggc:", "-Xlog:",
                                    "-Xbootclasspath:", "-Xbootclasspath/a:", "-Xbootclasspath/p:", "-Xrun",
                                    "-agentlib:", "-agentpath:", "-javaagent:", "-verbose:"}) {
        if (StartsWith(text, prefix) && text.size() > prefix.size()) return true;
    }
    return false;
}

// Runtimes 9 and later take the module options in their one-word form only (hotspot's
// arguments.cpp, parse_each_vm_init_arg): "--add-opens" alone is an unrecognised option. Each
// becomes the property the VM's module system reads, numbered where it may repeat.
struct ModuleOption {
    std::string_view prefix;
    const char* property;
    bool numbered;
    int since;
};

const ModuleOption kModuleOptions[] = {
    {"--add-reads=", "jdk.module.addreads", true, 9},      {"--add-exports=", "jdk.module.addexports", true, 9},
    {"--add-opens=", "jdk.module.addopens", true, 9},      {"--add-modules=", "jdk.module.addmods", true, 9},
    {"--patch-module=", "jdk.module.patch", true, 9},      {"--limit-modules=", "jdk.module.limitmods", false, 9},
    {"--module-path=", "jdk.module.path", false, 9},       {"--upgrade-module-path=", "jdk.module.upgrade.path", false, 9},
    {"--enable-native-access=", "jdk.module.enable.native.access", true, 17},
};

bool IsModuleOption(std::string_view text, VmSettings& settings) {
    for (const ModuleOption& option : kModuleOptions) {
        if (!StartsWith(text, option.prefix) || settings.feature < option.since) continue;
        int count = 0;
        for (const auto& [name, value] : settings.properties) count += name.rfind(option.property, 0) == 0;
        settings.properties.emplace_back(option.numbered ? option.property + ("." + std::to_string(count)) : option.property,
                                         text.substr(option.prefix.size()));
        return true;
    }
    return false;
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
    else if (StartsWith(text, "-D"))
        return PropertyOutcome(text, settings, message);
    else if (StartsWith(text, "-XX:"))
        return AdvancedOptionOutcome(text.substr(4), message);
    else if (IsOtherOption(text) || IsModuleOption(text, settings))
        return Outcome::Accepted;
    else
        return SizeOptionOutcome(text, settings, message);
    return Outcome::Accepted;
}

}  // namespace

bool ParseMemorySize(std::string_view text, uint64_t& size) {
    size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
    if (digits == 0 || digits > 18 || text.size() > digits + 1) return false;
    const uint64_t value = std::strtoull(std::string(text.substr(0, digits)).c_str(), nullptr, 10);
    static const std::string_view kUnits = "kmgt";  // 2^10, 2^20, 2^30, 2^40, either case
    const size_t unit = text.size() > digits ? kUnits.find(static_cast<char>(std::tolower(text[digits]))) : 0;
    if (unit == std::string_view::npos) return false;
    const int shift = text.size() > digits ? 10 * static_cast<int>(unit + 1) : 0;
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
                return JNI_EINVAL;
            case Outcome::Unrecognized:  // also with ignoreUnrecognized, which the launcher never sets
                message = std::string("Unrecognized option: ") + option.optionString;
                return JNI_ERR;
        }
    }
    return JNI_OK;
}

}  // namespace tarn::standin
