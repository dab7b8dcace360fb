// The program's exit codes, for deployment tools that judge a run by its
// code, with what each means as the usage box tells it. Windows
// Installer's numbers where the meaning is the same, so those tools treat
// them right without configuration (1618 is retried by default). The
// README and the user guide repeat this table; a test holds them to it.
#pragma once

namespace pelmora {

enum ExitCode : int {
  kExitDone = 0,
  kExitNotDone = 1,
  kExitNoMathType = 2,
  kExitNoWps = 3,
  kExitFileFailed = 1603,
  kExitTryLater = 1618,
  kExitLogUnwritable = 1622,
  kExitInvalidCommandLine = 1639,
};

struct ExitCodeMeaning {
  ExitCode code;
  const char* meaning;
};

inline constexpr ExitCodeMeaning kExitCodeMeanings[] = {
    {kExitDone, "完成：已嵌入（或原已嵌入）、已移除（或无需移除）、检查结果为已嵌入"},
    {kExitNotDone, "检查结果为未嵌入；有窗口的移除没有完成"},
    {kExitNoMathType, "未找到MathType 7，或MathType缺少WPS所需的文件"},
    {kExitNoWps, "未找到WPS"},
    {kExitFileFailed, "有文件未能放置或删除（见记录）"},
    {kExitTryLater, "WPS正在运行，或另一个Pelmora正在运行：请稍后重试"},
    {kExitLogUnwritable, "无法打开记录文件"},
    {kExitInvalidCommandLine, "命令行无效"},
};

}  // namespace pelmora
