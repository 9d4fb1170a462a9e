// Telling CP932 from UTF-8 and UTF-16 in files from any editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_encoding.h"

using platform::DecodeText;
using platform::DetectEncoding;
using platform::TextEncoding;

namespace {

struct Phrase {
  std::string cp932;  // the compiler's own CP932 form
  std::string utf8;
};

// Each phrase twice: the plain literal is compiled to CP932, the u8 one stays UTF-8.
#define PHRASE(text) Phrase{text, u8##text}

// Ordinary texts of the kind our files hold: alarm titles and messages,
// anniversaries, skin comments, names (some in half-width katakana).
const std::vector<Phrase>& Corpus() {
  static const std::vector<Phrase> corpus = {
      PHRASE("起床"), PHRASE("朝ごはんの時間です"), PHRASE("会議の十分前です"),
      PHRASE("薬を飲む"), PHRASE("ゴミ出し（燃えるゴミ）"), PHRASE("歯医者の予約"),
      PHRASE("お昼休み終了"), PHRASE("洗濯物を取り込む"), PHRASE("定時です。お疲れさまでした"),
      PHRASE("ｱﾗｰﾑ"), PHRASE("ﾃｽﾄ"), PHRASE("ﾃﾞｰﾀ保存"), PHRASE("ｺｰﾋｰﾌﾞﾚｲｸ"),
      PHRASE("元日"), PHRASE("成人の日"), PHRASE("建国記念の日"), PHRASE("春分の日"),
      PHRASE("昭和の日"), PHRASE("憲法記念日"), PHRASE("みどりの日"), PHRASE("こどもの日"),
      PHRASE("海の日"), PHRASE("敬老の日"), PHRASE("秋分の日"), PHRASE("文化の日"),
      PHRASE("勤労感謝の日"), PHRASE("母の誕生日"), PHRASE("結婚記念日"), PHRASE("七夕"),
      PHRASE("大晦日"), PHRASE("節分"), PHRASE("お盆休み"),
      PHRASE("標準スキン"), PHRASE("文字盤と針を描いたスキンです"), PHRASE("作者：山田太郎"),
      PHRASE("表示ソフト"), PHRASE("時計"), PHRASE("ほらるね時計"), PHRASE("予定はありません"),
      PHRASE("田中 ﾀﾅｶ"), PHRASE("佐藤花子さんの誕生日"), PHRASE("ｶﾀｶﾅ ﾉ ﾅﾏｴ"), PHRASE("①会議室"),
      PHRASE("噂の真相"), PHRASE("髙橋さん"), PHRASE("ソフトウェア更新"), PHRASE("能力"),
      PHRASE("ﾖｳｺｿ"), PHRASE("午前７時３０分"), PHRASE("「お知らせ」"), PHRASE("〒１００－０００１"),
  };
  return corpus;
}

#undef PHRASE

TEST(TextEncodingDetection, JapanesePhrasesInEitherEncoding) {
  for (const Phrase& p : Corpus()) {
    // Alone, inside an INI line and inside an anniversary line.
    for (const std::string& frame : {std::string("%"), std::string("[Alarm]\r\nTitle00=%\r\n"),
                                     std::string("0101 %\n")}) {
      const std::size_t at = frame.find('%');
      const std::string cp932 = frame.substr(0, at) + p.cp932 + frame.substr(at + 1);
      const std::string utf8 = frame.substr(0, at) + p.utf8 + frame.substr(at + 1);
      EXPECT_EQ(DetectEncoding(cp932), TextEncoding::Cp932) << p.utf8 << " in " << frame;
      EXPECT_EQ(DetectEncoding(utf8), TextEncoding::Utf8) << p.utf8 << " in " << frame;
      const platform::DecodedText decoded = DecodeText(utf8);
      EXPECT_EQ(decoded.text, cp932) << p.utf8;
      EXPECT_FALSE(decoded.lossy) << p.utf8;
    }
  }
}

TEST(TextEncodingDetection, WholeFilesOfPhrases) {
  std::string cp932, utf8;
  for (const Phrase& p : Corpus()) {
    cp932 += "0101 " + p.cp932 + "\r\n";
    utf8 += "0101 " + p.utf8 + "\r\n";
  }
  EXPECT_EQ(DetectEncoding(cp932), TextEncoding::Cp932);
  EXPECT_EQ(DetectEncoding(utf8), TextEncoding::Utf8);
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + utf8).text, cp932);
  EXPECT_EQ(DecodeText(cp932).text, cp932);
  EXPECT_EQ(DetectEncoding("[Init]\r\nPosX=1\r\n"), TextEncoding::Cp932);
  // Accented Latin in UTF-8 would be half-width katakana pairs in CP932.
  // (Kept out of the macros: their messages quote the literal in CP932.)
  const std::string author = u8"; skin by José Müller ©\n";
  EXPECT_EQ(DetectEncoding(author), TextEncoding::Utf8);
  EXPECT_EQ(DetectEncoding(u8"; Москва\n"), TextEncoding::Utf8);
  // ...but alone between '=' and the line end, the pair is half-width katakana:
  // "ﾎｻ" would be λ, "ﾈｺ" Ⱥ, "ﾂｷ" a middle dot, and 莉子 "从q".
  for (const char* cp932 : {"k=\xCE\xBB\r\n", "k=\xC8\xBA\r\n", "k=\xC2\xB7\r\n",
                            "k=\xE4\xBB\x8E\x71\r\n"}) {
    EXPECT_EQ(DetectEncoding(cp932), TextEncoding::Cp932) << cp932;
  }
  const std::string jose = u8"; José\n";
  const platform::DecodedText latin = DecodeText(jose);
  EXPECT_TRUE(latin.lossy);  // replaced, or a look-alike on Windows: either way not é
  EXPECT_EQ(latin.text.substr(0, 5), "; Jos");
  EXPECT_EQ(DetectEncoding(""), TextEncoding::Cp932);
}

TEST(TextEncodingDetection, ByteOrderMarks) {
  std::string utf16;
  ASSERT_TRUE(platform::Utf8FromUtf16Le(std::string("\x42\x30\x7E\x30", 4), utf16));
  EXPECT_EQ(utf16, u8"あま");
  const std::string wide = "\xFF\xFE" + platform::Utf16LeFromUtf8(u8"[a]\r\nk=時計𠮷\n");
  const platform::DecodedText decoded = DecodeText(wide);
  EXPECT_EQ(decoded.encoding, TextEncoding::Utf16LeBom);
  EXPECT_EQ(decoded.text.substr(0, 11), "[a]\r\nk=時計");
  EXPECT_EQ(decoded.text.back(), '\n');
  EXPECT_NE(decoded.text.find('?', 11), std::string::npos);  // 𠮷 has no CP932 form
  EXPECT_TRUE(decoded.lossy);
  // A mark decides whatever follows and never reaches the text; what does not
  // decode reads as one replacement each, the rest intact, as Windows reads it.
  struct Marked {
    std::string bytes;
    TextEncoding encoding;
    std::string text;
  };
  const std::vector<Marked> marked = {
      {"\xEF\xBB\xBF[a]\r\nk=\x8E\x9E\r\n", TextEncoding::Utf8Bom, "[a]\r\nk=??\r\n"},
      {std::string("\xFF\xFE[\0a\0]\0x", 9), TextEncoding::Utf16LeBom, "[a]?"},
      {std::string("\xFF\xFE[\0\x00\xDC]\0", 8), TextEncoding::Utf16LeBom, "[?]"},
      {std::string("\xFE\xFF\0[\0a\x30\x42\xD8\x00\0]", 12), TextEncoding::Utf16BeBom,
       "[aあ?]"},
      {std::string("[\0a\0]\0\r\0\n\0k\0=\0\x42\x30", 16), TextEncoding::Utf16Le,
       "[a]\r\nk=あ"},
  };
  for (const Marked& m : marked) {
    const platform::DecodedText read = DecodeText(m.bytes);
    EXPECT_EQ(read.encoding, m.encoding) << read.text;
    EXPECT_EQ(read.text, m.text);
    EXPECT_TRUE(read.lossy || m.encoding == TextEncoding::Utf16Le) << read.text;
  }
  // Without a mark, UTF-16 needs its plain pattern: CP932 and UTF-8 never qualify.
  EXPECT_EQ(DetectEncoding(std::string("\x42\x30\x42\x30", 4)), TextEncoding::Cp932);
  EXPECT_EQ(DetectEncoding(std::string("a\0\0\0", 4)), TextEncoding::Cp932);
  EXPECT_EQ(DetectEncoding(std::string("a\0b\0c", 5)), TextEncoding::Cp932);
  const std::string big = u8"[時]\r\nk=𠮷\r\n";
  std::string back;
  EXPECT_TRUE(platform::Utf8FromUtf16(platform::Utf16FromUtf8(big, true), true, back));
  EXPECT_EQ(back, big);
  EXPECT_FALSE(platform::IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(platform::IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(platform::IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_FALSE(platform::IsValidUtf8("\xE3\x81"));          // cut short
}

}  // namespace
