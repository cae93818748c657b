// The digits of every script, as the toolkit's character data knows them.
#include "base/digits.h"

#include <gtest/gtest.h>

#include <QChar>

namespace zoltrek {
namespace {

TEST(PlainDigit, AgreesWithTheToolkitOnEveryCodePoint) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const char32_t want = QChar::isDigit(c) ? U'0' + QChar::digitValue(c) : c;
        ASSERT_EQ(plainDigit(c), want) << std::hex << static_cast<unsigned>(c);
    }
}

}  // namespace
}  // namespace zoltrek
