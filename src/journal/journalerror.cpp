#include "journalerror.h"

#include <cerrno>
#include <cstring>

#include "fillup.h"

namespace zoltrek {

std::string systemReason(int err) {
    switch (err) {
        case ENOSPC:
            return "на диске нет места";
        case EDQUOT:
            return "превышена дисковая квота";
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
        default:
            return std::strerror(err);
    }
}

std::string atMostFillUps(int count) {
    const bool singular = count % 10 == 1 && count % 100 != 11;
    return "не больше " + std::to_string(count) + (singular ? " заправки" : " заправок");
}

std::string JournalError::message() const {
    const std::string file = "«" + path + "»";
    std::string text;
    switch (kind) {
        case Kind::None:
            return {};
        case Kind::System:
            text = "Не удалось " + action + " " + file + ": " + systemReason(err) + ".";
            break;
        case Kind::NotAFile:
            text = "Журнал " + file + " не является обычным файлом.";
            break;
        case Kind::ChangedOnDisk:
            if (movedTo)
                return "Журнал " + file +
                       " изменился на диске, и открытая запись теперь в строке " +
                       std::to_string(*movedTo + 1) +
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
        case Kind::Duplicate:
            return "Данные об этой заправке были введены ранее!";
    }
    if (committed)
        return text + " Изменения записаны, но могут не сохраниться при сбое питания.";
    if (damaged)
        return text + " Конец файла мог остаться недописанным.";
    return text + " Файл журнала не изменён.";
}

}  // namespace zoltrek
