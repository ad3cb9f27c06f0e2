// Choosing a runtime: ordering registry runtimes (preference, server VM, version, found order, the
// "Preferred versions" entries), then the jvm.dll of a runtime folder under each JVM Type.
#include <gtest/gtest.h>

#include <set>

#include "jre/CandidateOrder.h"
#include "jre/JvmLibrary.h"

namespace tarn {
namespace {

JreCandidate Candidate(const wchar_t* home, const wchar_t* version, bool preferred = false, bool server = false) {
    return {.version = ParseVersionOr(version, 0), .home = home, .hasServerVm = server, .preferred = preferred};
}

const OrderRules kMixed{true, false};
const OrderRules kMixedServerFirst{true, true};
const OrderRules kUnmixedServerFirst{false, true};

// The plain cases (nothing found, the newest, a preferred entry, preference and server VM before
// version, preference only from mixed sources, equal versions in found order) are rows of the
// discovery table, through the launcher.
TEST(OrderOfChoice, Rules) {
    const CandidateList sevenEight = {Candidate(L"7", L"1.7.0"), Candidate(L"8", L"1.8.0")};
    const struct {
        const char* name;
        CandidateList candidates;  // in found order
        WStringList preferredVersions;
        OrderRules rules;
        const wchar_t* expectedHome;
    } cases[] = {
        {"preferred entry picks the newest match",
         {Candidate(L"old", L"1.8.0_20"), Candidate(L"new", L"1.8.0_45"), Candidate(L"11", L"11.0.2")},
         {L"1.8"}, kMixed, L"new"},
        {"first entry that matches anything decides", sevenEight, {L"1.6", L"1.7", L"1.8"}, kMixed, L"7"},
        {"no entry matches: first sorted", sevenEight, {L"1.9"}, kMixed, L"8"},
        {"an empty entry matches the first sorted", sevenEight, {L"", L"1.7"}, kMixed, L"8"},
        {"an entry after a match is not reached", sevenEight, {L"1.7", L""}, kMixed, L"7"},
        {"server VM does not count otherwise",
         {Candidate(L"client18", L"1.8", true, false), Candidate(L"server17", L"1.7", true, true)}, {}, kMixed,
         L"client18"},
        {"preference outranks the server VM",
         {Candidate(L"server18", L"1.8", false, true), Candidate(L"client16", L"1.6", true, false)}, {},
         kMixedServerFirst, L"client16"},
        {"server VM decides when preference does not apply",
         {Candidate(L"server16", L"1.6", false, true), Candidate(L"client18", L"1.8", true, false)}, {},
         kUnmixedServerFirst, L"server16"},
        {"preferred entry walks the sorted order",
         {Candidate(L"plain", L"1.8.0_60"), Candidate(L"fav", L"1.8.0_20", true)}, {L"1.8"}, kMixed, L"fav"},
    };
    for (const auto& c : cases) {
        const CandidateList order = OrderOfChoice(c.candidates, c.preferredVersions, c.rules);
        EXPECT_EQ(order.empty() ? L"(none)" : order.front().home, c.expectedHome) << c.name;
    }
    // When the first does not fit (another machine's), the next: every match of an entry, then the rest.
    const CandidateList order = OrderOfChoice({Candidate(L"a", L"1.8.0_20"), Candidate(L"b", L"11"), Candidate(L"c", L"1.8.0_45")},
                                              {L"1.8"}, kMixed);
    EXPECT_EQ(order.size() == 3 ? order[0].home + order[1].home + order[2].home : L"", L"cab");
}

TEST(SortCandidates, HundredsOfEqualCandidatesKeepTheirOrder) {
    CandidateList list;
    for (int i = 0; i < 500; ++i) list.push_back(Candidate(std::to_wstring(i).c_str(), i % 2 ? L"1.8" : L"1.7"));
    SortCandidates(list, kMixed);
    for (int i = 0; i < 250; ++i) EXPECT_EQ(list[i].home, std::to_wstring(2 * i + 1));
    for (int i = 0; i < 250; ++i) EXPECT_EQ(list[250 + i].home, std::to_wstring(2 * i));
}

// Within one runtime folder: which jvm.dll it yields under each JVM Type.
TEST(ChooseJvmLibrary, PolicyAndSubPathOrder) {
    const WString home = L"C:\\rt\\";
    // The VM folders under bin\ holding a jvm.dll, and the one chosen by the default order (client,
    // classic, hotspot, server, jrockit), by favor_server (server first) and by server only ("": none).
    const struct {
        std::vector<const wchar_t*> vms;
        const wchar_t* chosen[3];
    } rows[] = {
        {{L"client", L"server"}, {L"client", L"server", L"server"}},
        {{L"jrockit"}, {L"jrockit", L"jrockit", L""}},
        {{L"hotspot", L"classic"}, {L"classic", L"classic", L""}},
        {{L"server", L"hotspot"}, {L"hotspot", L"server", L"server"}},
        {{L"jrockit", L"server"}, {L"server", L"server", L"server"}},
        {{L"jrockit", L"server", L"hotspot", L"classic", L"client"}, {L"client", L"server", L"server"}},
        {{L"minimal"}, {L"", L"", L""}},  // a VM folder not in the list
    };
    const std::set<WString> known = {home + L"bin\\client\\jvm.dll", home + L"bin\\classic\\jvm.dll",
                                     home + L"bin\\hotspot\\jvm.dll", home + L"bin\\server\\jvm.dll",
                                     home + L"bin\\jrockit\\jvm.dll"};
    const int32_t types[] = {kClientFirst, kServerFirst, kServerOnly, 7};  // an unknown type reads as the default
    for (const auto& row : rows) {
        std::set<WString> present;
        for (const wchar_t* vm : row.vms) present.insert(home + L"bin\\" + vm + L"\\jvm.dll");
        for (int t = 0; t < 4; ++t) {
            const WString chosen = row.chosen[t % 3], what = std::to_wstring(types[t]) + L" " + chosen;
            SCOPED_TRACE(std::string(what.begin(), what.end()));
            const JvmLibrary library = ChooseJvmLibrary(home, types[t], [&](const WString& path) {
                EXPECT_EQ(known.count(path), 1u) << "only the five known sub-paths are looked at";
                return present.count(path) > 0;
            });
            EXPECT_EQ(library.path, chosen.empty() ? L"" : home + L"bin\\" + chosen + L"\\jvm.dll");
            EXPECT_EQ(library.server, chosen == L"server");
        }
    }
}

}  // namespace
}  // namespace tarn
