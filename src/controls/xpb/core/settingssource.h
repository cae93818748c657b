#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "propertybag.h"

namespace zoltrek {

// Typed reads of stored settings, each with the default that a missing name gives.
class SettingsSource {
  public:
    virtual ~SettingsSource() = default;
    virtual std::string readText(std::string_view name, std::string_view def) const = 0;
    virtual std::int32_t readInt(std::string_view name, std::int32_t def) const = 0;
    virtual bool readBool(std::string_view name, bool def) const = 0;
    virtual Colour readColour(std::string_view name, Colour def) const = 0;
    virtual PictureRef readPicture(std::string_view name) const = 0;
};

// The settings of a property bag.
class BagSettings : public SettingsSource {
  public:
    explicit BagSettings(const PropertyBag& bag) : bag_(bag) {}
    std::string readText(std::string_view name, std::string_view def) const override {
        return bag_.readText(name, def);
    }
    std::int32_t readInt(std::string_view name, std::int32_t def) const override {
        return bag_.readInt(name, def);
    }
    bool readBool(std::string_view name, bool def) const override {
        return bag_.readBool(name, def);
    }
    Colour readColour(std::string_view name, Colour def) const override {
        return bag_.readColour(name, def);
    }
    PictureRef readPicture(std::string_view name) const override { return bag_.readPicture(name); }

  private:
    const PropertyBag& bag_;
};

}  // namespace zoltrek
