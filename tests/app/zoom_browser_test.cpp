#include "app/zoom_browser.h"

#include <gtest/gtest.h>

namespace pimoru {
namespace {

TEST(ScaleCssPixels, ScalesEveryPixelLengthAndNothingElse) {
  struct Case {
    const char* css;
    int percent;
    const char* scaled;
  } const cases[] = {
      {"p.small { font-size: 13px; }", 100, "p.small { font-size: 13px; }"},
      {"p.small { font-size: 13px; }", 200, "p.small { font-size: 26px; }"},
      {"body { margin: 10px 16px; line-height: 150%; }", 150,
       "body { margin: 15px 24px; line-height: 150%; }"},
      {"td { border: 1px solid #98a8c0; }", 70,
       "td { border: 1px solid #98a8c0; }"},  // never below one
      {"h1 { font-size: 22px }", 115, "h1 { font-size: 25px }"},  // 25.3
      {"x { width: 2.5px }", 200, "x { width: 5px }"},
      {"x { font-size: 1.2em; top: 0px }", 200,
       "x { font-size: 1.2em; top: 0px }"},
      {"", 200, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.css);
    EXPECT_EQ(ScaleCssPixels(QString::fromUtf8(c.css), c.percent),
              QString::fromUtf8(c.scaled));
  }
}

}  // namespace
}  // namespace pimoru
