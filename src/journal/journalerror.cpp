#include "journalerror.h"

#include <cerrno>
#include <cstring>

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
            return "Журнал " + file +
                   " изменился на диске: открытой записи в нём больше нет. Ничего не записано.";
        case Kind::BadLine:
            return "Данные содержат перевод строки. Ничего не записано.";
    }
    if (committed)
        return text + " Изменения записаны, но могут не сохраниться при сбое питания.";
    if (damaged)
        return text + " Конец файла мог остаться недописанным.";
    return text + " Файл журнала не изменён.";
}

}  // namespace zoltrek
