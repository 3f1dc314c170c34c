#include <gtest/gtest.h>

#include <string>

#include "hangul/jamo.h"
#include "pipeline/stages.h"
#include "support/stage_cases.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(StandardiseFinals, EveryFinalBecomesARepresentative) {
  ExpectJamoStage(
      StandardiseFinals,
      {
          {u"히읗", u"히읃", true},  // a ㅎ no earlier stage consumed
          {u"닭", u"닥", true},
          {u"값", u"갑", true},
          {u"삶", u"삼", true},
          {u"여덟", u"여덜", true},
          {u"꽃", u"꼳", true},
          {u"부엌", u"부억", true},
          {u"밖", u"박", true},
          {u"몫", u"목", true},
          {u"앉", u"안", true},
          {u"많", u"만", true},
          {u"옷 있 낮 빛 밭", u"옫 읻 낟 빋 받", true},
          {u"곬 핥 싫", u"골 할 실", true},
          {u"잎 없 읊", u"입 업 읍", true},
          // ㅢ after any initial but ㅇ.
          {u"희망", u"히망", true},
          {u"무늬", u"무니", true},
          {u"띄어", u"띠어", true},
          {u"의사", u"의사", false},
          // Representative finals stay.
          {u"각 간 갇 갈 감 갑 강", u"각 간 갇 갈 감 갑 강", false},
          {u"", u"", false},
      });
}

TEST(RealiseEndings, FormalEndingsAsSpoken) {
  ExpectJamoStage(
      RealiseEndings,
      {
          {u"감니다", u"간미다", true},
          {u"함니까", u"한미까", true},
          {u"감사함니다", u"감사한미다", true},
          {u"슴니다", u"슨미다", true},
          {u"먹슴니까?", u"먹슨미까?", true},
          {u"고맙슴니다 감사함니다", u"고맙슨미다 감사한미다", true},
          {u"햄니다만", u"핸미다만", true},  // also inside a longer word
          // A final other than ㅁ, a space inside the ending, or a closed
          // syllable before ㅁ: no match.
          {u"갑니다", u"갑니다", false},
          {u"감 니다", u"감 니다", false},
          {u"감니 다", u"감니 다", false},
          {u"감니자", u"감니자", false},
          {u"니다", u"니다", false},
          {u"", u"", false},
      });
}

}  // namespace
}  // namespace pimoru
