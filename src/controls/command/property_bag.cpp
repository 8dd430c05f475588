// The host's property store kept in memory.
#include "controls/command/property_bag.h"

#include <algorithm>

namespace spindle {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
    });
}

std::string MemoryPropertyBag::Read(std::string_view key, std::string_view defaultValue) const {
    auto found = values_.find(key);
    return found == values_.end() ? std::string(defaultValue) : found->second;
}

void MemoryPropertyBag::Write(std::string_view key, std::string_view value, std::string_view defaultValue) {
    auto found = values_.find(key);
    if (found != values_.end()) values_.erase(found);
    if (value != defaultValue) values_.emplace(std::string(key), std::string(value));
}

void MemoryPropertyBag::Set(std::string_view key, std::string_view value) {
    auto found = values_.find(key);
    if (found != values_.end()) values_.erase(found);
    values_.emplace(std::string(key), std::string(value));
}

bool MemoryPropertyBag::Contains(std::string_view key) const { return values_.find(key) != values_.end(); }

}  // namespace spindle
