// Class scripts: what the stand-in runs instead of byte code. A class a/b/C is the file
// a/b/C.class holding lines like these (tests/README.md has the full list):
//   method main
//     out Hello
//     args
//   end
//   method secondaryMain int
//     return 7
//   end
// Windows-free.
#pragma once
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::standin {

enum class Op { Out, Err, Args, Argc, Prop, Env, Exit, Throw, Sleep, Thread, Daemon, Return, Abort, Await, In, Hook };

struct Command {
    Op op = Op::Out;
    int line = 0;
    long long number = 0;  // exit, sleep, thread, daemon, return
    std::string word;      // prop, env and await: the name; throw: the exception class (a.b.C or a/b/C)
    std::string text;      // out, err, thread, daemon, hook: the text; throw: the message
    bool hasText = false;  // throw without a message has a null message
};

struct ScriptMethod {
    std::string name;
    bool returnsInt = false;  // "method NAME int": ([Ljava/lang/String;)I, otherwise ([Ljava/lang/String;)V
    int line = 0;
    std::vector<Command> commands;
    std::string Signature() const { return returnsInt ? "([Ljava/lang/String;)I" : "([Ljava/lang/String;)V"; }
};

struct ClassScript {
    std::deque<ScriptMethod> methods;
};

// The script, or null with a message naming the line that is wrong.
std::shared_ptr<const ClassScript> ParseClassScript(std::string_view text, std::string& error);

}  // namespace tarn::standin
