#include "controls/MessageBoxLayout.h"

#include <gtest/gtest.h>

#include <string>

TEST(MessageBoxLayout, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDivRound(10, 7, 4), 18);    // 17.5
  EXPECT_EQ(MulDivRound(-10, 7, 4), -18);  // -17.5
  EXPECT_EQ(MulDivRound(10, -7, -4), 18);
  EXPECT_EQ(MulDivRound(1, 1, 3), 0);
  EXPECT_EQ(MulDivRound(2, 1, 3), 1);
  EXPECT_EQ(MulDivRound(50, 8, 4), 100);
  EXPECT_EQ(MulDivRound(1 << 20, 1 << 20, 1 << 10), 1 << 30);  // product beyond 32 bits
  EXPECT_EQ(MulDivRound(5, 5, 0), -1);
}

// A font of average size 7 x 16: units 1.75 and 2 pixels.
TEST(MessageBoxLayout, IconTextAndTwoButtons) {
  MessageBoxMetrics m;
  m.averageCharWidth = 7;
  m.averageCharHeight = 16;
  m.textWidth = 100;
  m.textHeight = 16;  // lower than the icon
  m.hasIcon = true;
  m.buttonCount = 2;
  const MessageBoxLayout l = LayOutMessageBox(m);
  // margins 14 x 16, spacing 18 x 20, buttons 88 x 28 with 7 between them
  EXPECT_EQ(l.icon, (RectI{14, 16, 32, 32}));
  EXPECT_EQ(l.text, (RectI{14 + 32 + 18, 16, 100, 16}));
  EXPECT_EQ(l.clientWidth, 2 * 88 + 7 + 2 * 14);  // the button row is the wider
  EXPECT_EQ(l.clientHeight, 32 + 20 + 28 + 2 * 16);
  ASSERT_EQ(l.buttons.size(), 2u);
  EXPECT_EQ(l.buttons[0], (RectI{14, 16 + 32 + 20, 88, 28}));
  EXPECT_EQ(l.buttons[1], (RectI{14 + 88 + 7, 16 + 32 + 20, 88, 28}));
}

TEST(MessageBoxLayout, CustomKindWithoutIconCentresTheButtonUnderWideText) {
  MessageBoxMetrics m;
  m.averageCharWidth = 7;
  m.averageCharHeight = 16;
  m.textWidth = 301;
  m.textHeight = 48;
  m.buttonCount = 1;
  const MessageBoxLayout l = LayOutMessageBox(m);
  EXPECT_EQ(l.icon, RectI{});
  EXPECT_EQ(l.text, (RectI{14, 16, 301, 48}));
  EXPECT_EQ(l.clientWidth, 301 + 28);
  EXPECT_EQ(l.clientHeight, 48 + 20 + 28 + 32);
  ASSERT_EQ(l.buttons.size(), 1u);
  EXPECT_EQ(l.buttons[0], (RectI{(329 - 88) / 2, 16 + 48 + 20, 88, 28}));
}

TEST(MessageBoxLayout, TallTextPushesTheButtonsDown) {
  MessageBoxMetrics m;
  m.averageCharWidth = 8;
  m.averageCharHeight = 13;  // vertical units round: 8*13/8 = 13, 10*13/8 = 16.25, 14*13/8 = 22.75
  m.textWidth = 40;
  m.textHeight = 90;
  m.hasIcon = true;
  m.buttonCount = 3;
  const MessageBoxLayout l = LayOutMessageBox(m);
  EXPECT_EQ(l.clientHeight, 90 + 16 + 23 + 2 * 13);
  EXPECT_EQ(l.buttons[2].top, 13 + 90 + 16);
  EXPECT_EQ(l.buttons[2].height, 23);
  EXPECT_EQ(l.clientWidth, 3 * 100 + 2 * 8 + 2 * 16);
}

TEST(MessageBoxLayout, WrapsWithinHalfTheScreenAndCentres) {
  EXPECT_EQ(MsgDlgWrapWidth(1024), 512);
  EXPECT_EQ(MsgDlgWrapWidth(1023), 511);
  int left = 0, top = 0;
  CenterOnScreen(1024, 768, 201, 100, &left, &top);
  EXPECT_EQ(left, 411);
  EXPECT_EQ(top, 334);
}

TEST(MessageBoxButtons, OrderCaptionsAndAnswers) {
  const auto ordered = MsgDlgButtonsInOrder(MsgDlgButton(mbHelp) | MsgDlgButton(mbOK) |
                                            MsgDlgButton(mbYes) | MsgDlgButton(mbCancel));
  ASSERT_EQ(ordered.size(), 4u);
  EXPECT_EQ(ordered[0], mbYes);
  EXPECT_EQ(ordered[1], mbOK);
  EXPECT_EQ(ordered[2], mbCancel);
  EXPECT_EQ(ordered[3], mbHelp);
  EXPECT_STREQ(MsgDlgButtonCaption(mbYes), "\xac\x4f(&Y)");                           // 是(&Y)
  EXPECT_STREQ(MsgDlgButtonCaption(mbNo), "\xa7\x5f(&N)");                            // 否(&N)
  EXPECT_STREQ(MsgDlgButtonCaption(mbOK), "\xbd\x54\xbb\x7b");                        // 確認
  EXPECT_STREQ(MsgDlgButtonCaption(mbRetry), "\xad\xab\xb8\xd5(&R)");                 // 重試(&R)
  EXPECT_STREQ(MsgDlgButtonCaption(mbYesToAll), "\xa5\xfe\xb3\xa1\xac\xd2\xac\x4f");  // 全部皆是
  EXPECT_EQ(MsgDlgButtonResult(mbYes), mrYes);
  EXPECT_EQ(MsgDlgButtonResult(mbNo), mrNo);
  EXPECT_EQ(MsgDlgButtonResult(mbOK), mrOk);
  EXPECT_EQ(MsgDlgButtonResult(mbNoToAll), mrNoToAll);
  EXPECT_EQ(MsgDlgButtonResult(mbHelp), mrNone);
  EXPECT_STREQ(MsgDlgKindCaption(mtError), "\xbf\xf9\xbb\x7e");  // 錯誤
  EXPECT_STREQ(MsgDlgKindCaption(mtCustom), "");
}

TEST(MessageBoxButtons, DefaultIsYesThenOkAndCancelIsCancelThenNoThenOk) {
  EXPECT_EQ(MsgDlgDefaultButton(mbYesNo), mbYes);
  EXPECT_EQ(MsgDlgCancelButton(mbYesNo), mbNo);
  EXPECT_EQ(MsgDlgDefaultButton(mbOKOnly), mbOK);
  EXPECT_EQ(MsgDlgCancelButton(mbOKOnly), mbOK);
  const TMsgDlgButtons yesNoCancel = mbYesNo | MsgDlgButton(mbCancel);
  EXPECT_EQ(MsgDlgDefaultButton(yesNoCancel | MsgDlgButton(mbOK)), mbYes);
  EXPECT_EQ(MsgDlgCancelButton(yesNoCancel), mbCancel);
  const TMsgDlgButtons retryIgnore = MsgDlgButton(mbRetry) | MsgDlgButton(mbIgnore);
  EXPECT_EQ(MsgDlgDefaultButton(retryIgnore), mbRetry);
  EXPECT_EQ(MsgDlgCancelButton(retryIgnore), -1);
  EXPECT_EQ(MsgDlgDefaultButton(0), -1);
}
