// The form compiler guards the form source: the committed source compiles to
// exactly the bytes the build embeds, and a source with a missing, unknown or
// impossible field stops the build instead of storing a default. The source
// is UTF-8, so its texts appear here as u8 literals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "whole_file.h"

namespace {

using pelmora::testing::WholeFile;

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  std::fclose(f);
}

class FormCompiler : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/pelmora-formc-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    source_ = WholeFile(PELMORA_FORM_SOURCE).value_or("");
    ASSERT_FALSE(source_.empty());
    // The icon is named relative to the source; point at the committed one.
    const std::string source_path = PELMORA_FORM_SOURCE;
    const std::string icon = source_path.substr(0, source_path.rfind('/') + 1) + "pelmora.ico";
    Replace("file \"pelmora.ico\"", "file \"" + icon + "\"");
  }
  void TearDown() override {
    std::remove((folder_ + "/in.form").c_str());
    std::remove((folder_ + "/out").c_str());
    std::remove((folder_ + "/log").c_str());
    rmdir(folder_.c_str());
  }

  // Replaces the first occurrence; the test fails if there is none.
  void Replace(const std::string& from, const std::string& to) {
    const std::size_t at = source_.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    source_.replace(at, from.size(), to);
  }

  // Runs formc on the current source; true when it succeeded. The message
  // it printed is kept in log_.
  bool Compile() {
    WriteFileBytes(folder_ + "/in.form", source_);
    const std::string command = std::string(PELMORA_FORMC) + " " + folder_ + "/in.form " +
                                folder_ + "/out 2>" + folder_ + "/log";
    const int status = std::system(command.c_str());
    log_ = WholeFile(folder_ + "/log").value_or("");
    const bool has_output = WholeFile(folder_ + "/out").has_value();
    EXPECT_EQ(status == 0, has_output) << "output exists exactly when formc succeeds";
    return status == 0;
  }

  std::string folder_, source_, log_;
};

TEST_F(FormCompiler, CommittedSourceGivesTheBytesTheBuildEmbeds) {
  ASSERT_TRUE(Compile()) << log_;
  EXPECT_EQ(WholeFile(folder_ + "/out"), WholeFile(PELMORA_FORM_BINARY));
}

TEST_F(FormCompiler, MissingOrRepeatedFieldsStopTheBuild) {
  Replace("  word_wrap 0\n", "");
  EXPECT_FALSE(Compile());
  EXPECT_NE(log_.find("missing field word_wrap"), std::string::npos) << log_;

  SetUp();
  Replace("  rect 56 104 256 24\n", "");
  EXPECT_FALSE(Compile());

  SetUp();
  Replace("  tag \"\"\n", "  tag \"\"\n  tag \"\"\n");
  EXPECT_FALSE(Compile());
  EXPECT_NE(log_.find("given twice"), std::string::npos) << log_;
}

TEST_F(FormCompiler, FieldsOfALaterDataVersionAreToldFromUnknownOnes) {
  Replace("  data 6\n", "  data 1\n");  // the window's layout before show_in_taskbar
  EXPECT_FALSE(Compile());
  EXPECT_NE(log_.find("\"show_in_taskbar\" is not stored at this data version"),
            std::string::npos)
      << log_;

  SetUp();
  Replace("  word_wrap 0\n", "  word_wrap 0\n  wordwrap 0\n");
  EXPECT_FALSE(Compile());
  EXPECT_NE(log_.find("unknown field \"wordwrap\""), std::string::npos) << log_;
}

TEST_F(FormCompiler, UnknownOrImpossibleValuesStopTheBuildWithTheirLine) {
  const struct {
    const char* from;
    const char* to;
  } cases[] = {
      {"  word_wrap 0\n", "  word_wrapping 0\n"},             // unknown field
      {"  data 2\n", "  data 3\n"},                           // label layout above the highest
      {"flags visible tabstop", "flags visible tabstob"},     // unknown flag
      {"event LeftButtonDown OnStoreLinkPressed", "event Clicked OnStoreLinkPressed"},
      {"event Clicked OnStartClicked", "event Clicked OnStartPressed"},
      {"rect 64 27 248 40", "rect 64 27 248"},                // too few values
      {"maximum 100", "maximum 0x100000000"},                 // beyond 32 bits
      {u8"caption \"执行进度：\"", u8"caption \"执行进度\U0001F600\""},  // no GBK form
      {"unit Label 0x16010141", "unit Lable 0x16010141"},
      {"unit Label 0x16010141", "unit Label 0x16010140"},     // identifier used twice
  };
  for (const auto& c : cases) {
    SetUp();
    Replace(c.from, c.to);
    EXPECT_FALSE(Compile()) << c.to;
    EXPECT_NE(log_.find("in.form:"), std::string::npos) << "names the line: " << log_;
  }
}

TEST_F(FormCompiler, AParentThatDoesNotListItsChildStopsTheBuild) {
  Replace("children 0x16010007", "children");
  EXPECT_FALSE(Compile());
  EXPECT_NE(log_.find("parent"), std::string::npos) << log_;
}

TEST_F(FormCompiler, TheWindowsOwnRecordMustComeFirst) {
  Replace("unit window 0x06010000", "unit GroupBox 0x06010000");
  EXPECT_FALSE(Compile());
}

}  // namespace
