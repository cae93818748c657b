// What the user is told about the journal, word for word.
#include "journal/journaltexts.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <tuple>

namespace zoltrek {
namespace {

using namespace std::string_literals;
using Kind = JournalError::Kind;
using Step = JournalError::Step;
const std::string kKept = " Файл журнала не изменён.";

JournalError error(Kind kind, Step step = {}, int err = 0, bool committed = false,
                   bool damaged = false, std::optional<std::size_t> movedTo = {},
                   std::string link = "") {
    return JournalError{kind, step, "j", err, committed, damaged, movedTo, std::move(link)};
}

// The user learns what could not be done and why, a reason without words of ours being the
// system's; a failure after which the file did change says so. Other kinds are fixed sentences.
TEST(ErrorMessage, EachErrorInItsOwnWords) {
    const std::tuple<const char*, Step, int, const char*, std::string> cases[] = {
        {"opening", Step::OpenFile, EACCES, "открыть файл", "нет прав доступа"},
        {"writing", Step::WriteFile, ENOSPC, "записать файл", "на диске нет места"},
        {"the lock", Step::LockFolder, ENOLCK, "заблокировать папку файла", strerror(ENOLCK)},
        {"the temporary file", Step::CreateTemporary, EROFS, "создать временный файл рядом с",
         "диск доступен только для чтения"},
        {"a folder", Step::OpenFile, EISDIR, "открыть файл", "это папка"},
#ifndef _WIN32
        {"a quota", Step::WriteFile, EDQUOT, "записать файл", "превышена дисковая квота"},
#endif
    };
    for (const auto& [name, step, err, doing, reason] : cases)
        EXPECT_EQ(errorMessage(error(Kind::System, step, err)),
                  "Не удалось "s + doing + " «j»: " + reason + "." + kKept)
            << name;
    const std::tuple<const char*, JournalError, std::string> others[] = {
        {"no error", error(Kind::None), ""},
        {"written but not synced", error(Kind::System, Step::SyncFolder, EIO, true),
         "Не удалось сохранить на диске папку файла «j»: ошибка ввода-вывода. Изменения записаны, "
         "но могут не сохраниться при сбое питания."},
        {"an append not undone", error(Kind::System, Step::WriteFile, ENOSPC, false, true),
         "Не удалось записать файл «j»: на диске нет места. Конец файла мог остаться "
         "недописанным."},
        {"the line moved", error(Kind::ChangedOnDisk, {}, 0, false, false, 2),
         "Журнал «j» изменился на диске, и открытая запись теперь в строке 3. Ничего не записано: "
         "нажмите «ОК» ещё раз, чтобы сохранить её."},
        {"full", error(Kind::Full),
         "Журнал вмещает не больше 101 заправки: новую добавить нельзя. Исправьте или удалите одну "
         "из прежних."},
        {"another user's link", error(Kind::ForeignLink, {}, 0, false, false, {}, "j"),
         "Журнал «j» — ссылка, которую сделал другой пользователь в папке, открытой для записи "
         "другим. По ней ничего не прочитано и не записано."},
        {"another user's link on the way", error(Kind::ForeignLink, {}, 0, false, false, {}, "l"),
         "Путь к журналу «j» проходит через ссылку «l», которую сделал другой пользователь в "
         "папке, открытой для записи другим. По ней ничего не прочитано и не записано."},
    };
    for (const auto& [name, e, text] : others)
        EXPECT_EQ(errorMessage(e), text) << name;
}

// A few, a teen, a last digit of one, a teen past a hundred; the 101 of the messages above is one.
TEST(AtMostFillUps, TheNounAgreesWithItsNumber) {
    EXPECT_EQ(
        std::tuple(atMostFillUps(2), atMostFillUps(11), atMostFillUps(21), atMostFillUps(111)),
        std::tuple("не больше 2 заправок", "не больше 11 заправок", "не больше 21 заправки",
                   "не больше 111 заправок"));
}

// The lines skipped, the first ten named; what was left unloaded, and why.
TEST(LoadNotice, WhatTheLoadPassedOverOrLeft) {
    const auto load = [](std::size_t skipped, std::vector<std::size_t> lines, bool unloaded,
                         std::size_t empty = 0) {
        return LoadResult{
            LoadResult::Status::Loaded, {}, std::move(lines), skipped, unloaded, empty};
    };
    const std::tuple<const char*, LoadResult, std::string> cases[] = {
        {"a clean load", load(0, {}, false), ""},
        {"one line", load(1, {2}, false),
         "Строка журнала «j», которую не удалось прочитать, пропущена: 2. Файл не изменён."},
        {"more than ten", load(12, {1, 2}, false),
         "Строки журнала «j», которые не удалось прочитать, пропущены: 1, 2 и ещё 10. Файл не "
         "изменён."},
        {"more than the table", load(0, {}, true),
         "Программа показывает не больше 101 заправки: остальные строки журнала не загружены. Файл "
         "не изменён."},
        {"too many empty and bad lines", load(1, {5}, true, JournalFile::kMaxSkipped - 1),
         "Строка журнала «j», которую не удалось прочитать, пропущена: 5. Испорченных строк "
         "слишком много: остаток журнала не загружен. Файл не изменён."},
        {"too many bad lines", load(JournalFile::kMaxSkipped, {5}, true),
         "Строки журнала «j», которые не удалось прочитать, пропущены: 5 и ещё 999. Испорченных "
         "строк слишком много: остаток журнала не загружен. Файл не изменён."},
    };
    for (const auto& [name, result, text] : cases)
        EXPECT_EQ(loadNotice(result, "j"), text) << name;
}

}  // namespace
}  // namespace zoltrek
