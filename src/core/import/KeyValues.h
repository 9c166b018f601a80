#pragma once

#include <string>
#include <string_view>
#include <vector>

// Valve's text KeyValues, as the Steam client writes its library list and its app manifests:
// a key followed by a value or by a block of keys in braces. Keys and values are quoted
// ("...", with \n \t \\ \" escapes) or bare words ending at a blank, a brace or a quote; "//"
// starts a comment to the end of the line; a "[$CONDITION]" after a value or before a block
// is skipped. Keys are compared without regard to case.
struct KeyValue {
    std::string key;
    std::string value;              // a value's text; empty for a block
    std::vector<KeyValue> children;  // a block's keys, in file order
    bool block = false;

    // The first child of that key (any case), or nullptr.
    const KeyValue* Find(std::string_view name) const;
    // The value of the child of that key, or "" when there is none or it is a block.
    std::string Get(std::string_view name) const;
};

namespace KeyValues {

// Blocks nested deeper than this are no file of the client's.
inline constexpr int kMaxDepth = 32;

struct Parsed {
    std::vector<KeyValue> roots;
    // Why the text is no KeyValues (with its line), for the user; empty when it is.
    std::string problem;
};

Parsed Parse(std::string_view text);

// Whether two keys are the same, letter case aside.
bool SameKey(std::string_view a, std::string_view b);

}  // namespace KeyValues
