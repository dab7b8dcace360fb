// Every text the program shows, in one place. Titles and messages are the
// program's own wording and must not drift; the failure boxes report
// what the user has to act on, with the system's reason filled in.
#pragma once

namespace pelmora::messages {

struct Box {
  const char* title;
  const char* text;
};

// Shown from the window's Created event, before the window appears.
inline constexpr Box kNotice = {
    "嵌入前准备！",
    "你需要安装wps2019版以上，并且MathType需要是会员激活状态，否则嵌入后面板为灰色将不可用"};

// Discovery.
inline constexpr Box kMathTypeMissing = {"你还没有安装MathType7",
                                         "没有找到MathType7，请下载安装MathType7后再打开这个软件！"};
inline constexpr Box kWpsMissing = {"你还没有安装WPS", "没有找到WPS，请下载安装WPS后再打开这个软件！"};
inline constexpr Box kTemplateMissing = {"未找到你MathType的dotm文件", "请重新安装MathType7！"};
inline constexpr Box kAddInMissing = {"未找到你MathType的MathPage.wll文件", "请重新安装MathType7！"};
inline constexpr Box kWpsFolderMissing = {"未找到你WPS的相关文件夹！", "请重新安装WPS或寻找官方帮助！"};

// Desktop route.
inline constexpr Box kNoDesktopShortcut = {"在桌面未寻找到WPS",
                                           "在桌面未寻找到WPS快捷方式，请为WPS在桌面创建快捷方式"};
inline constexpr Box kNoVersionFolder = {
    "未找到WPS的安装目录",
    "无法从桌面快捷方式找到WPS的版本文件夹，请为WPS在桌面重新创建快捷方式"};

// Placement. Asked with Retry and Cancel while a WPS program still runs.
inline constexpr Box kWpsRunning = {
    "WPS正在运行",
    "请保存文档并关闭所有WPS窗口，然后点击“重试”继续；点击“取消”结束嵌入。"};

// Boxes whose texts have places "{}" that the program fills in.

// Placement: the slot takes, for each failed destination, its path
// followed by kFailedReason with the system's reason.
inline constexpr Box kCopyFailed = {
    "复制文件失败",
    "以下文件未能复制，嵌入没有完成，WPS中的文件已恢复原样：\r\n\r\n{}\r\n请关闭WPS后重新运行本软件。"};
// When some destinations could not be put back either: the second slot
// lists those, each with kFailedReason.
inline constexpr Box kCopyFailedNotRestored = {
    "复制文件失败",
    "以下文件未能复制，嵌入没有完成：\r\n\r\n{}\r\n以下文件未能恢复原样，请手动删除：\r\n\r\n{}"
    "\r\n请关闭WPS后重新运行本软件。"};
// The reason for a copy that read back other bytes than its source.
inline constexpr const char* kCopyMismatch = "复制后的内容与原文件不一致。";
// After each file a copy or a deletion failed on.
inline constexpr const char* kFailedReason = "\r\n    原因：{}\r\n";
// The reason for a file in one of WPS's folders that leads elsewhere (a
// link or junction someone put in its place): nothing went through it.
inline constexpr const char* kFolderLeadsElsewhere = "文件夹指向其他位置，未写入";

// VBA step.
inline constexpr Box kVbaNotice = {"嵌入提示！",
                                   "现在程序将打开VBA安装界面，你需要按照步骤完成VBA的安装！"};
inline constexpr Box kVbaQuestion = {"重要提示！", "你是否已经正常安装VBA?"};
// The slot takes the support group's number.
inline constexpr Box kDone = {"成功！",
                              "嵌入过程执行完毕，如果没有正常嵌入可以加入QQ群：{}，获得技术支持！"};
inline constexpr Box kVbaManual = {"重要提示！", "你可以手动点击【vba.exe】完成安装，然后手动删除"};
// The slot takes the installer's path followed by kVbaFailedReason.
inline constexpr Box kVbaFailed = {"无法启动VBA安装程序", "无法写入或启动VBA安装程序：\r\n{}"};
inline constexpr const char* kVbaFailedReason = "\r\n\r\n原因：{}";
inline constexpr const char* kVbaMismatch = "写出的文件与本软件携带的安装程序不一致，可能已被其他程序改动";

// Removal of the panel. The question's slot takes one path per line; the
// failure box's slot takes, for each file still there, its path followed
// by kFailedReason with the system's reason.
inline constexpr const char* kRemoveMenuItem = "从WPS移除MathType面板…";
inline constexpr const char* kRemoveTitle = "移除MathType面板";
inline constexpr Box kNothingToRemove = {kRemoveTitle, "WPS中没有找到已嵌入的MathType面板。"};
inline constexpr Box kRemoveQuestion = {kRemoveTitle, "将从WPS中删除以下文件：\r\n{}\r\n\r\n是否继续？"};
inline constexpr Box kRemoved = {"移除完毕", "已从WPS中移除MathType面板，重新打开WPS后生效。"};
// After a removal from every WPS, one version folder per line.
inline constexpr const char* kRemoveLeftRunning =
    "以下WPS正在运行，其中的MathType面板文件未删除：\r\n{}\r\n请关闭这些WPS后再次移除。";
inline constexpr Box kRemoveFailed = {
    "移除文件失败",
    "以下文件未能删除，其余文件已删除：\r\n\r\n{}\r\n请关闭WPS后再次移除，或手动删除这些文件。"};

// The status report. Its slots: MathType's folder (or kStatusNotFound),
// then for each WPS kStatusWpsLine (with kStatusWpsFolder, or
// kStatusNotFound) and the lines below it.
inline constexpr const char* kCheckMenuItem = "检查嵌入状态…";
inline constexpr Box kStatus = {"嵌入状态", "MathType 7：{}\r\n{}按Ctrl+C可复制本窗口的内容。"};
inline constexpr const char* kStatusWpsLine = "WPS：{}\r\n";
inline constexpr const char* kStatusNotFound = "未找到";
// The version folder, the place that named it and the bitness of its pair.
inline constexpr const char* kStatusWpsFolder = "{}（{}，{}）";
inline constexpr const char* kStatusPlaceMachineList = "安装列表";
inline constexpr const char* kStatusPlaceUserList = "当前用户的安装列表";
inline constexpr const char* kStatusPlaceMachine64List = "64位安装列表";
inline constexpr const char* kStatusPlaceInstallRoot = "InstallRoot";
inline constexpr const char* kStatusPlaceInstallRoot64 = "64位InstallRoot";
inline constexpr const char* kStatusPlaceShortcut = "桌面快捷方式";
// A place of another account: the name of its profile folder, then the
// place; its uninstall list is kStatusPlaceAccountList.
inline constexpr const char* kStatusAccountPlace = "{}的{}";
inline constexpr const char* kStatusPlaceAccountList = "安装列表";
inline constexpr const char* kStatus32Bit = "32位";
inline constexpr const char* kStatus64Bit = "64位";
inline constexpr const char* kStatusRunningLine = "WPS正在运行：{}\r\n";
inline constexpr const char* kStatusYes = "是";
inline constexpr const char* kStatusNo = "否";
inline constexpr const char* kStatusPanelLine = "MathType面板：{}\r\n";
inline constexpr const char* kStatusEmbedded = "已嵌入";
inline constexpr const char* kStatusNotEmbedded = "未嵌入";
inline constexpr const char* kStatusEmbedAgain = "需要重新嵌入";
inline constexpr const char* kStatusCannotCheck = "无法检查";
// A destination's path and its state.
inline constexpr const char* kStatusFileLine = "{}：{}\r\n";
inline constexpr const char* kStatusFileSame = "一致";
inline constexpr const char* kStatusFileDifferent = "不一致";
inline constexpr const char* kStatusFileMissing = "缺少";
inline constexpr const char* kStatusFilePresent = "存在";
// The slot takes kStatusNone, or a line break before each other version
// folder that holds a copy.
inline constexpr const char* kStatusOtherCopiesLine = "其他版本文件夹中的副本：{}\r\n";
inline constexpr const char* kStatusNone = "无";

// The command line. The usage box's slots take the lines of the switches'
// table (app/command_line.h), each ending its line, then those of the exit
// codes' table (app/exit_codes.h), one per line; kUsageLine makes each.
inline constexpr Box kUsage = {
    "Pelmora 命令行",
    "pelmora.exe [/remove | /check] [/quiet] [/allusers] [/log 文件]\r\n\r\n{}\r\n退出代码：\r\n{}"};
inline constexpr const char* kUsageLine = "{}\t{}";
// The first line of the usage box for a line that is not understood.
inline constexpr const char* kUnknownArgument = "无法识别的参数：{}\r\n\r\n";
inline constexpr const char* kAllUsersAlone =
    "/allusers 只能与 /quiet、/remove 或 /check 一起使用\r\n\r\n";
inline constexpr Box kLogUnwritable = {"无法写入记录文件", "无法打开记录文件：\r\n{}\r\n\r\n原因：{}"};
// Its reason for a log file, or its folder, that leads elsewhere.
inline constexpr const char* kLogLeadsElsewhere = "记录文件或其所在的文件夹指向其他位置，未写入";

// The log's lines.
// The last slot is empty, or says the run looks at every account.
inline constexpr const char* kLogStart = "Pelmora {} 开始运行；命令行：{}；{}位Windows；用户：{}{}";
inline constexpr const char* kLogEnd = "运行结束，退出代码：{}";
inline constexpr const char* kLogMachineMathType = "安装列表：MathType 7：{}";
inline constexpr const char* kLogMachineOtherMathType = "安装列表：{}（其他发行商的MathType，不采用）";
inline constexpr const char* kLogMachineWps = "安装列表：WPS：{}";
inline constexpr const char* kLogMachineOtherWps = "安装列表：{}（其他发行商的WPS，不采用）";
inline constexpr const char* kLogMachineNoWps = "安装列表：没有WPS";
inline constexpr const char* kLogPlaceGave = "{}：{}";
inline constexpr const char* kLogPlaceEmpty = "{}：没有WPS";
// The slot takes the desktop's place name.
inline constexpr const char* kLogNoShortcut = "{}：没有名称含“wps”的快捷方式";
inline constexpr const char* kLogNoVersionFolder = "{}：无法从快捷方式找到WPS的版本文件夹";
inline constexpr const char* kLogMathTypeFolder = "MathType 7的文件夹：{}";
inline constexpr const char* kLogNoMathType = "未找到MathType 7";
inline constexpr const char* kLogWpsFolder = "WPS的版本文件夹：{}（{}）";
inline constexpr const char* kLogNoWps = "未找到WPS";
inline constexpr const char* kLogPair = "采用MathType的{}文件：{}";
inline constexpr const char* kLogPairWhy64 = "wps.exe是64位程序";
inline constexpr const char* kLogPairWhy32 = "wps.exe是32位程序或无法检查";
inline constexpr const char* kLogPairIncomplete = "MathType缺少文件：{}";
inline constexpr const char* kLogWpsRunning = "WPS正在运行：{}";
inline constexpr const char* kLogAlreadyEmbedded = "已嵌入，三个文件与MathType的文件一致，无需改动";
inline constexpr const char* kLogPlaced = "已放置：{}（{}字节）";
inline constexpr const char* kLogNotPlaced = "未能放置：{}：{}";
inline constexpr const char* kLogNotRestored = "未能恢复原样：{}：{}";
// A folder of WPS that nothing is written to or deleted from, and why.
inline constexpr const char* kLogFolderRefused = "不在其中写入或删除的文件夹：{}：{}";
inline constexpr const char* kLogDeleted = "已删除：{}";
inline constexpr const char* kLogNotDeleted = "未能删除：{}：{}";
inline constexpr const char* kLogWpsLeftRunning = "WPS正在运行，不等待：此WPS不做改动";
inline constexpr const char* kLogNothingToRemove = "WPS中没有已嵌入的MathType面板";
inline constexpr const char* kLogVbaStarted = "VBA安装程序已启动：{}";
inline constexpr const char* kLogVbaSkipped =
    "无人值守运行不写出也不启动VBA安装程序：WPS的VBA支持需另行部署";
inline constexpr const char* kLogAnotherRun = "另一个Pelmora正在运行";
// A run over every account: each account by its profile folder, and how
// its hive was read or why it was passed over.
inline constexpr const char* kLogAccountInUse = "帐户：{}（用户已登录，读取其已加载的注册表）";
inline constexpr const char* kLogAccountLoaded = "帐户：{}（已加载其NTUSER.DAT，读完即卸载）";
inline constexpr const char* kLogAccountPassedOver = "帐户：{}（跳过：{}）";
inline constexpr const char* kLogWpsCountedOnce = "{}：已找到，只计一次";
inline constexpr const char* kLogAllAccounts = "；查看本机所有帐户的WPS";
inline constexpr const char* kLogAllAccountsAsSystem =
    "；以LocalSystem运行，如同给出 /allusers：查看本机所有帐户的WPS";
inline constexpr const char* kLogUnattendedAccount =
    "无人值守运行只查看本帐户的注册表和桌面：其他帐户安装的WPS请用 /allusers 查找";

}  // namespace pelmora::messages
