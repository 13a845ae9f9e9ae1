// The registrar script format of the server's registration resources, read
// into a flat list of keys and values: root blocks of keys in braces, each
// key optionally marked ForceRemove or NoRemove, with a string default value
// (= s '...') and named string values (val name = s '...'). Strings are
// single-quoted, an apostrophe inside doubled. No Windows headers.
#pragma once

#include <stddef.h>

enum class RegistrarRoot { kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kCurrentConfig };

enum class RegistrarNodeKind { kRoot, kKey, kValue };

// What unregistering does with a key, and whether registering recreates it.
enum class KeyDisposition { kPlain, kForceRemove, kNoRemove };

// A piece of the script text; quoted text is kept as written (apostrophes
// still doubled) and made plain by CopyRegistrarText.
struct TextSpan {
  const char* text;
  size_t length;
};

struct RegistrarNode {
  RegistrarNodeKind kind;
  int parent;  // index of the enclosing root or key; -1 for a root
  RegistrarRoot root;
  KeyDisposition disposition;
  TextSpan name;  // key name or value name
  bool hasData;   // a key's default value, or always for a value
  TextSpan data;
};

constexpr int kMaxRegistrarNodes = 64;

// The nodes in the order of the text; every node comes after its parent.
struct RegistrarScript {
  RegistrarNode nodes[kMaxRegistrarNodes];
  int count;
};

// Reads `text`; false (and an empty script) for anything outside the
// format's subset: an unknown root, the Delete keyword, a value type other
// than s, unbalanced braces, an unterminated string, more than
// kMaxRegistrarNodes nodes.
bool ParseRegistrarScript(const char* text, size_t length, RegistrarScript* script);

// Writes `span` with doubled apostrophes made single and a terminating NUL
// into `out`; false when it does not fit in `capacity` bytes.
bool CopyRegistrarText(TextSpan span, char* out, size_t capacity);

// Copies `script` into `out` with every "%MODULE%" replaced by
// `modulePath`, its apostrophes doubled so that it can stand between single
// quotes. Returns the length of the whole result (without NUL); writes at
// most `capacity` bytes, NUL-terminated when the result fits.
size_t SubstituteModulePath(const char* script, size_t length, const char* modulePath,
                            char* out, size_t capacity);
