#include "wmp/registrar_script.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

std::string Text(TextSpan span) { return std::string(span.text, span.length); }

std::string Plain(TextSpan span) {
  char out[512];
  return CopyRegistrarText(span, out, sizeof out) ? std::string(out) : std::string("<too long>");
}

// The script's spans point into its text, so both live together.
struct Parsed {
  explicit Parsed(std::string source)
      : text(std::move(source)), ok(ParseRegistrarScript(text.data(), text.size(), &script)) {}
  Parsed(const Parsed&) = delete;
  Parsed& operator=(const Parsed&) = delete;

  std::string text;
  RegistrarScript script;
  bool ok;
};

TEST(RegistrarScript, ReadsNestedKeysValuesAndMarks) {
  const std::string text =
      "HKCR\n{\n\tNoRemove CLSID\n\t{\n"
      "\t\tForceRemove {3B7E51A0-6C24-4F8B-9D13-5E2A7C0F4B61} = s 'Kmwmp Class'\n\t\t{\n"
      "\t\t\tInprocServer32 = s 'C:\\x\\kmwmp.dll'\n\t\t\t{\n"
      "\t\t\t\tval ThreadingModel = s 'Apartment'\n\t\t\t}\n\t\t}\n\t}\n}\n"
      "HKEY_LOCAL_MACHINE { NoRemove SOFTWARE { Leaf } }";
  const Parsed parsed(text);
  ASSERT_TRUE(parsed.ok);
  const RegistrarScript& script = parsed.script;
  struct Expected {
    RegistrarNodeKind kind;
    int parent;
    KeyDisposition disposition;
    const char* name;
    const char* data;  // null: no data
  };
  const Expected expected[] = {
      {RegistrarNodeKind::kRoot, -1, KeyDisposition::kNoRemove, "HKCR", nullptr},
      {RegistrarNodeKind::kKey, 0, KeyDisposition::kNoRemove, "CLSID", nullptr},
      {RegistrarNodeKind::kKey, 1, KeyDisposition::kForceRemove,
       "{3B7E51A0-6C24-4F8B-9D13-5E2A7C0F4B61}", "Kmwmp Class"},
      {RegistrarNodeKind::kKey, 2, KeyDisposition::kPlain, "InprocServer32", "C:\\x\\kmwmp.dll"},
      {RegistrarNodeKind::kValue, 3, KeyDisposition::kPlain, "ThreadingModel", "Apartment"},
      {RegistrarNodeKind::kRoot, -1, KeyDisposition::kNoRemove, "HKEY_LOCAL_MACHINE", nullptr},
      {RegistrarNodeKind::kKey, 5, KeyDisposition::kNoRemove, "SOFTWARE", nullptr},
      {RegistrarNodeKind::kKey, 6, KeyDisposition::kPlain, "Leaf", nullptr},
  };
  ASSERT_EQ(script.count, 8);
  for (int i = 0; i < script.count; ++i) {
    SCOPED_TRACE(i);
    const RegistrarNode& node = script.nodes[i];
    EXPECT_EQ(node.kind, expected[i].kind);
    EXPECT_EQ(node.parent, expected[i].parent);
    EXPECT_EQ(node.disposition, expected[i].disposition);
    EXPECT_EQ(Text(node.name), expected[i].name);
    EXPECT_EQ(node.hasData, expected[i].data != nullptr);
    if (expected[i].data) {
      EXPECT_EQ(Plain(node.data), expected[i].data);
    }
  }
  EXPECT_EQ(script.nodes[0].root, RegistrarRoot::kClassesRoot);
  EXPECT_EQ(script.nodes[5].root, RegistrarRoot::kLocalMachine);
}

TEST(RegistrarScript, QuotedNamesApostrophesAndAnyLetterCase) {
  const Parsed parsed("hkcu { forceremove 'Two Words' = S 'O''Brien''s' { VAL 'a b' = s '''' } }");
  ASSERT_TRUE(parsed.ok);
  const RegistrarScript& script = parsed.script;
  ASSERT_EQ(script.count, 3);
  EXPECT_EQ(script.nodes[0].root, RegistrarRoot::kCurrentUser);
  EXPECT_EQ(script.nodes[1].disposition, KeyDisposition::kForceRemove);
  EXPECT_EQ(script.nodes[2].kind, RegistrarNodeKind::kValue);
  EXPECT_EQ(Text(script.nodes[1].name), "Two Words");
  EXPECT_EQ(Plain(script.nodes[1].data), "O'Brien's");
  EXPECT_EQ(Text(script.nodes[2].name), "a b");
  EXPECT_EQ(Plain(script.nodes[2].data), "'");
}

TEST(RegistrarScript, RejectsWhatItDoesNotKnow) {
  const char* const cases[] = {
      "HKXX { A }",                       // unknown root
      "A { B }",                          // a key outside a root
      "HKCR A",                           // root without braces
      "HKCR { A",                         // unclosed block
      "HKCR { A } }",                     // stray closing brace
      "HKCR { A { B }",                   // unclosed inner block
      "HKCR { A = s 'open }",             // unterminated string
      "HKCR { A = d '1' }",               // value type other than s
      "HKCR { val x = s 'y' = s 'z' }",   // two assignments
      "HKCR { val x s 'y' }",             // missing =
      "HKCR { val = s 'y' }",             // value without a name
      "HKCR { A = s }",                   // missing string
      "HKCR { ForceRemove }",             // mark without a key
      "HKCR { ForceRemove '' }",          // empty key name
      "HKCR { Delete A }",                // unsupported keyword
  };
  for (const char* text : cases) {
    const Parsed parsed(text);
    EXPECT_FALSE(parsed.ok) << text;
    EXPECT_EQ(parsed.script.count, 0) << text;
  }
}

TEST(RegistrarScript, EmptyScriptAndTooManyNodes) {
  const Parsed blank(" \r\n\t");
  EXPECT_TRUE(blank.ok);
  EXPECT_EQ(blank.script.count, 0);

  std::string full = "HKCU {";
  for (int i = 1; i < kMaxRegistrarNodes; ++i) full += " K" + std::to_string(i);
  const Parsed fits(full + " }");
  EXPECT_TRUE(fits.ok);
  EXPECT_EQ(fits.script.count, kMaxRegistrarNodes);
  const Parsed overflows(full + " Extra }");
  EXPECT_FALSE(overflows.ok);
  EXPECT_EQ(overflows.script.count, 0);
}

TEST(RegistrarScript, SubstitutesModulePathWithApostrophesDoubled) {
  struct Case {
    const char* script;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"no marker", "C:\\a.dll", "no marker"},
      {"'%MODULE%'", "C:\\a.dll", "'C:\\a.dll'"},
      {"%MODULE%%MODULE%", "x", "xx"},
      {"'%MODULE%'", "C:\\O'Brien's\\k.dll", "'C:\\O''Brien''s\\k.dll'"},
      {"%MODULE %module% %MODULE", "x", "%MODULE %module% %MODULE"},
  };
  for (const Case& c : cases) {
    const std::string script = c.script;
    const size_t needed = SubstituteModulePath(script.data(), script.size(), c.path, nullptr, 0);
    std::string out(needed + 1, '?');
    EXPECT_EQ(SubstituteModulePath(script.data(), script.size(), c.path, &out[0], out.size()),
              needed);
    EXPECT_STREQ(out.c_str(), c.expected) << c.script;
  }
  // A short buffer gets what fits and the length that would be needed.
  char small[4] = {'?', '?', '?', '?'};
  EXPECT_EQ(SubstituteModulePath("'%MODULE%'", 10, "abcdef", small, sizeof small), 8u);
  EXPECT_EQ(std::string(small, 4), "'abc");
}

}  // namespace
