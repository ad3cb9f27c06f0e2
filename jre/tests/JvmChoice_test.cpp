// Which jvm.dll a runtime folder yields under each JVM Type, and what makes a folder a runtime.
#include <gtest/gtest.h>

#include <set>

#include "jre/JvmLibrary.h"

namespace tarn {
namespace {

struct ChoiceCase {
    const char* name;
    std::vector<const wchar_t*> vms;  // folders under bin\ holding a jvm.dll
    int32_t jvmType;
    const wchar_t* expectedVm;  // nullptr: nothing qualifies
};

const ChoiceCase kChoiceCases[] = {
    {"client and server, default order", {L"client", L"server"}, kClientFirst, L"client"},
    {"client and server, favor_server", {L"client", L"server"}, kServerFirst, L"server"},
    {"client and server, server only", {L"client", L"server"}, kServerOnly, L"server"},
    {"server only present, default order", {L"server"}, kClientFirst, L"server"},
    {"server only present, favor_server", {L"server"}, kServerFirst, L"server"},
    {"server only present, server only", {L"server"}, kServerOnly, L"server"},
    {"client only, server only", {L"client"}, kServerOnly, nullptr},
    {"client only, favor_server falls back", {L"client"}, kServerFirst, L"client"},
    {"jrockit only, default order", {L"jrockit"}, kClientFirst, L"jrockit"},
    {"jrockit only, favor_server", {L"jrockit"}, kServerFirst, L"jrockit"},
    {"jrockit only, server only", {L"jrockit"}, kServerOnly, nullptr},
    {"classic before hotspot", {L"hotspot", L"classic"}, kClientFirst, L"classic"},
    {"hotspot before server", {L"server", L"hotspot"}, kClientFirst, L"hotspot"},
    {"server before jrockit", {L"jrockit", L"server"}, kClientFirst, L"server"},
    {"client before everything", {L"jrockit", L"server", L"hotspot", L"classic", L"client"}, kClientFirst, L"client"},
    {"favor_server falls back to classic", {L"classic", L"jrockit"}, kServerFirst, L"classic"},
    {"unknown type reads as default", {L"client", L"server"}, 7, L"client"},
    {"no library at all", {}, kServerFirst, nullptr},
    {"a vm folder not in the list", {L"minimal"}, kClientFirst, nullptr},
};

TEST(ChooseJvmLibrary, PolicyAndSubPathOrder) {
    const WString home = L"C:\\rt\\";
    for (const ChoiceCase& c : kChoiceCases) {
        std::set<WString> present;
        for (const wchar_t* vm : c.vms) present.insert(home + L"bin\\" + vm + L"\\jvm.dll");
        std::vector<WString> asked;
        const JvmLibrary library = ChooseJvmLibrary(home, c.jvmType, [&](const WString& path) {
            asked.push_back(path);
            return present.count(path) > 0;
        });
        if (c.expectedVm == nullptr) {
            EXPECT_TRUE(library.path.empty()) << c.name;
            EXPECT_FALSE(library.server) << c.name;
        } else {
            EXPECT_EQ(library.path, home + L"bin\\" + c.expectedVm + L"\\jvm.dll") << c.name;
            EXPECT_EQ(library.server, WString(c.expectedVm) == L"server") << c.name;
        }
        // Only the five known sub-paths are ever looked at.
        const std::set<WString> known = {home + L"bin\\client\\jvm.dll", home + L"bin\\classic\\jvm.dll",
                                         home + L"bin\\hotspot\\jvm.dll", home + L"bin\\server\\jvm.dll",
                                         home + L"bin\\jrockit\\jvm.dll"};
        for (const WString& path : asked) EXPECT_EQ(known.count(path), 1u) << c.name;
    }
}

}  // namespace
}  // namespace tarn
