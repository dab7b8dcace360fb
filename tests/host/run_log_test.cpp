// The log's lines: whatever a value holds, every line of the file begins
// with the run's time stamp.
#include <gtest/gtest.h>

#include <string>

#include "app/run_log.h"
#include "fakes/fake_machine.h"
#include "fakes/fake_system.h"

namespace pelmora {
namespace {

TEST(RunLogTest, ALoneCrOrLfInAValueStartsAStampedLineAsCrLfDoes) {
  fake::Files().Clear();
  fake::ClearSystem();
  fake::Files().AddFolder("C:\\logs");
  {
    RunLog log;
    std::uint32_t error = 0;
    ASSERT_TRUE(log.Open("C:\\logs\\p.log", &error)) << error;
    log.Write(BoxText(TextView("a\r\nb\rc\nd\n\r2026-01-01 00:00:00 e")));
  }
  const std::string stamp = "2026-12-08 09:05:03 ";
  EXPECT_EQ(fake::Files().ReadFile("C:\\logs\\p.log"),
            "\xEF\xBB\xBF" + stamp + "a\r\n" + stamp + "b\r\n" + stamp + "c\r\n" + stamp +
                "d\r\n" + stamp + "\r\n" + stamp + "2026-01-01 00:00:00 e\r\n");
  fake::Files().Clear();
}

}  // namespace
}  // namespace pelmora
