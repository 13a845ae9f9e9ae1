#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/bmp/picture_capture.h"
#include "hosts/wmphost/com_object.h"
#include "hosts/wmphost/effects_catalog.h"
#include "hosts/wmphost/host_core.h"
#include "hosts/wmphost/host_options.h"
#include "hosts/wmphost/scripted_player.h"
#include "hosts/wmphost/song_script.h"

namespace {

SongScript Parse(const std::string& text) {
  SongScript script;
  std::string error;
  EXPECT_TRUE(ParseSongScript(text, L"C:\\songs\\", script, error)) << error;
  return script;
}

std::string ParseError(const std::string& text) {
  SongScript script;
  std::string error;
  EXPECT_FALSE(ParseSongScript(text, L"", script, error));
  return error;
}

std::wstring UrlOf(IWMPMedia* item) {
  BSTR url = nullptr;
  if (!item || FAILED(item->get_sourceURL(&url))) return L"?";
  std::wstring text(url);
  SysFreeString(url);
  return text;
}

bool ParseArgs(std::vector<std::string> args, HostOptions& options, std::string& error) {
  return ParseHostOptions(args, options, error);
}

}  // namespace

TEST(SongScript, StepsWithCommentsRelativeAndAbsoluteUrls) {
  const SongScript script = Parse(
      "# a playlist\r\n\r\n0 one.wav\n  12.5   D:\\music\\two two.mp3  \n"
      "20 http://host/three.wma\n30 end\n");
  ASSERT_EQ(script.steps.size(), 4u);
  EXPECT_EQ(script.steps[0].url, L"C:\\songs\\one.wav");
  EXPECT_DOUBLE_EQ(script.steps[1].start, 12.5);
  EXPECT_EQ(script.steps[1].url, L"D:\\music\\two two.mp3");
  EXPECT_EQ(script.steps[2].url, L"http://host/three.wma");
  EXPECT_TRUE(script.steps[3].url.empty());
}

TEST(SongScript, RejectsBadLinesNamingThem) {
  EXPECT_EQ(ParseError("0 a.wav\nsoon b.wav\n"), "line 2: 'soon' is not a time in seconds");
  EXPECT_EQ(ParseError("5 a.wav\n2 b.wav\n"), "line 2: steps must be in time order");
  EXPECT_EQ(ParseError("7\n"), "line 1: expected SECONDS and a URL or 'end'");
  EXPECT_EQ(ParseError("-1 a.wav\n"), "line 1: '-1' is not a time in seconds");
  EXPECT_EQ(ParseError("# nothing\n"), "the script has no steps");
}

TEST(SongScript, MomentsAlongTheTimeline) {
  const SongScript script = Parse("1 a.wav\n4 b.wav\n10 end\n");
  SongMoment before = SongMomentAt(script, 0.5);
  EXPECT_EQ(before.step, -1);
  EXPECT_FALSE(before.ended);

  SongMoment first = SongMomentAt(script, 2.25);
  EXPECT_EQ(first.step, 0);
  EXPECT_DOUBLE_EQ(first.position, 1.25);
  EXPECT_DOUBLE_EQ(first.duration, 3);

  SongMoment second = SongMomentAt(script, 4);
  EXPECT_EQ(second.step, 1);
  EXPECT_DOUBLE_EQ(second.position, 0);
  EXPECT_DOUBLE_EQ(second.duration, 6);

  EXPECT_TRUE(SongMomentAt(script, 10).ended);
  // Without an end the last item plays on, of unknown length.
  SongMoment open = SongMomentAt(Parse("0 a.wav\n"), 100);
  EXPECT_FALSE(open.ended);
  EXPECT_DOUBLE_EQ(open.position, 100);
  EXPECT_DOUBLE_EQ(open.duration, 0);
}

TEST(HostCore, AnswersPositionAndItemFromTheScriptedPlayer) {
  ScriptedPlayer player(Parse("1 a.wav\n3 b.wav\n5 end\n"));
  ComRef<IWMPCore> core(CreateHostCore(&player));
  ComRef<IWMPControls> controls;
  ASSERT_EQ(core->get_controls(controls.Out()), S_OK);

  player.SetTime(0.5);
  double position = -1;
  ComRef<IWMPMedia> item;
  EXPECT_EQ(controls->get_currentPosition(&position), S_OK);
  EXPECT_DOUBLE_EQ(position, 0);
  EXPECT_EQ(controls->currentItem(item.Out()), S_FALSE);
  EXPECT_FALSE(item);

  player.SetTime(2.5);
  EXPECT_EQ(controls->get_currentPosition(&position), S_OK);
  EXPECT_DOUBLE_EQ(position, 1.5);
  ASSERT_EQ(controls->currentItem(item.Out()), S_OK);
  EXPECT_EQ(UrlOf(item.get()), L"C:\\songs\\a.wav");
  double duration = 0;
  EXPECT_EQ(item->get_duration(&duration), S_OK);
  EXPECT_DOUBLE_EQ(duration, 2);
  BSTR name = nullptr;
  ASSERT_EQ(item->get_name(&name), S_OK);
  EXPECT_STREQ(name, L"a");
  SysFreeString(name);

  // The same item object while the same step plays; the core's current
  // media is the controls' current item.
  ComRef<IWMPMedia> again, media;
  player.SetTime(2.9);
  ASSERT_EQ(controls->currentItem(again.Out()), S_OK);
  EXPECT_EQ(again.get(), item.get());
  ASSERT_EQ(core->get_currentMedia(media.Out()), S_OK);
  EXPECT_EQ(media.get(), item.get());

  player.SetTime(3.25);
  ASSERT_EQ(controls->currentItem(again.Out()), S_OK);
  EXPECT_EQ(UrlOf(again.get()), L"C:\\songs\\b.wav");
  // An item handed out earlier stays valid after the song changed.
  EXPECT_EQ(UrlOf(item.get()), L"C:\\songs\\a.wav");

  player.SetTime(6);
  EXPECT_TRUE(player.Ended());
  EXPECT_EQ(controls->currentItem(again.Out()), S_FALSE);
}

TEST(HostCore, WithoutARealPlayerOtherCallsAreNotImplemented) {
  ScriptedPlayer player(Parse("0 a.wav\n"));
  ComRef<IWMPCore> core(CreateHostCore(&player));
  ComRef<IWMPControls> controls;
  ASSERT_EQ(core->get_controls(controls.Out()), S_OK);
  EXPECT_EQ(controls->play(), E_NOTIMPL);
  EXPECT_EQ(controls->put_currentPosition(3), E_NOTIMPL);
  BSTR url = nullptr;
  EXPECT_EQ(core->get_URL(&url), E_NOTIMPL);
  EXPECT_EQ(controls->get_currentPosition(nullptr), E_POINTER);
  EXPECT_EQ(controls->currentItem(nullptr), E_POINTER);

  ComRef<IWMPControls> asked;
  EXPECT_EQ(core->QueryInterface(__uuidof(IWMPControls), asked.OutVoid()), E_NOINTERFACE);
  ComRef<IWMPCore> same;
  ASSERT_EQ(core->QueryInterface(__uuidof(IWMPCore), same.OutVoid()), S_OK);
  EXPECT_EQ(same.get(), core.get());
}

TEST(HostOptions, ParsesTheCommandLine) {
  HostOptions options;
  std::string error;
  ASSERT_TRUE(ParseArgs({"--script", "s.txt", "--effect", "Kmwmp", "--preset", "3", "--render",
                         "memory", "--frames", "0,1.5,20", "--out", "f", "--size", "320x200"},
                        options, error))
      << error;
  EXPECT_EQ(options.script, "s.txt");
  EXPECT_EQ(options.effect, "Kmwmp");
  EXPECT_EQ(options.preset, 3);
  EXPECT_EQ(options.render, RenderMode::kMemory);
  EXPECT_EQ(options.frames, (std::vector<double>{0, 1.5, 20}));
  EXPECT_EQ(options.width, 320);
  EXPECT_EQ(options.height, 200);

  HostOptions played;
  ASSERT_TRUE(ParseArgs({"--play", "a.wav", "--seconds", "4", "--save-every", "0.5", "--out", "x"},
                        played, error));
  EXPECT_EQ(played.render, RenderMode::kWindowed);
  EXPECT_DOUBLE_EQ(played.seconds, 4);
  EXPECT_DOUBLE_EQ(played.saveEvery, 0.5);
}

TEST(HostOptions, RejectsWhatCannotRun) {
  const std::vector<std::vector<std::string>> bad = {
      {},                                        // no player
      {"--play", "a.wav", "--script", "s.txt"},  // two players
      {"--play", "a.wav", "--frames", "1"},      // frames need the script
      {"--script", "s", "--save-every", "1"},    // saving needs a prefix
      {"--script", "s", "--frames", "1,,2"},
      {"--script", "s", "--preset", "1.5"},
      {"--script", "s", "--render", "fullscreen"},
      {"--script", "s", "--size", "0x10"},
      {"--script", "s", "--colour", "red"},
      {"--script"},
  };
  for (const auto& args : bad) {
    HostOptions options;
    std::string error;
    EXPECT_FALSE(ParseArgs(args, options, error)) << (args.empty() ? "" : args.back());
    EXPECT_FALSE(error.empty());
  }
  HostOptions list;
  std::string error;
  EXPECT_TRUE(ParseArgs({"--list"}, list, error));
  EXPECT_TRUE(list.list);
}

TEST(HostOptions, FrameFilesAreNamedByCentiseconds) {
  EXPECT_EQ(FrameFileName("out\\f", 0), "out\\f-0.bmp");
  EXPECT_EQ(FrameFileName("f", 1.5), "f-150.bmp");
  EXPECT_EQ(FrameFileName("f", 2.999999), "f-300.bmp");
  EXPECT_EQ(FrameFileName("f", 125.07), "f-12507.bmp");
}

TEST(EffectsCatalog, StringResourceReferences) {
  std::string dll;
  unsigned id = 0;
  ASSERT_TRUE(ParseStringResourceUrl("res://kmwmp.dll/RT_STRING/#101", dll, id));
  EXPECT_EQ(dll, "kmwmp.dll");
  EXPECT_EQ(id, 101u);
  ASSERT_TRUE(ParseStringResourceUrl("RES://C:\\x\\a b.dll/RT_STRING/#7", dll, id));
  EXPECT_EQ(dll, "C:\\x\\a b.dll");
  EXPECT_EQ(id, 7u);
  for (const char* text : {"Kamiru", "res://kmwmp.dll/RT_STRING/101", "res:///RT_STRING/#1",
                           "res://a.dll/RT_STRING/#", "res://a.dll/RT_STRING/#12x",
                           "res://a.dll/RT_STRING/#70000"}) {
    EXPECT_FALSE(ParseStringResourceUrl(text, dll, id)) << text;
  }
  // Plain text stands for itself; a reference to nothing loadable is empty.
  EXPECT_EQ(ResolveEffectText("Plain Name", "{00000000-0000-0000-0000-000000000000}"),
            "Plain Name");
  EXPECT_EQ(ResolveEffectText("res://missing.dll/RT_STRING/#1",
                              "{00000000-0000-0000-0000-000000000000}"),
            "");
}

TEST(EffectsCatalog, ChoosesByKeyNameOrClassid) {
  std::vector<EffectEntry> entries(2);
  entries[0].key = "Alpha";
  entries[0].name = "First Sight";
  entries[0].classidText = "{11111111-1111-1111-1111-111111111111}";
  entries[1].key = "Kmwmp";
  entries[1].name = "Kamiru";
  entries[1].classidText = "{3B7E51A0-6C24-4F8B-9D13-5E2A7C0F4B61}";
  EXPECT_EQ(ChooseEffect(entries, ""), &entries[0]);
  EXPECT_EQ(ChooseEffect(entries, "kmwmp"), &entries[1]);
  EXPECT_EQ(ChooseEffect(entries, "KAMIRU"), &entries[1]);
  EXPECT_EQ(ChooseEffect(entries, "{3b7e51a0-6c24-4f8b-9d13-5e2a7c0f4b61}"), &entries[1]);
  EXPECT_EQ(ChooseEffect(entries, "Other"), nullptr);
  EXPECT_EQ(ChooseEffect({}, ""), nullptr);
}

TEST(BitmapFile, WritesTwentyFourBitRowsBottomUp) {
  Picture picture;
  picture.width = 3;  // rows padded to 12 bytes
  picture.height = 2;
  picture.pixels = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203};
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "wmphost-bitmap-test.bmp";
  ASSERT_TRUE(WriteBitmapFile(path.c_str(), picture));

  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  unsigned char bytes[128] = {};
  const size_t size = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  EXPECT_EQ(size, 54u + 2 * 12);
  EXPECT_EQ(bytes[28], 24);
  // The first row in the file is the bottom one, blue green red.
  EXPECT_EQ(bytes[54], 0xC0);
  EXPECT_EQ(bytes[55], 0xB0);
  EXPECT_EQ(bytes[56], 0xA0);
  EXPECT_EQ(bytes[66], 0x30);

  Picture back;
  ASSERT_TRUE(ReadBitmapFile(path.c_str(), back));
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.pixels, picture.pixels);
  DeleteFileA(path.c_str());

  Picture empty;
  EXPECT_FALSE(WriteBitmapFile(path.c_str(), empty));
}
