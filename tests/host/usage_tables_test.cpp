// The switches and exit codes that the README and the user guide list are
// the ones the usage box lists: the program's own tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/exit_codes.h"
#include "fakes/gbk.h"
#include "whole_file.h"

namespace pelmora::testing {
namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream text(WholeFile(path).value_or(""));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  EXPECT_FALSE(lines.empty()) << "cannot read " << path;
  return lines;
}

// The switch names a row of a table names ("/?", "/help"), in order.
std::string SwitchNames(const std::string& text) {
  static const std::regex kSwitch("/[a-z?]+");
  std::string names;
  for (std::sregex_iterator it(text.begin(), text.end(), kSwitch), end; it != end; ++it) {
    names += it->str() + " ";
  }
  return names;
}

std::string WithoutBlanks(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

// The first cells of the markdown table under `header`.
std::vector<std::string> FirstCells(const std::vector<std::string>& lines, const std::string& header) {
  std::vector<std::string> cells;
  auto it = std::find(lines.begin(), lines.end(), header);
  if (it == lines.end()) return cells;
  for (it += 2; it != lines.end() && it->rfind("| ", 0) == 0; ++it) {
    cells.push_back(it->substr(2, it->find(" |", 2) - 2));
  }
  return cells;
}

std::vector<std::string> BoxSwitches() {
  std::vector<std::string> names;
  for (const SwitchMeaning& row : kSwitchMeanings) names.push_back(SwitchNames(row.usage));
  return names;
}

TEST(UsageTables, TheReadmeListsTheSwitchesAndCodesOfTheUsageBox) {
  const std::vector<std::string> readme = Lines(PELMORA_SOURCE_DIR "/README.md");
  std::vector<std::string> switches;
  for (const std::string& cell : FirstCells(readme, "| switch | meaning |")) {
    switches.push_back(SwitchNames(cell));
  }
  EXPECT_EQ(switches, BoxSwitches());
  std::vector<std::string> codes;
  for (const ExitCodeMeaning& row : kExitCodeMeanings) codes.push_back(std::to_string(row.code));
  EXPECT_EQ(FirstCells(readme, "| code | meaning |"), codes);
}

TEST(UsageTables, TheUserGuideListsTheSwitchesAndCodesWithTheBoxsWords) {
  const std::vector<std::string> guide =
      Lines(PELMORA_SOURCE_DIR "/resources/release/user_guide.txt.in");
  // Its tables are the lines indented by two blanks, a switch or a code
  // first; longer explanations go on further-indented lines.
  static const std::regex kSwitchRow(u8"^  (（无参数）|/\\S+.*?)  +\\S.*$");
  static const std::regex kCodeRow("^  ([0-9]+) +(\\S.*)$");
  std::vector<std::string> switches;
  std::vector<std::string> codes;
  for (const std::string& line : guide) {
    std::smatch match;
    if (std::regex_match(line, match, kSwitchRow)) switches.push_back(SwitchNames(match[1]));
    if (std::regex_match(line, match, kCodeRow)) codes.push_back(match[1].str() + " " + match[2].str());
  }
  EXPECT_EQ(switches, BoxSwitches());
  std::vector<std::string> expected;
  for (const ExitCodeMeaning& row : kExitCodeMeanings) {
    expected.push_back(std::to_string(row.code) + " " + fake::GbkToUtf8(row.meaning));
  }
  ASSERT_EQ(codes.size(), expected.size());
  for (std::size_t i = 0; i < codes.size(); ++i) {
    EXPECT_EQ(WithoutBlanks(codes[i]), WithoutBlanks(expected[i]));
  }
}

}  // namespace
}  // namespace pelmora::testing
