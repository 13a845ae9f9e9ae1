// Reads bytes as an edit script for the lyrics document (replacements with
// double-byte characters and line breaks, syncpoint toggles, undo, redo)
// and runs it on a DocumentChecker, comparing after every step. Any bytes
// make a valid script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Empty when the document agreed with the reference throughout; else the
// first difference, with the number of the step.
std::string RunEditScript(const uint8_t* data, size_t size);
