#include "controls/propertybag.h"

#include <algorithm>

namespace zoltrek {

namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Integer view of a numeric value; nullopt-like flag for text and pictures.
bool asInt(const PropertyBag::Value& v, std::int64_t& out) {
    if (auto p = std::get_if<std::int32_t>(&v)) {
        out = *p;
    } else if (auto b = std::get_if<bool>(&v)) {
        out = *b ? -1 : 0;
    } else if (auto c = std::get_if<Colour>(&v)) {
        out = static_cast<std::int32_t>(c->value);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

PropertyBag::PropertyBag(std::initializer_list<std::pair<std::string, Value>> values) {
    for (const auto& [name, value] : values)
        set(name, value);
}

const PropertyBag::Value* PropertyBag::find(std::string_view name) const {
    for (const auto& [n, v] : values_)
        if (sameName(n, name))
            return &v;
    return nullptr;
}

bool PropertyBag::contains(std::string_view name) const {
    return find(name) != nullptr;
}

std::string PropertyBag::readText(std::string_view name, std::string_view def) const {
    const Value* v = find(name);
    if (!v)
        return std::string(def);
    if (auto s = std::get_if<std::string>(v))
        return *s;
    std::int64_t n;
    if (asInt(*v, n))
        return std::to_string(n);
    return std::string(def);
}

std::int32_t PropertyBag::readInt(std::string_view name, std::int32_t def) const {
    const Value* v = find(name);
    std::int64_t n;
    return (v && asInt(*v, n)) ? static_cast<std::int32_t>(n) : def;
}

bool PropertyBag::readBool(std::string_view name, bool def) const {
    const Value* v = find(name);
    std::int64_t n;
    return (v && asInt(*v, n)) ? n != 0 : def;
}

Colour PropertyBag::readColour(std::string_view name, Colour def) const {
    const Value* v = find(name);
    std::int64_t n;
    return (v && asInt(*v, n)) ? Colour{static_cast<std::uint32_t>(n)} : def;
}

PictureRef PropertyBag::readPicture(std::string_view name) const {
    const Value* v = find(name);
    if (auto p = v ? std::get_if<PictureRef>(v) : nullptr)
        return *p;
    return nullptr;
}

void PropertyBag::set(std::string_view name, Value value) {
    for (auto& [n, v] : values_) {
        if (sameName(n, name)) {
            v = std::move(value);
            return;
        }
    }
    values_.emplace_back(std::string(name), std::move(value));
}

void PropertyBag::write(std::string_view name, const Value& value, const Value& def) {
    if (value == def) {
        std::erase_if(values_, [&](const auto& entry) { return sameName(entry.first, name); });
        return;
    }
    set(name, value);
}

std::vector<std::string> PropertyBag::names() const {
    std::vector<std::string> out;
    out.reserve(values_.size());
    for (const auto& entry : values_)
        out.push_back(entry.first);
    return out;
}

}  // namespace zoltrek
