// Box texts keep each part's code page up to the platform call, so a path
// is converted from the system's page and the wording from GBK.
#include <gtest/gtest.h>

#include "fakes/dialog_fake.h"
#include "fakes/gbk.h"
#include "runtime/text/box_text.h"
#include "runtime/window/dialog_port.h"
#include "runtime/window/dialogs.h"
#include "runtime/system/system_error.h"

namespace pelmora {
namespace {

using Page = BoxText::CodePage;

std::string Gbk(const std::string& utf8) { return fake::Utf8ToGbk(utf8); }

TEST(BoxTextTest, FillPutsTheInsertedPartsIntoTheSlotKeepingTheirPages) {
  BoxText inserted;
  inserted.AppendSystem("C:\\Caf\xE9\\a.wll").AppendGbk(TextView(Gbk(u8"\r\n原因：拒绝").c_str()));
  const std::string templ = Gbk(u8"以下文件：\r\n{}\r\n请重试。");
  BoxText text = BoxText::Fill(templ.c_str(), inserted);
  ASSERT_EQ(text.parts().size(), 3u);
  EXPECT_EQ(text.parts()[0].code_page, Page::kGbk);
  EXPECT_EQ(fake::GbkToUtf8(text.parts()[0].bytes), u8"以下文件：\r\n");
  EXPECT_EQ(text.parts()[1].code_page, Page::kSystem);
  EXPECT_EQ(text.parts()[1].bytes, "C:\\Caf\xE9\\a.wll");
  EXPECT_EQ(fake::GbkToUtf8(text.parts()[2].bytes), u8"\r\n原因：拒绝\r\n请重试。");
}

TEST(BoxTextTest, SlotIsFoundCharacterByCharacterAndMayBeMissing) {
  // 0x81 0x7B is one GBK character whose second byte is "{".
  const std::string templ = "\x81{}x{}";
  BoxText text = BoxText::Fill(templ.c_str(), BoxText().AppendSystem("P"));
  ASSERT_EQ(text.parts().size(), 2u);  // nothing follows the slot
  EXPECT_EQ(text.parts()[0].bytes, "\x81{}x");
  EXPECT_EQ(text.parts()[1].bytes, "P");
  BoxText whole = BoxText::Fill("no slot", BoxText().AppendSystem("P"));
  ASSERT_EQ(whole.parts().size(), 1u);
  EXPECT_EQ(whole.parts()[0].bytes, "no slot");
}

TEST(BoxTextTest, ThePlatformReceivesEveryPartWithItsPage) {
  fake::Dialogs().Clear();
  BoxText text("A");
  text.AppendSystem("C:\\Caf\xE9").AppendGbk("B");
  ShowBoxText(text, kBoxOk, TextView("T"));
  ASSERT_EQ(fake::Dialogs().boxes.size(), 1u);
  EXPECT_EQ(fake::Dialogs().boxes[0].text, "AC:\\Caf\xE9" "B");
  EXPECT_EQ(fake::Dialogs().boxes[0].system_parts, std::vector<std::string>{"C:\\Caf\xE9"});
  EXPECT_EQ(fake::Dialogs().boxes[0].style, port::kBoxTaskModal);
}

TEST(SystemErrorTest, AFailureWithoutACodeNeverReadsAsSuccess) {
  EXPECT_EQ(fake::GbkToUtf8(DescribeSystemError(0).c_str()), u8"未知错误（系统没有给出原因）");
}

}  // namespace
}  // namespace pelmora
