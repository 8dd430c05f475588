// The host's property store for a user control: text values by key, keys matched without regard
// to case, a value equal to its default never stored, a missing key reading as its default.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace spindle {

// Orders keys by their ASCII-lower-cased bytes, so "caption" and "Caption" are the same key.
struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    // The stored text of the key, or the default when the key is absent.
    virtual std::string Read(std::string_view key, std::string_view defaultValue) const = 0;
    // Stores the value; a value equal to the default removes the key instead.
    virtual void Write(std::string_view key, std::string_view value, std::string_view defaultValue) = 0;
};

// The store kept in memory: what a form fills from its design ("Caption", "Font") before
// placing a control, and what a control's written properties land in.
class MemoryPropertyBag : public PropertyBag {
public:
    std::string Read(std::string_view key, std::string_view defaultValue) const override;
    void Write(std::string_view key, std::string_view value, std::string_view defaultValue) override;

    // Sets a stored value directly, as a form's design does.
    void Set(std::string_view key, std::string_view value);
    bool Contains(std::string_view key) const;
    const std::map<std::string, std::string, CaseInsensitiveLess>& Values() const { return values_; }

private:
    std::map<std::string, std::string, CaseInsensitiveLess> values_;
};

}  // namespace spindle
