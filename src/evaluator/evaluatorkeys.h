#pragma once

#include <span>

namespace tessaly::evaluator {

// The keypad's groups, each a frame of the evaluator window.
enum class KeyGroup { Main, Logical, Hyperbolic, Trigonometric, Misc };

// A keypad key: its name, caption, tool tip (none when empty) and the text it
// inserts at the caret.
struct Key {
    const char* name;
    const char* caption;
    const char* tip;
    const char* inserts;
    KeyGroup group;
};

// Every keypad key, in the order the window lays them out within their groups.
std::span<const Key> keypad();

}  // namespace tessaly::evaluator
