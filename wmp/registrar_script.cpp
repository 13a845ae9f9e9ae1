#include "wmp/registrar_script.h"

#include <string.h>

namespace {

enum class TokenKind { kEnd, kWord, kString, kOpen, kClose, kEquals, kError };

struct Token {
  TokenKind kind;
  TextSpan span;  // for a string, the text between the quotes
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Tokens are separated by white space, so that "{" alone opens a block
// while "{3B7E...}" is a key name; a quoted string may hold spaces.
struct Tokenizer {
  const char* next;
  const char* end;

  Token Read() {
    while (next < end && IsSpace(*next)) ++next;
    if (next == end) return {TokenKind::kEnd, {next, 0}};
    if (*next == '\'') return ReadString();
    const char* start = next;
    while (next < end && !IsSpace(*next)) ++next;
    const TextSpan span = {start, static_cast<size_t>(next - start)};
    if (span.length == 1 && *start == '{') return {TokenKind::kOpen, span};
    if (span.length == 1 && *start == '}') return {TokenKind::kClose, span};
    if (span.length == 1 && *start == '=') return {TokenKind::kEquals, span};
    return {TokenKind::kWord, span};
  }

  Token Peek() const {
    Tokenizer copy = *this;
    return copy.Read();
  }

  Token ReadString() {
    const char* start = ++next;
    while (next < end) {
      if (*next == '\'') {
        if (next + 1 < end && next[1] == '\'') {
          next += 2;
          continue;
        }
        const TextSpan span = {start, static_cast<size_t>(next - start)};
        ++next;
        return {TokenKind::kString, span};
      }
      ++next;
    }
    return {TokenKind::kError, {start, 0}};
  }
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsWord(const Token& token, const char* word) {
  if (token.kind != TokenKind::kWord || token.span.length != strlen(word)) return false;
  for (size_t i = 0; i < token.span.length; ++i) {
    if (LowerAscii(token.span.text[i]) != LowerAscii(word[i])) return false;
  }
  return true;
}

struct RootName {
  const char* shortName;
  const char* longName;
  RegistrarRoot root;
};

constexpr RootName kRootNames[] = {
    {"HKCR", "HKEY_CLASSES_ROOT", RegistrarRoot::kClassesRoot},
    {"HKCU", "HKEY_CURRENT_USER", RegistrarRoot::kCurrentUser},
    {"HKLM", "HKEY_LOCAL_MACHINE", RegistrarRoot::kLocalMachine},
    {"HKU", "HKEY_USERS", RegistrarRoot::kUsers},
    {"HKCC", "HKEY_CURRENT_CONFIG", RegistrarRoot::kCurrentConfig},
};

bool FindRoot(const Token& token, RegistrarRoot* root) {
  for (const RootName& name : kRootNames) {
    if (IsWord(token, name.shortName) || IsWord(token, name.longName)) {
      *root = name.root;
      return true;
    }
  }
  return false;
}

bool IsName(const Token& token) {
  return (token.kind == TokenKind::kWord || token.kind == TokenKind::kString) &&
         token.span.length > 0;
}

struct Parser {
  Tokenizer tokens;
  RegistrarScript* script;

  RegistrarNode* Add(RegistrarNodeKind kind, int parent) {
    if (script->count == kMaxRegistrarNodes) return nullptr;
    RegistrarNode* node = &script->nodes[script->count++];
    *node = RegistrarNode{kind, parent, RegistrarRoot::kClassesRoot, KeyDisposition::kPlain,
                          {nullptr, 0}, false, {nullptr, 0}};
    return node;
  }

  // "= s 'text'": the only value type the server's scripts use.
  bool ReadStringAssignment(TextSpan* data) {
    if (tokens.Read().kind != TokenKind::kEquals) return false;
    if (!IsWord(tokens.Read(), "s")) return false;
    const Token value = tokens.Read();
    if (value.kind != TokenKind::kString) return false;
    *data = value.span;
    return true;
  }

  bool ReadValue(int parent) {
    const Token name = tokens.Read();
    if (!IsName(name)) return false;
    RegistrarNode* node = Add(RegistrarNodeKind::kValue, parent);
    if (!node) return false;
    node->name = name.span;
    node->hasData = true;
    return ReadStringAssignment(&node->data);
  }

  bool ReadKey(Token token, int parent) {
    // The format's Delete is not supported; it must not become a key name.
    if (IsWord(token, "Delete")) return false;
    KeyDisposition disposition = KeyDisposition::kPlain;
    if (IsWord(token, "ForceRemove")) {
      disposition = KeyDisposition::kForceRemove;
      token = tokens.Read();
    } else if (IsWord(token, "NoRemove")) {
      disposition = KeyDisposition::kNoRemove;
      token = tokens.Read();
    }
    if (!IsName(token)) return false;
    const int index = script->count;
    RegistrarNode* node = Add(RegistrarNodeKind::kKey, parent);
    if (!node) return false;
    node->disposition = disposition;
    node->name = token.span;
    if (tokens.Peek().kind == TokenKind::kEquals) {
      node->hasData = true;
      if (!ReadStringAssignment(&node->data)) return false;
    }
    if (tokens.Peek().kind != TokenKind::kOpen) return true;
    tokens.Read();
    return ReadBlock(index);
  }

  // The entries of a block up to and including its closing brace.
  bool ReadBlock(int parent) {
    for (;;) {
      const Token token = tokens.Read();
      if (token.kind == TokenKind::kClose) return true;
      const bool read = IsWord(token, "val") ? ReadValue(parent) : ReadKey(token, parent);
      if (!read) return false;
    }
  }

  bool ReadScript() {
    for (;;) {
      const Token token = tokens.Read();
      if (token.kind == TokenKind::kEnd) return true;
      RegistrarRoot root;
      if (!FindRoot(token, &root)) return false;
      const int index = script->count;
      RegistrarNode* node = Add(RegistrarNodeKind::kRoot, -1);
      if (!node) return false;
      node->root = root;
      node->disposition = KeyDisposition::kNoRemove;
      node->name = token.span;
      if (tokens.Read().kind != TokenKind::kOpen || !ReadBlock(index)) return false;
    }
  }
};

}  // namespace

bool ParseRegistrarScript(const char* text, size_t length, RegistrarScript* script) {
  script->count = 0;
  Parser parser = {{text, text + length}, script};
  if (parser.ReadScript()) return true;
  script->count = 0;
  return false;
}

bool CopyRegistrarText(TextSpan span, char* out, size_t capacity) {
  size_t written = 0;
  for (size_t i = 0; i < span.length; ++i) {
    if (written + 1 >= capacity) return false;
    out[written++] = span.text[i];
    if (span.text[i] == '\'' && i + 1 < span.length && span.text[i + 1] == '\'') ++i;
  }
  if (capacity == 0) return false;
  out[written] = '\0';
  return true;
}

size_t SubstituteModulePath(const char* script, size_t length, const char* modulePath,
                            char* out, size_t capacity) {
  static const char kMarker[] = "%MODULE%";
  const size_t markerLength = sizeof kMarker - 1;
  size_t written = 0;
  auto put = [&](char c) {
    if (written < capacity) out[written] = c;
    ++written;
  };
  for (size_t i = 0; i < length;) {
    if (length - i >= markerLength && memcmp(script + i, kMarker, markerLength) == 0) {
      for (const char* p = modulePath; *p; ++p) {
        put(*p);
        if (*p == '\'') put('\'');
      }
      i += markerLength;
    } else {
      put(script[i++]);
    }
  }
  if (written < capacity) out[written] = '\0';
  return written;
}
