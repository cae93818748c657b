#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zoltrek {

// A colour value: 0x00BBGGRR with the high bit clear, a system colour index with it set.
struct Colour {
    std::uint32_t value = 0;
    friend bool operator==(Colour, Colour) = default;
};

// A picture held by a control: its kind and its own size in HiMetric (0.01 mm). The toolkit
// side derives from it to carry the pixels.
class Picture {
  public:
    enum class Kind { Bitmap, Icon };
    virtual ~Picture() = default;
    virtual Kind kind() const = 0;
    virtual std::int32_t widthHiMetric() const = 0;
    virtual std::int32_t heightHiMetric() const = 0;
};
using PictureRef = std::shared_ptr<const Picture>;

// The stored settings of one control instance: named values whose names are compared
// without regard to case. A missing name reads as the default the reader gives, and a
// value equal to its default is never stored.
class PropertyBag {
  public:
    using Value = std::variant<std::string, std::int32_t, bool, Colour, PictureRef>;

    PropertyBag() = default;
    PropertyBag(std::initializer_list<std::pair<std::string, Value>> values);

    bool contains(std::string_view name) const;
    const Value* find(std::string_view name) const;

    // Typed reads: a number stored under another numeric type is converted.
    std::string readText(std::string_view name, std::string_view def) const;
    std::int32_t readInt(std::string_view name, std::int32_t def) const;
    bool readBool(std::string_view name, bool def) const;
    Colour readColour(std::string_view name, Colour def) const;
    PictureRef readPicture(std::string_view name) const;

    // Stores `value` under `name`, or drops the name when the value equals its default.
    void write(std::string_view name, const Value& value, const Value& def);
    void set(std::string_view name, Value value);

    // The stored names in the order they were first written.
    std::vector<std::string> names() const;

  private:
    std::vector<std::pair<std::string, Value>> values_;
};

bool sameName(std::string_view a, std::string_view b);

}  // namespace zoltrek
