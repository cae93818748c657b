#include "journal/journaltexts.h"

#include <cerrno>

#include "journal/fileops.h"
#include "journal/fillup.h"

namespace zoltrek {

namespace {

// What could not be done, as the message says it: "Не удалось записать файл «…»".
const char* stepText(JournalError::Step step) {
    switch (step) {
        case JournalError::Step::OpenFile:
            return "открыть файл";
        case JournalError::Step::ReadFile:
            return "прочитать файл";
        case JournalError::Step::WriteFile:
            return "записать файл";
        case JournalError::Step::CreateFolder:
            return "создать папку файла";
        case JournalError::Step::OpenFolder:
            return "открыть папку файла";
        case JournalError::Step::LockFolder:
            return "заблокировать папку файла";
        case JournalError::Step::CreateTemporary:
            return "создать временный файл рядом с";
        case JournalError::Step::SyncFolder:
            return "сохранить на диске папку файла";
    }
    return "";
}

}  // namespace

std::string systemReason(int err) {
    switch (err) {
        case ENOSPC:
            return "на диске нет места";
        case EACCES:
        case EPERM:
            return "нет прав доступа";
        case EROFS:
            return "диск доступен только для чтения";
        case EIO:
            return "ошибка ввода-вывода";
        case EISDIR:
            return "это папка";
        case ENOENT:
            return "файл или папка не найдены";
        case EBUSY:
        case ETXTBSY:
            return "файл занят";
        case EMFILE:  // the system's own words need a file opened to be read in Russian
        case ENFILE:
            return "открыто слишком много файлов";
        default:
            return systemWords(err);
    }
}

std::string atMostFillUps(int count) {
    const bool singular = count % 10 == 1 && count % 100 != 11;
    return "не больше " + std::to_string(count) + (singular ? " заправки" : " заправок");
}

std::string errorMessage(const JournalError& error) {
    using Kind = JournalError::Kind;
    const std::string file = "«" + shownPath(error.path) + "»";
    std::string text;
    switch (error.kind) {
        case Kind::None:
            return {};
        case Kind::System:
            text = std::string("Не удалось ") + stepText(error.step) + " " + file + ": " +
                   systemReason(error.err) + ".";
            break;
        case Kind::NotAFile:
            text = "Журнал " + file + " не является обычным файлом.";
            break;
        case Kind::ChangedOnDisk:
            if (error.movedTo)
                return "Журнал " + file +
                       " изменился на диске, и открытая запись теперь в строке " +
                       std::to_string(*error.movedTo + 1) +
                       ". Ничего не записано: нажмите «ОК» ещё раз, чтобы сохранить её.";
            return "Журнал " + file +
                   " изменился на диске: открытой записи в нём больше нет. Ничего не записано.";
        case Kind::BadLine:
            return "Данные содержат перевод строки. Ничего не записано.";
        case Kind::InvalidData:
            return "Введены неверные данные!";
        case Kind::Busy:
            return "Журнал " + file +
                   " сейчас записывает другая копия программы. Ничего не записано: попробуйте "
                   "ещё раз.";
        case Kind::Full:
            return "Журнал вмещает " + atMostFillUps(Journal::kSlots) +
                   ": новую добавить нельзя. Исправьте или удалите одну из прежних.";
        case Kind::Unloaded:
            return "Журнал загружен не полностью, и новая заправка не была бы видна в списке. "
                   "Исправьте испорченные строки журнала.";
        case Kind::ForeignLink:
            return (error.link == error.path
                        ? "Журнал " + file + " — ссылка"
                        : "Путь к журналу " + file + " проходит через ссылку «" +
                              shownPath(error.link) + "»") +
                   ", которую сделал другой пользователь в папке, открытой для записи другим. По "
                   "ней ничего не прочитано и не записано.";
        case Kind::UnsafeFolder:
            return "Журнал не записан: папка " + file +
                   " принадлежит другому пользователю или открыта для записи другим. Журнал в "
                   "ней могли бы подменить или прочитать.";
        case Kind::Duplicate:
            return "Данные об этой заправке были введены ранее!";
    }
    if (error.committed)
        return text + " Изменения записаны, но могут не сохраниться при сбое питания.";
    if (error.damaged)
        return text + " Конец файла мог остаться недописанным.";
    return text + " Файл журнала не изменён.";
}

std::string loadNotice(const LoadResult& result, std::string_view path) {
    if (result.status != LoadResult::Status::Loaded ||
        (result.skippedCount == 0 && !result.leftUnloaded))
        return {};
    std::string text;
    if (result.skippedCount > 0) {
        std::string list;
        for (std::size_t line : result.skippedLines)
            list += (list.empty() ? "" : ", ") + std::to_string(line);
        if (result.skippedCount > result.skippedLines.size())
            list += " и ещё " + std::to_string(result.skippedCount - result.skippedLines.size());
        const std::string file = "«" + shownPath(std::string(path)) + "»";
        text += (result.skippedCount == 1
                     ? "Строка журнала " + file + ", которую не удалось прочитать, пропущена: "
                     : "Строки журнала " + file + ", которые не удалось прочитать, пропущены: ") +
                list + ". ";
    }
    if (result.leftUnloaded)
        text += result.skippedCount + result.emptyCount >= JournalFile::kMaxSkipped
                    ? "Испорченных строк слишком много: остаток журнала не загружен. "
                    : "Программа показывает " + atMostFillUps(Journal::kSlots) +
                          ": остальные строки журнала не загружены. ";
    return text + "Файл не изменён.";
}

}  // namespace zoltrek
