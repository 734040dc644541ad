#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "common/platform/Twips.h"
#include "tallyhold/windows/ProgressForm.h"

namespace tallyhold {
namespace {

TEST(TallyholdProgressTest, HasItsControlsAndDesignTexts) {
  StopToken stop;
  ProgressForm form(stop);
  EXPECT_EQ(form.objectName(), "ProgressForm");
  EXPECT_EQ(form.windowTitle(), "Printing...");
  EXPECT_EQ(form.size(), platform::TwipsSize(4725, 1875));
  EXPECT_EQ(form.findChild<QLabel*>("labMsg")->text(),
            "This will take some minutes depending on the speed of your computer. Please, be "
            "patient.");
  EXPECT_EQ(form.findChild<QLabel*>("labStatus")->text(), "Status Bar");
  EXPECT_EQ(form.findChild<QPushButton*>("Command1")->text(), "Cancel");
  EXPECT_EQ(form.findChild<ProgressBar*>("ProgressBar")->geometry(), platform::TwipsRect(60, 1020, 4620, 285));
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST(TallyholdProgressTest, CancelOnlyRaisesTheStopRequest) {
  StopToken stop;
  ProgressForm form(stop);
  form.show();
  form.Bar().SetMax(10);
  form.Bar().SetValue(3);
  auto* cancel = form.findChild<QPushButton*>("Command1");
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_TRUE(stop.Requested());
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_TRUE(stop.Requested());
  EXPECT_TRUE(form.isVisible());
  EXPECT_FLOAT_EQ(form.Bar().Value(), 3);
  EXPECT_EQ(form.Status().text(), "Status Bar");

  // Esc asks to stop too, and never just hides the window.
  StopToken escStop;
  ProgressForm escForm(escStop);
  escForm.show();
  QTest::keyClick(&escForm, Qt::Key_Escape);
  EXPECT_TRUE(escStop.Requested());
  EXPECT_TRUE(escForm.isVisible());
}

TEST(TallyholdProgressTest, CancelStopsOnlyTheRunItShows) {
  StopToken scan, extraction;
  ProgressForm scanForm(scan);
  ProgressForm extractionForm(extraction);
  scanForm.show();
  extractionForm.show();
  QTest::mouseClick(extractionForm.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_TRUE(extraction.Requested());
  EXPECT_FALSE(scan.Requested());
}

TEST(TallyholdProgressTest, BarKeepsFloatingPointMaximumAndValueAndShowsThemScaled) {
  ProgressBar bar;
  bar.SetMax(25.25f);
  bar.SetValue(0.0001f);
  EXPECT_FLOAT_EQ(bar.Max(), 25.25f);
  EXPECT_FLOAT_EQ(bar.Value(), 0.0001f);
  EXPECT_EQ(bar.value(), 0);
  bar.SetValue(bar.Value() + 1);
  EXPECT_FLOAT_EQ(bar.Value(), 1.0001f);
  EXPECT_EQ(bar.value(), 40);  // 1.0001 of 25.25 on a scale of 1000
  bar.SetValue(25.25f);
  EXPECT_EQ(bar.value(), ProgressBar::Scale);
  // Past the maximum, or with no maximum at all, the bar never leaves its range.
  bar.SetValue(99);
  EXPECT_EQ(bar.value(), ProgressBar::Scale);
  EXPECT_FLOAT_EQ(bar.Value(), 99);
  bar.SetMax(0);
  EXPECT_EQ(bar.value(), 0);
}

}  // namespace
}  // namespace tallyhold
