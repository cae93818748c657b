#pragma once

#include <array>
#include <string>
#include <string_view>

#include "journal/fillup.h"
#include "journal/journalerror.h"
#include "journal/linefields.h"

namespace zoltrek {

// The dialog's five texts in line order (date, reading, litres, price, amount), as UTF-8.
using EntryTexts = LineFields;

// The amount box for the litres and price typed: their product cut to cents, or nothing when
// the product has no value.
std::string amountText(std::string_view litres, std::string_view price, char decimalSeparator);

// What a save does: adds a new fill-up, or edits or deletes the record the dialog opened.
enum class Save { New, Edit, Delete };

// Why a save is refused, in the order the user is told, or None. A deletion writes nothing typed
// and is never refused. Any other save needs the reading, the litres and the price above 0 and,
// with their product, finite, and no "|", CR or LF in any text, which would shift the line's
// fields (InvalidData). A new fill-up also needs a table with room for it (Full), loaded to the
// end of the file (Unloaded), where no record has its reading (Duplicate). `table` is the journal
// as it stands under the lock; without one (before the lock is taken) only the texts are judged.
JournalError::Kind saveRefusal(Save save, const EntryTexts& texts, const Journal* table = nullptr,
                               bool partlyLoaded = false);

// The line of a new fill-up: the texts joined by "|".
std::string dialogLine(const EntryTexts& texts);

// The fields an edit changes: those whose text is no longer what the dialog showed for the
// record. The others keep their bytes in the file, so "40.50" stays "40.50".
FieldEdits editedFields(const EntryTexts& texts, const EntryTexts& shown);

}  // namespace zoltrek
