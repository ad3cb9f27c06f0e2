#include "launcher/DiscoveryLog.h"

#include <windows.h>

#include "base/Conversion.h"
#include "base/Format.h"
#include "base/LogFile.h"
#include "jre/Architecture.h"
#include "launcher/Launcher.h"
#include "launcher/SettingsStore.h"

namespace tarn {

namespace {

const wchar_t* SourceName(RuntimeSource source) {
    switch (source) {
        case RuntimeSource::JrePath: return L"JRE Path";
        case RuntimeSource::BesideLauncher: return L"beside the launcher";
        case RuntimeSource::Registry: return L"registry";
        case RuntimeSource::JavaHome: return L"JAVA_HOME";
        case RuntimeSource::ChosenByUser: return L"the user's choice in \"JRE Not Found\"";
    }
    return L"?";
}

const wchar_t* ReasonText(PassedOver reason) {
    switch (reason) {
        case PassedOver::NoLibrary: return L"no JVM library that fits the JVM Type";
        case PassedOver::NoRuntime: return L"no runtime (no bin\\java.dll)";
        case PassedOver::NoCandidate: return L"no registered runtime fits";
        case PassedOver::NotRead: return L"not read (no Pair Product)";
        case PassedOver::NotRunnable: return L"this machine cannot run its JVM library";
    }
    return L"?";
}

const wchar_t* FitText(RuntimeFit fit) {
    switch (fit) {
        case RuntimeFit::Here: return L"loaded here";
        case RuntimeFit::PairProduct: return L"for Pair Product";
        case RuntimeFit::Arm64Pair: return L"for Pair Product ARM64";
        case RuntimeFit::NoPair: return L"no paired launcher named for it";
        case RuntimeFit::NotRunnable: return L"this machine cannot run it";
    }
    return L"?";
}

WString ViewName(RegistryView view) {
    if (view == RegistryView::Own) view = kOtherView == RegistryView::Wide32 ? RegistryView::Wide64 : RegistryView::Wide32;
    return view == RegistryView::Wide64 ? L"64-bit view" : L"32-bit view";
}

WString CandidateLine(size_t rank, const JreCandidate& c, RegistryView view) {
    return L"  " + DecimalText(rank) + L". HKLM\\" + c.key + L" (" + ViewName(view) + L"): version " +
           FormatVersion(c.version) + L", " + KindName(c.source->kind) + L", " + VendorName(c.source->vendor) +
           L", preferred " + (c.preferred ? L"yes" : L"no") + L", home " + c.home;
}

}  // namespace

void LogSettingsFile(const WString& path) {
    if (!LogEnabled()) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t stamp[64];
    wsprintfW(stamp, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    AppendLogLines({L"=== Tarn start " + WString(stamp) + L", process " + DecimalText(GetCurrentProcessId()) + L" ===",
            L"settings file: " + path});
}

void LogSourcePassed(RuntimeSource source, PassedOver reason, const WString& detail) {
    if (!LogEnabled()) return;
    AppendLogLines({L"source " + WString(SourceName(source)) + (detail.empty() ? L"" : L" " + detail) + L": passed over, " +
            ReasonText(reason)});
}

void LogCandidates(RegistryView view, const CandidateList& sorted) {
    if (!LogEnabled()) return;
    WStringList lines{L"registry candidates, " + ViewName(view) + L", in order: " + DecimalText(sorted.size())};
    for (size_t i = 0; i < sorted.size(); ++i) lines.push_back(CandidateLine(i + 1, sorted[i], view));
    AppendLogLines(lines);
}

void LogRuntimeMachine(const WString& library, uint16_t machine, uint16_t host, RuntimeFit fit) {
    if (!LogEnabled()) return;
    WString line = L"JVM library " + library;
    for (const wchar_t* part : {L": ", MachineName(machine), L", launcher ", MachineName(kOwnMachine), L" on an ",
                                MachineName(host), L" machine: ", FitText(fit)})
        line += part;
    AppendLogLines({line});
}

void LogRuntimeChosen(RuntimeSource source, const Launcher& launcher) {
    if (!LogEnabled()) return;
    WStringList lines{L"chosen: " + WString(SourceName(source)), L"JVM library: " + launcher.jvmPath};
    if (source == RuntimeSource::Registry) lines.push_back(L"version: " + FormatVersion(launcher.foundVersion));
    if (launcher.usePairedProduct) {
        lines.push_back(L"paired product: " +
                        (launcher.machines.toArm64Product ? launcher.machines.arm64Product : launcher.pairProduct));
    }
    AppendLogLines(lines);
}

void LogNoRuntime() {
    if (LogEnabled()) AppendLogLines({L"chosen: nothing, no source yields a runtime"});
}

void LogVmOptions(const NarrowStringList& options) {
    if (!LogEnabled()) return;
    const NarrowString classPathOption = "-Djava.class.path=";
    WStringList lines{L"VM options: " + DecimalText(options.size())};
    WStringList classPath;
    for (const NarrowString& option : options) {
        lines.push_back(L"  " + FromNarrow(option));
        if (option.rfind(classPathOption, 0) == 0) classPath = SplitList(FromNarrow(option.substr(classPathOption.size())), L";");
    }
    lines.push_back(L"class path: " + DecimalText(classPath.size()) + L" entries");
    for (const WString& entry : classPath) lines.push_back(L"  " + entry);
    AppendLogLines(lines);
}

void LogExitCode(int code, bool fromSystemExit) {
    if (LogEnabled()) AppendLogLines({L"exit code: " + DecimalText(code) + (fromSystemExit ? L" (System.exit)" : L"")});
}

void LogRestart(int exitCode) {
    if (LogEnabled()) AppendLogLines({L"restart after exit code " + DecimalText(exitCode)});
}

}  // namespace tarn
