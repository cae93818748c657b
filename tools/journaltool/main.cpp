// zoltrek-journal: runs one operation of the journal core on a file and says what happened.
// The exit code carries the outcome, so a caller can judge a run whose output was lost.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "entry/entryrules.h"
#include "journal/journalfile.h"
#include "journal/journaltexts.h"
#include "journal/numbers.h"

namespace zoltrek {
namespace {

enum Exit {
    kOk = 0,
    kUnchanged = 1,  // the operation failed and the journal kept its old bytes
    kCommitted = 2,  // the new text is in place, but a later step failed
    kDamaged = 3,    // a failed append could not be undone
    kUsage = 64,
};

constexpr const char* kUsageText =
    "usage: zoltrek-journal FILE load\n"
    "       zoltrek-journal FILE append LINE\n"
    "       zoltrek-journal FILE add LINE        (a new fill-up: invalid, full, unloaded, "
    "repeated?)\n"
    "       zoltrek-journal FILE replace INDEX OLDBYTES NEWLINE\n"
    "       zoltrek-journal FILE remove INDEX OLDBYTES\n"
    "       zoltrek-journal FILE edit SLOT NEWLINE\n"
    "       zoltrek-journal FILE delete SLOT\n";

bool parseNumber(const char* text, std::size_t& out) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-')
        return false;
    out = static_cast<std::size_t>(value);
    return true;
}

int report(const JournalError& error) {
    if (!error) {
        std::puts("ok");
        return kOk;
    }
    std::fprintf(stderr, "error: %s\n", errorMessage(error).c_str());
    if (error.committed)
        return kCommitted;
    return error.damaged ? kDamaged : kUnchanged;
}

void printLoad(const LoadResult& result, const Journal& journal) {
    std::printf("loaded %d\n", journal.count());
    std::printf("skipped %zu", result.skippedCount);
    for (const std::size_t line : result.skippedLines)
        std::printf(" %zu", line);
    std::printf("\nunloaded %s\n", result.leftUnloaded ? "yes" : "no");
    for (int i = 0; i < journal.count(); ++i)
        std::printf("record %d line %zu km%s\n", i, journal.lines[i].index,
                    NumToListText(journal.records[i].fKm).c_str());
}

int load(JournalFile& file) {
    Journal journal;
    const LoadResult result = file.load(journal);
    switch (result.status) {
        case LoadResult::Status::Absent:
            std::puts("absent");
            return kOk;
        case LoadResult::Status::Failed:
            std::fprintf(stderr, "error: %s\n", errorMessage(result.error).c_str());
            return kUnchanged;
        case LoadResult::Status::Loaded:
            printLoad(result, journal);
            return kOk;
    }
    return kUnchanged;
}

// Loads, then edits or deletes the record in `slot`, as the entry dialog does.
int changeSlot(JournalFile& file, const char* slotText, const char* newLine) {
    std::size_t slot = 0;
    if (!parseNumber(slotText, slot))
        return kUsage;
    Journal journal;
    const LoadResult result = file.load(journal);
    if (result.status == LoadResult::Status::Failed) {
        std::fprintf(stderr, "error: %s\n", errorMessage(result.error).c_str());
        return kUnchanged;
    }
    if (result.status == LoadResult::Status::Absent || slot >= std::size_t(journal.count())) {
        std::fprintf(stderr, "error: no record in slot %zu\n", slot);
        return kUnchanged;
    }
    const LineRef& line = journal.lines[slot];
    return report(newLine ? file.replaceLine(line, newLine) : file.removeLine(line));
}

int run(const std::vector<std::string_view>& args) {
    if (args.size() < 2)
        return kUsage;
    JournalFile file{std::string(args[0])};
    const std::string_view command = args[1];
    const std::size_t operands = args.size() - 2;
    std::size_t index = 0;

    if (command == "load" && operands == 0)
        return load(file);
    if (command == "append" && operands == 1)
        return report(file.append(args[2]));
    if (command == "add" && operands == 1) {
        const EntryTexts texts = lineFields(args[2]);
        return report(file.add(args[2], [&](const Journal& now, bool partlyLoaded) {
            return saveRefusal(Save::New, texts, &now, partlyLoaded);
        }));
    }
    if (command == "replace" && operands == 3 && parseNumber(args[2].data(), index))
        return report(file.replaceLine(LineRef{index, std::string(args[3])}, args[4]));
    if (command == "remove" && operands == 2 && parseNumber(args[2].data(), index))
        return report(file.removeLine(LineRef{index, std::string(args[3])}));
    if (command == "edit" && operands == 2)
        return changeSlot(file, args[2].data(), args[3].data());
    if (command == "delete" && operands == 1)
        return changeSlot(file, args[2].data(), nullptr);
    return kUsage;
}

}  // namespace
}  // namespace zoltrek

#ifdef _WIN32
#include <windows.h>

#include "journal/systempath_windows.h"

// Windows hands a program its arguments in the system's 8-bit code page, which cannot hold every
// path; they are taken from the UTF-16 command line instead, as UTF-8.
int main() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> texts;
    for (int i = 1; i < count; ++i)
        texts.push_back(zoltrek::narrow(wide[i]));
    LocalFree(wide);
    const std::vector<std::string_view> args(texts.begin(), texts.end());
#else
int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
#endif
    const int code = zoltrek::run(args);
    if (code == zoltrek::kUsage)
        std::fputs(zoltrek::kUsageText, stderr);
    return code;
}
