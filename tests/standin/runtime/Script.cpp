#include "tests/standin/runtime/Script.h"

#include <cstdlib>
#include <map>

namespace tarn::standin {
namespace {

struct Syntax {
    Op op;
    bool number;  // a number follows the command word
    bool word;    // a name follows (after the number, if any)
    bool text;    // free text follows, to the end of the line
};

const std::map<std::string_view, Syntax> kCommands = {
    {"out", {Op::Out, false, false, true}},        {"err", {Op::Err, false, false, true}},
    {"args", {Op::Args, false, false, false}},     {"argc", {Op::Argc, false, false, false}},
    {"prop", {Op::Prop, false, true, false}},      {"env", {Op::Env, false, true, false}},
    {"exit", {Op::Exit, true, false, false}},
    {"throw", {Op::Throw, false, true, true}},     {"sleep", {Op::Sleep, true, false, false}},
    {"thread", {Op::Thread, true, false, true}},   {"daemon", {Op::Daemon, true, false, true}},
    {"return", {Op::Return, false, false, false}}, {"abort", {Op::Abort, false, false, false}},
    {"await", {Op::Await, false, true, false}},    {"in", {Op::In, false, false, false}},
    {"hook", {Op::Hook, false, false, true}},
};

// Takes the next blank-separated word off the front of rest.
std::string_view NextWord(std::string_view& rest) {
    const size_t start = rest.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const size_t end = rest.find_first_of(" \t");
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return word;
}

bool ParseNumber(std::string_view word, long long& number) {
    if (word.empty()) return false;
    const std::string text(word);
    char* end = nullptr;
    number = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0';
}

class Parser {
public:
    std::shared_ptr<const ClassScript> Parse(std::string_view text, std::string& error);

private:
    bool Line(std::string_view line);
    bool MethodLine(std::string_view rest);
    bool CommandLine(std::string_view name, std::string_view rest);
    bool Fail(const std::string& message) {
        error_ = "line " + std::to_string(lineNumber_) + ": " + message;
        return false;
    }

    std::shared_ptr<ClassScript> script_ = std::make_shared<ClassScript>();
    ScriptMethod* method_ = nullptr;
    int lineNumber_ = 0;
    std::string error_;
};

std::shared_ptr<const ClassScript> Parser::Parse(std::string_view text, std::string& error) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    while (!text.empty() || lineNumber_ == 0) {
        ++lineNumber_;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!Line(line)) {
            error = error_;
            return nullptr;
        }
    }
    if (method_ != nullptr) {
        error = "method " + method_->name + " (line " + std::to_string(method_->line) + ") has no end";
        return nullptr;
    }
    return script_;
}

bool Parser::Line(std::string_view line) {
    std::string_view rest = line;
    const std::string_view word = NextWord(rest);
    if (word.empty() || word[0] == '#') return true;
    if (word == "method") return MethodLine(rest);
    if (word == "end") {
        if (method_ == nullptr) return Fail("end without method");
        method_ = nullptr;
        return true;
    }
    return CommandLine(word, rest);
}

bool Parser::MethodLine(std::string_view rest) {
    if (method_ != nullptr) return Fail("method inside method " + method_->name);
    const std::string_view name = NextWord(rest);
    const std::string_view kind = NextWord(rest);
    if (name.empty() || !(kind.empty() || kind == "int") || !NextWord(rest).empty()) {
        return Fail("expected: method NAME [int]");
    }
    for (const ScriptMethod& existing : script_->methods) {
        if (existing.name == name) return Fail("method " + std::string(name) + " declared twice");
    }
    method_ = &script_->methods.emplace_back();
    method_->name = name;
    method_->returnsInt = kind == "int";
    method_->line = lineNumber_;
    return true;
}

bool Parser::CommandLine(std::string_view name, std::string_view rest) {
    const auto found = kCommands.find(name);
    if (found == kCommands.end()) return Fail("unknown command '" + std::string(name) + "'");
    if (method_ == nullptr) return Fail(std::string(name) + " outside a method");
    const Syntax& syntax = found->second;
    Command command;
    command.op = syntax.op;
    command.line = lineNumber_;
    if (syntax.number && !ParseNumber(NextWord(rest), command.number))
        return Fail(std::string(name) + " needs a number");
    if (syntax.op == Op::Return && !rest.empty() && !ParseNumber(NextWord(rest), command.number)) {
        return Fail("return takes a number");
    }
    if (syntax.word) {
        command.word = NextWord(rest);
        if (command.word.empty()) return Fail(std::string(name) + " needs a name");
    }
    if (syntax.text) {
        command.hasText = syntax.op != Op::Throw || !rest.empty();
        command.text = rest;
    } else if (!NextWord(rest).empty()) {
        return Fail("unexpected text after " + std::string(name));
    }
    method_->commands.push_back(std::move(command));
    return true;
}

}  // namespace

std::shared_ptr<const ClassScript> ParseClassScript(std::string_view text, std::string& error) {
    return Parser().Parse(text, error);
}

}  // namespace tarn::standin
