#pragma once
// The caller-owned list that EnumerateValues and EnumerateSections fill.
// Callers read it as elements 1..Count(), the way the names are counted in
// the accessor's interface; the storage underneath is an ordinary vector.

#include <cstdint>
#include <string>
#include <vector>

// What an array subscript out of range fails with.
inline constexpr std::int32_t kErrSubscriptOutOfRange = 9;

class NameArray {
public:
    NameArray() = default;
    NameArray(std::initializer_list<std::string> names) : names_(names) {}

    std::int32_t Count() const { return static_cast<std::int32_t>(names_.size()); }
    // 1-based; anything outside 1..Count() fails with
    // kErrSubscriptOutOfRange.
    const std::string& operator[](std::int32_t index) const;

    void Clear() { names_.clear(); }
    // Grows by exactly one element, keeping the earlier ones.
    void Append(std::string name) { names_.push_back(std::move(name)); }

    // Element 1 is Names()[0].
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::vector<std::string> names_;
};
